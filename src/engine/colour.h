#pragma once
// Colour conversions between packed RGB and integer HSV, the HSV blend, and
// the two 720-entry gradient ramps of the gradient colour mode. The colour
// pane's preview and the colour editor use the same functions.

#include <array>
#include <cstdint>

namespace orbelle {

/// Hue 0-359 (hsvToRgb also takes 360), saturation 0-255, value 0-255.
struct Hsv {
    int h = 0;
    int s = 0;
    int v = 0;
    friend bool operator==(const Hsv&, const Hsv&) = default;
};

/// RGB to HSV in single precision with truncation, tests in the order R, G, B.
Hsv rgbToHsv(int red, int green, int blue);
Hsv rgbToHsv(std::int32_t packedColour);

/// HSV to a packed colour in single precision, rounding halves away from zero.
std::int32_t hsvToRgb(int hue, int saturation, int value);

/// Writes n colours blending from a to b in HSV, the hue taking the shorter way
/// round (at exactly 180 degrees the hue increases). Entry 0 is a; entry n - 1
/// stops one step short of b.
void blendHsv(std::int32_t a, std::int32_t b, int n, std::int32_t* out);

constexpr int kRampSize = 720;
using ColourRamp = std::array<std::int32_t, kRampSize>;

/// The gradient inputs: seven anchor colours, the five stop boxes for colours
/// 1-5 (colours 0 and 6 always take part).
struct GradientInputs {
    std::array<std::int32_t, 7> colours{};
    std::array<bool, 5> stopOn{true, true, true, true, true};
};

/// Smooth ramp: HSV blends between consecutive anchors, stored backwards
/// (entry 719 is colour 0).
ColourRamp buildSmoothRamp(const GradientInputs& in);

/// Stepped ramp: each anchor pair's span split in two flat halves, stored
/// backwards.
ColourRamp buildSteppedRamp(const GradientInputs& in);

/// Ramp index of dot i of a drawing of N dots repeated n times:
/// ((i mod per) * 720) / per with per = N / n. A degenerate per (N smaller
/// than n, or n < 1) gives index 0 rather than a division by zero.
int rampIndex(std::int64_t i, std::int32_t N, int repeat);

/// rampIndex for i = first, first + 1, ... in turn, without a division per
/// dot: the position within the cycle and the ramp index are carried along.
class RampWalker {
  public:
    RampWalker(std::int64_t first, std::int32_t N, int repeat);
    /// The index of the current dot; then moves to the next one.
    int next() {
        const int index = m_index;
        if (m_per > 0) {
            if (++m_pos == m_per) {
                m_pos = 0;
                m_index = 0;
                m_acc = 0;
            } else {
                m_acc += kRampSize;
                while (m_acc >= m_per) {
                    m_acc -= m_per;
                    ++m_index;
                }
            }
        }
        return index;
    }

  private:
    std::int64_t m_per = 0; // dots per colour cycle; 0 when degenerate
    std::int64_t m_pos = 0; // i mod per
    std::int64_t m_acc = 0; // (pos * 720) mod per
    int m_index = 0;        // (pos * 720) / per
};

} // namespace orbelle
