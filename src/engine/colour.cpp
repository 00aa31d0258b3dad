#include "engine/colour.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace orbelle {

Hsv rgbToHsv(int red, int green, int blue) {
    const float r = static_cast<float>(red);
    const float g = static_cast<float>(green);
    const float b = static_cast<float>(blue);
    const float mx = std::max(std::max(r, g), b);
    const float mn = std::min(std::min(r, g), b);
    Hsv out;
    if (mx == mn) {
        out.h = 0;
    } else if (mx == r) {
        out.h =
            static_cast<int>(static_cast<float>(60 * (green - blue)) / (mx - mn) + 360.0f) % 360;
    } else if (mx == g) {
        out.h = static_cast<int>(static_cast<float>(60 * (blue - red)) / (mx - mn) + 120.0f);
    } else {
        out.h = static_cast<int>(static_cast<float>(60 * (red - green)) / (mx - mn) + 240.0f);
    }
    out.s = mx == 0 ? 0 : static_cast<int>((mx - mn) / mx * 255.0f);
    out.v = static_cast<int>(mx);
    return out;
}

Hsv rgbToHsv(std::int32_t c) { return rgbToHsv(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

std::int32_t hsvToRgb(int hue, int saturation, int value) {
    const float h = static_cast<float>(hue) / 60.0f;
    const float fl = std::floor(h);
    const float f = h - fl;
    const float s = static_cast<float>(saturation) / 255.0f;
    const float v = static_cast<float>(value);
    const int p = static_cast<int>(std::round((1.0f - s) * v));
    const int q = static_cast<int>(std::round((1.0f - s * f) * v));
    const int t = static_cast<int>(std::round((1.0f - (1.0f - f) * s) * v));
    int sector = static_cast<int>(fl) % 6;
    if (sector < 0) {
        sector += 6;
    }
    int r = 0, g = 0, b = 0;
    switch (sector) {
    case 0:
        r = value;
        g = t;
        b = p;
        break;
    case 1:
        r = q;
        g = value;
        b = p;
        break;
    case 2:
        r = p;
        g = value;
        b = t;
        break;
    case 3:
        r = p;
        g = q;
        b = value;
        break;
    case 4:
        r = t;
        g = p;
        b = value;
        break;
    default:
        r = value;
        g = p;
        b = q;
        break;
    }
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}

void blendHsv(std::int32_t a, std::int32_t b, int n, std::int32_t* out) {
    const Hsv A = rgbToHsv(a);
    const Hsv B = rgbToHsv(b);
    for (int j = 0; j < n; ++j) {
        const int s = A.s + (j * (B.s - A.s)) / n;
        const int v = A.v + (j * (B.v - A.v)) / n;
        int h;
        if (A.h <= B.h && B.h - A.h <= 180) {
            h = A.h + (j * (B.h - A.h)) / n;
        } else if (A.h < B.h) {
            h = A.h - (j * (360 - (B.h - A.h))) / n;
            if (h < 0)
                h += 360;
        } else if (A.h - B.h < 180) {
            h = A.h + (j * (B.h - A.h)) / n;
        } else {
            h = A.h + (j * (360 - (A.h - B.h))) / n;
            if (h > 360)
                h -= 360;
        }
        out[j] = hsvToRgb(h, s, v);
    }
}

namespace {

// The anchors: colour 0, every ticked colour 1-5, colour 6.
std::vector<int> anchors(const GradientInputs& in) {
    std::vector<int> list{0};
    for (int k = 1; k <= 5; ++k) {
        if (in.stopOn[k - 1]) {
            list.push_back(k);
        }
    }
    list.push_back(6);
    return list;
}

ColourRamp reversed(const ColourRamp& forward) {
    ColourRamp ramp{};
    for (int m = 0; m < kRampSize; ++m) {
        ramp[m] = forward[kRampSize - 1 - m];
    }
    return ramp;
}

} // namespace

ColourRamp buildSmoothRamp(const GradientInputs& in) {
    ColourRamp forward{};
    const std::vector<int> list = anchors(in);
    for (std::size_t k = 0; k + 1 < list.size(); ++k) {
        const int p = list[k];
        const int q = list[k + 1];
        blendHsv(in.colours[p], in.colours[q], 120 * (q - p), forward.data() + 120 * p);
    }
    return reversed(forward);
}

ColourRamp buildSteppedRamp(const GradientInputs& in) {
    ColourRamp forward{};
    const std::vector<int> list = anchors(in);
    for (std::size_t k = 0; k + 1 < list.size(); ++k) {
        const int p = list[k];
        const int q = list[k + 1];
        std::fill(forward.begin() + 120 * p, forward.begin() + 60 * (p + q), in.colours[p]);
        std::fill(forward.begin() + 60 * (p + q), forward.begin() + 120 * q, in.colours[q]);
    }
    return reversed(forward);
}

int rampIndex(std::int64_t i, std::int32_t N, int repeat) {
    if (repeat < 1) {
        return 0;
    }
    const std::int64_t per = static_cast<std::int64_t>(N) / repeat;
    if (per <= 0) {
        return 0;
    }
    return static_cast<int>(((i % per) * kRampSize) / per);
}

RampWalker::RampWalker(std::int64_t first, std::int32_t N, int repeat) {
    if (repeat < 1 || N / repeat <= 0) {
        return;
    }
    m_per = static_cast<std::int64_t>(N) / repeat;
    m_pos = first % m_per;
    m_index = static_cast<int>((m_pos * kRampSize) / m_per);
    m_acc = (m_pos * kRampSize) % m_per;
}

} // namespace orbelle
