// Category 3, "占星": eighteen rotation maps of (t, y), each perturbed by a
// term W and offset by -D. The first nine share one shape,
//   W = (f(e1 t - e2) C) / (|G t - H| E + B) + (F + y),
// and differ only in the shaping function f and the display scale. Three are
// symmetric maps in which t and y play the same part. Expressions keep their
// written grouping: the maps are chaotic and a different rounding draws a
// different figure.

#include "formulas/formula.h"
#include "formulas/rotationmap.h"

#include <iterator>

namespace orbelle {
namespace {

/// |((t - G) t)(t - E)| H, the cubic well of several cards.
double cubicWell(double t, double G, double E, double H) {
    return std::abs(cubicProduct(t, G, E)) * H;
}

/// |(a - G)(a - E)| + B, the quadratic well of several cards.
double quadraticWell(double a, double G, double E, double B) {
    return std::abs((a - G) * (a - E)) + B;
}

// Items 0 to 8: the shaped cards, f applied to a linear term in t.
template <double (*Shape)(double), class Scale> struct ShapedCard {
    static constexpr int kStartIndex = 1;

    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2;

    explicit ShapedCard(const RowValues& r)
        : m(r), B(r[7] / 500 * 0.00001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 500),
          F(r[11] / 500), G(r[12] / 500), H(r[13] / 500), e1(r[14] / 500), e2(r[15] / 500) {}

    Point next() {
        const double W = (Shape(e1 * m.t - e2) * C) / (std::abs(G * m.t - H) * E + B) + (F + m.y);
        return m.step(W, -D, ratioValue<Scale>);
    }
};

// Item 0, "愚者".
using Fool = ShapedCard<fracPow8, std::ratio<5>>;
// Item 1, "魔術師".
using Magician = ShapedCard<fracPow10, std::ratio<667, 100>>;
// Item 2, "女教皇".
using HighPriestess = ShapedCard<asinFracSq, std::ratio<333, 100>>;
// Item 3, "女帝".
using Empress = ShapedCard<fracPow9, std::ratio<666, 100>>;
// Item 4, "皇帝".
using Emperor = ShapedCard<fracPow7, std::ratio<8>>;
// Item 5, "教皇".
using Hierophant = ShapedCard<sinQuarter4, std::ratio<333, 100>>;
// Item 6, "恋人".
using Lovers = ShapedCard<fracPow6, std::ratio<5>>;
// Item 7, "戦車".
using Chariot = ShapedCard<fracSq, std::ratio<4>>;
// Item 8, "正義".
using Justice = ShapedCard<sinQuarterSq, std::ratio<2>>;

// Item 9, "隠者": frac of the linear term over the cubic well.
struct Hermit {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 2.0;

    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2;

    explicit Hermit(const RowValues& r)
        : m(r), B(r[7] / 500 * 0.00001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 10), F(r[11] / 500),
          G(r[12] / 10), H(r[13] / 500), e1(r[14] / 500), e2(r[15] / 500) {}

    Point next() {
        const double W =
            (frac(e1 * m.t - e2) * (C * m.t)) / (cubicWell(m.t, G, E, H) + B) + (F + m.y);
        return m.step(W, -D, kScale);
    }
};

/// One step of a symmetric map: V = P(y, t) takes the place of t in the
/// rotation, W = P(t, y) is the perturbation; both come from the state before
/// the step.
Point symmetricStep(RotationMap& m, double V, double W, double D, double scale) {
    m.t = V; // the rotation reads t only here, before it overwrites the state
    return m.step(W, -D, scale);
}

// Constants of "運命の輪" and "力".
struct WheelConstants {
    double B, C, D, E, F, G, H;

    explicit WheelConstants(const RowValues& r)
        : B(r[7] / 500 * 0.0001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 500), F(r[11] / 500),
          G(r[12] / 500), H(r[13] / 500) {}
};

// Item 10, "運命の輪": symmetric, P(a, b) = ((a - H) C) / (|(a - G)(a - E)| + B) + (F + b);
// plotted unscaled.
struct WheelOfFortune {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 1.0;

    RotationMap m;
    WheelConstants k;

    explicit WheelOfFortune(const RowValues& r) : m(r), k(r) {}

    double P(double a, double b) const {
        return ((a - k.H) * k.C) / quadraticWell(a, k.G, k.E, k.B) + (k.F + b);
    }

    Point next() { return symmetricStep(m, P(m.y, m.t), P(m.t, m.y), k.D, kScale); }
};

// Item 11, "力": symmetric, P(a, b) = (atan(e1 a - H) C) / (|(a - G)(a - E)| + B) + (F + b).
struct Strength {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 1.33;

    RotationMap m;
    WheelConstants k;
    double e1;

    explicit Strength(const RowValues& r) : m(r), k(r), e1(r[14] / 500) {}

    double P(double a, double b) const {
        return (std::atan(e1 * a - k.H) * k.C) / quadraticWell(a, k.G, k.E, k.B) + (k.F + b);
    }

    Point next() { return symmetricStep(m, P(m.y, m.t), P(m.t, m.y), k.D, kScale); }
};

// Item 12, "吊された男": symmetric, P(a, b) = C / (atan(|a - E|) + B) + (F + b).
struct HangedMan {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 1.33;

    RotationMap m;
    double B, C, D, E, F;

    explicit HangedMan(const RowValues& r)
        : m(r), B(r[7] / 500 * 0.0001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 500),
          F(r[11] / 500) {}

    double P(double a, double b) const { return C / (std::atan(std::abs(a - E)) + B) + (F + b); }

    Point next() { return symmetricStep(m, P(m.y, m.t), P(m.t, m.y), D, kScale); }
};

// Item 13, "節制".
struct Temperance {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 0.235;

    RotationMap m;
    double B, C, D, E, F, G, H;

    explicit Temperance(const RowValues& r)
        : m(r), B(r[7] / 500 * 0.0001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 500), F(r[11] / 500),
          G(r[12] / 5000), H(r[13] / 500) {}

    Point next() {
        const double W = ((m.t - H) * C) / (std::abs(std::sinh(m.t * G - E)) + B) + (m.y + F);
        return m.step(W, -D, kScale);
    }
};

// Constants of "塔" and "星".
struct TowerConstants {
    double B, C, D, E, F, G, H, e1, e2;

    explicit TowerConstants(const RowValues& r)
        : B(r[7] / 500 * 0.000000001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 10), F(r[11] / 500),
          G(r[12] / 10), H(r[13] / 500), e1(r[14] / 50), e2(r[15] / 50) {}
};

// Item 14, "塔".
struct Tower {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 1.33;

    RotationMap m;
    TowerConstants k;

    explicit Tower(const RowValues& r) : m(r), k(r) {}

    Point next() {
        const double well = cubicWell(m.t, k.G, k.E, k.H);
        const double W = ((m.t - k.e1) * k.C) / (well + std::tan(m.t - k.e2) * k.B) + (k.F + m.y);
        return m.step(W, -k.D, kScale);
    }
};

// Item 15, "星".
struct Star {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 1.33;

    RotationMap m;
    TowerConstants k;
    double e3;

    explicit Star(const RowValues& r) : m(r), k(r), e3(r[16] / 50) {}

    Point next() {
        const double well = cubicWell(m.t, k.G, k.E, k.H);
        const double W =
            (((m.t - k.e1) * k.C) * (m.t - k.e2)) / (well + std::exp(m.t - e3) * k.B) + (k.F + m.y);
        return m.step(W, -k.D, kScale);
    }
};

// Item 16, "審判".
struct Judgement {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 2.0;

    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2, e3;

    explicit Judgement(const RowValues& r)
        : m(r), B(r[7] / 500 * 0.0001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 500), F(r[11] / 500),
          G(r[12] / 500), H(r[13] / 500), e1(r[14] / 500), e2(r[15] / 500), e3(r[16] / 500) {}

    Point next() {
        const double u = ((std::sin(m.t - e1) * (m.t - H)) * C) / quadraticWell(m.t, G, E, B);
        const double W = u + (std::cos(e2 * m.t) * e3 + (F + m.y));
        return m.step(W, -D, kScale);
    }
};

// Item 17, "世界": D is added inside W and subtracted again by the offset;
// starts at i = 0 and is plotted unscaled.
struct World {
    static constexpr int kStartIndex = 0;
    static constexpr double kScale = 1.0;

    RotationMap m;
    double B, C, D, E;

    explicit World(const RowValues& r)
        : m(r), B(r[7] / 50 * 0.01), C(r[8] / 100), D(r[9] / 500), E((r[10] / 500) * 10) {}

    Point next() {
        const double wave = (std::sqrt(std::abs(m.t)) * m.t) * std::sin(E * m.t);
        const double W = ((C / (std::abs(wave) + B)) + m.y) + D;
        return m.step(W, -D, kScale);
    }
};

constexpr FormulaFactory kCards[] = {
    factoryOf<Fool>(),      factoryOf<Magician>(),       factoryOf<HighPriestess>(),
    factoryOf<Empress>(),   factoryOf<Emperor>(),        factoryOf<Hierophant>(),
    factoryOf<Lovers>(),    factoryOf<Chariot>(),        factoryOf<Justice>(),
    factoryOf<Hermit>(),    factoryOf<WheelOfFortune>(), factoryOf<Strength>(),
    factoryOf<HangedMan>(), factoryOf<Temperance>(),     factoryOf<Tower>(),
    factoryOf<Star>(),      factoryOf<Judgement>(),      factoryOf<World>(),
};
static_assert(std::size(kCards) == 18);

} // namespace

std::span<const FormulaFactory> astrologyFormulas() { return kCards; }

} // namespace orbelle
