#pragma once
// Which canvas pixels the thick-pen raster has covered so far: one bit per
// pixel, with two coarser summaries that let hidden rows and wholly hidden
// dots be passed over with a few word tests: a bit per fully covered 64-pixel
// word of a row, and a bit per fully covered block of 8 x 8 pixels. Rows are
// independent, and so are blocks of 8 rows, so threads may work on disjoint
// bands of rows that start at multiples of kBlockSide. Used only inside the
// engine.

#include "engine/bitrows.h"
#include "engine/canvas.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

namespace orbelle {

class CoverageMask {
  public:
    static constexpr int kBlockSide = 8;

    /// A mask with nothing covered (about 5 MB, taken from the system as
    /// zeroed pages that are touched only where rows are used, so that making
    /// one does not hold a drawing up).
    CoverageMask();

    /// Marks rows y0..y1 (within 0..5999) uncovered again. y0 and y1 + 1 must
    /// be multiples of kBlockSide, or y1 the canvas's last row. It also counts
    /// the bits past the canvas's right edge as covered, which lets the last
    /// word of those rows become full and be passed over.
    void clearRows(int y0, int y1);

    /// True when every block touching rows y0..y1 between columns x0 and x1
    /// (all within the canvas) is full: then those pixels are all covered.
    bool blocksFull(int x0, int y0, int x1, int y1) const {
        for (int b = y0 / kBlockSide; b <= y1 / kBlockSide; ++b) {
            if (!allSet(&m_fullBlocks[static_cast<std::size_t>(b) * kBlockWords], x0 / kBlockSide,
                        x1 / kBlockSide)) {
                return false;
            }
        }
        return true;
    }

    /// Fills the pixels of canvas row y (line) from x0 to x1 that are not
    /// covered yet with pixel and marks them covered.
    void fill(std::uint32_t* line, int y, int x0, int x1, std::uint32_t pixel);

  private:
    static constexpr std::uint64_t kAll = bitrows::kAll;
    static std::uint64_t rangeMask(int lo, int hi) { return bitrows::rangeMask(lo, hi); }
    static bool allSet(const std::uint64_t* bits, int a, int b) {
        return bitrows::allSet(bits, a, b);
    }

    static constexpr int kWordsPerRow = (Canvas::kSize + 63) / 64;
    static constexpr int kSummaryWords = (kWordsPerRow + 63) / 64;
    static constexpr int kBlocksPerRow = kWordsPerRow * 8;
    static constexpr int kBlockWords = (kBlocksPerRow + 63) / 64;
    static constexpr int kBlockRows = (Canvas::kSize + kBlockSide - 1) / kBlockSide;

    struct Free {
        void operator()(void* p) const { std::free(p); }
    };
    template <class T> using ZeroedArray = std::unique_ptr<T[], Free>;
    template <class T> static ZeroedArray<T> zeroedArray(std::size_t n);

    ZeroedArray<std::uint64_t> m_bits;       // kWordsPerRow per row
    ZeroedArray<std::uint64_t> m_fullWords;  // kSummaryWords per row
    ZeroedArray<std::uint8_t> m_blockCounts; // full rows of each block
    ZeroedArray<std::uint64_t> m_fullBlocks; // kBlockWords per block row
};

} // namespace orbelle
