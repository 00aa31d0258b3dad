#pragma once
// The working memory of the thick-pen raster: the dots it keeps, their
// sorting into bands of rows and the coverage mask. A canvas keeps one (see
// Canvas::rasterWorkspace) so that a drawing reuses the pages the previous one
// touched instead of mapping and zeroing some 15 MB afresh. Used only inside
// the engine.

#include "engine/coveragemask.h"

#include <cstdint>
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
    std::vector<RasterDot> banded; // the dots again, band after band
    CoverageMask mask;
};

} // namespace orbelle
