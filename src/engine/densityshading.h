#pragma once
// The density mode's counting and shading. While a figure is drawn, every dot
// adds one to each pixel it covers; the counts live in the picture's own pixel
// words as row differences: a span of covered pixels adds 1 to the word at
// its first column and takes 1 from the word just after its last, so a dot
// costs two word updates per row span whatever the pen width. Uncovered words
// keep the background word, and the differences are taken relative to it
// (arithmetic modulo 2^32, exact while a pixel's count stays below 2^32). At
// the end one pass along every row sums the differences into counts and finds
// the largest, and one pass turns the counts into ramp colours.
//
// The colour of a pixel covered c times, with top the largest count of the
// drawing, follows the logarithmic scale t = log2(c) / log2(top) (0 for c = 1,
// 1 for c = top). With the gradient repeat n the scale runs through the ramp n
// times: position p = floor(t * 720 * n), at most 720 * n - 1, taken modulo
// 720; p = 0 is colour 1 of the pane's seven and p = 719 colour 7, so on the
// ramp stored backwards the entry is 719 - p. When no pixel is covered twice
// every covered pixel takes colour 1.

#include <array>
#include <cstddef>
#include <cstdint>

namespace orbelle {

/// Counts stop growing here: a pixel covered more often shows as this many.
constexpr std::uint32_t kMaxDensityCount = (1u << 20) - 1;

/// The ramp entry (0-719) of a pixel covered count times when the most covered
/// pixel has top; count is taken as 1 when below, as top when above; a repeat
/// below 1 counts as 1.
int densityRampEntry(std::uint32_t count, std::uint32_t top, int repeat);

/// One more cover of columns first..last (inclusive) of a row of difference
/// words width words long.
inline void countSpan(std::uint32_t* row, int first, int last, int width) {
    ++row[first];
    if (last + 1 < width) {
        --row[last + 1];
    }
}

/// The box of pixel words a density drawing touched (inclusive).
struct DensityBox {
    int x0 = 0;
    int y0 = 0;
    int x1 = -1;
    int y1 = -1;
    bool empty() const { return x1 < x0 || y1 < y0; }
};

/// Turns the difference words of box into counts (saturating at
/// kMaxDensityCount); words with no cover get background again. Every span
/// counted into these rows must lie within the box's columns, and the words
/// outside the box hold background. Returns the largest count (0 when no
/// pixel is covered).
std::uint32_t resolveDensityCounts(std::uint32_t* pixels, std::size_t stride, DensityBox box,
                                   std::uint32_t background);

/// Paints the counts of box (words other than background) in the ramp colours
/// for the largest count top and the repeat; background words stay.
void paintDensityCounts(std::uint32_t* pixels, std::size_t stride, DensityBox box,
                        std::uint32_t background, std::uint32_t top,
                        const std::array<std::uint32_t, 720>& rampPixels, int repeat);

} // namespace orbelle
