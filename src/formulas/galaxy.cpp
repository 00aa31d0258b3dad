// Category 1, "銀河": eighteen formulas named after the sun, planets, moons and
// stars. Seventeen are rotation maps of (t, y) perturbed by their own term W;
// "シリウス" is a map of its own. Every expression is evaluated in exactly the
// grouping written here; the maps are chaotic and a different rounding draws a
// different figure.

#include "formulas/formula.h"
#include "formulas/rotationmap.h"

#include <iterator>

namespace orbelle {
namespace {

// ---- Shared shapes ---------------------------------------------------------

inline double identity(double v) { return v; }

// Items 1 and 6: W = first(G t - e2) e1 + (F + y) + num((E t) t - H) C /
// (|(E t) t + H| + B), grouped left to right, the last term being
// (num(...) C) / (...). "地球" has first = arcUpper, num = identity and
// G = r12 / 5000; "木星" has frac for both and G = r12 / 50000.
template <double (*kFirst)(double), double (*kNumerator)(double), int kGDivisor>
struct ShapedRational {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 0.222;

    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2;

    explicit ShapedRational(const RowValues& r)
        : m(r), B(r[7] / 500 * 0.01), C(r[8] / 5), D(r[9] / 500), E(r[10] / 500), F(r[11] / 500),
          G(r[12] / kGDivisor), H(r[13] / 50), e1(r[14] / 50), e2(r[15] * 500) {}

    Point next() {
        const double t = m.t;
        const double et2 = (E * t) * t;
        const double W = (kFirst(G * t - e2) * e1 + (F + m.y)) +
                         (kNumerator(et2 - H) * C) / (std::abs(et2 + H) + B);
        return m.step(W, -D, kScale);
    }
};

// The wave of items 4 and 9: sin(t - G) cos(t - F) sin(t t) + cos(H + t) +
// sin(t - H), grouped left to right.
inline double planetWave(double t, double F, double G, double H) {
    return (((std::sin(t - G) * std::cos(t - F)) * std::sin(t * t)) + std::cos(H + t)) +
           std::sin(t - H);
}

// ---- The eighteen formulas ---------------------------------------------------

// Item 0, "太陽".
struct Sun {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 10.0;

    RotationMap m;
    double B, C, D, E;

    explicit Sun(const RowValues& r)
        : m(r), B(r[7] / 500), C(r[8] / 50000), D(r[9] / 50), E((r[10] / 500) * -5) {}

    Point next() {
        const double t = m.t;
        const double v = std::sin(t);
        const double p = ((std::sin(t * t) * (std::cos(t) * v) + v) * B) + m.y;
        const double W = (p + (std::exp((t * E) * t) * (std::tan(t) * C))) + D;
        return m.step(W, -D, kScale);
    }
};

// Item 1, "地球".
using Earth = ShapedRational<arcUpper, identity, 5000>;

// Item 2, "月".
struct Moon {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 0.4;

    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2, e3;

    explicit Moon(const RowValues& r)
        : m(r), B(r[7] / 10 * 0.00001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 1000),
          F(r[11] / 500), G(r[12] / 100), H(r[13] / 500), e1(r[14] / 500), e2(r[15] / 500),
          e3(r[16] / 500) {}

    Point next() {
        const double t = m.t;
        const double u = (std::sqrt(std::abs(t - e1)) * (C * t)) / cubicDenominator(t, G, E, H, B);
        const double W = u + (std::sin(e3 * t) * e2 + (F + m.y));
        return m.step(W, -D, kScale);
    }
};

// Item 3, "水星".
struct Mercury {
    static constexpr int kStartIndex = 0;
    static constexpr double kScale = 1.33;

    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2;

    explicit Mercury(const RowValues& r)
        : m(r), B(r[7] / 50 * 0.01), C(r[8] / 100), D(r[9] / 500), E(r[10] / 500), F(r[11] / 500),
          G(r[12] / 500), H(r[13] / 500), e1(r[14] / 500), e2(r[15] / 500) {}

    Point next() {
        const double t = m.t;
        const double g = t - G;
        const double w = std::sin(((t - H) * E) * (t - e1));
        const double W = C / (std::abs(w * std::log(((g * g) + 1) + e2)) + B) + (F + m.y);
        return m.step(W, -D, kScale);
    }
};

// Item 4, "金星".
struct Venus {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 8.0;

    RotationMap m;
    double B, C, D, E, F, G, H;

    explicit Venus(const RowValues& r)
        : m(r), B(r[7] / 500), C(r[8] / 50000), D(r[9] / 50), E((r[10] / 500) * -5), F(r[11] / 500),
          G(r[12] / 500), H(r[13] / 500) {}

    Point next() {
        const double t = m.t;
        const double p = planetWave(t, F, G, H) * B + m.y;
        const double W = (p + (std::exp((E * t) * t) * (std::tan(t) * C))) + D;
        return m.step(W, -D, kScale);
    }
};

// Item 5, "火星".
struct Mars {
    static constexpr int kStartIndex = 0;
    static constexpr double kScale = 1.14;

    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2, e3;

    explicit Mars(const RowValues& r)
        : m(r), B(r[7] / 50 * 0.01), C(r[8] / 100), D(r[9] / 500), E(r[10] / 500), F(r[11] / 500),
          G(r[12] / 500), H(r[13] / 5000), e1(r[14] / 500), e2(r[15] / 500), e3(r[16] / 500) {}

    Point next() {
        const double t = m.t;
        const double u = std::sin(e3 * t) * G + e2;
        const double W = C / (std::abs(u + std::tan(H * t - e1) * E) + B) + (F + m.y);
        return m.step(W, -D, kScale);
    }
};

// Item 6, "木星".
using Jupiter = ShapedRational<frac, frac, 50000>;

// Item 7, "土星".
struct Saturn {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 4.0;

    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2, e3, e4, e5;

    explicit Saturn(const RowValues& r)
        : m(r), B(r[7] / 500 * 0.0001), C(r[8] / 500), D(r[9] / 100), E(r[10] / 500),
          F(r[11] / 100), G(r[12] / 500), H(r[13] / 500), e1(r[14] / 100), e2(r[15] / 500),
          e3(r[16] / 5000), e4(r[17] / 5000), e5(r[18] / 5000) {}

    Point next() {
        const double t = m.t;
        const double u = (std::sqrt(std::abs(t - G)) * C) / (std::abs(t - E) + B);
        const double W =
            (frac((e4 * t) * t + e5) * e3 + (std::sin(e2 * t - e1) * H + (F + m.y))) + u;
        return m.step(W, -D, kScale);
    }
};

// Item 8, "天王星".
struct Uranus {
    static constexpr int kStartIndex = 0;
    static constexpr double kScale = 3.64;

    RotationMap m;
    double B, C, D, E, F, G, H, H1, e1, e2, e3, e4, e5, e6;
    DampedTerm T;

    explicit Uranus(const RowValues& r)
        : m(r), B(r[7] / 50 * 0.0001), C(r[8] / 100), D(r[9] / 500), E(r[10] / 500), F(r[11] / 500),
          G(r[12] / 500), H(r[13] / 50), H1(r[13] / 50 * 0.01), e1(r[14] / 500), e2(r[15] / 500),
          e3(r[16] / 500), e4(r[17] / 5000000000), e5(r[18] / 500),
          e6(r[19] / 50000), T{B, E, e2, e3, e4, e6, e5} {}

    Point next() {
        const double t = m.t;
        const double v = std::sin(t);
        const double q = rootGuard(v);
        const double den = guardedDenominator(T(t), q, e1, G, H);
        const double W = ((F + m.y) + H1 * v) + C / den;
        return m.step(W, D, kScale);
    }
};

// Item 9, "海王星".
struct Neptune {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 8.0;

    RotationMap m;
    double B, C, D, E, F, G, H, e1;

    explicit Neptune(const RowValues& r)
        : m(r), B(r[7] / 500), C(r[8] / 50000), D(r[9] / 50), E((r[10] / 500) * -5), F(r[11] / 500),
          G(r[12] / 500), H(r[13] / 500), e1(r[14] / 500) {}

    Point next() {
        const double t = m.t;
        const double p = planetWave(t, F, G, H) * B + m.y;
        const double mt = (std::tan(e1 + t * t) * C) * std::tan(t);
        const double W = (p + (mt * std::exp((t * E) * t))) + D;
        return m.step(W, -D, kScale);
    }
};

// Item 10, "冥王星".
struct Pluto {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 0.0667;

    RotationMap m;
    double B, C, D, E, F, G, H, e1;

    explicit Pluto(const RowValues& r)
        : m(r), B(r[7] / 10 * 0.00001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 500), F(r[11] / 500),
          G(r[12] / 5000), H(r[13] / 5000), e1(r[14] / 500) {}

    Point next() {
        const double t = m.t;
        const double W =
            (std::tan(t - H) * C) / (std::exp(std::abs(t - e1) * G) * E + B) + (F + m.y);
        return m.step(W, -D, kScale);
    }
};

// Item 11, "フォボス".
struct Phobos {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 0.00667;

    RotationMap m;
    double B, C, D, E, F, G;

    explicit Phobos(const RowValues& r)
        : m(r), B(r[7] / 500 * 0.00001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 500),
          F(r[11] / 500), G(r[12] / 500) {}

    Point next() {
        const double t = m.t;
        const double W = C / (std::abs(std::tan(G * t - E)) + B) + (F + m.y);
        return m.step(W, -D, kScale);
    }
};

// Item 12, "ダイモス".
struct Deimos {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 0.667;

    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2;

    explicit Deimos(const RowValues& r)
        : m(r), B(r[7] / 500 * 0.00001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 500),
          F(r[11] / 500), G(r[12] / 500), H(r[13] / 500), e1(r[14] / 500), e2(r[15] / 500) {}

    Point next() {
        const double t = m.t;
        const double W = (std::sin(e1 * t - e2) * C) / (std::abs(G * t - H) * E + B) + (F + m.y);
        return m.step(W, -D, kScale);
    }
};

// Item 13, "タイタン".
struct Titan {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 0.444;
    static constexpr double kPower = 0.9230769230769231; // 12 / 13

    RotationMap m;
    double B, C, D, E, F, G, H;

    explicit Titan(const RowValues& r)
        : m(r), B(r[7] / 500 * 0.00001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 500),
          F(r[11] / 500), G(r[12] / 10), H(r[13] / 500) {}

    Point next() {
        const double t = m.t;
        const double W =
            (std::pow(std::abs(t), kPower) * C) / cubicDenominator(t, G, E, H, B) + (m.y + F);
        return m.step(W, -D, kScale);
    }
};

// Item 14, "イオ".
struct Io {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 0.5;

    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2, e3;

    explicit Io(const RowValues& r)
        : m(r), B(r[7] / 500 * 0.00001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 500),
          F(r[11] / 500), G(r[12] / 500), H(r[13] / 500), e1(r[14] / 500), e2(r[15] / 500),
          e3(r[16] / 5000) {}

    Point next() {
        const double t = m.t;
        const double a = e1 * t - e2;
        const double u = (std::sin(a) * C) / (std::abs(G * t - H) * E + B);
        const double W = u + (std::cos(a) * e3 + (F + m.y));
        return m.step(W, -D, kScale);
    }
};

// Item 15, "エウロパ": its own A; W adds y itself, without F.
struct Europa {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 4.0;

    RotationMap m;
    double B, C, D, E;

    explicit Europa(const RowValues& r)
        : m(r), B(r[7] / 500 * 0.01), C(r[8] / 500), D(r[9] / 50), E(r[10] / 500) {
        m.A = (r[6] / 500 + 499) / 500;
    }

    Point next() {
        const double t = m.t;
        const double W = std::abs(std::log(std::abs(t)) + D) * E + (C / (t * t + B) + m.y);
        return m.step(W, -D, kScale);
    }
};

// Item 16, "アンタレス": D enters W only; the rotation step has no offset.
struct Antares {
    static constexpr int kStartIndex = 0;
    static constexpr double kScale = 2.25;

    RotationMap m;
    double B, C, D, E;

    explicit Antares(const RowValues& r)
        : m(r), B(r[7] / 50 * 0.01), C(r[8] / 100), D(r[9] / 500), E(r[10] / 500) {}

    Point next() {
        const double t = m.t;
        const double u = std::log(std::abs(t)) * t;
        const double W = ((C / (std::abs(u * std::sin((E * t) * t)) + B)) + m.y) + D;
        return m.stepNoOffset(W, kScale);
    }
};

// Item 17, "シリウス": a map of its own, with θ in thousandths of a radian, its
// own A, and "定数Ｅ" entering both as E = r10 / 450 and as the integer r10.
// Both new values are computed from the old t and y.
struct Sirius {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 1.333;

    RotationMap m; // t, y, K and (overwritten) A, c, s
    double B, Cp, D, E, r10;

    explicit Sirius(const RowValues& r)
        : m(r), B(r[7] / 500), Cp((r[8] / 5) * 5), D(r[9] / 500), E(r[10] / 450), r10(r[10]) {
        m.setAngle(r[2] * 0.001 + kTwoPi / r[1]);
        m.A = (r[6] / 500 + 499) / 500;
    }

    Point next() {
        const double t = m.t;
        const double y = m.y;
        const double c = m.c, s = m.s, A = m.A, K = m.K;
        const double X =
            (((std::sqrt(std::abs(t)) * r10) / 500 + (((c * t) - ((A * y) * s)) - B * t)) +
             Cp / (t * t + E)) +
            D;
        const double Y = (Cp / (y * y + E) + ((std::sqrt(std::abs(y)) * r10) / 500 +
                                              (((((A * t) * K) * s) + (c * y)) - B * y))) +
                         D;
        m.t = X;
        m.y = Y;
        return {X * kScale, Y * kScale};
    }
};

constexpr FormulaFactory kGalaxy[] = {
    factoryOf<Sun>(),     factoryOf<Earth>(),   factoryOf<Moon>(),    factoryOf<Mercury>(),
    factoryOf<Venus>(),   factoryOf<Mars>(),    factoryOf<Jupiter>(), factoryOf<Saturn>(),
    factoryOf<Uranus>(),  factoryOf<Neptune>(), factoryOf<Pluto>(),   factoryOf<Phobos>(),
    factoryOf<Deimos>(),  factoryOf<Titan>(),   factoryOf<Io>(),      factoryOf<Europa>(),
    factoryOf<Antares>(), factoryOf<Sirius>(),
};
static_assert(std::size(kGalaxy) == 18);

} // namespace

std::span<const FormulaFactory> galaxyFormulas() { return kGalaxy; }

} // namespace orbelle
