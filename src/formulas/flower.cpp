// Category 2, "花詞": eighteen rotation maps of (t, y), each perturbed by a
// term W. Eleven share the power term
//   Pw(p) = (|t|^p C) / (|((t - G) t)(t - E)| H + B)
// and differ only in the exponent p and the display scale; the other seven
// have their own W. Every flower starts at i = 1 and, except "ひまわり", is
// offset by -D. Expressions keep their written grouping: the maps are
// chaotic and a different rounding draws a different figure.

#include "formulas/formula.h"
#include "formulas/rotationmap.h"

#include <iterator>

namespace orbelle {
namespace {

// Constants of the power formulas, and the power term's denominator.
struct PowerConstants {
    double B, C, D, E, F, G, H;

    explicit PowerConstants(const RowValues& r)
        : B(r[7] / 500 * 0.00001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 500), F(r[11] / 500),
          G(r[12] / 10), H(r[13] / 500) {}

    /// |((t - G) t)(t - E)| H + B.
    double denominator(double t) const { return cubicDenominator(t, G, E, H, B); }
};

// A plain power formula: W = Pw(p) + (F + y), offset -D.
template <class Exponent, class Scale> struct PowerFlower {
    static constexpr int kStartIndex = 1;

    RotationMap m;
    PowerConstants k;

    explicit PowerFlower(const RowValues& r) : m(r), k(r) {}

    Point next() {
        const double W =
            (std::pow(std::abs(m.t), ratioValue<Exponent>) * k.C) / k.denominator(m.t) +
            (k.F + m.y);
        return m.step(W, -k.D, ratioValue<Scale>);
    }
};

// Item 0, "桜": the power term with p = 25/24, its numerator weighted by a
// shifted sine.
struct CherryBlossom {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 0.615;

    RotationMap m;
    PowerConstants k;
    double e1;

    explicit CherryBlossom(const RowValues& r) : m(r), k(r), e1(r[14] / 500) {}

    Point next() {
        const double numerator =
            (std::pow(std::abs(m.t), 25.0 / 24.0) * k.C) * ((std::sin(m.t) + 1.0001) + e1);
        const double W = numerator / k.denominator(m.t) + (k.F + m.y);
        return m.step(W, -k.D, kScale);
    }
};

// Item 1, "梅".
using PlumBlossom = PowerFlower<std::ratio<6, 7>, std::ratio<8, 10>>;
// Item 2, "椿".
using Camellia = PowerFlower<std::ratio<15, 10>, std::ratio<267, 1000>>;
// Item 3, "バラ": plotted unscaled.
using Rose = PowerFlower<std::ratio<25, 24>, std::ratio<1>>;

// Item 4, "ひまわり": its own A, and D added inside W instead of as an offset.
struct Sunflower {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 0.133;

    RotationMap m;
    double B, C, D;

    explicit Sunflower(const RowValues& r)
        : m(r), B(r[7] / 50 * 0.01), C(r[8] * 0.5), D(r[9] / 500) {
        m.A = (r[6] / 500 + 499) / 500;
    }

    Point next() {
        const double a = std::atan(m.t);
        const double W = ((C / std::sqrt(a * a + B)) + m.y) + D;
        return m.stepNoOffset(W, kScale);
    }
};

// Item 5, "アジサイ".
struct Hydrangea {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 4.0;

    RotationMap m;
    double B, C, D, E, F;

    explicit Hydrangea(const RowValues& r)
        : m(r), B(r[7] / 500 * 0.0001), C(r[8] / 500), D(r[9] / 200), E(r[10] / 500),
          F(r[11] / 200) {}

    Point next() {
        const double W = C / (std::abs(m.t - E) + B) + (F + m.y);
        return m.step(W, -D, kScale);
    }
};

// Item 6, "ゆり": plotted unscaled.
using Lily = PowerFlower<std::ratio<11, 10>, std::ratio<1>>;
// Item 7, "すずらん".
using LilyOfTheValley = PowerFlower<std::ratio<75, 100>, std::ratio<4, 10>>;
// Item 8, "チューリップ".
using Tulip = PowerFlower<std::ratio<7, 6>, std::ratio<8, 10>>;

// Constants of "アサガオ" and "シクラメン", which share a triangle wave and
// the rational term ((t - H) C) / (|((t - E) t)(t - G)| + B).
struct VineConstants {
    double B, C, D, E, F, G, H, e1, e2, e3;

    explicit VineConstants(const RowValues& r)
        : B(r[7] / 500 * 0.0001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 500), F(r[11] / 500),
          G(r[12] / 5000), H(r[13] / 500), e1(r[14] / 500), e2(r[15] / 500), e3(r[16] / 500) {}

    double rational(double t) const {
        return ((t - H) * C) / (std::abs(cubicProduct(t, E, G)) + B);
    }
};

// Item 9, "アサガオ".
struct MorningGlory {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 0.571;

    RotationMap m;
    VineConstants k;

    explicit MorningGlory(const RowValues& r) : m(r), k(r) {}

    Point next() {
        const double W = (tri(k.e2 * m.t - k.e3) * k.e1 + (k.F + m.y)) + k.rational(m.t);
        return m.step(W, -k.D, kScale);
    }
};

// Item 10, "コスモス".
using Cosmos = PowerFlower<std::ratio<9, 10>, std::ratio<8, 10>>;

// Item 11, "ひなげし".
struct Poppy {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 2.22;

    RotationMap m;
    double B, C, D, E, F;

    explicit Poppy(const RowValues& r)
        : m(r), B(r[7] / 500 * 0.00001), C(r[8] / 50), D(r[9] / 100), E(r[10] / 500),
          F(r[11] / 1000) {}

    Point next() {
        const double d = m.t - E;
        const double W = C / std::sqrt(d * d + B) + (F + m.y);
        return m.step(W, -D, kScale);
    }
};

// Item 12, "キンモクセイ".
struct Osmanthus {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 0.4;

    RotationMap m;
    double B, C, D, E, F, G;

    explicit Osmanthus(const RowValues& r)
        : m(r), B(r[7] / 500 * 0.00001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 10), F(r[11] / 500),
          G(r[12] / 500) {}

    Point next() {
        const double W =
            (std::sqrt(std::abs(m.t - E)) * C) / (std::log(std::abs(m.t) * G + 0.5) + B) +
            (F + m.y);
        return m.step(W, -D, kScale);
    }
};

// Item 13, "キキョウ".
using Bellflower = PowerFlower<std::ratio<10, 9>, std::ratio<8, 10>>;
// Item 14, "アネモネ".
using Anemone = PowerFlower<std::ratio<4, 3>, std::ratio<444, 1000>>;
// Item 15, "スイセン".
using Narcissus = PowerFlower<std::ratio<8, 10>, std::ratio<571, 1000>>;

// Item 16, "パンジー".
struct Pansy {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 2.0;

    RotationMap m;
    double B, C, D, E, F, G, H, e1;

    explicit Pansy(const RowValues& r)
        : m(r), B(r[7] / 500 * 0.0001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 500), F(r[11] / 500),
          G(r[12] / 500), H(r[13] / 500), e1(r[14] / 50) {}

    Point next() {
        const double W = (triScaled(e1 * m.t - G, H) * C) / (std::abs(m.t - E) + B) + (F + m.y);
        return m.step(W, -D, kScale);
    }
};

// Item 17, "シクラメン": "アサガオ" with a second triangle wave.
struct Cyclamen {
    static constexpr int kStartIndex = 1;
    static constexpr double kScale = 0.444;

    RotationMap m;
    VineConstants k;
    double e4, e5, e6;

    explicit Cyclamen(const RowValues& r)
        : m(r), k(r), e4(r[17] / 500), e5(r[18] / 500), e6(r[19] / 500) {}

    Point next() {
        const double second = tri(e5 * m.t - e4) * e6 + (k.F + m.y);
        const double W = (tri(k.e2 * m.t - k.e3) * k.e1 + second) + k.rational(m.t);
        return m.step(W, -k.D, kScale);
    }
};

constexpr FormulaFactory kFlowers[] = {
    factoryOf<CherryBlossom>(), factoryOf<PlumBlossom>(),     factoryOf<Camellia>(),
    factoryOf<Rose>(),          factoryOf<Sunflower>(),       factoryOf<Hydrangea>(),
    factoryOf<Lily>(),          factoryOf<LilyOfTheValley>(), factoryOf<Tulip>(),
    factoryOf<MorningGlory>(),  factoryOf<Cosmos>(),          factoryOf<Poppy>(),
    factoryOf<Osmanthus>(),     factoryOf<Bellflower>(),      factoryOf<Anemone>(),
    factoryOf<Narcissus>(),     factoryOf<Pansy>(),           factoryOf<Cyclamen>(),
};
static_assert(std::size(kFlowers) == 18);

} // namespace

std::span<const FormulaFactory> flowerFormulas() { return kFlowers; }

} // namespace orbelle
