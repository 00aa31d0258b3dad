#include "engine/coverageraster.h"

#include <algorithm>
#include <bit>
#include <memory>

namespace orbelle {
namespace {

constexpr int kWordsPerRow = (Canvas::kSize + 63) / 64;
constexpr int kSummaryWords = (kWordsPerRow + 63) / 64;
constexpr int kBlockSide = 8; // a block is one byte of a bit row, 8 rows high
constexpr int kBlocksPerRow = kWordsPerRow * 8;
constexpr int kBlockWords = (kBlocksPerRow + 63) / 64;
constexpr int kBlockRows = (Canvas::kSize + kBlockSide - 1) / kBlockSide;
constexpr int kBandRows = 128; // a multiple of kBlockSide
constexpr int kBands = (Canvas::kSize + kBandRows - 1) / kBandRows;
constexpr std::uint64_t kAll = ~std::uint64_t{0};
constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;

// Bits lo..hi (inclusive, 0..63) of a word.
std::uint64_t rangeMask(int lo, int hi) { return (kAll << lo) & (kAll >> (63 - hi)); }

// 0x80 in every byte of v that is 0xFF, 0 elsewhere.
std::uint64_t fullBytes(std::uint64_t v) {
    const std::uint64_t t = ~v;
    return ~(((t & kLow7) + kLow7) | t | kLow7);
}

// True when bits a..b of a multi-word bit row are all set.
bool allSet(const std::uint64_t* bits, int a, int b) {
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

// Which canvas pixels are covered, with two summaries: a bit per full word
// of a row, and a bit per full block of 8 x 8 pixels.
class Coverage {
  public:
    Coverage()
        : m_bits(static_cast<std::size_t>(Canvas::kSize) * kWordsPerRow),
          m_fullWords(static_cast<std::size_t>(Canvas::kSize) * kSummaryWords),
          m_blockCounts(static_cast<std::size_t>(kBlockRows) * kBlocksPerRow),
          m_fullBlocks(static_cast<std::size_t>(kBlockRows) * kBlockWords) {
        // The bits past the canvas's right edge count as covered, so the last
        // word of a row can become full.
        constexpr int kSpare = kWordsPerRow * 64 - Canvas::kSize;
        if constexpr (kSpare > 0) {
            for (int y = 0; y < Canvas::kSize; ++y) {
                m_bits[rowIndex(y) + kWordsPerRow - 1] = rangeMask(64 - kSpare, 63);
            }
        }
    }

    // True when every block touching row y0 to y1 between x0 and x1 is full
    // (all clipped to the canvas): then those pixels are all covered.
    bool blocksFull(int x0, int y0, int x1, int y1) const {
        for (int b = y0 / kBlockSide; b <= y1 / kBlockSide; ++b) {
            if (!allSet(&m_fullBlocks[static_cast<std::size_t>(b) * kBlockWords], x0 / kBlockSide,
                        x1 / kBlockSide)) {
                return false;
            }
        }
        return true;
    }

    // Fills the pixels of row y from x0 to x1 that are not covered yet and
    // marks them covered.
    void fill(std::uint32_t* line, int y, int x0, int x1, std::uint32_t pixel) {
        std::uint64_t* full = &m_fullWords[static_cast<std::size_t>(y) * kSummaryWords];
        const int w0 = x0 >> 6;
        const int w1 = x1 >> 6;
        if (allSet(full, w0, w1)) {
            return;
        }
        std::uint64_t* bits = &m_bits[rowIndex(y)];
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

  private:
    static std::size_t rowIndex(int y) { return static_cast<std::size_t>(y) * kWordsPerRow; }

    std::vector<std::uint64_t> m_bits;
    std::vector<std::uint64_t> m_fullWords;
    std::vector<std::uint8_t> m_blockCounts;
    std::vector<std::uint64_t> m_fullBlocks;
};

} // namespace

bool CoverageRaster::paint(Canvas& canvas, Order order,
                           const std::function<bool(std::size_t)>& progress) const {
    const std::size_t n = m_dots.size();
    if (n == 0) {
        return true;
    }
    const std::int64_t last = Canvas::kSize - 1;
    const auto firstRow = [&](const Dot& d) {
        return static_cast<int>(std::max<std::int64_t>(std::int64_t{d.top} + m_shape.minDy(), 0));
    };
    const auto lastRow = [&](const Dot& d) {
        return static_cast<int>(
            std::min<std::int64_t>(std::int64_t{d.top} + m_shape.maxDy(), last));
    };
    // The dots are sorted into bands of rows, keeping their order within a
    // band, so that each band's coverage bits and pixels stay in the cache.
    // Bands do not meet, so painting them one after the other gives the same
    // pixels.
    std::vector<std::uint32_t> bandStart(kBands + 1, 0);
    for (const Dot& d : m_dots) {
        for (int b = firstRow(d) / kBandRows; b <= lastRow(d) / kBandRows; ++b) {
            ++bandStart[static_cast<std::size_t>(b) + 1];
        }
    }
    for (int b = 0; b < kBands; ++b) {
        bandStart[static_cast<std::size_t>(b) + 1] += bandStart[static_cast<std::size_t>(b)];
    }
    std::vector<std::uint32_t> banded(bandStart[kBands]);
    {
        std::vector<std::uint32_t> next(bandStart.begin(), bandStart.end() - 1);
        for (std::size_t k = 0; k < n; ++k) {
            // The topmost dot first.
            const auto index =
                static_cast<std::uint32_t>(order == Order::LastOnTop ? n - 1 - k : k);
            const Dot& d = m_dots[index];
            for (int b = firstRow(d) / kBandRows; b <= lastRow(d) / kBandRows; ++b) {
                banded[next[static_cast<std::size_t>(b)]++] = index;
            }
        }
    }

    const auto coverage = std::make_unique<Coverage>();
    const std::vector<DotShape::Span>& spans = m_shape.spans();
    const std::size_t total = banded.size();
    std::size_t done = 0;
    for (int bandIndex = 0; bandIndex < kBands; ++bandIndex) {
        const int bandTop = bandIndex * kBandRows;
        const int bandBottom = std::min(bandTop + kBandRows - 1, Canvas::kSize - 1);
        for (std::uint32_t k = bandStart[static_cast<std::size_t>(bandIndex)];
             k < bandStart[static_cast<std::size_t>(bandIndex) + 1]; ++k, ++done) {
            if (progress && done > 0 && done % kBatch == 0 && !progress(done * n / total)) {
                return false;
            }
            const Dot& dot = m_dots[banded[k]];
            const std::int64_t x = dot.left;
            const std::int64_t y = dot.top;
            const int x0 = static_cast<int>(std::max<std::int64_t>(x + m_shape.minDx(), 0));
            const int x1 = static_cast<int>(std::min<std::int64_t>(x + m_shape.maxDx(), last));
            const int y0 = std::max(firstRow(dot), bandTop);
            const int y1 = std::min(lastRow(dot), bandBottom);
            canvas.markDrawn(x0, y0, x1, y1);
            // Block by block of 8 rows: a block row whose blocks under its
            // widest span are all full is hidden (a disc's spans widen
            // towards its middle row and the narrower ones lie within the
            // wider).
            const std::int64_t middle = y + (m_shape.minDy() + m_shape.maxDy()) / 2;
            for (int band = y0 - y0 % kBlockSide; band <= y1; band += kBlockSide) {
                const int r0 = std::max(band, y0);
                const int r1 = std::min(band + kBlockSide - 1, y1);
                const auto widest = static_cast<int>(std::clamp<std::int64_t>(middle, r0, r1));
                const DotShape::Span& w =
                    spans[static_cast<std::size_t>(widest - y - m_shape.minDy())];
                const auto wa = static_cast<int>(std::max<std::int64_t>(x + w.x0, 0));
                const auto wb = static_cast<int>(std::min<std::int64_t>(x + w.x1, last));
                if (wa > wb || coverage->blocksFull(wa, r0, wb, r1)) {
                    continue;
                }
                for (int r = r0; r <= r1; ++r) {
                    const DotShape::Span& s =
                        spans[static_cast<std::size_t>(r - y - m_shape.minDy())];
                    const std::int64_t a = std::max<std::int64_t>(x + s.x0, 0);
                    const std::int64_t b = std::min<std::int64_t>(x + s.x1, last);
                    if (a <= b) {
                        coverage->fill(canvas.drawingRow(r), r, static_cast<int>(a),
                                       static_cast<int>(b), dot.pixel);
                    }
                }
            }
        }
    }
    return !progress || progress(n);
}

} // namespace orbelle
