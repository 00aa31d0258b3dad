// Category 5, "金銀": sixteen rotation maps of (t, y), contracted by A, perturbed
// by a term W and shifted by -D; all start at i0 = 1. Most perturbations divide
// by the cubic |((t - G) t)(t - E)| H + B, written once below. Every expression
// is evaluated in exactly the grouping written here.

#include "formulas/formula.h"
#include "formulas/rotationmap.h"

namespace orbelle {
namespace {

// ---- Items 0, 4, 5, 10, 11, 13: W = (f(t) C) / cubic + (F + y) ---------------

// Shape provides kScale and numerator(t), the f(t) of its formula.
template <class Shape> struct OverCubic {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    double B, C, D, E, F, G, H;
    explicit OverCubic(const RowValues& r)
        : m(r), B(r[7] / 500 * 0.00001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 500),
          F(r[11] / 500), G(r[12] / 10), H(r[13] / 500) {}
    Point next() {
        const double t = m.t;
        const double W = (Shape::numerator(t) * C) / cubicDenominator(t, G, E, H, B) + (F + m.y);
        return m.step(W, -D, Shape::kScale);
    }
};

// Item 0, "ゴールド".
struct GoldShape {
    static constexpr double kScale = 2.0;
    static double numerator(double t) { return std::pow(std::abs(t), 1.0588235294117647); }
};
using Gold = OverCubic<GoldShape>;

// Item 4, "クロム", and item 13, "ヘリウム" (the same formula).
struct ChromiumShape {
    static constexpr double kScale = 0.667;
    static double numerator(double t) { return std::pow(std::abs(t), 1.0833333333333333); }
};
using Chromium = OverCubic<ChromiumShape>;

// Item 5, "リチウム".
struct LithiumShape {
    static constexpr double kScale = 0.667;
    static double numerator(double t) { return std::pow(std::abs(t), 1.25); }
};
using Lithium = OverCubic<LithiumShape>;

// Item 10, "ニッケル".
struct NickelShape {
    static constexpr double kScale = 0.5;
    static double numerator(double t) { return std::sqrt(std::abs(t)); }
};
using Nickel = OverCubic<NickelShape>;

// Item 11, "ガリウム".
struct GalliumShape {
    static constexpr double kScale = 0.8;
    static double numerator(double t) { return t; }
};
using Gallium = OverCubic<GalliumShape>;

// ---- Items 1 and 14: the angle of (t, y) pulls y -----------------------------

// The rows of "シルバー" and "セシウム".
struct SilverRows {
    double B, C, D, E, F, G, H, e1, e2, e3, e4;
    explicit SilverRows(const RowValues& r)
        : B(r[7] / 500 * 0.0001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 500), F(r[11] / 500),
          G(r[12] / 500), H(r[13] / 50000), e1(r[14] / 500), e2(r[15] / 500), e3(r[16] / 500),
          e4(r[17] / 500) {}
    /// ((t - e1) C) / (|((t - E) t)(t - G)| + B): no H, E's factor first.
    double quotient(double t) const {
        return ((t - e1) * C) / (std::abs(cubicProduct(t, E, G)) + B);
    }
    /// (F + y) - atan2(y, t) H, with the y of the start of the iteration.
    double pulledY(double t, double y) const { return (F + y) - std::atan2(y, t) * H; }
};

// Item 1, "シルバー".
struct Silver {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    SilverRows k;
    explicit Silver(const RowValues& r) : m(r), k(r) {}
    Point next() {
        const double t = m.t;
        const double W = k.quotient(t) + (k.pulledY(t, m.y) + std::sin(t * k.e2 - k.e3) * k.e4);
        return m.step(W, -k.D, 1.33);
    }
};

// Item 14, "セシウム": a state t of exactly 0 becomes 1e-14 before the step.
struct Cesium {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    SilverRows k;
    explicit Cesium(const RowValues& r) : m(r), k(r) {}
    Point next() {
        m.t = guardZero(m.t, 1e-14);
        const double t = m.t;
        const double W = k.quotient(t) + (k.pulledY(t, m.y) + std::sin(k.e2 / t - k.e3) * k.e4);
        return m.step(W, -k.D, 1.48);
    }
};

// ---- The other formulas ------------------------------------------------------

// Item 2, "コバルト".
struct Cobalt {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2, e3, e4, e5, e6;
    explicit Cobalt(const RowValues& r)
        : m(r), B(r[7] / 500 * 0.00001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 10), F(r[11] / 500),
          G(r[12] / 10), H(r[13] / 500), e1(r[14] / 500), e2(r[15] / 500), e3(r[16] / 500),
          e4(r[17] / 500), e5(r[18] / 5000), e6(r[19] / 5000) {}
    Point next() {
        const double t = m.t;
        const double u = std::sqrt(std::abs(t - e1)) * (C * t);
        const double z = u / (std::abs(frac(e3 * t + e4) * e2 + cubicProduct(t, G, E)) * H + B);
        const double W = (arcUpper(e6 * t + e4) * e5 + (F + m.y)) + z;
        return m.step(W, -D, 0.8);
    }
};

// The rows of "ネオン" and "リン" but B's factor, and their quotient
// ((t - e1) C) / cubic. Both replace a state t of exactly 0 by 1e-14 first.
struct NeonRows {
    double B, C, D, E, F, G, H, e1, e2, e3;
    NeonRows(const RowValues& r, double bFactor)
        : B(r[7] / 500 * bFactor), C(r[8] / 50), D(r[9] / 500), E(r[10] / 10), F(r[11] / 500),
          G(r[12] / 10), H(r[13] / 500), e1(r[14] / 50), e2(r[15] / 50), e3(r[16] / 500) {}
    double quotient(double t) const { return ((t - e1) * C) / cubicDenominator(t, G, E, H, B); }
};

// Item 3, "ネオン".
struct Neon {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    NeonRows k;
    double e4;
    explicit Neon(const RowValues& r) : m(r), k(r, 0.0000001), e4(r[17] / 50) {}
    Point next() {
        m.t = guardZero(m.t, 1e-14);
        const double t = m.t;
        const double wave = (std::sin(k.e2 / t) * k.e3) * std::cos(e4 / t);
        const double W = k.quotient(t) + (wave + (k.F + m.y));
        return m.step(W, -k.D, 0.8);
    }
};

// Item 6, "マグネシウム": plotted unscaled.
struct Magnesium {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    double B, C, D, E, F, G, H;
    explicit Magnesium(const RowValues& r)
        : m(r), B(r[7] / 500 * 0.0001), C(r[8] / 500), D(r[9] / 50), E(r[10] / 500), F(r[11] / 50),
          G(r[12] / 500), H(r[13] / 500) {}
    Point next() {
        const double t = m.t;
        const double den = (((t - E) * (t - E)) * (t - H)) * (t - H) + B;
        const double W = ((t - G) * C) / den + (F + m.y);
        return m.step(W, -D, 1.0);
    }
};

// Item 7, "リン".
struct Phosphorus {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    NeonRows k;
    explicit Phosphorus(const RowValues& r) : m(r), k(r, 0.000000001) {}
    Point next() {
        m.t = guardZero(m.t, 1e-14);
        const double t = m.t;
        const double W = k.quotient(t) + (std::sin(k.e2 / t) * k.e3 + (k.F + m.y));
        return m.step(W, -k.D, 0.8);
    }
};

// Item 8, "チタン".
struct Titanium {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    double B, C, D, E, F, G, H, e1;
    explicit Titanium(const RowValues& r)
        : m(r), B(r[7] / 500 * 0.00001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 10), F(r[11] / 500),
          G(r[12] / 10), H(r[13] / 500), e1(r[14] / 500) {}
    Point next() {
        const double t = m.t;
        const double num = std::sqrt(std::abs(t - e1)) * (C * t);
        const double W = num / cubicDenominator(t, G, E, H, B) + (F + m.y);
        return m.step(W, -D, 0.571);
    }
};

// Item 9, "マンガン".
struct Manganese {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2, e3, e4, e5;
    explicit Manganese(const RowValues& r)
        : m(r), B(r[7] / 500 * 0.0000001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 10),
          F(r[11] / 500), G(r[12] / 10), H(r[13] / 500), e1(r[14] / 50), e2(r[15] / 500),
          e3(r[16] / 500), e4(r[17] / 50), e5(r[18] / 10) {}
    Point next() {
        const double t = m.t;
        const double num = std::sqrt(std::abs(e5 + t)) * ((t - e1) * C);
        const double u = num / cubicDenominator(t, G, E, H, B);
        const double W = u + ((std::cos(t) * e3) / ((e4 * t) * t + e2) + (F + m.y));
        return m.step(W, -D, 0.5);
    }
};

// Item 12, "ゲルマニウム".
struct Germanium {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    double B, C, D, E, F, G, H, e1;
    explicit Germanium(const RowValues& r)
        : m(r), B(r[7] / 500 * 0.00001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 10), F(r[11] / 500),
          G(r[12] / 500), H(r[13] / 500), e1(r[14] / 500) {}
    Point next() {
        const double t = m.t;
        const double u = (std::sqrt(std::abs(t - E)) * C) / (std::log(std::abs(t) * G + 0.5) + B);
        const double W = u + (std::sin(e1 * m.y) * H + (F + m.y));
        return m.step(W, -D, 1.33);
    }
};

// Item 15, "アルゴン": its own contraction A; D enters W with +D and the step
// with -D.
struct Argon {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    double B, C, D, E;
    explicit Argon(const RowValues& r)
        : m(r), B(r[7] / 500 * 0.01), C(r[8] / 500), D(r[9] / 50), E(r[10] / 50) {
        m.A = (r[6] / 500 + 499) / 500;
    }
    Point next() {
        const double t = m.t;
        const double u = t * t + B;
        const double W = ((C / u + m.y) - (std::sin((E * t) * 100) * E) / std::sqrt(u)) + D;
        return m.step(W, -D, 1.33);
    }
};

constexpr FormulaFactory kMetals[] = {
    factoryOf<Gold>(),      factoryOf<Silver>(),    factoryOf<Cobalt>(),    factoryOf<Neon>(),
    factoryOf<Chromium>(),  factoryOf<Lithium>(),   factoryOf<Magnesium>(), factoryOf<Phosphorus>(),
    factoryOf<Titanium>(),  factoryOf<Manganese>(), factoryOf<Nickel>(),    factoryOf<Gallium>(),
    factoryOf<Germanium>(), factoryOf<Chromium>(),  factoryOf<Cesium>(),    factoryOf<Argon>(),
};

} // namespace

std::span<const FormulaFactory> metalFormulas() { return kMetals; }

} // namespace orbelle
