#pragma once
// The rotation map shared by most formulas: the state (t, y) is turned by the
// angle theta of "分割数" and "初期角", contracted by A, perturbed by a
// formula-specific term W and shifted by an offset delta:
//   X = ((c t) - ((A W) s)) + delta
//   Y = ((W c) + (((A t) K) s)) + delta
// and the pieces many perturbations share (root guard, damped term,
// denominator guard, rational term).

#include "formulas/formula.h"
#include "formulas/numeric.h"

namespace orbelle {

/// State and recurring scalings of a rotation map, from the rows:
/// t0 = r4 / 10, y0 = r5 / 10, A = (r6 / 1000 + 999.5) / 1000,
/// K = (r3 + 999999999600) / 1000000000000,
/// theta = r2 * 0.000001 + 2pi / r1, c = cos theta, s = sin theta.
/// A formula with its own A or theta overwrites the member after construction.
struct RotationMap {
    double t;
    double y;
    double A;
    double K;
    double c;
    double s;

    explicit RotationMap(const RowValues& r)
        : t(r[4] / 10), y(r[5] / 10), A((r[6] / 1000 + 999.5) / 1000),
          K((r[3] + 999999999600.0) / 1000000000000.0) {
        setAngle(r[2] * 0.000001 + kTwoPi / r[1]);
    }

    void setAngle(double theta) {
        c = std::cos(theta);
        s = std::sin(theta);
    }

    /// One step with offset delta; returns the plotted point (X, Y) * scale
    /// and carries X, Y into t, y.
    Point step(double W, double delta, double scale) {
        const double X = ((c * t) - ((A * W) * s)) + delta;
        const double Y = ((W * c) + (((A * t) * K) * s)) + delta;
        t = X;
        y = Y;
        return {X * scale, Y * scale};
    }

    /// One step without any offset (not even +0.0, which would turn -0 into +0).
    Point stepNoOffset(double W, double scale) {
        const double X = (c * t) - ((A * W) * s);
        const double Y = (W * c) + (((A * t) * K) * s);
        t = X;
        y = Y;
        return {X * scale, Y * scale};
    }
};

/// Root guard: q = sqrt(|v|); an exact zero becomes 1e-14.
inline double rootGuard(double v) { return guardZero(std::sqrt(std::abs(v)), 1e-14); }

/// Damped term T: u = (exp(e4 t - e3) e2) t; u = |u cos((E t) t - shift)| + B;
/// T = u + tan(t) e6. The plain form has shift 0 (x - 0 is exactly x).
struct DampedTerm {
    double B, E, e2, e3, e4, e6, shift;
    double operator()(double t) const {
        double u = (std::exp(e4 * t - e3) * e2) * t;
        u = std::abs(u * std::cos((E * t) * t - shift)) + B;
        return u + std::tan(t) * e6;
    }
};

/// Denominator guard: den = T + tri(e1 / q + G) H; an exact zero becomes 1e-24.
inline double guardedDenominator(double T, double q, double e1, double G, double H) {
    return guardZero(T + tri(e1 / q + G) * H, 1e-24);
}

/// Rational term R = (((E t) t - H) C) / (|H + (E t) t| + B).
inline double rationalTerm(double t, double B, double C, double E, double H) {
    const double et2 = (E * t) * t;
    return ((et2 - H) * C) / (std::abs(H + et2) + B);
}

/// The cubic ((t - a) t)(t - b) that many perturbations divide by.
inline double cubicProduct(double t, double a, double b) { return ((t - a) * t) * (t - b); }

/// The cubic denominator |((t - G) t)(t - E)| H + B.
inline double cubicDenominator(double t, double G, double E, double H, double B) {
    return std::abs(cubicProduct(t, G, E)) * H + B;
}

} // namespace orbelle
