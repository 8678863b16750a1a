// Classic LZHUF decoding: a 16-bit bit buffer fed by getc, a bit-at-a-time tree walk, the update by
// node exchange, the ring of 4096 bytes and putc for every byte. Kept plain on purpose: its speed is
// the reference point, so it must not borrow any of the codec's tricks.
#include "bench/lzhuf_classic.h"

#include <cstdint>
#include <cstring>

namespace qs::bench {

namespace {

constexpr int N = 4096;
constexpr int F = 60;
constexpr int THRESHOLD = 2;
constexpr int N_CHAR = 256 - THRESHOLD + F;
constexpr int T = N_CHAR * 2 - 1;
constexpr int R = T - 1;
constexpr unsigned MAX_FREQ = 0x8000;

struct State {
    std::FILE* infile;
    std::FILE* outfile;
    unsigned short getbuf = 0;
    unsigned char getlen = 0;
    unsigned freq[T + 1];
    int prnt[T + N_CHAR];
    int son[T];
    unsigned char text_buf[N + F - 1];
    unsigned char d_code[256];
    unsigned char d_len[256];
};

void MakeTables(State& s) {
    // Bytes per upper-position value in each band, and the prefix length of the band.
    const int counts[] = {1, 3, 8, 12, 24, 16}, bytes[] = {32, 16, 8, 4, 2, 1};
    int i = 0, code = 0;
    for (int band = 0; band < 6; ++band)
        for (int v = 0; v < counts[band]; ++v, ++code)
            for (int k = 0; k < bytes[band]; ++k, ++i) {
                s.d_code[i] = (unsigned char)code;
                s.d_len[i] = (unsigned char)(band + 3);
            }
}

int GetBit(State& s) {
    int i;
    while (s.getlen <= 8) {
        if ((i = std::getc(s.infile)) < 0) i = 0;
        s.getbuf |= (unsigned short)(i << (8 - s.getlen));
        s.getlen += 8;
    }
    i = s.getbuf;
    s.getbuf = (unsigned short)(s.getbuf << 1);
    s.getlen--;
    return (i & 0x8000) >> 15;
}

int GetByte(State& s) {
    unsigned i;
    while (s.getlen <= 8) {
        int c = std::getc(s.infile);
        if (c < 0) c = 0;
        s.getbuf |= (unsigned short)(c << (8 - s.getlen));
        s.getlen += 8;
    }
    i = s.getbuf;
    s.getbuf = (unsigned short)(s.getbuf << 8);
    s.getlen -= 8;
    return int(i >> 8);
}

void StartHuff(State& s) {
    int i, j;
    for (i = 0; i < N_CHAR; i++) {
        s.freq[i] = 1;
        s.son[i] = i + T;
        s.prnt[i + T] = i;
    }
    i = 0;
    j = N_CHAR;
    while (j <= R) {
        s.freq[j] = s.freq[i] + s.freq[i + 1];
        s.son[j] = i;
        s.prnt[i] = s.prnt[i + 1] = j;
        i += 2;
        j++;
    }
    s.freq[T] = 0xffff;
    s.prnt[R] = 0;
}

void reconst(State& s) {
    int i, j, k;
    unsigned f, l;
    j = 0;
    for (i = 0; i < T; i++) {
        if (s.son[i] >= T) {
            s.freq[j] = (s.freq[i] + 1) / 2;
            s.son[j] = s.son[i];
            j++;
        }
    }
    for (i = 0, j = N_CHAR; j < T; i += 2, j++) {
        k = i + 1;
        f = s.freq[j] = s.freq[i] + s.freq[k];
        for (k = j - 1; f < s.freq[k]; k--)
            ;
        k++;
        l = unsigned(j - k);
        std::memmove(&s.freq[k + 1], &s.freq[k], l * sizeof s.freq[0]);
        s.freq[k] = f;
        std::memmove(&s.son[k + 1], &s.son[k], l * sizeof s.son[0]);
        s.son[k] = i;
    }
    for (i = 0; i < T; i++) {
        if ((k = s.son[i]) >= T) {
            s.prnt[k] = i;
        } else {
            s.prnt[k] = s.prnt[k + 1] = i;
        }
    }
}

void update(State& s, int c) {
    int i, j, l;
    unsigned k;
    if (s.freq[R] == MAX_FREQ) reconst(s);
    c = s.prnt[c + T];
    do {
        k = ++s.freq[c];
        if (k > s.freq[l = c + 1]) {
            while (k > s.freq[++l])
                ;
            l--;
            s.freq[c] = s.freq[l];
            s.freq[l] = k;
            i = s.son[c];
            s.prnt[i] = l;
            if (i < T) s.prnt[i + 1] = l;
            j = s.son[l];
            s.son[l] = i;
            s.prnt[j] = c;
            if (j < T) s.prnt[j + 1] = c;
            s.son[c] = j;
            c = l;
        }
    } while ((c = s.prnt[c]) != 0);
}

int DecodeChar(State& s) {
    unsigned c = unsigned(s.son[R]);
    while (c < unsigned(T)) {
        c += unsigned(GetBit(s));
        c = unsigned(s.son[c]);
    }
    c -= T;
    update(s, int(c));
    return int(c);
}

int DecodePosition(State& s) {
    unsigned i, j, c;
    i = unsigned(GetByte(s));
    c = unsigned(s.d_code[i]) << 6;
    j = s.d_len[i];
    j -= 2;
    while (j--)
        i = (i << 1) + unsigned(GetBit(s));
    return int(c | (i & 0x3f));
}

} // namespace

void ClassicLzhufDecode(std::FILE* in, std::FILE* out) {
    static State s; // about 12 KB, the program's globals
    s = State{};
    s.infile = in;
    s.outfile = out;
    MakeTables(s);
    int32_t textsize = 0;
    if (std::fread(&textsize, sizeof textsize, 1, in) != 1 || textsize <= 0) return;
    StartHuff(s);
    int i, j, k, r, c;
    for (i = 0; i < N - F; i++)
        s.text_buf[i] = ' ';
    r = N - F;
    for (int32_t count = 0; count < textsize;) {
        c = DecodeChar(s);
        if (c < 256) {
            std::putc(c, out);
            s.text_buf[r++] = (unsigned char)c;
            r &= (N - 1);
            count++;
        } else {
            i = (r - DecodePosition(s) - 1) & (N - 1);
            j = c - 255 + THRESHOLD;
            for (k = 0; k < j; k++) {
                c = s.text_buf[(i + k) & (N - 1)];
                std::putc(c, out);
                s.text_buf[r++] = (unsigned char)c;
                r &= (N - 1);
                count++;
            }
        }
    }
}

} // namespace qs::bench
