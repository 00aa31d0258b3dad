#pragma once
// The working memory of the thick-pen raster: the dots it keeps, their
// sorting into bands of rows and the coverage mask. A canvas keeps one (see
// Canvas::rasterWorkspace) so that a drawing reuses the pages the previous one
// touched instead of mapping and zeroing some 15 MB afresh. Used only inside
// the engine.

#include "engine/coveragemask.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace orbelle {

/// A dot kept for painting: the corner of its box and its pixel word.
struct RasterDot {
    std::int32_t left;
    std::int32_t top;
    std::uint32_t pixel;
};

struct RasterWorkspace {
    std::vector<RasterDot> dots;
    CoverageMask mask;

    /// Room for n dots sorted into bands. Growing it writes nothing, so its
    /// fresh pages are touched only as the sorting fills them.
    RasterDot* bandedRoom(std::size_t n) {
        if (n > m_bandedCapacity) {
            m_banded = std::make_unique_for_overwrite<RasterDot[]>(n);
            m_bandedCapacity = n;
        }
        return m_banded.get();
    }

  private:
    std::unique_ptr<RasterDot[]> m_banded; // the dots again, band after band
    std::size_t m_bandedCapacity = 0;
};

} // namespace orbelle
