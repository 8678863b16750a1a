// The global operator new and delete of every Windows test: a freed block is filled with 0xDF and
// held in a bounded quarantine before it really goes back to the heap, so a use after free reads
// garbage that faults at once (a vtable call through 0xDFDF... lands in kernel space on 32-bit
// Windows and is non-canonical on x86_64) instead of reading a live reallocation.
// A write into a quarantined block, a double delete and a delete of a pointer that new never gave
// stop the test with a message on stderr.
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <malloc.h>
#include <new>

namespace {

constexpr unsigned char kPoison = 0xDF;
constexpr uint64_t kLive = 0x51534C4956454842ull;
constexpr uint64_t kFreed = 0x5153465245454442ull;
constexpr size_t kQuarantineBlocks = 16384;
constexpr size_t kQuarantineBytes = size_t{64} << 20;

// 16 bytes on both builds keeps the block 16-aligned, as new must be on x86_64.
struct alignas(16) THeader {
    uint64_t Size;
    uint64_t Magic;
};
static_assert(sizeof(THeader) == 16, "the header keeps new's alignment");

// Zero-initialised statics only: new runs before any constructor does.
SRWLOCK Lock = SRWLOCK_INIT;
THeader* Ring[kQuarantineBlocks];
size_t RingHead;
size_t RingCount;
size_t RingBytes;

void WriteError(const char* text) {
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), text, static_cast<DWORD>(std::strlen(text)), &written, nullptr);
}

// No formatting library here: it may allocate.
[[noreturn]] void Fail(const char* what, const void* block) {
    char hex[2 + 2 * sizeof(void*) + 2] = "0x";
    auto value = reinterpret_cast<uintptr_t>(block);
    for (size_t i = 0; i < 2 * sizeof(void*); ++i)
        hex[2 + i] = "0123456789ABCDEF"[(value >> (4 * (2 * sizeof(void*) - 1 - i))) & 0xF];
    hex[2 + 2 * sizeof(void*)] = '\n';
    hex[3 + 2 * sizeof(void*)] = '\0';
    WriteError("poison heap: ");
    WriteError(what);
    WriteError(" at ");
    WriteError(hex);
    __builtin_trap();
}

void* Allocate(size_t size) noexcept {
    if (size > SIZE_MAX - sizeof(THeader)) return nullptr;
    auto* header = static_cast<THeader*>(_aligned_malloc(sizeof(THeader) + size, alignof(THeader)));
    if (!header) return nullptr;
    header->Size = size;
    header->Magic = kLive;
    return header + 1;
}

bool PoisonIntact(const THeader* header) {
    auto* bytes = reinterpret_cast<const unsigned char*>(header + 1);
    for (uint64_t i = 0; i < header->Size; ++i)
        if (bytes[i] != kPoison) return false;
    return true;
}

void Release(THeader* header) {
    if (header->Magic != kFreed || !PoisonIntact(header)) Fail("write to a freed block", header + 1);
    _aligned_free(header);
}

void Deallocate(void* block) noexcept {
    if (!block) return;
    auto* header = static_cast<THeader*>(block) - 1;
    if (header->Magic == kFreed) Fail("double delete", block);
    if (header->Magic != kLive) Fail("delete of a block new did not give", block);
    header->Magic = kFreed;
    std::memset(block, kPoison, static_cast<size_t>(header->Size));
    if (header->Size > kQuarantineBytes) {
        _aligned_free(header);
        return;
    }

    // The oldest blocks leave under the lock; their checks and frees run outside it.
    THeader* evicted[8];
    size_t evictedCount = 0;
    AcquireSRWLockExclusive(&Lock);
    while (RingCount > 0 && evictedCount < 8 &&
           (RingCount == kQuarantineBlocks || RingBytes + header->Size > kQuarantineBytes)) {
        THeader* oldest = Ring[(RingHead + kQuarantineBlocks - RingCount) % kQuarantineBlocks];
        --RingCount;
        RingBytes -= static_cast<size_t>(oldest->Size);
        evicted[evictedCount++] = oldest;
    }
    const bool room = RingCount < kQuarantineBlocks && RingBytes + header->Size <= kQuarantineBytes;
    if (room) {
        Ring[RingHead] = header;
        RingHead = (RingHead + 1) % kQuarantineBlocks;
        ++RingCount;
        RingBytes += static_cast<size_t>(header->Size);
    }
    ReleaseSRWLockExclusive(&Lock);
    for (size_t i = 0; i < evictedCount; ++i)
        Release(evicted[i]);
    if (!room) Release(header);
}

void* AllocateOrThrow(size_t size) {
    for (;;) {
        if (void* block = Allocate(size)) return block;
        std::new_handler handler = std::get_new_handler();
        if (!handler) throw std::bad_alloc();
        handler();
    }
}

void* AllocateOrNull(size_t size) noexcept {
    try {
        return AllocateOrThrow(size);
    } catch (...) {
        return nullptr;
    }
}

} // namespace

void* operator new(size_t size) {
    return AllocateOrThrow(size);
}
void* operator new[](size_t size) {
    return AllocateOrThrow(size);
}
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    return AllocateOrNull(size);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
    return AllocateOrNull(size);
}

void operator delete(void* block) noexcept {
    Deallocate(block);
}
void operator delete[](void* block) noexcept {
    Deallocate(block);
}
void operator delete(void* block, size_t) noexcept {
    Deallocate(block);
}
void operator delete[](void* block, size_t) noexcept {
    Deallocate(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
    Deallocate(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
    Deallocate(block);
}
