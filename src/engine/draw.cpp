#include "engine/draw.h"

#include "engine/colour.h"
#include "engine/coverageraster.h"
#include "engine/dotshape.h"
#include "engine/transform.h"
#include "formulas/numeric.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace orbelle {
namespace {

constexpr std::size_t kChunk = 4096;

// The most dots a drawing within the catalog's ranges makes: "回数" 999 gives
// N = 499500, and i0 = 0 adds one. Deferred drawing keeps at most this many
// dots, so no record, however damaged, makes the engine reserve more.
constexpr std::int64_t kMostDeferredDots = 999 * 500 + 1;

// Everything plotting needs for one drawing, fixed before the loop.
struct Plotter {
    Canvas& canvas;
    DotShape shape;
    bool gradient;
    bool immediate;
    std::uint32_t plainPixel;
    std::array<std::uint32_t, kRampSize> rampPixels{};
    RampWalker ramp;
    // Deferred dots, indexed by i - i0; sized to the drawing.
    std::vector<std::int32_t> lefts, tops;
    std::vector<std::uint32_t> colours;
    // Thick pens: every dot is kept and painted at the end, each pixel once.
    std::unique_ptr<CoverageRaster> layered;

    void plot(std::int32_t left, std::int32_t top) {
        if (layered) {
            layered->add(left, top, gradient ? rampPixels[ramp.next()] : plainPixel);
            return;
        }
        if (!gradient) {
            shape.plot(canvas, left, top, plainPixel);
            return;
        }
        const std::uint32_t pixel = rampPixels[ramp.next()];
        if (immediate) {
            shape.plot(canvas, left, top, pixel);
        } else {
            lefts.push_back(left);
            tops.push_back(top);
            colours.push_back(pixel);
        }
    }

    // Paints what was stored: the coverage raster's dots, or the deferred
    // dots from the last to the first, so the drawing's first dots end up on
    // top. False when progress stopped it.
    bool flushDeferred(const DrawProgress& progress, std::int64_t dots, std::int64_t total) {
        if (layered) {
            std::function<bool(std::size_t)> report;
            if (progress) {
                report = [&](std::size_t done) {
                    return progress(dots + static_cast<std::int64_t>(done), total);
                };
            }
            return layered->paint(canvas,
                                  immediate ? CoverageRaster::Order::LastOnTop
                                            : CoverageRaster::Order::FirstOnTop,
                                  report);
        }
        if (immediate) {
            return true;
        }
        std::int64_t done = 0;
        for (std::size_t k = lefts.size(); k-- > 0; ++done) {
            if (progress && done % static_cast<std::int64_t>(kChunk) == 0 && done > 0 &&
                !progress(dots + done, total)) {
                return false;
            }
            shape.plot(canvas, lefts[k], tops[k], colours[k]);
        }
        return true;
    }
};

} // namespace

CentreOffset centreOffset(std::int32_t shiftH, std::int32_t shiftV) {
    // 64-bit intermediates: a shift read from a damaged file cannot overflow.
    const auto x = 3000 + (static_cast<std::int64_t>(shiftH) * 3000) / 100;
    const auto y = 3000 - (static_cast<std::int64_t>(shiftV) * 3000) / 100;
    return {static_cast<std::int32_t>(std::clamp<std::int64_t>(x, INT32_MIN, INT32_MAX)),
            static_cast<std::int32_t>(std::clamp<std::int64_t>(y, INT32_MIN, INT32_MAX))};
}

bool immediateDrawing(const DrawSettings& s, const Transform3D& transform) {
    return !(s.drawColourMode() == DrawColourMode::Gradient &&
             (transform.cosY * transform.cosX) * transform.zf < 0 && (s.rotX != 0 || s.rotY != 0));
}

DrawResult draw(const DrawSettings& s, Canvas& canvas, const DrawProgress& progress) {
    return drawRun(s, prepareFormula(s.formula(), s.params), canvas, progress);
}

DrawResult drawRun(const DrawSettings& s, std::optional<FormulaRun> run, Canvas& canvas,
                   const DrawProgress& progress) {
    DrawResult result;
    result.drawColor = drawingColour(s.drawColourMode(), s.drawColor);
    result.backColor = backgroundColour(s.backColourMode(), s.backColor);
    const bool gradient = s.drawColourMode() == DrawColourMode::Gradient;
    if (!gradient && result.drawColor == result.backColor) {
        result.status = DrawStatus::SameColours;
        return result;
    }

    canvas.clear(result.backColor);

    const Transform3D transform = Transform3D::fromDegrees(s.rotX, s.rotY, s.rotZ, s.scaleZ);
    const bool transformOn = s.rotX != 0 || s.rotY != 0 || s.rotZ != 0;
    // A count beyond the catalog's ranges (only a record that skipped the
    // range checks has one) is drawn in order rather than stored.
    const bool immediate =
        immediateDrawing(s, transform) || (run && run->iterations() > kMostDeferredDots);
    const CentreOffset offset = centreOffset(s.shiftH, s.shiftV);
    const double offX = offset.x;
    const double offY = offset.y;

    if (!run) {
        return result;
    }

    Plotter plotter{canvas,
                    DotShape(s.penWidth),
                    gradient,
                    immediate,
                    Canvas::toPixel(result.drawColor),
                    {},
                    RampWalker(run->startIndex, run->count, s.gradientRepeat),
                    {},
                    {},
                    {},
                    nullptr};
    // Counts beyond the catalog's ranges keep the dot-by-dot path, which
    // stores nothing.
    if (plotter.shape.penWidth() >= kCoverageMinPenWidth &&
        run->iterations() <= kMostDeferredDots) {
        plotter.layered = std::make_unique<CoverageRaster>(plotter.shape);
        plotter.layered->reserve(static_cast<std::size_t>(run->iterations()));
    }
    if (gradient) {
        GradientInputs inputs;
        inputs.colours = s.gradientColors;
        for (int k = 0; k < 5; ++k) {
            inputs.stopOn[k] = s.gradientStopOn[k] != 0;
        }
        const ColourRamp ramp =
            s.gradientSmooth != 0 ? buildSmoothRamp(inputs) : buildSteppedRamp(inputs);
        for (int k = 0; k < kRampSize; ++k) {
            plotter.rampPixels[k] = Canvas::toPixel(ramp[k]);
        }
        if (!immediate && !plotter.layered) {
            const auto n = static_cast<std::size_t>(run->iterations());
            plotter.lefts.reserve(n);
            plotter.tops.reserve(n);
            plotter.colours.reserve(n);
        }
    }

    // Dots stored and painted afterwards count twice in the progress.
    const std::int64_t dots = run->iterations();
    const bool paintsAfter = plotter.layered || !immediate;
    const std::int64_t total = paintsAfter ? 2 * dots : dots;
    const auto stop = [&result] {
        result.status = DrawStatus::Cancelled;
        return result;
    };

    FigureBounds& b = result.bounds;
    Point points[kChunk];
    const std::int64_t last = run->count;
    for (std::int64_t i = run->startIndex; i <= last;) {
        if (progress && !progress(i - run->startIndex, total)) {
            return stop();
        }
        const auto n = static_cast<std::size_t>(std::min<std::int64_t>(kChunk, last - i + 1));
        run->source->generate(points, n);
        for (std::size_t k = 0; k < n; ++k, ++i) {
            double px = points[k].x;
            double py = points[k].y;
            if (px < b.minX)
                b.minX = px;
            if (px > b.maxX)
                b.maxX = px;
            if (py < b.minY)
                b.minY = py;
            if (py > b.maxY)
                b.maxY = py;
            if (transformOn) {
                transform.apply(px, py, i, run->count);
            }
            plotter.plot(trunc32(offX + px), trunc32(offY + py));
        }
    }
    if (paintsAfter && progress && !progress(dots, total)) {
        return stop();
    }
    if (!plotter.flushDeferred(progress, dots, total)) {
        return stop();
    }
    result.dotCount = dots;
    if (progress && !progress(total, total)) {
        return stop();
    }
    return result;
}

} // namespace orbelle
