#pragma once
// The common frame of every drawing, shared by the canvas drawing and the
// re-drawing at another size: run the formula, widen the figure bounds, apply
// the 3D transform, colour the dots and hand them to a plotting target, in
// order or (gradient mode with the depth axis turned round) stored and drawn
// from the last to the first. In the density mode the target counts the dots
// instead of painting them (the pixel word handed to plot is then unused).
//
// A target offers
//   Position locate(double x, double y)  box corner of a dot whose box starts
//                                        at canvas coordinates (x, y);
//   void plot(Position, std::uint32_t)   draws the dot in a pixel word;
//   bool keepsDots() const               true when plot only keeps the dot and
//                                        paintKept draws them all at the end;
//   bool paintKept(bool firstOnTop, const std::function<bool(std::size_t)>&)
//                                        paints the kept dots, reporting the
//                                        dots done; false when told to stop.
// The progress function, when set, is called between batches of dots and
// stops the drawing by returning false. Used only inside the engine.

#include "engine/colour.h"
#include "engine/draw.h"
#include "engine/transform.h"

#include <algorithm>
#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace orbelle::detail {

// The most dots a drawing within the catalog's ranges makes: "回数" 999 gives
// N = 499500, and i0 = 0 adds one. Deferred drawing keeps at most this many
// dots, so no record, however damaged, makes the engine reserve more.
constexpr std::int64_t kMostDeferredDots = 999 * 500 + 1;

/// The gradient ramp of the settings (colours, stops, smoothness) as pixel words.
inline std::array<std::uint32_t, kRampSize> rampPixelsOf(const DrawSettings& s) {
    GradientInputs inputs;
    inputs.colours = s.gradientColors;
    for (int k = 0; k < 5; ++k) {
        inputs.stopOn[k] = s.gradientStopOn[k] != 0;
    }
    const ColourRamp ramp =
        s.gradientSmooth != 0 ? buildSmoothRamp(inputs) : buildSteppedRamp(inputs);
    std::array<std::uint32_t, kRampSize> pixels{};
    for (int k = 0; k < kRampSize; ++k) {
        pixels[k] = Canvas::toPixel(ramp[k]);
    }
    return pixels;
}

template <class Target> class Plotter {
  public:
    using Position = typename Target::Position;

    Plotter(Target& target, bool gradient, bool immediate, std::uint32_t plainPixel,
            const RampWalker& ramp)
        : m_target(target), m_gradient(gradient), m_immediate(immediate || target.keepsDots()),
          m_plainPixel(plainPixel), m_ramp(ramp) {}

    std::array<std::uint32_t, kRampSize>& rampPixels() { return m_rampPixels; }
    void reserve(std::size_t n) {
        m_positions.reserve(n);
        m_colours.reserve(n);
    }

    void plot(double x, double y) {
        const Position position = m_target.locate(x, y);
        if (!m_gradient) {
            m_target.plot(position, m_plainPixel);
            return;
        }
        const std::uint32_t pixel = m_rampPixels[m_ramp.next()];
        if (m_immediate) {
            m_target.plot(position, pixel);
        } else {
            m_positions.push_back(position);
            m_colours.push_back(pixel);
        }
    }

    // Deferred dots are drawn from the last to the first, so the drawing's
    // first dots end up on top; a target that keeps its dots paints them in
    // the same order. report gets the dots painted so far and stops the
    // painting by returning false; flushDeferred then returns false.
    bool flushDeferred(bool firstOnTop, const std::function<bool(std::size_t)>& report) {
        if (m_target.keepsDots()) {
            return m_target.paintKept(firstOnTop, report);
        }
        constexpr std::size_t kBatch = 4096;
        std::size_t done = 0;
        for (std::size_t k = m_positions.size(); k-- > 0; ++done) {
            if (report && done % kBatch == 0 && done > 0 && !report(done)) {
                return false;
            }
            m_target.plot(m_positions[k], m_colours[k]);
        }
        return true;
    }

  private:
    Target& m_target;
    bool m_gradient;
    bool m_immediate;
    std::uint32_t m_plainPixel;
    std::array<std::uint32_t, kRampSize> m_rampPixels{};
    RampWalker m_ramp;
    std::vector<Position> m_positions;
    std::vector<std::uint32_t> m_colours;
};

/// Runs the formula of run through the frame onto target; result already
/// holds the colours. Fills in the bounds and the dot count. Dots painted
/// after the run count twice in the progress; a stop leaves the target as it
/// stands and the result Cancelled.
template <class Target>
DrawResult plotFigure(const DrawSettings& s, std::optional<FormulaRun>& run, Target& target,
                      DrawResult result, const DrawProgress& progress = {}) {
    if (!run) {
        return result;
    }
    constexpr std::size_t kChunk = 4096;
    const bool gradient = s.drawColourMode() == DrawColourMode::Gradient;
    const Transform3D transform = Transform3D::fromDegrees(s.rotX, s.rotY, s.rotZ, s.scaleZ);
    const bool transformOn = s.rotX != 0 || s.rotY != 0 || s.rotZ != 0;
    // A count beyond the catalog's ranges (only a record that skipped the
    // range checks has one) is drawn in order rather than stored.
    const bool immediate = immediateDrawing(s, transform) || run->iterations() > kMostDeferredDots;
    const CentreOffset offset = centreOffset(s.shiftH, s.shiftV);
    const double offX = offset.x;
    const double offY = offset.y;

    Plotter<Target> plotter(target, gradient, immediate, Canvas::toPixel(result.drawColor),
                            RampWalker(run->startIndex, run->count, s.gradientRepeat));
    if (gradient) {
        plotter.rampPixels() = rampPixelsOf(s);
        if (!immediate && !target.keepsDots()) {
            plotter.reserve(static_cast<std::size_t>(run->iterations()));
        }
    }

    const std::int64_t dots = run->iterations();
    const bool paintsAfter = target.keepsDots() || !immediate;
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
            plotter.plot(offX + px, offY + py);
        }
    }
    if (paintsAfter) {
        if (progress && !progress(dots, total)) {
            return stop();
        }
        std::function<bool(std::size_t)> report;
        if (progress) {
            report = [&](std::size_t done) {
                return progress(dots + static_cast<std::int64_t>(done), total);
            };
        }
        if (!plotter.flushDeferred(!immediate, report)) {
            return stop();
        }
    }
    result.dotCount = dots;
    if (progress && !progress(total, total)) {
        return stop();
    }
    return result;
}

} // namespace orbelle::detail
