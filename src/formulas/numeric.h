#pragma once
// Numeric conventions shared by every formula and by the engine.
//
// All arithmetic is IEEE double in the order written; NaN and infinities flow
// through without tests. Every conversion of a double to an integer goes
// through trunc32, which maps NaN and out-of-range values to INT32_MIN so that
// such points land far off the canvas.

#include <cmath>
#include <cstdint>
#include <ratio>

namespace orbelle {

/// v truncated toward zero to int32; NaN or a value whose truncation does not
/// fit gives -2147483648.
inline std::int32_t trunc32(double v) {
    if (!(v > -2147483649.0 && v < 2147483648.0)) {
        return INT32_MIN;
    }
    return static_cast<std::int32_t>(v);
}

/// Fractional part keeping the sign of v: v - trunc32(v).
inline double frac(double v) { return v - static_cast<double>(trunc32(v)); }

/// Triangle wave |frac(v) - 0.5|.
inline double tri(double v) { return std::abs(frac(v) - 0.5); }

/// |frac(v * k) - 0.5| * k.
inline double triScaled(double v, double k) { return std::abs(frac(v * k) - 0.5) * k; }

/// Tent of half-width a and height b at c; outside (-a, a) a parabola
/// (c - a)(a + c).
inline double tent(double a, double b, double c) {
    if (-a < c && c <= 0) {
        return (b / a) * c + b;
    }
    if (0 < c && c < a) {
        return b - (b / a) * c;
    }
    return (c - a) * (a + c);
}

inline double asinFrac(double v) { return std::asin(frac(v)); }

inline double asinFracSq(double v) {
    const double s = std::asin(frac(v));
    return s * s;
}

inline double sinQuarterSq(double v) {
    const double s = std::sin(frac(v) * 1.5707963267948966);
    return s * s;
}

inline double sinQuarter4(double v) {
    const double s = std::sin(frac(v) * 1.5707963267948966);
    return ((s * s) * s) * s;
}

/// The double nearest to the rational R (a std::ratio). Formula templates
/// take their constant exponents and display scales as ratios because a
/// double template argument is not accepted by every supported compiler.
/// num / den divided in double is correctly rounded, so ratio<667, 100> is
/// the same double as the literal 6.67 and ratio<6, 7> the same as 6.0 / 7.0.
template <class R>
inline constexpr double ratioValue = static_cast<double>(R::num) / static_cast<double>(R::den);

/// Upper unit arc over the shifted fraction: sqrt(|1 - e^2|), e = (v - 1) - trunc32(v).
inline double arcUpper(double v) {
    const double e = (v - 1) - static_cast<double>(trunc32(v));
    return std::sqrt(std::abs(1 - e * e));
}

/// Lower unit arc: 1 - sqrt(|1 - f^2|), f = frac(v).
inline double arcLower(double v) {
    const double f = frac(v);
    return 1 - std::sqrt(std::abs(1 - f * f));
}

inline double fracSq(double v) {
    const double f = frac(v);
    return f * f;
}

/// frac(v) raised to the n-th power by repeated multiplication, left to right.
template <int N> inline double fracPow(double v) {
    const double f = frac(v);
    double p = f;
    for (int k = 1; k < N; ++k) {
        p = p * f;
    }
    return p;
}
inline double fracPow6(double v) { return fracPow<6>(v); }
inline double fracPow7(double v) { return fracPow<7>(v); }
inline double fracPow8(double v) { return fracPow<8>(v); }
inline double fracPow9(double v) { return fracPow<9>(v); }
inline double fracPow10(double v) { return fracPow<10>(v); }

inline double sqrtFrac(double v) { return std::sqrt(std::abs(frac(v))); }

/// sin of an integer (a trunc32 result) converted to double.
inline double sinOfInt(std::int32_t n) { return std::sin(static_cast<double>(n)); }

/// Replaces an exact zero (either sign) by eps; NaN passes unchanged.
inline double guardZero(double v, double eps) { return v == 0 ? eps : v; }

constexpr double kPi = 3.141592653589793;
constexpr double kTwoPi = 6.283185307179586;

} // namespace orbelle
