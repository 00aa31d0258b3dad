#pragma once
// Bit arithmetic shared by the coverage masks: a row of pixels is a row of
// 64-bit words, one bit per pixel, bit 0 the leftmost pixel of its word.

#include <cstdint>

namespace orbelle::bitrows {

inline constexpr std::uint64_t kAll = ~std::uint64_t{0};

/// Bits lo..hi (inclusive, 0..63) of a word.
inline std::uint64_t rangeMask(int lo, int hi) { return (kAll << lo) & (kAll >> (63 - hi)); }

/// True when bits a..b of a multi-word bit row are all set.
inline bool allSet(const std::uint64_t* bits, int a, int b) {
    for (int w = a >> 6; w <= b >> 6; ++w) {
        const int lo = w == a >> 6 ? a & 63 : 0;
        const int hi = w == b >> 6 ? b & 63 : 63;
        const std::uint64_t mask = rangeMask(lo, hi);
        if ((bits[w] & mask) != mask) {
            return false;
        }
    }
    return true;
}

/// 0x80 in every byte of v that is 0xFF, 0 elsewhere.
inline std::uint64_t fullBytes(std::uint64_t v) {
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    const std::uint64_t t = ~v;
    return ~(((t & kLow7) + kLow7) | t | kLow7);
}

} // namespace orbelle::bitrows
