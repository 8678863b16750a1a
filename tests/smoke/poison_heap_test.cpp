// The tests' operator new and delete are really linked in: freed memory reads 0xDF and is not
// handed out again at once, blocks keep new's alignment, and two threads may share the heap.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <set>
#include <thread>
#include <vector>

namespace {

constexpr unsigned char kPoison = 0xDF;

// Through a volatile copy, so the compiler neither warns about nor folds the reads after delete.
volatile unsigned char* Watch(void* block) {
    void* volatile hidden = block;
    return static_cast<volatile unsigned char*>(hidden);
}

bool AllPoison(const volatile unsigned char* bytes, size_t count) {
    for (size_t i = 0; i < count; ++i)
        if (bytes[i] != kPoison) return false;
    return true;
}

TEST(PoisonHeap, EveryDeleteFormPoisonsTheBlock) {
    int* single = new int(0x12345678);
    auto* singleBytes = Watch(single);
    delete single;
    EXPECT_TRUE(AllPoison(singleBytes, sizeof(int)));

    int* array = new int[37]();
    auto* arrayBytes = Watch(array);
    delete[] array;
    EXPECT_TRUE(AllPoison(arrayBytes, 37 * sizeof(int)));

    void* raw = ::operator new(24, std::nothrow);
    ASSERT_NE(raw, nullptr);
    std::memset(raw, 0, 24);
    auto* rawBytes = Watch(raw);
    ::operator delete(raw, 24);
    EXPECT_TRUE(AllPoison(rawBytes, 24));

    // A freed object's vtable pointer is the poison, so a virtual call through it faults.
    struct TShape {
        virtual ~TShape() = default;
        virtual int Sides() const { return 4; }
    };
    TShape* shape = new TShape;
    EXPECT_EQ(shape->Sides(), 4);
    auto* vtableSlot = reinterpret_cast<volatile uintptr_t*>(Watch(shape));
    delete shape;
    uintptr_t poisonPointer;
    std::memset(&poisonPointer, kPoison, sizeof poisonPointer);
    const uintptr_t slot = *vtableSlot;
    EXPECT_EQ(slot, poisonPointer);
}

TEST(PoisonHeap, FreedBlocksAreNotHandedOutAgainAtOnce) {
    std::set<void*> freed;
    for (int i = 0; i < 500; ++i) {
        void* block = ::operator new(48);
        freed.insert(block);
        ::operator delete(block);
    }
    EXPECT_EQ(freed.size(), 500u);
    for (int i = 0; i < 500; ++i) {
        std::unique_ptr<char[]> block(new char[48]);
        EXPECT_EQ(freed.count(block.get()), 0u);
    }
}

TEST(PoisonHeap, BlocksKeepSixteenByteAlignment) {
    std::vector<std::unique_ptr<char[]>> blocks;
    for (size_t size = 0; size < 100; ++size) {
        blocks.emplace_back(new char[size]);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(blocks.back().get()) % 16, 0u) << size;
    }
    struct alignas(64) TWide {
        char Bytes[64];
    };
    auto wide = std::make_unique<TWide>();
    EXPECT_EQ(reinterpret_cast<uintptr_t>(wide.get()) % 64, 0u);
}

TEST(PoisonHeap, TwoThreadsShareItAndFillTheQuarantine) {
    // Enough frees to go round the quarantine several times, so blocks really leave it meanwhile.
    auto churn = [](unsigned char fill) {
        for (int round = 0; round < 20000; ++round) {
            std::vector<unsigned char> held(1 + round % 200, fill);
            for (unsigned char byte : held)
                if (byte != fill) return false;
        }
        return true;
    };
    bool otherOk = false;
    std::thread other([&] { otherOk = churn(0x11); });
    const bool mineOk = churn(0x22);
    other.join();
    EXPECT_TRUE(mineOk);
    EXPECT_TRUE(otherOk);
}

} // namespace
