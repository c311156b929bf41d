#include "reference_decoder.h"

#include <array>

namespace reference {
namespace {

constexpr unsigned N = 4096, F = 60, NCHAR = 314, T = 627, R = 626, MAXF = 0x8000;

struct Decoder {
    std::span<const std::uint8_t> in;
    std::size_t next = 0;
    unsigned buf = 0, len = 0;
    std::array<unsigned, T + 1> freq{};
    std::array<unsigned, T + NCHAR> prnt{};
    std::array<unsigned, T> son{};

    unsigned get_byte_raw() { return next < in.size() ? in[next++] : 0; }
    void top_up() {
        while (len <= 8) {
            buf = (buf | (get_byte_raw() << (8 - len))) & 0xFFFF;
            len += 8;
        }
    }
    unsigned get_bit() {
        top_up();
        unsigned b = (buf >> 15) & 1;
        buf = (buf << 1) & 0xFFFF;
        --len;
        return b;
    }
    unsigned get_byte() {
        top_up();
        unsigned b = buf >> 8;
        buf = (buf << 8) & 0xFFFF;
        len -= 8;
        return b;
    }

    void start() {
        for (unsigned i = 0; i < NCHAR; ++i) {
            freq[i] = 1;
            son[i] = i + T;
            prnt[i + T] = i;
        }
        for (unsigned i = 0, j = NCHAR; j <= R; i += 2, ++j) {
            freq[j] = freq[i] + freq[i + 1];
            son[j] = i;
            prnt[i] = prnt[i + 1] = j;
        }
        freq[T] = 0xFFFF;
        prnt[R] = 0;
    }
    void reconst() {
        unsigned j = 0;
        for (unsigned i = 0; i < T; ++i)
            if (son[i] >= T) {
                freq[j] = (freq[i] + 1) / 2;
                son[j] = son[i];
                ++j;
            }
        for (unsigned i = 0, j = NCHAR; j < T; i += 2, ++j) {
            unsigned f = freq[i] + freq[i + 1];
            unsigned k = j - 1;
            while (f < freq[k]) --k;
            ++k;
            for (unsigned m = j; m > k; --m) {
                freq[m] = freq[m - 1];
                son[m] = son[m - 1];
            }
            freq[k] = f;
            son[k] = i;
        }
        for (unsigned i = 0; i < T; ++i) {
            unsigned k = son[i];
            prnt[k] = i;
            if (k < T) prnt[k + 1] = i;
        }
    }
    void update(unsigned c) {
        if (freq[R] == MAXF) reconst();
        unsigned n = prnt[c + T];
        do {
            unsigned k = ++freq[n];
            if (k > freq[n + 1]) {
                unsigned l = n + 1;
                while (k > freq[l + 1]) ++l;
                freq[n] = freq[l];
                freq[l] = k;
                unsigned i = son[n];
                prnt[i] = l;
                if (i < T) prnt[i + 1] = l;
                unsigned j = son[l];
                son[l] = i;
                prnt[j] = n;
                if (j < T) prnt[j + 1] = n;
                son[n] = j;
                n = l;
            }
            n = prnt[n];
        } while (n != 0);
    }
    unsigned decode_char() {
        unsigned c = son[R];
        while (c < T) c = son[c + get_bit()];
        c -= T;
        update(c);
        return c;
    }
    // The upper bits' code, read from the group sizes rather than a table.
    unsigned decode_position() {
        unsigned i = get_byte();
        unsigned upper, bits;
        if (i < 32) { upper = 0; bits = 3; }
        else if (i < 80) { upper = 1 + (i - 32) / 16; bits = 4; }
        else if (i < 144) { upper = 4 + (i - 80) / 8; bits = 5; }
        else if (i < 192) { upper = 12 + (i - 144) / 4; bits = 6; }
        else if (i < 240) { upper = 24 + (i - 192) / 2; bits = 7; }
        else { upper = 48 + (i - 240); bits = 8; }
        for (unsigned extra = bits - 2; extra > 0; --extra) i = (i << 1) + get_bit();
        return (upper << 6) | (i & 0x3F);
    }
};

}  // namespace

std::vector<std::uint8_t> decode(std::span<const std::uint8_t> stream, std::size_t output_length) {
    Decoder d;
    d.in = stream;
    d.start();
    std::array<std::uint8_t, N> ring{};
    for (unsigned i = 0; i < N - F; ++i) ring[i] = ' ';
    unsigned r = N - F;
    std::vector<std::uint8_t> out;
    while (out.size() < output_length) {
        unsigned c = d.decode_char();
        if (c < 256) {
            out.push_back(static_cast<std::uint8_t>(c));
            ring[r] = static_cast<std::uint8_t>(c);
            r = (r + 1) & (N - 1);
        } else {
            unsigned q = (r - d.decode_position() - 1) & (N - 1);
            for (unsigned k = 0; k < c - 253 && out.size() < output_length; ++k) {
                std::uint8_t b = ring[(q + k) & (N - 1)];
                out.push_back(b);
                ring[r] = b;
                r = (r + 1) & (N - 1);
            }
        }
    }
    return out;
}

}  // namespace reference
