#include "PlainBitBoard.h"

#include <bit>

// The same clones and optimisation level as the engine's kernel, so the two are
// compared on equal terms.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define PLAIN_VECTOR_CLONES __attribute__((target_clones("arch=x86-64-v4", "avx2", "default")))
#else
#define PLAIN_VECTOR_CLONES
#endif

PlainBitBoard::PlainBitBoard(std::int64_t side)
    : side_(side), words_((side + 63) / 64 + 2),
      cur_(static_cast<std::size_t>(words_ * (side + 2)), 0), next_(cur_.size(), 0)
{
}

void PlainBitBoard::set(std::int64_t x, std::int64_t y)
{
    cur_[static_cast<std::size_t>((y + 1) * words_ + x / 64 + 1)] |= std::uint64_t{1} << (x % 64);
}

namespace {

PLAIN_VECTOR_CLONES
void stepRows(const std::uint64_t* cur, std::uint64_t* next, std::int64_t rows, std::int64_t words, std::int64_t side)
{
    const std::int64_t lastBits = side - (words - 3) * 64;
    const std::uint64_t lastMask = lastBits == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << lastBits) - 1;
    for (std::int64_t r = 1; r <= rows; ++r) {
        const std::uint64_t* a = cur + (r - 1) * words;
        const std::uint64_t* m = cur + r * words;
        const std::uint64_t* b = cur + (r + 1) * words;
        std::uint64_t* out = next + r * words;
        for (std::int64_t i = 1; i < words - 1; ++i) {
            const std::uint64_t n[8] = {
                (a[i] << 1) | (a[i - 1] >> 63), a[i], (a[i] >> 1) | (a[i + 1] << 63),
                (m[i] << 1) | (m[i - 1] >> 63),       (m[i] >> 1) | (m[i + 1] << 63),
                (b[i] << 1) | (b[i - 1] >> 63), b[i], (b[i] >> 1) | (b[i + 1] << 63),
            };
            // Full adders: s* weigh one, c* two, d* four.
            const std::uint64_t x1 = n[0] ^ n[1], s1 = x1 ^ n[2], c1 = (n[0] & n[1]) | (n[2] & x1);
            const std::uint64_t x2 = n[3] ^ n[4], s2 = x2 ^ n[5], c2 = (n[3] & n[4]) | (n[5] & x2);
            const std::uint64_t s3 = n[6] ^ n[7], c3 = n[6] & n[7];
            const std::uint64_t x4 = s1 ^ s2, ones = x4 ^ s3, c4 = (s1 & s2) | (s3 & x4);
            const std::uint64_t x5 = c1 ^ c2, t = x5 ^ c3, d5 = (c1 & c2) | (c3 & x5);
            const std::uint64_t twos = t ^ c4, d6 = t & c4;
            const std::uint64_t word = twos & ~(d5 | d6) & (ones | m[i]);
            out[i] = i == words - 2 ? word & lastMask : word;
        }
    }
}

}  // namespace

void PlainBitBoard::step()
{
    stepRows(cur_.data(), next_.data(), side_, words_, side_);
    cur_.swap(next_);
}

std::int64_t PlainBitBoard::population() const
{
    std::int64_t n = 0;
    for (std::uint64_t word : cur_)
        n += std::popcount(word);
    return n;
}
