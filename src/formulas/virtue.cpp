// Category 9, "仁徳": fifteen rotation maps of (t, y), each perturbed by its own
// term W and shifted by -D. "義" and "礼" turn a second term V in place of t, and
// "孝" applies no offset after the rotation. Every expression is evaluated in
// exactly the grouping written here; the maps are chaotic and a different
// rounding draws a different figure.

#include "formulas/formula.h"
#include "formulas/rotationmap.h"

namespace orbelle {
namespace {

// ((t - a) t) (t - b), the product taken left to right.

// The rotation with V turned in place of t; the new state is (X, Y) as usual.
Point stepTurningV(RotationMap& m, double V, double W, double delta) {
    const double X = ((m.c * V) - ((m.A * W) * m.s)) + delta;
    const double Y = ((W * m.c) + (((m.A * V) * m.K) * m.s)) + delta;
    m.t = X;
    m.y = Y;
    return {X, Y};
}

// The constants of "仁", "和" and the power items, and their common perturbation
// W = (numerator C) / (abs(P(t)) H + B) + (F + y) with P(t) = ((t - G) t)(t - E).
struct CubicQuotient {
    RotationMap m;
    double B, C, D, E, F, G, H;

    explicit CubicQuotient(const RowValues& r)
        : m(r), B((r[7] / 500) * 0.00001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 500),
          F(r[11] / 500), G(r[12] / 10), H(r[13] / 500) {}

    Point step(double numerator, double scale) {
        const double t = m.t;
        const double W = (numerator * C) / cubicDenominator(t, G, E, H, B) + (F + m.y);
        return m.step(W, -D, scale);
    }
};

// Items 4, 5, 7, 8 and 12: the cubic quotient over pow(abs(t), p).
struct PowerStep {
    static constexpr int kStartIndex = 1;
    CubicQuotient x;
    double p, scale;

    PowerStep(const RowValues& r, double exponent, double displayScale)
        : x(r), p(exponent), scale(displayScale) {}
    Point next() { return x.step(std::pow(std::abs(x.m.t), p), scale); }
};

// Item 0, "仁".
struct Benevolence {
    static constexpr int kStartIndex = 1;
    CubicQuotient x;
    double e1, e2;

    explicit Benevolence(const RowValues& r) : x(r), e1(r[14] / 500), e2(r[15] / 500) {}

    Point next() {
        const double t = x.m.t;
        const double u = std::pow(std::abs(t), 1.0833333333333333);
        return x.step(tri(e1 * t) * e2 + u, 0.444);
    }
};

// Item 1, "義": V mirrors W with t and y exchanged, but adds E and G to y.
struct Righteousness {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    double B, C, D, E, F, G, H, e1;

    explicit Righteousness(const RowValues& r)
        : m(r), B((r[7] / 500) * 0.0001), C(r[8] / 500), D(r[9] / 500), E(r[10] / 500),
          F(r[11] / 500), G(r[12] / 500), H(r[13] / 500), e1(r[14] / 500) {}

    Point next() {
        const double t = m.t;
        const double y = m.y;
        const double W = ((H * t - e1) * C) / (std::abs(cubicProduct(t, E, G)) + B) + (F + y);
        const double V = ((H * y - e1) * C) / (std::abs(((E + y) * y) * (G + y)) + B) + (F + t);
        return stepTurningV(m, V, W, -D);
    }
};

// Item 2, "礼": V is W with t and y exchanged.
struct Propriety {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    double B, C, D, E, F, G;

    explicit Propriety(const RowValues& r)
        : m(r), B((r[7] / 500) * 0.0001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 500),
          F(r[11] / 500), G(r[12] / 500) {}

    double term(double a, double b) const {
        return C / (std::abs((a - G) * (a - E)) + B) + (F + b);
    }

    Point next() {
        const double W = term(m.t, m.y);
        const double V = term(m.y, m.t);
        return stepTurningV(m, V, W, -D);
    }
};

// Item 3, "智".
struct Wisdom {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    double B, C, D, E;

    explicit Wisdom(const RowValues& r)
        : m(r), B(r[7] / 500), C(r[8] / 50000), D(r[9] / 50), E(r[10] / 500) {}

    Point next() {
        const double t = m.t;
        const double u = std::exp(-std::abs(t)) * C;
        const double W = (u + (std::sin(t * t) * B + m.y)) + E;
        return m.step(W, -D, 10.0);
    }
};

// Item 4, "忠".
struct Loyalty : PowerStep {
    explicit Loyalty(const RowValues& r) : PowerStep(r, 1.0769230769230769, 1.0) {}
};

// Item 5, "信".
struct Faith : PowerStep {
    explicit Faith(const RowValues& r) : PowerStep(r, 0.967741935483871, 0.5) {}
};

// Item 6, "孝": "定数Ｅ" is the plain integer k of triScaled; D enters only
// through W and the rotated point is not shifted.
struct Filiality {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    double B, C, D, k;

    explicit Filiality(const RowValues& r)
        : m(r), B((r[7] / 50) * 0.01), C(r[8] / 100), D(r[9] / 500), k(r[10]) {}

    Point next() {
        const double t = m.t;
        const double u = std::log(std::abs(t)) * t;
        const double W = (C / (std::abs(triScaled(t, k) * u) + B) + m.y) + D;
        return m.stepNoOffset(W, 5.71);
    }
};

// Item 7, "悌".
struct Brotherhood : PowerStep {
    explicit Brotherhood(const RowValues& r) : PowerStep(r, 1.0333333333333334, 0.5) {}
};

// Item 8, "天".
struct Heaven : PowerStep {
    explicit Heaven(const RowValues& r) : PowerStep(r, 1.1428571428571428, 0.667) {}
};

// Items 9 and 10: W = numerator / ((t - E)(t - E) + B) + (F + y).
struct SquareQuotient {
    RotationMap m;
    double B, C, D, E, F;

    explicit SquareQuotient(const RowValues& r)
        : m(r), B((r[7] / 500) * 0.001), C(r[8] / 500), D(r[9] / 100), E(r[10] / 500),
          F(r[11] / 100) {}

    Point step(double numerator, double scale) {
        const double t = m.t;
        const double W = numerator / ((t - E) * (t - E) + B) + (F + m.y);
        return m.step(W, -D, scale);
    }
};

// Item 9, "地".
struct Earth {
    static constexpr int kStartIndex = 1;
    SquareQuotient x;
    explicit Earth(const RowValues& r) : x(r) {}
    Point next() { return x.step(x.C, 1.6); }
};

// Item 10, "人".
struct Humanity {
    static constexpr int kStartIndex = 1;
    SquareQuotient x;
    double G;
    explicit Humanity(const RowValues& r) : x(r), G(r[12] / 500) {}
    Point next() { return x.step((x.m.t - G) * x.C, 1.14); }
};

// Item 11, "知".
struct Knowledge {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2;

    explicit Knowledge(const RowValues& r)
        : m(r), B((r[7] / 500) * 0.0001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 500),
          F(r[11] / 500), G(r[12] / 5000), H(r[13] / 500), e1(r[14] / 500), e2(r[15] / 500) {}

    Point next() {
        const double t = m.t;
        const double u = std::sqrt(std::abs(t - H)) * C;
        const double W =
            u / (std::abs(std::sinh(e1 * t + e2) * std::sinh(G * t - E)) + B) + (F + m.y);
        return m.step(W, -D, 0.133);
    }
};

// Item 12, "徳".
struct Virtue : PowerStep {
    explicit Virtue(const RowValues& r) : PowerStep(r, 0.9444444444444444, 0.333) {}
};

// Item 13, "楽": t = 0 is replaced by 1e-14 in the state before the step.
struct Joy {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2;

    explicit Joy(const RowValues& r)
        : m(r), B((r[7] / 500) * 0.0001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 10),
          F(r[11] / 500), G(r[12] / 10), H(r[13] / 500), e1(r[14] / 500), e2(r[15] / 500) {}

    Point next() {
        m.t = guardZero(m.t, 1e-14);
        const double t = m.t;
        const double swing = std::sin(e2 / t - E) * (H * t) + ((t - G) * e1) * t;
        const double W = C / (std::abs(swing) + B) + (F + m.y);
        return m.step(W, -D, 1.0);
    }
};

// Item 14, "和": t = 0 is replaced by 1e-14 in the state before the step.
struct Harmony {
    static constexpr int kStartIndex = 1;
    CubicQuotient x;
    double e1, e2;

    explicit Harmony(const RowValues& r) : x(r), e1(r[14] / 500), e2(r[15] / 500) {}

    Point next() {
        x.m.t = guardZero(x.m.t, 1e-14);
        const double t = x.m.t;
        const double u = std::pow(std::abs(t), 1.3333333333333333);
        return x.step(u - frac(e2 / t) * e1, 0.444);
    }
};

constexpr FormulaFactory kVirtues[] = {
    factoryOf<Benevolence>(), factoryOf<Righteousness>(), factoryOf<Propriety>(),
    factoryOf<Wisdom>(),      factoryOf<Loyalty>(),       factoryOf<Faith>(),
    factoryOf<Filiality>(),   factoryOf<Brotherhood>(),   factoryOf<Heaven>(),
    factoryOf<Earth>(),       factoryOf<Humanity>(),      factoryOf<Knowledge>(),
    factoryOf<Virtue>(),      factoryOf<Joy>(),           factoryOf<Harmony>(),
};

} // namespace

std::span<const FormulaFactory> virtueFormulas() { return kVirtues; }

} // namespace orbelle
