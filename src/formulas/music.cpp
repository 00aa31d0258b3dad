// Category 6, "音楽": sixteen rotation maps of (t, y), contracted by A, perturbed
// by a term W and shifted by -D. Item 12 has its own A and no offset; item 15
// turns a second term V in place of t. Many perturbations divide by the cubic
// ((t - G) t)(t - E), written once below. Every expression is evaluated in
// exactly the grouping written here: the maps are chaotic and a different
// rounding draws a different figure.

#include "formulas/formula.h"
#include "formulas/rotationmap.h"

namespace orbelle {
namespace {

/// The cubic ((t - G) t)(t - E), taken left to right.

double sine(double v) { return std::sin(v); }

// ---- Items 0 to 4: every row over 500, W = u / (d H + B) + (F + y) ----------

struct QuotientRows {
    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2, e3, e4, e5, e6;
    explicit QuotientRows(const RowValues& r)
        : m(r), B((r[7] / 500) * 0.00001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 500),
          F(r[11] / 500), G(r[12] / 500), H(r[13] / 500), e1(r[14] / 500), e2(r[15] / 500),
          e3(r[16] / 500), e4(r[17] / 500), e5(r[18] / 500), e6(r[19] / 500) {}

    /// u / (d H + B) + (F + y), with the y of the start of the iteration.
    double quotient(double u, double d) const { return u / (d * H + B) + (F + m.y); }
    /// (t - e1)(C t), the numerator of items 1, 3 and 4.
    double shiftedSquare(double t) const { return (t - e1) * (C * t); }
};

// Item 0, "バッハ".
struct Bach : QuotientRows {
    static constexpr int kStartIndex = 1;
    using QuotientRows::QuotientRows;
    Point next() {
        const double t = m.t;
        const double u = (C * t) * t;
        const double W = quotient(u, std::abs(std::tan(G * t) * E) + t * t);
        return m.step(W, -D, 5.0);
    }
};

// Item 1, "モーツァルト".
struct Mozart : QuotientRows {
    static constexpr int kStartIndex = 1;
    using QuotientRows::QuotientRows;
    Point next() {
        const double t = m.t;
        const double d = std::abs(std::tan(G * t - e3) * E) + std::abs((t - e2) * t);
        const double W = quotient(shiftedSquare(t), d);
        return m.step(W, -D, 4.0);
    }
};

// Item 2, "ベートーヴェン".
struct Beethoven : QuotientRows {
    static constexpr int kStartIndex = 1;
    using QuotientRows::QuotientRows;
    Point next() {
        const double t = m.t;
        const double v = std::abs(G * t - H) * E + B;
        const double W = (arcLower(e1 * t - e2) * C) / v + (F + m.y);
        return m.step(W, -D, 4.0);
    }
};

// Items 3 and 4: the same quotient, with the wave tri (item 3) or sin (item 4) in
// d = |wave(e5 t - e6) e4 + (t - e2) t| + |tan(G t - e3) E|.
template <double (*Wave)(double), class Scale> struct WaveQuotient : QuotientRows {
    static constexpr int kStartIndex = 1;
    using QuotientRows::QuotientRows;
    Point next() {
        const double t = m.t;
        const double w = (t - e2) * t;
        const double z = std::abs(std::tan(G * t - e3) * E);
        const double W = quotient(shiftedSquare(t), std::abs(Wave(e5 * t - e6) * e4 + w) + z);
        return m.step(W, -D, ratioValue<Scale>);
    }
};

// Item 3, "ショパン", plotted unscaled.
struct Chopin : WaveQuotient<tri, std::ratio<1>> {
    using WaveQuotient::WaveQuotient;
};

// Item 4, "シューベルト".
struct Schubert : WaveQuotient<sine, std::ratio<2>> {
    using WaveQuotient::WaveQuotient;
};

// ---- Items 5 and 6: W = C / (|u + tan(H t - e1) E| + B) + (F + y) ------------

struct TanSumRows {
    static constexpr int kStartIndex = 0;
    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2, e3, e4, e5, e6;
    explicit TanSumRows(const RowValues& r)
        : m(r), B((r[7] / 50) * 0.01), C(r[8] / 100), D(r[9] / 500), E(r[10] / 500), F(r[11] / 500),
          G(r[12] / 500), H(r[13] / 5000), e1(r[14] / 500), e2(r[15] / 500), e3(r[16] / 500),
          e4(r[17] / 500000), e5(r[18] / 500), e6(r[19] / 500) {}

    double perturbation(double u) const {
        const double t = m.t;
        return C / (std::abs(u + std::tan(H * t - e1) * E) + B) + (F + m.y);
    }
};

// Item 5, "ブラームス".
struct Brahms : TanSumRows {
    using TanSumRows::TanSumRows;
    Point next() {
        const double t = m.t;
        const double u = ((std::sin(e3 * t) * G + e2) + std::cos(t - e6) * e5) + (e4 * t) * t;
        return m.step(perturbation(u), -D, 4.0);
    }
};

// Item 6, "ハイドン": item 5 without the cosine (e5 and e6 unused).
struct Haydn : TanSumRows {
    using TanSumRows::TanSumRows;
    Point next() {
        const double t = m.t;
        const double u = (std::sin(e3 * t) * G + e2) + (e4 * t) * t;
        return m.step(perturbation(u), -D, 4.0);
    }
};

// ---- Items 7, 10, 13, 14: a numerator over |cubic| H + B, G = r12 / 10 -------

struct CubicRows {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    double B, C, D, E, F, G, H, e1;
    explicit CubicRows(const RowValues& r)
        : m(r), B((r[7] / 500) * 0.00001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 500),
          F(r[11] / 500), G(r[12] / 10), H(r[13] / 500), e1(r[14] / 500) {}

    /// numerator / (|cubicProduct(t)| H + B) + (F + y).
    double overCubic(double numerator, double t) const {
        return numerator / cubicDenominator(t, G, E, H, B) + (F + m.y);
    }
};

// Item 7, "ヘンデル".
struct Handel : CubicRows {
    using CubicRows::CubicRows;
    Point next() {
        const double t = m.t;
        const double u = std::pow(std::abs(t), 1.0416666666666667) * C;
        const double W = overCubic(u * ((std::cos(t) + 1.0001) + e1), t);
        return m.step(W, -D, 1.33);
    }
};

// Item 10, "ドヴォルザーク" (e1 unused).
struct Dvorak : CubicRows {
    using CubicRows::CubicRows;
    Point next() {
        const double t = m.t;
        return m.step(overCubic(C * t, t), -D, 0.8);
    }
};

// Item 13, "リスト".
struct Liszt : CubicRows {
    using CubicRows::CubicRows;
    Point next() {
        const double t = m.t;
        return m.step(overCubic(std::pow(std::abs(t), 1.0666666666666667) * C, t), -D, 0.333);
    }
};

// Item 14, "ドビュッシー".
struct Debussy : CubicRows {
    using CubicRows::CubicRows;
    Point next() {
        const double t = m.t;
        return m.step(overCubic(std::abs(t) * C, t), -D, 0.8);
    }
};

// ---- The other formulas ------------------------------------------------------

// Item 8, "ヴィヴァルディ": a state t of exactly 0 becomes 1e-14 before the step.
struct Vivaldi {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2, e3, e4;
    explicit Vivaldi(const RowValues& r)
        : m(r), B((r[7] / 500) * 0.0000001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 10),
          F(r[11] / 500), G(r[12] / 10), H(r[13] / 500), e1(r[14] / 50), e2(r[15] / 50),
          e3(r[16] / 500), e4(r[17] / 5000) {}
    Point next() {
        m.t = guardZero(m.t, 1e-14);
        const double t = m.t;
        const double u = ((t - e1) * C) / cubicDenominator(t, G, E, H, B);
        const double W = u + ((std::sin(e2 / t) * e3) / t + (frac(t) * e4 + (F + m.y)));
        return m.step(W, -D, 1.0);
    }
};

// Item 9, "チャイコフスキー": rows 15 and 17 enter as plain integers.
struct Tchaikovsky {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    double B, C, D, E, F, G, H, e1, r15, e3, r17;
    explicit Tchaikovsky(const RowValues& r)
        : m(r), B((r[7] / 10) * 0.00001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 500),
          F(r[11] / 500), G(r[12] / 5000), H(r[13] / 5000), e1(r[14] / 5000), r15(r[15]),
          e3(r[16] / 500), r17(r[17]) {}
    Point next() {
        const double t = m.t;
        // Fourth root of |((t - G) t)(t - E)(t + G)(t + E)|, the product left to right.
        const double root =
            std::sqrt(std::sqrt(std::abs((cubicProduct(t, G, E) * (t + G)) * (t + E))));
        const double u = C / (root * H + B);
        const double W = u + ((std::sin(t * r17) * r15) / (std::abs(t * e1) + e3) + (F + m.y));
        return m.step(W, -D, 0.1);
    }
};

// Item 11, "メンデルスゾーン": e3 / t is not guarded.
struct Mendelssohn {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2, e3, e4;
    explicit Mendelssohn(const RowValues& r)
        : m(r), B((r[7] / 500) * 0.01), C(r[8] / 50), D(r[9] / 500), E(r[10] / 500), F(r[11] / 500),
          G(r[12] / 10), H(r[13] / 500), e1(r[14] / 500), e2(r[15] / 500), e3(r[16] / 500),
          e4(r[17] / 500) {}
    Point next() {
        const double t = m.t;
        const double y = m.y;
        const double a = (tri(t) * e4 + t) * C;
        const double z = (cubicProduct(t, G, E) - std::tan(t) * e2) - tri(e3 / t) * e2;
        const double W = a / (std::abs(tri(y) * e1 + z) * H + B) + (F + y);
        return m.step(W, -D, 1.0);
    }
};

// Item 12, "シューマン": its own A, and no offset after the rotation; D enters
// only through W.
struct Schumann {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    double B, C, D, E;
    explicit Schumann(const RowValues& r)
        : m(r), B(r[7] / 500), C((r[8] / 500) * 3), D(r[9] / 50), E((r[10] / 500) * (-5)) {
        m.A = (r[6] / 500 + 499) / 500;
    }
    Point next() {
        const double t = m.t;
        const double u = (std::sin(B + t) * C) * std::tan(t);
        const double W = (u * std::exp((E * t) * t) + m.y) + D;
        return m.stepNoOffset(W, 5.71);
    }
};

// Item 15, "ラヴェル": the rotation turns V = C / (|y - E| + B) + (t - F) in
// place of t.
struct Ravel {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    double B, C, D, E, F;
    explicit Ravel(const RowValues& r)
        : m(r), B((r[7] / 500) * 0.0001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 500),
          F(r[11] / 500) {}
    Point next() {
        const double t = m.t;
        const double y = m.y;
        const double W = C / (std::abs(t - E) + B) + (F + y);
        const double V = C / (std::abs(y - E) + B) + (t - F);
        m.t = V; // the step reads t only in the rotation, which turns V here
        return m.step(W, -D, 1.33);
    }
};

constexpr FormulaFactory kMusic[] = {
    factoryOf<Bach>(),        factoryOf<Mozart>(),   factoryOf<Beethoven>(),
    factoryOf<Chopin>(),      factoryOf<Schubert>(), factoryOf<Brahms>(),
    factoryOf<Haydn>(),       factoryOf<Handel>(),   factoryOf<Vivaldi>(),
    factoryOf<Tchaikovsky>(), factoryOf<Dvorak>(),   factoryOf<Mendelssohn>(),
    factoryOf<Schumann>(),    factoryOf<Liszt>(),    factoryOf<Debussy>(),
    factoryOf<Ravel>(),
};

} // namespace

std::span<const FormulaFactory> musicFormulas() { return kMusic; }

} // namespace orbelle
