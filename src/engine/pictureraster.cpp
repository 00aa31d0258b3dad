#include "engine/pictureraster.h"

#include "engine/bandcoverage.h"
#include "engine/densityshading.h"
#include "engine/runinrounds.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>

namespace orbelle {
namespace {

constexpr int kBandRows = 128; // a multiple of BandCoverage::kBlockSide
constexpr int kMostThreads = 8;
// Work is counted in rows of dots; a whole picture row costs as many units
// as it holds kRowUnitPixels pixels.
constexpr int kRowUnitPixels = 1024;
constexpr std::size_t kRoundUnits = 16384; // per thread between two progress calls
constexpr std::size_t kCountEvery = 64;
constexpr std::uint32_t kOutside = 0xFFFFFFFFu;

// Where one painting thread stands: its band (-1: none yet) and the next
// dot entry in it. Each on a cache line of its own.
struct alignas(64) BandCursor {
    int band = -1;
    std::uint32_t next = 0;
    std::size_t done = 0; // units done by this thread
};

} // namespace

struct PictureRaster::Bands {
    int count = 0;
    std::vector<std::uint32_t> start;   // count + 1 offsets into entries
    std::vector<std::uint32_t> entries; // dot indices, the topmost first in each band
    std::vector<int> order;             // the bands, the busiest first
    std::size_t entryRows = 0;          // rows of all entries together
};

namespace {

// Runs the work of every band on the calling thread and helpers: begin(worker,
// band) once, entry(worker, band, dot index) for the band's entries, then
// finish(worker, band); each returns the units it did. progress gets
// (offset + units done) * dots / total now and then.
template <class BandList, class Begin, class Entry, class Finish>
bool runBands(const BandList& bands, int threads, std::size_t offset, std::size_t total,
              std::size_t dots, const PictureRaster::Progress& progress, Begin begin, Entry entry,
              Finish finish) {
    std::array<BandCursor, kMostThreads> cursors{};
    std::atomic<int> nextBand{0};
    const RoundWork work = [&](int worker, Round& round) {
        BandCursor& c = cursors[static_cast<std::size_t>(worker)];
        std::size_t uncounted = 0;
        const auto count = [&](std::size_t units) {
            c.done += units;
            uncounted += units;
            if (uncounted >= kCountEvery) {
                round.count(uncounted);
                uncounted = 0;
            }
        };
        for (;;) {
            // A band is taken before the round's end is looked at, so that
            // true means work is left.
            if (c.band < 0) {
                const int taken = nextBand.fetch_add(1, std::memory_order_relaxed);
                if (taken >= bands.count) {
                    round.count(uncounted);
                    return false;
                }
                c.band = bands.order[static_cast<std::size_t>(taken)];
                c.next = bands.start[static_cast<std::size_t>(c.band)];
                count(begin(worker, c.band));
                continue;
            }
            if (round.over()) {
                round.count(uncounted);
                return true;
            }
            if (c.next < bands.start[static_cast<std::size_t>(c.band) + 1]) {
                count(entry(worker, c.band, bands.entries[c.next]));
                ++c.next;
            } else {
                count(finish(worker, c.band));
                c.band = -1;
            }
        }
    };
    RoundPause pause;
    if (progress) {
        pause = [&] {
            std::size_t done = offset;
            for (const BandCursor& c : cursors) {
                done += c.done;
            }
            return progress(std::min(dots, total == 0 ? dots : done * dots / total));
        };
    }
    return runInRounds(threads, progress ? kRoundUnits : total + 1, work, pause);
}

} // namespace

PictureRaster::PictureRaster(const ScaledDotShape& shape, int side, Region region)
    : m_shape(shape), m_side(side), m_region(region) {}

void PictureRaster::rowsIn(const Dot& dot, int top, int bottom, int& first, int& last) const {
    const ScaledDotShape::Phase& p = m_shape.phase(static_cast<int>(dot.phase % m_shape.phases()),
                                                   static_cast<int>(dot.phase / m_shape.phases()));
    const std::int64_t y0 = std::int64_t{dot.y} + p.firstRow;
    const std::int64_t y1 = y0 + static_cast<std::int64_t>(p.rows.size()) - 1;
    first = static_cast<int>(std::max<std::int64_t>({y0, top, m_region.y0}));
    last = static_cast<int>(std::min<std::int64_t>({y1, bottom, m_region.y1}));
}

PictureRaster::Bands PictureRaster::sortIntoBands(Order order, const Progress& progress,
                                                  bool& goOn) const {
    Bands bands;
    bands.count = (m_side + kBandRows - 1) / kBandRows;
    bands.start.assign(static_cast<std::size_t>(bands.count) + 1, 0);
    const std::size_t n = m_dots.size();
    // progress is asked now and then (with nothing painted yet), so that a
    // stop does not wait for the sorting.
    constexpr std::size_t kSortingReport = 65536;
    const auto sortingGoesOn = [&](std::size_t k) {
        return !progress || k % kSortingReport != kSortingReport - 1 || progress(0);
    };
    goOn = true;
    for (std::size_t k = 0; k < n; ++k) {
        if (!sortingGoesOn(k)) {
            goOn = false;
            return bands;
        }
        int first, last;
        rowsIn(m_dots[k], 0, m_side - 1, first, last);
        if (first > last) {
            continue;
        }
        bands.entryRows += static_cast<std::size_t>(last - first + 1);
        for (int b = first / kBandRows; b <= last / kBandRows; ++b) {
            ++bands.start[static_cast<std::size_t>(b) + 1];
        }
    }
    for (int b = 0; b < bands.count; ++b) {
        bands.start[static_cast<std::size_t>(b) + 1] += bands.start[static_cast<std::size_t>(b)];
    }
    bands.entries.resize(bands.start.back());
    std::vector<std::uint32_t> next(bands.start.begin(), bands.start.end() - 1);
    for (std::size_t k = 0; k < n; ++k) {
        if (!sortingGoesOn(k)) {
            goOn = false;
            return bands;
        }
        const auto index = static_cast<std::uint32_t>(order == Order::LastOnTop ? n - 1 - k : k);
        int first, last;
        rowsIn(m_dots[index], 0, m_side - 1, first, last);
        if (first > last) {
            continue;
        }
        for (int b = first / kBandRows; b <= last / kBandRows; ++b) {
            bands.entries[next[static_cast<std::size_t>(b)]++] = index;
        }
    }
    // Every band is painted, the busiest first, so that the threads end close
    // together.
    bands.order.resize(static_cast<std::size_t>(bands.count));
    for (int b = 0; b < bands.count; ++b) {
        bands.order[static_cast<std::size_t>(b)] = b;
    }
    const auto size = [&](int b) {
        return bands.start[static_cast<std::size_t>(b) + 1] -
               bands.start[static_cast<std::size_t>(b)];
    };
    std::stable_sort(bands.order.begin(), bands.order.end(),
                     [&](int a, int b) { return size(a) > size(b); });
    return bands;
}

namespace {

int threadsFor(std::size_t units, int bands) {
    if (units < 2 * kRoundUnits) {
        return 1;
    }
    const auto cores = static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(std::min(cores, bands), 1, kMostThreads);
}

} // namespace

bool PictureRaster::paint(std::uint32_t* out, std::size_t stride, Order order,
                          std::uint32_t background, const Progress& progress) {
    bool goOn = true;
    const Bands bands = sortIntoBands(order, progress, goOn);
    if (!goOn) {
        return false;
    }
    const std::size_t rowUnits = static_cast<std::size_t>(m_side / kRowUnitPixels + 1);
    const std::size_t total = bands.entryRows + static_cast<std::size_t>(m_side) * rowUnits;
    const int threads = threadsFor(total, bands.count);
    std::vector<std::unique_ptr<BandCoverage>> masks;
    for (int t = 0; t < threads; ++t) {
        masks.push_back(std::make_unique<BandCoverage>(m_side, kBandRows));
    }
    const Region& g = m_region;
    const auto bandBottom = [this](int band) {
        return std::min(band * kBandRows + kBandRows - 1, m_side - 1);
    };
    const auto begin = [&](int worker, int) -> std::size_t {
        masks[static_cast<std::size_t>(worker)]->reset();
        return 0;
    };
    const auto entry = [&](int worker, int band, std::uint32_t index) -> std::size_t {
        BandCoverage& mask = *masks[static_cast<std::size_t>(worker)];
        const Dot& dot = m_dots[index];
        const ScaledDotShape::Phase& p =
            m_shape.phase(static_cast<int>(dot.phase % m_shape.phases()),
                          static_cast<int>(dot.phase / m_shape.phases()));
        const int top = band * kBandRows;
        int r0, r1;
        rowsIn(dot, top, bandBottom(band), r0, r1);
        const std::int64_t x = dot.x;
        const std::int64_t y = dot.y;
        const auto rowSpan = [&](int r) {
            return p.rows[static_cast<std::size_t>(r - y - p.firstRow)];
        };
        // Block by block of rows: a block whose blocks under its widest row
        // are all full is hidden (the rows narrow away from the widest, each
        // within the wider ones).
        constexpr int kSide = BandCoverage::kBlockSide;
        for (int block = r0 - r0 % kSide; block <= r1; block += kSide) {
            const int b0 = std::max(block, r0);
            const int b1 = std::min(block + kSide - 1, r1);
            const auto widest = static_cast<int>(std::clamp<std::int64_t>(y + p.widest, b0, b1));
            const ScaledDotShape::RowSpan w = rowSpan(widest);
            const std::int64_t wa = std::max<std::int64_t>(x + w.x0, g.x0);
            const std::int64_t wb = std::min<std::int64_t>(x + w.x1, g.x1);
            if (wa > wb ||
                mask.blocksFull(static_cast<int>(wa), b0 - top, static_cast<int>(wb), b1 - top)) {
                continue;
            }
            for (int r = b0; r <= b1; ++r) {
                const ScaledDotShape::RowSpan s = rowSpan(r);
                const std::int64_t a = std::max<std::int64_t>(x + s.x0, g.x0);
                const std::int64_t b = std::min<std::int64_t>(x + s.x1, g.x1);
                if (a <= b) {
                    mask.fill(out + static_cast<std::size_t>(r) * stride, r - top,
                              static_cast<int>(a), static_cast<int>(b), dot.pixel);
                }
            }
        }
        return r0 <= r1 ? static_cast<std::size_t>(r1 - r0 + 1) : 0;
    };
    const auto finish = [&](int worker, int band) -> std::size_t {
        BandCoverage& mask = *masks[static_cast<std::size_t>(worker)];
        const int top = band * kBandRows;
        const int bottom = bandBottom(band);
        for (int r = top; r <= bottom; ++r) {
            std::uint32_t* line = out + static_cast<std::size_t>(r) * stride;
            if (r < g.y0 || r > g.y1 || g.x1 < g.x0) {
                std::fill(line, line + m_side, kOutside);
                continue;
            }
            mask.fill(line, r - top, g.x0, g.x1, background);
            std::fill(line, line + g.x0, kOutside);
            std::fill(line + g.x1 + 1, line + m_side, kOutside);
        }
        return static_cast<std::size_t>(bottom - top + 1) * rowUnits;
    };
    if (!runBands(bands, threads, 0, total, m_dots.size(), progress, begin, entry, finish)) {
        return false;
    }
    return !progress || progress(m_dots.size());
}

bool PictureRaster::paintDensity(std::uint32_t* out, std::size_t stride, std::uint32_t background,
                                 const std::array<std::uint32_t, 720>& ramp, int repeat,
                                 const Progress& progress) {
    bool goOn = true;
    const Bands bands = sortIntoBands(Order::LastOnTop, progress, goOn);
    if (!goOn) {
        return false;
    }
    const std::size_t rowUnits = static_cast<std::size_t>(m_side / kRowUnitPixels + 1);
    const std::size_t pictureUnits = static_cast<std::size_t>(m_side) * rowUnits;
    const std::size_t total = bands.entryRows + 3 * pictureUnits;
    const int threads = threadsFor(total, bands.count);
    const Region& g = m_region;
    const bool empty = g.x1 < g.x0 || g.y1 < g.y0;
    // A span's count ends in the word after its last column: the counted
    // box reaches one word beyond the region where the picture goes on.
    const int countedX1 = std::min(g.x1 + 1, m_side - 1);
    const auto rowsOf = [&](int band, int& top, int& bottom) {
        top = std::max(band * kBandRows, g.y0);
        bottom = std::min({band * kBandRows + kBandRows - 1, m_side - 1, g.y1});
        return empty ? 0 : static_cast<std::size_t>(std::max(bottom - top + 1, 0)) * rowUnits;
    };

    std::atomic<std::uint32_t> top{0};
    const auto clear = [&](int, int band) -> std::size_t {
        int r0, r1;
        const std::size_t units = rowsOf(band, r0, r1);
        for (int r = r0; units > 0 && r <= r1; ++r) {
            std::uint32_t* line = out + static_cast<std::size_t>(r) * stride;
            std::fill(line + g.x0, line + countedX1 + 1, background);
        }
        return units;
    };
    const auto count = [&](int, int band, std::uint32_t index) -> std::size_t {
        const Dot& dot = m_dots[index];
        const ScaledDotShape::Phase& p =
            m_shape.phase(static_cast<int>(dot.phase % m_shape.phases()),
                          static_cast<int>(dot.phase / m_shape.phases()));
        int r0, r1;
        rowsIn(dot, band * kBandRows, std::min(band * kBandRows + kBandRows - 1, m_side - 1), r0,
               r1);
        for (int r = r0; r <= r1; ++r) {
            const ScaledDotShape::RowSpan s =
                p.rows[static_cast<std::size_t>(r - std::int64_t{dot.y} - p.firstRow)];
            const std::int64_t a = std::max<std::int64_t>(std::int64_t{dot.x} + s.x0, g.x0);
            const std::int64_t b = std::min<std::int64_t>(std::int64_t{dot.x} + s.x1, g.x1);
            if (a <= b) {
                countSpan(out + static_cast<std::size_t>(r) * stride, static_cast<int>(a),
                          static_cast<int>(b), countedX1 + 1);
            }
        }
        return r0 <= r1 ? static_cast<std::size_t>(r1 - r0 + 1) : 0;
    };
    const auto resolve = [&](int, int band) -> std::size_t {
        int r0, r1;
        const std::size_t units = rowsOf(band, r0, r1);
        if (units > 0) {
            const std::uint32_t bandTop =
                resolveDensityCounts(out, stride, {g.x0, r0, countedX1, r1}, background);
            std::uint32_t seen = top.load();
            while (bandTop > seen && !top.compare_exchange_weak(seen, bandTop)) {
            }
        }
        return units;
    };
    if (!runBands(bands, threads, 0, total, m_dots.size(), progress, clear, count, resolve)) {
        return false;
    }

    // The shading, band by band, and white where no canvas pixel shows.
    const std::uint32_t largest = top.load();
    Bands plain;
    plain.count = bands.count;
    plain.start.assign(static_cast<std::size_t>(plain.count) + 1, 0);
    plain.order = bands.order;
    const auto shade = [&](int, int band) -> std::size_t {
        int r0, r1;
        if (rowsOf(band, r0, r1) > 0) {
            paintDensityCounts(out, stride, {g.x0, r0, countedX1, r1}, background, largest, ramp,
                               repeat);
        }
        const int first = band * kBandRows;
        const int last = std::min(first + kBandRows - 1, m_side - 1);
        for (int r = first; r <= last; ++r) {
            std::uint32_t* line = out + static_cast<std::size_t>(r) * stride;
            if (empty || r < g.y0 || r > g.y1) {
                std::fill(line, line + m_side, kOutside);
                continue;
            }
            std::fill(line, line + g.x0, kOutside);
            std::fill(line + g.x1 + 1, line + m_side, kOutside);
        }
        return static_cast<std::size_t>(last - first + 1) * rowUnits;
    };
    const auto none = [](int, int, std::uint32_t) -> std::size_t { return 0; };
    const auto nothing = [](int, int) -> std::size_t { return 0; };
    if (!runBands(plain, threads, bands.entryRows + 2 * pictureUnits, total, m_dots.size(),
                  progress, shade, none, nothing)) {
        return false;
    }
    return !progress || progress(m_dots.size());
}

} // namespace orbelle
