// Category 8, "都市": fourteen rotation maps of (t, y), each perturbed by its own
// term W. Nine of them shift the rotated point by -D; the five exponential ones
// (items 0, 1, 2, 7 and 9) use their own A, add D inside W and shift by -G.
// Every expression is evaluated in exactly the grouping written here; the maps
// are chaotic and a different rounding draws a different figure.

#include "formulas/formula.h"
#include "formulas/rotationmap.h"

namespace orbelle {
namespace {

// The common ground of the exponential items: their constants, their A, the
// exponential term m = exp((E t) t) (tan(t) ((B + t) C)) and the step that
// adds m and D to the formula's inner sum and shifts by -G.
struct ExponentialCity {
    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2;

    ExponentialCity(const RowValues& r, double e2Divisor)
        : m(r), B(r[7] / 500), C((r[8] / 500) * 3), D(r[9] / 50), E((r[10] / 500) * -5.0),
          F(r[11] / 500), G(r[12] / 500), H(r[13] / 500), e1(r[14] / 500), e2(r[15] / e2Divisor) {
        m.A = (r[6] / 500 + 499) / 500;
    }

    /// F + y of the current state, as one value.
    double fy() const { return F + m.y; }

    /// W = (inner + m) + D, rotated and shifted by -G.
    Point step(double inner, double scale) {
        const double t = m.t;
        const double expTerm = std::exp((E * t) * t) * (std::tan(t) * ((B + t) * C));
        const double W = (inner + expTerm) + D;
        return m.step(W, -G, scale);
    }
};

// abs(tan(G t - e3) k) + abs((t - e2) t), the spread under the quotients of
// "ワシントン", "モスクワ" and "ローマ" (k is E, or a term carrying E).
double tangentSpread(double t, double k, double G, double e2, double e3) {
    return std::abs(std::tan(G * t - e3) * k) + std::abs((t - e2) * t);
}

// ((t - a) t) (t - b), the product taken left to right.

// Item 0, "東京".
struct Tokyo {
    static constexpr int kStartIndex = 1;
    ExponentialCity x;
    explicit Tokyo(const RowValues& r) : x(r, 5000) {}
    Point next() { return x.step(sqrtFrac(x.e2 * x.m.t + x.H) * x.e1 + x.fy(), 4.44); }
};

// Item 1, "京都".
struct Kyoto {
    static constexpr int kStartIndex = 1;
    ExponentialCity x;
    explicit Kyoto(const RowValues& r) : x(r, 5000) {}
    Point next() { return x.step(fracSq(x.e2 * x.m.t + x.H) * x.e1 + x.fy(), 4.0); }
};

// Item 2, "ニューヨーク".
struct NewYork {
    static constexpr int kStartIndex = 1;
    ExponentialCity x;
    explicit NewYork(const RowValues& r) : x(r, 5000) {}
    Point next() { return x.step(arcLower(x.e2 * x.m.t + x.H) * x.e1 + x.fy(), 4.0); }
};

// Item 3, "ワシントン".
struct Washington {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2, e3, e4, e5, e6;

    explicit Washington(const RowValues& r)
        : m(r), B((r[7] / 500) * 0.00001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 500),
          F(r[11] / 500), G(r[12] / 500), H(r[13] / 500), e1(r[14] / 500), e2(r[15] / 500),
          e3(r[16] / 500), e4(r[17] / 500), e5(r[18] / 500), e6(r[19] / 500) {}

    Point next() {
        const double t = m.t;
        const double v = tangentSpread(t, E, G, e2, e3);
        const double den = guardZero((v + asinFrac(e6 * t + e5) * e4) * H + B, 1e-24);
        const double W = ((t - e1) * (C * t)) / den + (F + m.y);
        return m.step(W, -D, 4.0);
    }
};

// Items 4 and 5: W = cos(t - shift) C / (spread(t) E + B) + (F + y).
struct CosineQuotient {
    RotationMap m;
    double B, C, D, E, F;

    explicit CosineQuotient(const RowValues& r)
        : m(r), B((r[7] / 10) * 0.00001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 500),
          F(r[11] / 500) {}

    Point step(double shift, double spread, double scale) {
        const double u = std::cos(m.t - shift) * C;
        const double W = u / (spread * E + B) + (F + m.y);
        return m.step(W, -D, scale);
    }
};

// Item 4, "パリ".
struct Paris {
    static constexpr int kStartIndex = 1;
    CosineQuotient x;
    double G;
    explicit Paris(const RowValues& r) : x(r), G(r[12] / 500) {}
    Point next() {
        const double t = x.m.t;
        return x.step(G, std::abs(std::log(std::abs(t) + 0.5)), 0.4);
    }
};

// Item 5, "ロンドン".
struct London {
    static constexpr int kStartIndex = 1;
    CosineQuotient x;
    double G, H;
    explicit London(const RowValues& r) : x(r), G(r[12] / 100), H(r[13] / 500) {}
    Point next() {
        const double t = x.m.t;
        return x.step(H, std::abs(std::atan(G + t) * std::atan(t)), 0.667);
    }
};

// Item 6, "ベルリン": a third state value z flips its sign before every step,
// so the first step uses -r16 / 100.
struct Berlin {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2, z;

    explicit Berlin(const RowValues& r)
        : m(r), B((r[7] / 500) * 0.00001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 500),
          F(r[11] / 500), G(r[12] / 500), H(r[13] / 500), e1(r[14] / 500), e2(r[15] / 500),
          z(r[16] / 100) {}

    Point next() {
        const double t = m.t;
        z = -z;
        const double v =
            ((std::sqrt(std::abs(t - e2)) * C) * std::sin(t)) / (std::abs((G * t) * t - H) * E + B);
        const double W = v + (std::sin((e1 * t) * t) * z + (F + m.y));
        return m.step(W, -D, 0.5);
    }
};

// Item 7, "北京".
struct Beijing {
    static constexpr int kStartIndex = 1;
    ExponentialCity x;
    explicit Beijing(const RowValues& r) : x(r, 500000) {}
    Point next() {
        const double t = x.m.t;
        return x.step(fracSq((x.e2 * t) * t + x.H) * x.e1 + x.fy(), 3.08);
    }
};

// Item 8, "モスクワ".
struct Moscow {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2, e3, e4, e5, e6;

    explicit Moscow(const RowValues& r)
        : m(r), B((r[7] / 500) * 0.00001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 500),
          F(r[11] / 500), G(r[12] / 500), H(r[13] / 500), e1(r[14] / 500), e2(r[15] / 500),
          e3(r[16] / 500), e4(r[17] / 5000), e5(r[18] / 5000), e6(r[19] / 5000) {}

    Point next() {
        const double t = m.t;
        const double a = e6 * t + e5;
        const double v = tangentSpread(t, E, G, e2, e3);
        const double den = guardZero((v + arcLower(a) * e4) * H + B, 1e-24);
        const double W = (arcUpper(a) * e4 + (F + m.y)) + ((t - e1) * (C * t)) / den;
        return m.step(W, -D, 3.33);
    }
};

// Item 9, "ソウル".
struct Seoul {
    static constexpr int kStartIndex = 1;
    ExponentialCity x;
    double e3, e4, e5;
    explicit Seoul(const RowValues& r)
        : x(r, 500000), e3(r[16] / 500000), e4(r[17] / 500), e5(r[18] / 500) {}
    Point next() {
        const double t = x.m.t;
        const double inner =
            fracSq((x.e2 * t) * t + x.H) * x.e1 + (asinFrac(e3 * t + e5) * e4 + x.fy());
        return x.step(inner, 2.67);
    }
};

// Item 10, "ローマ".
struct Rome {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2, e3;

    explicit Rome(const RowValues& r)
        : m(r), B((r[7] / 500) * 0.00001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 500),
          F(r[11] / 500), G(r[12] / 500), H(r[13] / 500), e1(r[14] / 500), e2(r[15] / 500),
          e3(r[16] / 500) {}

    Point next() {
        const double t = m.t;
        const double u = (t - e1) * (C * t);
        const double v = std::exp(-(t * t)) * E;
        const double W = u / (tangentSpread(t, v, G, e2, e3) * H + B) + (F + m.y);
        return m.step(W, -D, 4.0);
    }
};

// Item 11, "エルサレム": the tent denominator has no guard.
struct Jerusalem {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2, e3;

    explicit Jerusalem(const RowValues& r)
        : m(r), B((r[7] / 500) * 0.00001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 10),
          F(r[11] / 500), G(r[12] / 500), H(r[13] / 10), e1(r[14] / 10), e2(r[15] / 500),
          e3(r[16] / 500) {}

    Point next() {
        const double t = m.t;
        const double u = (t - E) * C;
        const double v = frac(std::tan(t * e3)) * e2 + (F + m.y);
        const double W = u / (tent(H, e1, t) * G + B) + v;
        return m.step(W, -D, 0.8);
    }
};

// Item 12, "バチカン".
struct Vatican {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2;

    explicit Vatican(const RowValues& r)
        : m(r), B((r[7] / 500) * 0.00001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 500),
          F(r[11] / 500), G(r[12] / 10), H(r[13] / 500), e1(r[14] / 5000), e2(r[15] / 50) {}

    Point next() {
        const double t = m.t;
        const double u = (C * t) / cubicDenominator(t, G, E, H, B);
        const double stair = static_cast<double>(trunc32(std::sin(t) * e2));
        const double W = u + (stair * e1 + (F + m.y));
        return m.step(W, -D, 0.8);
    }
};

// Item 13, "バグダッド".
struct Baghdad {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    double B, C, D, E, F, G, H, e1;

    explicit Baghdad(const RowValues& r)
        : m(r), B((r[7] / 500) * 0.0001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 500),
          F(r[11] / 500), G(r[12] / 500), H(r[13] / 500), e1(r[14] / 50) {}

    Point next() {
        const double t = m.t;
        const double u = static_cast<double>(trunc32(t)) - t;
        const double v = ((t - H) * (C * t)) / (std::abs(cubicProduct(t, E, G)) + B);
        const double W = v + ((F + m.y) - std::cos(t) * ((u * e1) * u));
        return m.step(W, -D, 0.667);
    }
};

constexpr FormulaFactory kCities[] = {
    factoryOf<Tokyo>(),   factoryOf<Kyoto>(),   factoryOf<NewYork>(), factoryOf<Washington>(),
    factoryOf<Paris>(),   factoryOf<London>(),  factoryOf<Berlin>(),  factoryOf<Beijing>(),
    factoryOf<Moscow>(),  factoryOf<Seoul>(),   factoryOf<Rome>(),    factoryOf<Jerusalem>(),
    factoryOf<Vatican>(), factoryOf<Baghdad>(),
};

} // namespace

std::span<const FormulaFactory> cityFormulas() { return kCities; }

} // namespace orbelle
