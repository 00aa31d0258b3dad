// Category 0, "宝石": nineteen rotation maps of (t, y), each perturbed by its
// own term W. Every expression keeps the grouping of the formula as
// written; the maps are chaotic and a different rounding draws a different
// figure.

#include "formulas/formula.h"
#include "formulas/rotationmap.h"

#include <iterator>

namespace orbelle {
namespace {

// ---- Shared shapes ---------------------------------------------------------

// The constants of the damped-term formulas (items 0, 1, 3, 5, 6). e5 is the
// plain r18 / 500 (the cosine shift of "T with - e5" and the root's factor),
// e5s the small r18 / 500 x 0.001; H1 is r13 / 50 x 0.01 (H' of items 0, 1, 6,
// H'' of item 5).
struct DampedConstants {
    double B, C, D, E, F, G, H, H1, e1, e2, e3, e4, e5, e5s, e6;

    explicit DampedConstants(const RowValues& r)
        : B(r[7] / 50 * 0.0001), C(r[8] / 100), D(r[9] / 500), E(r[10] / 500), F(r[11] / 500),
          G(r[12] / 500), H(r[13] / 50), H1(r[13] / 50 * 0.01), e1(r[14] / 500), e2(r[15] / 500),
          e3(r[16] / 500), e4(r[17] / 5000000000), e5(r[18] / 500), e5s(r[18] / 500 * 0.001),
          e6(r[19] / 50000) {}

    /// T (shift 0) or "T with - e5" (shift e5).
    DampedTerm term(double shift) const { return {B, E, e2, e3, e4, e6, shift}; }
};

// Items 0 and 1: W = (F + y) - tri(t) e5' + H' |sin t| + q e5 + N / den, with
// the numerator N = C (item 0) or cos(t) C (item 1).
template <bool kCosNumerator> struct DiamondShape {
    static constexpr int kStartIndex = 0;
    static constexpr double kScale = 8.0;

    RotationMap m;
    DampedConstants k;
    DampedTerm T;

    explicit DiamondShape(const RowValues& r) : m(r), k(r), T(k.term(0.0)) {}

    Point next() {
        const double t = m.t;
        const double a = std::abs(std::sin(t));
        const double q = rootGuard(a);
        const double den = guardedDenominator(T(t), q, k.e1, k.G, k.H);
        const double num = kCosNumerator ? std::cos(t) * k.C : k.C;
        const double W = ((((k.F + m.y) - tri(t) * k.e5s) + k.H1 * a) + q * k.e5) + num / den;
        return m.step(W, k.D, kScale);
    }
};

// Items 11, 13, 14: W = shape(G t - e2) e1 + (F + y) + R, grouped left to
// right; they differ only in the shape, G's divisor and the display scale.
template <double (*kShape)(double), int kGDivisor, class Scale> struct ShapedRational {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = ratioValue<Scale>;

    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2;

    explicit ShapedRational(const RowValues& r)
        : m(r), B(r[7] / 500 * 0.01), C(r[8] / 5), D(r[9] / 500), E(r[10] / 500), F(r[11] / 500),
          G(r[12] / kGDivisor), H(r[13] / 50), e1(r[14] / 50), e2(r[15] * 500) {}

    Point next() {
        const double t = m.t;
        const double W = (kShape(G * t - e2) * e1 + (F + m.y)) + rationalTerm(t, B, C, E, H);
        return m.step(W, -D, kScale);
    }
};

// The constants of items 12, 15 and 17 (item 17 uses B ... e2).
struct QuartzConstants {
    double B, C, D, E, F, G, H, e1, e2, e3, e4, e5;

    explicit QuartzConstants(const RowValues& r)
        : B(r[7] / 500 * 0.0001), C(r[8] / 500), D(r[9] / 100), E(r[10] / 500), F(r[11] / 100),
          G(r[12] / 500), H(r[13] / 500), e1(r[14] / 100), e2(r[15] / 500), e3(r[16] / 5000),
          e4(r[17] / 5000), e5(r[18] / 5000) {}

    /// sin(e2 t - e1) H + (F + y).
    double sineTerm(double t, double y) const { return std::sin(e2 * t - e1) * H + (F + y); }

    /// sqrt(|t - G|) C / (|t - E| + B), the product before the division.
    double rootTerm(double t) const {
        return (std::sqrt(std::abs(t - G)) * C) / (std::abs(t - E) + B);
    }
};

// ---- The nineteen formulas ---------------------------------------------------

// Item 0, "ダイヤモンド" (the start-up formula).
using Diamond = DiamondShape<false>;

// Item 1, "サファイア".
using Sapphire = DiamondShape<true>;

// Item 2, "ルビー".
struct Ruby {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 0.19;

    RotationMap m;
    double B, C, D, E, F, G, H, e1, k;

    explicit Ruby(const RowValues& r)
        : m(r), B(r[7] / 500 * 0.01), C(r[8] / 5), D(r[9] / 500), E(r[10] / 500), F(r[11] / 500),
          G(r[12] / 500), H(r[13] / 50), e1(r[14] / 50), k((r[15] * 5) * G) {}

    Point next() {
        const double t = m.t;
        const double W =
            ((tri(k * t) * (std::sin(G * t) * e1)) + (F + m.y)) + rationalTerm(t, B, C, E, H);
        return m.step(W, -D, kScale);
    }
};

// Item 3, "オパール".
struct Opal {
    static constexpr int kStartIndex = 0;
    static constexpr double kScale = 10.0;

    RotationMap m;
    DampedConstants k;
    DampedTerm T;

    explicit Opal(const RowValues& r) : m(r), k(r), T(k.term(k.e5)) {}

    Point next() {
        const double t = m.t;
        const double q = rootGuard(std::sin(t));
        const double den = guardedDenominator(T(t), q, k.e1, k.G, k.H);
        const double W = k.C / den + (k.F + m.y);
        return m.step(W, k.D, kScale);
    }
};

// Item 4, "エメラルド".
struct Emerald {
    static constexpr int kStartIndex = 0;
    static constexpr double kScale = 0.5;

    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2;

    explicit Emerald(const RowValues& r)
        : m(r), B(r[7] / 50 * 0.01), C(r[8] / 100), D(r[9] / 500), E(r[10] / 500), F(r[11] / 500),
          G(r[12] / 500), H(r[13] / 5000), e1(r[14] / 500), e2(r[15] / 500) {}

    Point next() {
        const double t = m.t;
        const double u = std::log(((t - G) * (t - G) + 1) + e2) * E;
        const double W = C / (std::abs(u * std::tan(H * t - e1)) + B) + (F + m.y);
        return m.step(W, -D, kScale);
    }
};

// Item 5, "ターコイズ".
struct Turquoise {
    static constexpr int kStartIndex = 0;
    static constexpr double kScale = 10.0;

    RotationMap m;
    DampedConstants k;
    DampedTerm T;
    double H1p; // H' = r13 / 50 x 0.001 (H'' is k.H1)

    explicit Turquoise(const RowValues& r) : m(r), k(r), T(k.term(k.e5)), H1p(r[13] / 50 * 0.001) {}

    Point next() {
        const double t = m.t;
        const double v = std::sin(t);
        const double q = rootGuard(v);
        const double den = guardedDenominator(T(t), q, k.e1, k.G, k.H);
        const double W = ((tri(t) * H1p + (k.F + m.y)) + k.H1 * v) + k.C / den;
        return m.step(W, k.D, kScale);
    }
};

// Item 6, "ガーネット" (its e5 is r18 / 500 x 0.001, k.e5s).
struct Garnet {
    static constexpr int kStartIndex = 0;
    static constexpr double kScale = 8.0;

    RotationMap m;
    DampedConstants k;
    DampedTerm T;

    explicit Garnet(const RowValues& r) : m(r), k(r), T(k.term(0.0)) {}

    Point next() {
        const double t = m.t;
        const double a = std::abs(std::sin(t));
        const double q = rootGuard(a);
        const double den = guardedDenominator(T(t), q, k.e1, k.G, k.H);
        const double W = (((k.F + m.y) - tri(t) * k.e5s) + k.H1 * a) + k.C / den;
        return m.step(W, k.D, kScale);
    }
};

// Item 7, "アクアマリン".
struct Aquamarine {
    static constexpr int kStartIndex = 0;
    static constexpr double kScale = 10.0;

    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2, e3, e4, e5;

    explicit Aquamarine(const RowValues& r)
        : m(r), B(r[7] / 50 * 0.1), C(r[8] / 100), D(r[9] / 500), E(r[10] / 500), F(r[11] / 500),
          G(r[12] / 500), H(r[13] / 50), e1(r[14] / 500), e2(r[15] / 500), e3(r[16] / 500),
          e4(r[17] / 500000), e5(r[18] / 500) {}

    Point next() {
        const double t = m.t;
        const double u =
            (std::abs(std::sin((E * t) * t) * (e2 * t)) + B) + std::cos((e4 * t) * t - e5) * e3;
        const double den = guardZero(u + tri((e1 * t) * t + G) * H, 1e-24);
        const double W = C / den + (F + m.y);
        return m.step(W, D, kScale);
    }
};

// Item 8, "ラピスラズリ".
struct LapisLazuli {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 0.667;

    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2, e3;

    explicit LapisLazuli(const RowValues& r)
        : m(r), B(r[7] / 500 * 0.00001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 10), F(r[11] / 500),
          G(r[12] / 500), H(r[13] / 10), e1(r[14] / 10), e2(r[15] / 500), e3(r[16] / 500) {}

    Point next() {
        const double t = m.t;
        const double v = e3 * t;
        const double W =
            ((t - E) * C) / ((tent(H, e1, t) * G) + B) + (std::sin(v) * (frac(v) * e2) + (F + m.y));
        return m.step(W, -D, kScale);
    }
};

// Item 9, "トパーズ".
struct Topaz {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 0.222;

    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2;

    explicit Topaz(const RowValues& r)
        : m(r), B(r[7] / 500 * 0.01), C(r[8] / 5), D(r[9] / 500), E(r[10] / 500), F(r[11] / 500),
          G(r[12] / 50000), H(r[13] / 50), e1(r[14] / 50), e2(r[15] * 500) {}

    Point next() {
        const double t = m.t;
        const double et2 = (E * t) * t;
        const double W = (sqrtFrac(G * t - e2) * e1 + (F + m.y)) +
                         (sqrtFrac(et2 - H) * C) / (std::abs(H + et2) + B);
        return m.step(W, -D, kScale);
    }
};

// Item 10, "アレキサンド".
struct Alexandrite {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 1.33;

    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2;

    explicit Alexandrite(const RowValues& r)
        : m(r), B(r[7] / 500 * 0.001), C(r[8] / 500), D(r[9] / 100), E(r[10] / 500), F(r[11] / 100),
          G(r[12] / 500), H(r[13] / 500), e1(r[14] / 500), e2(r[15] / 500) {}

    Point next() {
        const double t = m.t;
        const double u = C / ((std::abs(std::sin(e2 * t) * e1) + B) + (t - E) * (t - E));
        const double W = u + (std::sin(H * t) * G + (F + m.y));
        return m.step(W, -D, kScale);
    }
};

// Item 11, "アメシスト".
using Amethyst = ShapedRational<frac, 5000, std::ratio<222, 1000>>;

// Item 12, "クォーツ".
struct Quartz {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 4.0;

    RotationMap m;
    QuartzConstants k;

    explicit Quartz(const RowValues& r) : m(r), k(r) {}

    Point next() {
        const double t = m.t;
        const double u = (std::sqrt(std::abs(t - k.G)) * k.C) /
                         (std::abs(arcUpper(k.e5 + k.e4 * t) * k.e3 + (t - k.E)) + k.B);
        const double W = (arcUpper(t * (k.e4 * t) + k.e5) * k.e3 + k.sineTerm(t, m.y)) + u;
        return m.step(W, -k.D, kScale);
    }
};

// Item 13, "パール".
using Pearl = ShapedRational<sqrtFrac, 50000, std::ratio<222, 1000>>;

// Item 14, "コーラル".
using Coral = ShapedRational<asinFrac, 5000, std::ratio<286, 1000>>;

// Item 15, "アンバー".
struct Amber {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 4.0;

    RotationMap m;
    QuartzConstants k;

    explicit Amber(const RowValues& r) : m(r), k(r) {}

    Point next() {
        const double t = m.t;
        const double W =
            (arcUpper((k.e4 * t) * t + k.e5) * k.e3 + k.sineTerm(t, m.y)) + k.rootTerm(t);
        return m.step(W, -k.D, kScale);
    }
};

// Item 16, "ムーンストーン": F is state and changes sign before every step, so
// the first step uses -(r11 / 1000).
struct Moonstone {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 2.22;

    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2, e3;

    explicit Moonstone(const RowValues& r)
        : m(r), B(r[7] / 500 * 0.0001), C(r[8] / 500), D(r[9] / 100), E(r[10] / 500),
          F(r[11] / 1000), G(r[12] / 500), H(r[13] / 500), e1(r[14] / 10), e2(r[15] / 10),
          e3(r[16] / 100 + 1) {}

    Point next() {
        const double t = m.t;
        F = -F;
        const double u =
            (std::sqrt(std::abs(t - G)) * C) / ((std::sin(t - e1) + e3) * B + std::abs(t - E));
        const double W = u + (std::sin(t - e2) * H + (F + m.y));
        return m.step(W, -D, kScale);
    }
};

// Item 17, "ペリドット".
struct Peridot {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 4.0;

    RotationMap m;
    QuartzConstants k;

    explicit Peridot(const RowValues& r) : m(r), k(r) {}

    Point next() {
        const double t = m.t;
        const double W = k.rootTerm(t) + k.sineTerm(t, m.y);
        return m.step(W, -k.D, kScale);
    }
};

// Item 18, "タンザナイト".
struct Tanzanite {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 4.0;

    RotationMap m;
    double B, C, D, E, F, G, H;

    explicit Tanzanite(const RowValues& r)
        : m(r), B(r[7] / 500 * 0.0001), C(r[8] / 500), D(r[9] / 50), E(r[10] / 500), F(r[11] / 50),
          G(r[12] / 500), H(r[13] / 500) {}

    Point next() {
        const double t = m.t;
        const double W = (std::sqrt(std::abs(t - G) + H) * C) / (std::abs(t - E) + B) + (F + m.y);
        return m.step(W, -D, kScale);
    }
};

constexpr FormulaFactory kGems[] = {
    factoryOf<Diamond>(),   factoryOf<Sapphire>(),    factoryOf<Ruby>(),
    factoryOf<Opal>(),      factoryOf<Emerald>(),     factoryOf<Turquoise>(),
    factoryOf<Garnet>(),    factoryOf<Aquamarine>(),  factoryOf<LapisLazuli>(),
    factoryOf<Topaz>(),     factoryOf<Alexandrite>(), factoryOf<Amethyst>(),
    factoryOf<Quartz>(),    factoryOf<Pearl>(),       factoryOf<Coral>(),
    factoryOf<Amber>(),     factoryOf<Moonstone>(),   factoryOf<Peridot>(),
    factoryOf<Tanzanite>(),
};
static_assert(std::size(kGems) == 19);

} // namespace

std::span<const FormulaFactory> gemFormulas() { return kGems; }

} // namespace orbelle
