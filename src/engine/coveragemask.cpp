#include "engine/coveragemask.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <new>

namespace orbelle {
using bitrows::fullBytes;

template <class T> CoverageMask::ZeroedArray<T> CoverageMask::zeroedArray(std::size_t n) {
    // calloc hands out fresh pages without writing them.
    auto* p = static_cast<T*>(std::calloc(n, sizeof(T)));
    if (p == nullptr) {
        throw std::bad_alloc();
    }
    return ZeroedArray<T>(p);
}

CoverageMask::CoverageMask()
    : m_bits(zeroedArray<std::uint64_t>(static_cast<std::size_t>(Canvas::kSize) * kWordsPerRow)),
      m_fullWords(
          zeroedArray<std::uint64_t>(static_cast<std::size_t>(Canvas::kSize) * kSummaryWords)),
      m_blockCounts(
          zeroedArray<std::uint8_t>(static_cast<std::size_t>(kBlockRows) * kBlocksPerRow)),
      m_fullBlocks(zeroedArray<std::uint64_t>(static_cast<std::size_t>(kBlockRows) * kBlockWords)) {
}

void CoverageMask::clearRows(int y0, int y1) {
    constexpr int kSpare = kWordsPerRow * 64 - Canvas::kSize;
    const auto first = static_cast<std::size_t>(y0);
    const auto end = static_cast<std::size_t>(y1) + 1;
    std::fill(m_bits.get() + first * kWordsPerRow, m_bits.get() + end * kWordsPerRow, 0);
    if constexpr (kSpare > 0) {
        for (std::size_t y = first; y < end; ++y) {
            m_bits[y * kWordsPerRow + kWordsPerRow - 1] = rangeMask(64 - kSpare, 63);
        }
    }
    std::fill(m_fullWords.get() + first * kSummaryWords, m_fullWords.get() + end * kSummaryWords,
              0);
    const std::size_t b0 = first / kBlockSide;
    const std::size_t b1 = (end + kBlockSide - 1) / kBlockSide;
    std::fill(m_blockCounts.get() + b0 * kBlocksPerRow, m_blockCounts.get() + b1 * kBlocksPerRow,
              0);
    std::fill(m_fullBlocks.get() + b0 * kBlockWords, m_fullBlocks.get() + b1 * kBlockWords, 0);
}

void CoverageMask::fill(std::uint32_t* line, int y, int x0, int x1, std::uint32_t pixel) {
    std::uint64_t* full = &m_fullWords[static_cast<std::size_t>(y) * kSummaryWords];
    const int w0 = x0 >> 6;
    const int w1 = x1 >> 6;
    if (allSet(full, w0, w1)) {
        return;
    }
    std::uint64_t* bits = &m_bits[static_cast<std::size_t>(y) * kWordsPerRow];
    for (int w = w0; w <= w1; ++w) {
        const int lo = w == w0 ? x0 & 63 : 0;
        const int hi = w == w1 ? x1 & 63 : 63;
        const std::uint64_t before = bits[w];
        std::uint64_t fresh = rangeMask(lo, hi) & ~before;
        if (fresh == 0) {
            continue;
        }
        const std::uint64_t after = before | fresh;
        bits[w] = after;
        std::uint32_t* base = line + static_cast<std::ptrdiff_t>(w) * 64;
        while (fresh != 0) {
            const int start = std::countr_zero(fresh);
            const int length = std::countr_one(fresh >> start);
            std::fill_n(base + start, length, pixel);
            // Adding the lowest set bit carries through its run of ones.
            fresh &= fresh + (fresh & (~fresh + 1));
        }
        if (after == kAll) {
            full[w >> 6] |= std::uint64_t{1} << (w & 63);
        }
        // Bytes of the row that became full count towards their blocks.
        std::uint64_t newlyFull = fullBytes(after) & ~fullBytes(before);
        while (newlyFull != 0) {
            const int block = w * 8 + std::countr_zero(newlyFull) / 8;
            newlyFull &= newlyFull - 1;
            const std::size_t row = static_cast<std::size_t>(y / kBlockSide);
            if (++m_blockCounts[row * kBlocksPerRow + static_cast<std::size_t>(block)] ==
                kBlockSide) {
                m_fullBlocks[row * kBlockWords + static_cast<std::size_t>(block >> 6)] |=
                    std::uint64_t{1} << (block & 63);
            }
        }
    }
}

} // namespace orbelle
