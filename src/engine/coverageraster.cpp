#include "engine/coverageraster.h"

#include "engine/runinrounds.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <thread>

namespace orbelle {
namespace {

constexpr int kBandRows = 128; // a multiple of CoverageMask::kBlockSide
constexpr int kBands = (Canvas::kSize + kBandRows - 1) / kBandRows;
constexpr int kMostThreads = 8;

// Threads worth starting for this many dot entries in this many bands.
int threadsFor(std::size_t entries, int bands) {
    if (entries < 2 * CoverageRaster::kRoundDots) {
        return 1;
    }
    const auto cores = static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(std::min(cores, bands), 1, kMostThreads);
}

// Where one painting thread stands: the band it paints and the next dot in it.
// Each on a cache line of its own, as every dot moves it.
struct alignas(64) BandCursor {
    int band = 0;
    std::uint32_t next = 0;
    std::uint32_t end = 0;
    std::size_t done = 0; // dot entries painted by this thread
};

} // namespace

CoverageRaster::CoverageRaster(const DotShape& shape)
    : m_shape(shape), m_own(std::make_unique<RasterWorkspace>()), m_space(*m_own),
      m_dots(m_space.dots) {}

CoverageRaster::CoverageRaster(const DotShape& shape, RasterWorkspace& workspace)
    : m_shape(shape), m_space(workspace), m_dots(m_space.dots) {
    m_dots.clear();
}

bool CoverageRaster::paint(Canvas& canvas, Order order,
                           const std::function<bool(std::size_t)>& progress) {
    const std::size_t n = m_dots.size();
    if (n == 0) {
        return true;
    }
    const std::int64_t last = Canvas::kSize - 1;
    const auto firstRow = [&](const RasterDot& d) {
        return static_cast<int>(std::max<std::int64_t>(std::int64_t{d.top} + m_shape.minDy(), 0));
    };
    const auto lastRow = [&](const RasterDot& d) {
        return static_cast<int>(
            std::min<std::int64_t>(std::int64_t{d.top} + m_shape.maxDy(), last));
    };

    // The sorting below calls progress now and then too (with nothing
    // painted yet), so that a reader of the canvas does not wait for it.
    constexpr std::size_t kSortingReport = 65536;
    const auto sortingGoesOn = [&](std::size_t k) {
        return !progress || k % kSortingReport != kSortingReport - 1 || progress(0);
    };

    // The dots are sorted into bands of rows, keeping their order within a
    // band, so that each band's coverage bits and pixels stay in the cache and
    // bands can be painted side by side. The drawn region is the union of the
    // dots' boxes, marked here once for all threads.
    std::array<std::uint32_t, kBands + 1> bandStart{};
    int topRow = Canvas::kSize;
    int bottomRow = -1;
    for (std::size_t k = 0; k < n; ++k) {
        if (!sortingGoesOn(k)) {
            return false;
        }
        const RasterDot& d = m_dots[k];
        const int y0 = firstRow(d);
        const int y1 = lastRow(d);
        canvas.markDrawn(
            static_cast<int>(std::max<std::int64_t>(std::int64_t{d.left} + m_shape.minDx(), 0)), y0,
            static_cast<int>(std::min<std::int64_t>(std::int64_t{d.left} + m_shape.maxDx(), last)),
            y1);
        topRow = std::min(topRow, y0);
        bottomRow = std::max(bottomRow, y1);
        for (int b = y0 / kBandRows; b <= y1 / kBandRows; ++b) {
            ++bandStart[static_cast<std::size_t>(b) + 1];
        }
    }
    for (std::size_t b = 0; b < kBands; ++b) {
        bandStart[b + 1] += bandStart[b];
    }
    const std::size_t total = bandStart[kBands];
    RasterDot* const banded = m_space.bandedRoom(total);
    {
        std::array<std::uint32_t, kBands> next{};
        std::copy(bandStart.begin(), bandStart.end() - 1, next.begin());
        for (std::size_t k = 0; k < n; ++k) {
            if (!sortingGoesOn(k)) {
                return false;
            }
            // The topmost dot first.
            const auto index =
                static_cast<std::uint32_t>(order == Order::LastOnTop ? n - 1 - k : k);
            const RasterDot& d = m_dots[index];
            for (int b = firstRow(d) / kBandRows; b <= lastRow(d) / kBandRows; ++b) {
                banded[next[static_cast<std::size_t>(b)]++] = d;
            }
        }
    }
    CoverageMask& mask = m_space.mask;
    mask.clearRows(topRow / kBandRows * kBandRows,
                   std::min(bottomRow / kBandRows * kBandRows + kBandRows - 1, Canvas::kSize - 1));

    // The busiest bands go first, so that the threads end close together.
    std::array<int, kBands> bands{};
    int bandCount = 0;
    for (int b = 0; b < kBands; ++b) {
        if (bandStart[static_cast<std::size_t>(b) + 1] > bandStart[static_cast<std::size_t>(b)]) {
            bands[static_cast<std::size_t>(bandCount++)] = b;
        }
    }
    const auto size = [&](int b) {
        return bandStart[static_cast<std::size_t>(b) + 1] - bandStart[static_cast<std::size_t>(b)];
    };
    std::sort(bands.begin(), bands.begin() + bandCount,
              [&](int a, int b) { return size(a) != size(b) ? size(a) > size(b) : a < b; });

    const std::vector<DotShape::Span>& spans = m_shape.spans();
    const auto paintDot = [&](const RasterDot& dot, int bandTop, int bandBottom) {
        const std::int64_t x = dot.left;
        const std::int64_t y = dot.top;
        const int y0 = std::max(firstRow(dot), bandTop);
        const int y1 = std::min(lastRow(dot), bandBottom);
        // Block by block of rows: a block row whose blocks under its widest
        // span are all full is hidden (a disc's spans widen towards its middle
        // row and the narrower ones lie within the wider).
        const std::int64_t middle = y + (m_shape.minDy() + m_shape.maxDy()) / 2;
        constexpr int kSide = CoverageMask::kBlockSide;
        for (int block = y0 - y0 % kSide; block <= y1; block += kSide) {
            const int r0 = std::max(block, y0);
            const int r1 = std::min(block + kSide - 1, y1);
            const auto widest = static_cast<int>(std::clamp<std::int64_t>(middle, r0, r1));
            const DotShape::Span& w = spans[static_cast<std::size_t>(widest - y - m_shape.minDy())];
            const auto wa = static_cast<int>(std::max<std::int64_t>(x + w.x0, 0));
            const auto wb = static_cast<int>(std::min<std::int64_t>(x + w.x1, last));
            if (wa > wb || mask.blocksFull(wa, r0, wb, r1)) {
                continue;
            }
            for (int r = r0; r <= r1; ++r) {
                const DotShape::Span& s = spans[static_cast<std::size_t>(r - y - m_shape.minDy())];
                const std::int64_t a = std::max<std::int64_t>(x + s.x0, 0);
                const std::int64_t b = std::min<std::int64_t>(x + s.x1, last);
                if (a <= b) {
                    mask.fill(canvas.drawingRow(r), r, static_cast<int>(a), static_cast<int>(b),
                              dot.pixel);
                }
            }
        }
    };

    const int threads = threadsFor(total, bandCount);
    std::array<BandCursor, kMostThreads> cursors{};
    std::atomic<int> nextBand{0};
    const RoundWork work = [&](int worker, Round& round) {
        BandCursor& c = cursors[static_cast<std::size_t>(worker)];
        constexpr std::size_t kCountEvery = 64;
        std::size_t uncounted = 0;
        for (;;) {
            // A band is taken before the round's end is looked at, so that
            // true means a dot is left: no pause follows the last dot.
            if (c.next == c.end) {
                const int taken = nextBand.fetch_add(1, std::memory_order_relaxed);
                if (taken >= bandCount) {
                    round.count(uncounted);
                    return false;
                }
                c.band = bands[static_cast<std::size_t>(taken)];
                c.next = bandStart[static_cast<std::size_t>(c.band)];
                c.end = bandStart[static_cast<std::size_t>(c.band) + 1];
                continue;
            }
            if (round.over()) {
                round.count(uncounted);
                return true;
            }
            const int bandTop = c.band * kBandRows;
            paintDot(banded[c.next], bandTop, std::min(bandTop + kBandRows - 1, Canvas::kSize - 1));
            ++c.next;
            ++c.done;
            if (++uncounted == kCountEvery) {
                round.count(uncounted);
                uncounted = 0;
            }
        }
    };
    RoundPause pause;
    if (progress) {
        pause = [&] {
            std::size_t done = 0;
            for (const BandCursor& c : cursors) {
                done += c.done;
            }
            return progress(done * n / total);
        };
    }
    if (!runInRounds(threads, progress ? kRoundDots : total, work, pause)) {
        return false;
    }
    return !progress || progress(n);
}

} // namespace orbelle
