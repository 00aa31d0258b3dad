#include "engine/densityshading.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace orbelle {
namespace {

constexpr int kRampEntries = 720;
// Counts up to this are looked up in a table; pixels covered more often are
// few (their counts add up to at most the dots times a dot's pixels), so they
// compute their entry directly.
constexpr std::uint32_t kTableCounts = 4096;

} // namespace

int densityRampEntry(std::uint32_t count, std::uint32_t top, int repeat) {
    if (count <= 1 || top <= 1) {
        return kRampEntries - 1;
    }
    const std::uint32_t c = std::min(count, top);
    const double t = std::log2(static_cast<double>(c)) / std::log2(static_cast<double>(top));
    const std::int64_t steps = static_cast<std::int64_t>(kRampEntries) * std::max(repeat, 1);
    const auto p = std::min(static_cast<std::int64_t>(t * static_cast<double>(steps)), steps - 1);
    return kRampEntries - 1 - static_cast<int>(p % kRampEntries);
}

std::uint32_t resolveDensityCounts(std::uint32_t* pixels, std::size_t stride, DensityBox box,
                                   std::uint32_t background) {
    if (box.empty()) {
        return 0;
    }
    std::uint32_t top = 0;
    for (int y = box.y0; y <= box.y1; ++y) {
        std::uint32_t* line = pixels + static_cast<std::size_t>(y) * stride;
        std::uint32_t sum = 0;
        for (int x = box.x0; x <= box.x1; ++x) {
            sum += line[x] - background;
            const std::uint32_t count = std::min(sum, kMaxDensityCount);
            top = std::max(top, count);
            line[x] = sum == 0 ? background : count;
        }
    }
    return top;
}

void paintDensityCounts(std::uint32_t* pixels, std::size_t stride, DensityBox box,
                        std::uint32_t background, std::uint32_t top,
                        const std::array<std::uint32_t, 720>& rampPixels, int repeat) {
    if (box.empty() || top == 0) {
        return;
    }
    const std::uint32_t tableTop = std::min(top, kTableCounts);
    std::vector<std::uint32_t> table(tableTop + 1);
    for (std::uint32_t c = 1; c <= tableTop; ++c) {
        table[c] = rampPixels[densityRampEntry(c, top, repeat)];
    }
    for (int y = box.y0; y <= box.y1; ++y) {
        std::uint32_t* line = pixels + static_cast<std::size_t>(y) * stride;
        for (int x = box.x0; x <= box.x1; ++x) {
            const std::uint32_t word = line[x];
            if (word == background) {
                continue;
            }
            line[x] =
                word <= tableTop ? table[word] : rampPixels[densityRampEntry(word, top, repeat)];
        }
    }
}

} // namespace orbelle
