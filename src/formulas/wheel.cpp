// Category 7, "車輪": fifteen rotation maps of (t, y), contracted by A, perturbed
// by a term W and shifted by +D (items 0 to 7 and 13) or -D (the others). The
// +D items divide C by a damped, exponentially growing term; the -D items by
// tangent terms. Every expression is evaluated in exactly the grouping written
// here: the maps are chaotic and a different rounding draws a different figure.

#include "formulas/formula.h"
#include "formulas/rotationmap.h"

namespace orbelle {
namespace {

double natExp(double v) { return std::exp(v); }
double powTwo(double v) { return std::exp2(v); }
double sine(double v) { return std::sin(v); }
double cosine(double v) { return std::cos(v); }

/// ((t t) t) t.
double quartic(double t) { return ((t * t) * t) * t; }

// ---- Items 0 to 7 and 13: W = C / den + (F + y), shifted by +D ---------------

/// How B, e4 and e6 are scaled: B = (r7 / 50) b, e4 = r17 / e4, e6 = r19 / e6.
struct DampedScaling {
    double b, e4, e6;
};
constexpr DampedScaling kCoarse{0.1, 500000, 500};                // items 0, 1, 2, 4, 5, 6
constexpr DampedScaling kFine{0.01, 5000000000.0, 50000000000.0}; // items 3, 7, 13

struct DampedRows {
    static constexpr int kStartIndex = 0;
    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2, e3, e4, e5, e6;
    DampedRows(const RowValues& r, const DampedScaling& k)
        : m(r), B((r[7] / 50) * k.b), C(r[8] / 100), D(r[9] / 500), E(r[10] / 500), F(r[11] / 500),
          G(r[12] / 500), H(r[13] / 50), e1(r[14] / 500), e2(r[15] / 500), e3(r[16] / 500),
          e4(r[17] / k.e4), e5(r[18] / 500), e6(r[19] / k.e6) {}

    /// Damped term |((grow(e4 t - e3) e2) t) wave((E t) t - shift)| + B.
    template <double (*Grow)(double), double (*Wave)(double)>
    double damped(double t, double shift) const {
        const double u = (Grow(e4 * t - e3) * e2) * t;
        return std::abs(u * Wave((E * t) * t - shift)) + B;
    }
    /// tri(e1 / x + G) H.
    double triTerm(double x) const { return tri(e1 / x + G) * H; }
    /// C / den + (F + y), with the y of the start of the iteration.
    double over(double den) const { return C / den + (F + m.y); }
    /// The zero guard: a state t of exactly 0 becomes 1e-14 for the whole step.
    double guardedT() { return m.t = guardZero(m.t, 1e-14); }
};

// Item 0, "レクサス".
struct Lexus : DampedRows {
    explicit Lexus(const RowValues& r) : DampedRows(r, kCoarse) {}
    Point next() {
        const double t = guardedT();
        const double u = damped<natExp, sine>(t, e5) - std::cos(t) * (e6 * t);
        return m.step(over(guardedDenominator(u, t, e1, G, H)), D, 13.3);
    }
};

// Item 1, "ロードスター".
struct Roadster : DampedRows {
    explicit Roadster(const RowValues& r) : DampedRows(r, kCoarse) {}
    Point next() {
        const double t = m.t;
        const double u = std::abs((std::log(std::abs(t)) * t) * std::sin((E * t) * t)) + B;
        return m.step(over(tri((e1 * t) * t + G) * H + u), D, 8.0);
    }
};

// Item 2, "フェアレディ".
struct Fairlady : DampedRows {
    explicit Fairlady(const RowValues& r) : DampedRows(r, kCoarse) {}
    Point next() {
        const double t = m.t;
        const double u = std::abs(std::sin((E * t) * t) * t) + B;
        return m.step(over(tri((e1 * t) * t + G) * H + u), D, 10.0);
    }
};

// Item 3, "ポルシェ": the root guard keeps e1 / q finite when sin t is 0.
struct Porsche : DampedRows {
    explicit Porsche(const RowValues& r) : DampedRows(r, kFine) {}
    Point next() {
        const double t = m.t;
        const double q = rootGuard(std::sin(t));
        const double u = damped<natExp, sine>(t, e5) + std::abs(std::cos(t) * (quartic(t) * e6));
        return m.step(over(triTerm(q) + u), D, 13.3);
    }
};

// Item 4, "フェラーリ": powers of two and a cosine wave.
struct Ferrari : DampedRows {
    explicit Ferrari(const RowValues& r) : DampedRows(r, kCoarse) {}
    Point next() {
        const double t = guardedT();
        const double u = damped<powTwo, cosine>(t, e5);
        return m.step(over(triTerm(t) + u), D, 13.3);
    }
};

// Item 5, "ランボルギーニ": no shift in the wave (e5 unused).
struct Lamborghini : DampedRows {
    explicit Lamborghini(const RowValues& r) : DampedRows(r, kCoarse) {}
    Point next() {
        const double t = guardedT();
        const double u = damped<natExp, sine>(t, 0.0);
        return m.step(over(triTerm(t) + u), D, 13.3);
    }
};

// Item 6, "ワーゲン": powers of two.
struct Wagen : DampedRows {
    explicit Wagen(const RowValues& r) : DampedRows(r, kCoarse) {}
    Point next() {
        const double t = guardedT();
        const double u = damped<powTwo, sine>(t, e5) - std::cos(t) * e6;
        return m.step(over(guardedDenominator(u, t, e1, G, H)), D, 13.3);
    }
};

// Item 7, "キャデラック".
struct Cadillac : DampedRows {
    explicit Cadillac(const RowValues& r) : DampedRows(r, kFine) {}
    Point next() {
        const double t = m.t;
        const double q = rootGuard(std::sin(t));
        const double u = damped<natExp, sine>(t, e5) - std::cos(t) * (quartic(t) * e6);
        return m.step(over(guardedDenominator(u, q, e1, G, H)), D, 13.3);
    }
};

// Item 13, "ルノー": item 3 with the zero guard on t in place of the root guard.
struct Renault : DampedRows {
    explicit Renault(const RowValues& r) : DampedRows(r, kFine) {}
    Point next() {
        const double t = guardedT();
        const double u = damped<natExp, sine>(t, e5) + std::abs(std::cos(t) * (quartic(t) * e6));
        return m.step(over(triTerm(t) + u), D, 13.3);
    }
};

// ---- Items 8 to 11: W = ((t - e1)(C t)) / (d H + B) + (F + y), shifted by -D -

struct TangentRows {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2, e3, e4, e5, e6;
    explicit TangentRows(const RowValues& r)
        : m(r), B((r[7] / 500) * 0.00001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 500),
          F(r[11] / 500), G(r[12] / 500), H(r[13] / 500), e1(r[14] / 500), e2(r[15] / 500),
          e3(r[16] / 500), e4(r[17] / 500), e5(r[18] / 500), e6(r[19] / 500) {}

    /// ((t - e1)(C t)) / (d H + B) + (F + y), with the state at the start of the iteration.
    double quotient(double d) const {
        const double t = m.t;
        return ((t - e1) * (C * t)) / (d * H + B) + (F + m.y);
    }
};

// Item 8, "フォード".
struct Ford : TangentRows {
    using TangentRows::TangentRows;
    Point next() {
        const double t = m.t;
        const double v = std::tan((G * t) * t - e3) * E;
        const double d = std::abs(v * std::tan((e5 * t) * t - e4)) + std::abs((t - e2) * t);
        return m.step(quotient(d), -D, 3.33);
    }
};

// Item 9, "シボレー".
struct Chevrolet : TangentRows {
    using TangentRows::TangentRows;
    Point next() {
        const double t = m.t;
        const double d = std::abs(std::tan((G * t) * t - e3) * E) + std::abs((t - e2) * t);
        return m.step(quotient(d), -D, 4.0);
    }
};

// Item 10, "ロータス".
struct Lotus : TangentRows {
    using TangentRows::TangentRows;
    Point next() {
        const double t = m.t;
        const double g = G * t;
        const double w = std::tan(g - e3) * E;
        const double d = std::abs(w * std::tan(g - e4)) + std::abs((t - e2) * t);
        return m.step(quotient(d), -D, 2.67);
    }
};

// Item 11, "ジャガー".
struct Jaguar : TangentRows {
    using TangentRows::TangentRows;
    Point next() {
        const double t = m.t;
        const double v = std::abs(std::sin((e5 * t) * t - e6) * e4 + (t - e2) * t);
        const double d = v + std::abs(std::tan((G * t) * t - e3) * E);
        return m.step(quotient(d), -D, 5.0);
    }
};

// ---- Items 12 and 14: W = C / (|u tan(H t - e1)| + B) + (F + y), -D ----------

struct TanProductRows {
    static constexpr int kStartIndex = 0;
    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2, e3;
    explicit TanProductRows(const RowValues& r)
        : m(r), B((r[7] / 50) * 0.01), C(r[8] / 100), D(r[9] / 500), E(r[10] / 500), F(r[11] / 500),
          G(r[12] / 500), H(r[13] / 5000), e1(r[14] / 500), e2(r[15] / 500), e3(r[16] / 500) {}

    double perturbation(double u) const {
        const double t = m.t;
        return C / (std::abs(u * std::tan(H * t - e1)) + B) + (F + m.y);
    }
};

// Item 12, "ボルボ", plotted unscaled.
struct Volvo : TanProductRows {
    using TanProductRows::TanProductRows;
    Point next() {
        const double t = m.t;
        const double u = (((std::sqrt(std::abs(t - e3)) * G) * (e3 + t)) + e2) * E;
        return m.step(perturbation(u), -D, 1.0);
    }
};

// Item 14, "アウディ" (e3 unused).
struct Audi : TanProductRows {
    using TanProductRows::TanProductRows;
    Point next() {
        const double t = m.t;
        return m.step(perturbation(((G * t) * t + e2) * E), -D, 1.14);
    }
};

constexpr FormulaFactory kWheels[] = {
    factoryOf<Lexus>(),   factoryOf<Roadster>(),    factoryOf<Fairlady>(), factoryOf<Porsche>(),
    factoryOf<Ferrari>(), factoryOf<Lamborghini>(), factoryOf<Wagen>(),    factoryOf<Cadillac>(),
    factoryOf<Ford>(),    factoryOf<Chevrolet>(),   factoryOf<Lotus>(),    factoryOf<Jaguar>(),
    factoryOf<Volvo>(),   factoryOf<Renault>(),     factoryOf<Audi>(),
};

} // namespace

std::span<const FormulaFactory> wheelFormulas() { return kWheels; }

} // namespace orbelle
