#include "engine/bandcoverage.h"

#include "engine/bitrows.h"

#include <algorithm>
#include <bit>

namespace orbelle {
using bitrows::allSet;
using bitrows::fullBytes;
using bitrows::kAll;
using bitrows::rangeMask;

BandCoverage::BandCoverage(int width, int rows)
    : m_width(width), m_rows(rows), m_wordsPerRow((width + 63) / 64),
      m_summaryWords((m_wordsPerRow + 63) / 64), m_blocksPerRow(m_wordsPerRow * 8),
      m_blockWords((m_blocksPerRow + 63) / 64),
      m_bits(static_cast<std::size_t>(rows) * m_wordsPerRow),
      m_fullWords(static_cast<std::size_t>(rows) * m_summaryWords),
      m_blockCounts(static_cast<std::size_t>(rows / kBlockSide) * m_blocksPerRow),
      m_fullBlocks(static_cast<std::size_t>(rows / kBlockSide) * m_blockWords) {
    reset();
}

void BandCoverage::reset() {
    std::fill(m_bits.begin(), m_bits.end(), 0);
    const int spare = m_wordsPerRow * 64 - m_width;
    if (spare > 0) {
        for (int y = 0; y < m_rows; ++y) {
            m_bits[static_cast<std::size_t>(y) * m_wordsPerRow + m_wordsPerRow - 1] =
                rangeMask(64 - spare, 63);
        }
    }
    std::fill(m_fullWords.begin(), m_fullWords.end(), 0);
    std::fill(m_blockCounts.begin(), m_blockCounts.end(), 0);
    std::fill(m_fullBlocks.begin(), m_fullBlocks.end(), 0);
}

bool BandCoverage::blocksFull(int x0, int y0, int x1, int y1) const {
    for (int b = y0 / kBlockSide; b <= y1 / kBlockSide; ++b) {
        if (!allSet(&m_fullBlocks[static_cast<std::size_t>(b) * m_blockWords], x0 / kBlockSide,
                    x1 / kBlockSide)) {
            return false;
        }
    }
    return true;
}

void BandCoverage::fill(std::uint32_t* line, int y, int x0, int x1, std::uint32_t pixel) {
    std::uint64_t* full = &m_fullWords[static_cast<std::size_t>(y) * m_summaryWords];
    const int w0 = x0 >> 6;
    const int w1 = x1 >> 6;
    if (allSet(full, w0, w1)) {
        return;
    }
    std::uint64_t* bits = &m_bits[static_cast<std::size_t>(y) * m_wordsPerRow];
    const std::size_t blockRow = static_cast<std::size_t>(y / kBlockSide);
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
            if (++m_blockCounts[blockRow * m_blocksPerRow + static_cast<std::size_t>(block)] ==
                kBlockSide) {
                m_fullBlocks[blockRow * m_blockWords + static_cast<std::size_t>(block >> 6)] |=
                    std::uint64_t{1} << (block & 63);
            }
        }
    }
}

} // namespace orbelle
