#pragma once
// Which pixels of one band of picture rows are covered so far, for a picture
// of any width: one bit per pixel, a bit per fully covered 64-pixel word of a
// row and a bit per fully covered block of 8 x 8 pixels, so that hidden rows
// and wholly hidden dots are passed over with a few word tests. Each thread
// that paints bands keeps one and resets it for every band. Used only inside
// the engine.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orbelle {

class BandCoverage {
  public:
    static constexpr int kBlockSide = 8;

    /// A band of rows rows (a multiple of kBlockSide) of width pixels.
    BandCoverage(int width, int rows);

    /// Nothing covered. The bits past the right edge count as covered, which
    /// lets the last word of a row become full.
    void reset();

    /// True when every block touching band rows y0..y1 between columns x0 and
    /// x1 (all within the band) is full: then those pixels are all covered.
    bool blocksFull(int x0, int y0, int x1, int y1) const;

    /// Fills the pixels of band row y (line) from x0 to x1 that are not
    /// covered yet with pixel and marks them covered.
    void fill(std::uint32_t* line, int y, int x0, int x1, std::uint32_t pixel);

  private:
    int m_width;
    int m_rows;
    int m_wordsPerRow;
    int m_summaryWords;
    int m_blocksPerRow;
    int m_blockWords;
    std::vector<std::uint64_t> m_bits;       // m_wordsPerRow per row
    std::vector<std::uint64_t> m_fullWords;  // m_summaryWords per row
    std::vector<std::uint8_t> m_blockCounts; // full rows of each block
    std::vector<std::uint64_t> m_fullBlocks; // m_blockWords per block row
};

} // namespace orbelle
