// Category 4, "遊戯": seventeen rotation maps of (t, y), each perturbed by its
// own term W and shifted by -D; all start at i0 = 1. Four shapes recur in the
// perturbations (quartic, cubic, root-cubic and root terms) and are written
// once below. Every expression is evaluated in exactly the grouping written
// here.

#include "formulas/formula.h"
#include "formulas/rotationmap.h"

namespace orbelle {
namespace {

// ---- Shared shapes ----------------------------------------------------------

/// Quartic term: (((t - e1)(C t))(e1 + t)) / (|(((G + t) t)(t - G))(t - E)| H + B).
double quarticTerm(double t, double B, double C, double E, double G, double H, double e1) {
    const double num = ((t - e1) * (C * t)) * (e1 + t);
    return num / (std::abs((((G + t) * t) * (t - G)) * (t - E)) * H + B);
}

/// Cubic term: C / (|sin(e2 t) e1 + ((t - E) t)(E + t)| + B).
double cubicTerm(double t, double B, double C, double E, double e1, double e2) {
    return C / (std::abs(std::sin(e2 * t) * e1 + ((t - E) * t) * (E + t)) + B);
}

/// Root-cubic term: (sqrt|t - e1| (C t)) / (|((t - G) t)(t - E)| H + B).
double rootCubicTerm(double t, double B, double C, double E, double G, double H, double e1) {
    const double num = std::sqrt(std::abs(t - e1)) * (C * t);
    return num / cubicDenominator(t, G, E, H, B);
}

/// Root term: (sqrt|t - G| C) / (|t - E| + B).
double rootTerm(double t, double B, double C, double E, double G) {
    return (std::sqrt(std::abs(t - G)) * C) / (std::abs(t - E) + B);
}

// ---- Shared constant sets ---------------------------------------------------

// The rows of "チェス" and "ボーリング".
struct ChessRows {
    double B, C, D, E, F, G, H, e1, e2, e3, e4, e5;
    explicit ChessRows(const RowValues& r)
        : B(r[7] / 10 * 0.00001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 1000), F(r[11] / 500),
          G(r[12] / 100), H(r[13] / 500), e1(r[14] / 500), e2(r[15] / 500), e3(r[16] / 500),
          e4(r[17] / 500), e5(r[18] / 500) {}
    double quartic(double t) const { return quarticTerm(t, B, C, E, G, H, e1); }
};

// The rows of "トランプ" to "テトリス"; G's and H's divisors vary.
struct CardRows {
    double B, C, D, E, F, G, H, e1, e2;
    CardRows(const RowValues& r, double gDivisor, double hDivisor)
        : B(r[7] / 500 * 0.001), C(r[8] / 500), D(r[9] / 100), E(r[10] / 500), F(r[11] / 100),
          G(r[12] / gDivisor), H(r[13] / hDivisor), e1(r[14] / 500), e2(r[15] / 500) {}
    double cubic(double t) const { return cubicTerm(t, B, C, E, e1, e2); }
};

// The rows of "ビリヤード" and "ウノ", whose denominator is a tent.
struct TentRows {
    double B, C, D, E, F, G, H, e1, e2, e3;
    explicit TentRows(const RowValues& r)
        : B(r[7] / 500 * 0.00001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 10), F(r[11] / 500),
          G(r[12] / 500), H(r[13] / 10), e1(r[14] / 10), e2(r[15] / 500), e3(r[16] / 500) {}
    double denominator(double t) const { return tent(H, e1, t) * G + B; }
    double wave(double t, double y) const { return std::sin(e3 * t) * e2 + (F + y); }
};

// The rows of "ナンプレ" and "ハナフダ" but e1 and e2. F alternates in sign at
// the start of every iteration, beginning negative.
struct AlternatingRows {
    double B, C, D, E, F, G, H;
    explicit AlternatingRows(const RowValues& r)
        : B(r[7] / 500 * 0.0001), C(r[8] / 500), D(r[9] / 100), E(r[10] / 500), F(r[11] / 1000),
          G(r[12] / 500), H(r[13] / 500) {}
    double root(double t) const { return rootTerm(t, B, C, E, G); }
};

// ---- The formulas -----------------------------------------------------------

// Item 0, "チェス".
struct Chess {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    ChessRows k;
    explicit Chess(const RowValues& r) : m(r), k(r) {}
    Point next() {
        const double t = m.t;
        const double W =
            k.quartic(t) + ((std::sin(k.e3 * t) * k.e2 + (k.F + m.y)) + std::atan(k.e4 * t) * k.e5);
        return m.step(W, -k.D, 0.267);
    }
};

// Item 1, "オセロ".
struct Othello {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2, e3, e4;
    explicit Othello(const RowValues& r)
        : m(r), B(r[7] / 10 * 0.00001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 500), F(r[11] / 500),
          G(r[12] / 5000), H(r[13] / 5000), e1(r[14] / 500), e2(r[15] / 500), e3(r[16] / 500),
          e4(r[17] / 100) {}
    Point next() {
        const double t = m.t;
        const double W = rootCubicTerm(t, B, C, E, G, H, e1) +
                         ((std::exp(-(t * t)) * e2 + (F + m.y)) + std::sin(e3 * t) * e4);
        return m.step(W, -D, 0.133);
    }
};

// Item 2, "トランプ": the sine is taken of integers only.
struct Cards {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    CardRows k;
    explicit Cards(const RowValues& r) : m(r), k(r, 500, 500) {}
    Point next() {
        const double t = m.t;
        const double W = (sinOfInt(trunc32(k.H * t)) * k.G + (k.F + m.y)) + k.cubic(t);
        return m.step(W, -k.D, 0.727);
    }
};

// Item 3, "バックギャモン".
struct Backgammon {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    CardRows k;
    explicit Backgammon(const RowValues& r) : m(r), k(r, 500, 5000) {}
    Point next() {
        const double t = m.t;
        const double W = (tri(std::tan(k.H * t)) * k.G + (k.F + m.y)) + k.cubic(t);
        return m.step(W, -k.D, 0.571);
    }
};

// Item 4, "スロット".
struct Slot {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    CardRows k;
    explicit Slot(const RowValues& r) : m(r), k(r, 500, 500) {}
    Point next() {
        const double t = m.t;
        const double W = k.cubic(t) + (std::sin(k.H * t) * k.G + (k.F + m.y));
        return m.step(W, -k.D, 0.667);
    }
};

// Item 5, "インベーダー".
struct Invader {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    CardRows k;
    explicit Invader(const RowValues& r) : m(r), k(r, 50, 500) {}
    Point next() {
        const double t = m.t;
        const double v = std::sin(k.H * t);
        const double W = k.cubic(t) + ((k.G * v) * v + (k.F + m.y));
        return m.step(W, -k.D, 0.571);
    }
};

// Item 6, "テトリス": plotted unscaled.
struct Tetris {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    CardRows k;
    double e3;
    explicit Tetris(const RowValues& r) : m(r), k(r, 500, 500), e3(r[16] / 500) {}
    Point next() {
        const double t = m.t;
        const double W = ((tri(k.H * t) * k.G) * std::sin(e3 * t) + (k.F + m.y)) + k.cubic(t);
        return m.step(W, -k.D, 1.0);
    }
};

// Item 7, "モノポリー".
struct Monopoly {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    double B, C, D, E, F, G, H, e1;
    explicit Monopoly(const RowValues& r)
        : m(r), B(r[7] / 10 * 0.00001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 500), F(r[11] / 500),
          G(r[12] / 500), H(r[13] / 5000), e1(r[14] / 500) {}
    Point next() {
        const double t = m.t;
        const double u = (std::cos(t - G) * C) / (std::abs(std::atan(t)) * E + B) + (F + m.y);
        const double W = u + (std::sin(t + e1) + 1) * H;
        return m.step(W, -D, 0.25);
    }
};

// Item 8, "ナンプレ".
struct NumberPlace {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    AlternatingRows k;
    double e1, e2;
    explicit NumberPlace(const RowValues& r) : m(r), k(r), e1(r[14] / 10), e2(r[15] / 10) {}
    Point next() {
        k.F = -k.F;
        const double t = m.t;
        const double W = k.root(t) + ((std::sin(t - e1) * k.H) * std::sin(t - e2) + (k.F + m.y));
        return m.step(W, -k.D, 5.0);
    }
};

// Item 9, "ビンゴ".
struct Bingo {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    double B, C, D, E, F, G, H, e1;
    explicit Bingo(const RowValues& r)
        : m(r), B(r[7] / 500 * 0.00001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 10), F(r[11] / 500),
          G(r[12] / 500), H(r[13] / 500), e1(r[14] / 500) {}
    Point next() {
        const double t = m.t;
        const double v = std::sin(e1 * t);
        const double steps = static_cast<double>(trunc32((v * 10) * v));
        const double den = std::log(std::abs(t) * G + 0.5) + (steps * H + B);
        const double W = (std::sqrt(std::abs(t - E)) * C) / den + (F + m.y);
        return m.step(W, -D, 0.5);
    }
};

// Item 10, "ビリヤード".
struct Billiards {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    TentRows k;
    explicit Billiards(const RowValues& r) : m(r), k(r) {}
    Point next() {
        const double t = m.t;
        const double W = (frac(t) * ((t - k.E) * k.C)) / k.denominator(t) + k.wave(t, m.y);
        return m.step(W, -k.D, 0.5);
    }
};

// Item 11, "ボーリング": a state t of exactly 0 becomes 1e-14 before the step.
struct Bowling {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    ChessRows k;
    explicit Bowling(const RowValues& r) : m(r), k(r) {}
    Point next() {
        m.t = guardZero(m.t, 1e-14);
        const double t = m.t;
        const double W =
            k.quartic(t) + ((std::sin(k.e3 * t) * k.e2 + (k.F + m.y)) - std::sin(k.e5 / t) * k.e4);
        return m.step(W, -k.D, 0.267);
    }
};

// Item 12, "ウノ".
struct Uno {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    TentRows k;
    explicit Uno(const RowValues& r) : m(r), k(r) {}
    Point next() {
        const double t = m.t;
        const double W = ((t - k.E) * k.C) / k.denominator(t) + k.wave(t, m.y);
        return m.step(W, -k.D, 0.5);
    }
};

// Item 13, "ショウギ".
struct Shogi {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2, e3;
    explicit Shogi(const RowValues& r)
        : m(r), B(r[7] / 500 * 0.00001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 10), F(r[11] / 500),
          G(r[12] / 10), H(r[13] / 500), e1(r[14] / 500), e2(r[15] / 500), e3(r[16] / 500) {}
    Point next() {
        const double t = m.t;
        const double W = rootCubicTerm(t, B, C, E, G, H, e1) + (std::sin(e3 * t) * e2 + (F + m.y));
        return m.step(W, -D, 0.571);
    }
};

// Item 14, "イゴ".
struct Go {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    double B, C, D, E, F, G, H, e1, e2, e3;
    explicit Go(const RowValues& r)
        : m(r), B(r[7] / 500 * 0.0001), C(r[8] / 50), D(r[9] / 500), E(r[10] / 10), F(r[11] / 500),
          G(r[12] / 10), H(r[13] / 500), e1(r[14] / 50), e2(r[15] / 50), e3(r[16] / 1000 + 1) {}
    Point next() {
        const double t = m.t;
        const double den = std::abs(cubicProduct(t, G, E)) * H + B / (std::sin(t - e2) + e3);
        const double W = (std::abs(t - e1) * C) / den + (F + m.y);
        return m.step(W, -D, 2.0);
    }
};

// Item 15, "マージャン": the angle takes t as its ordinate and y as its abscissa.
struct Mahjong {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    double B, C, D, E, F, G, H, e1;
    explicit Mahjong(const RowValues& r)
        : m(r), B(r[7] / 500 * 0.01), C(r[8] / 50), D(r[9] / 500), E(r[10] / 500), F(r[11] / 500),
          G(r[12] / 10), H(r[13] / 500), e1(r[14] / 500) {}
    Point next() {
        const double t = m.t;
        const double a = std::atan2(t, m.y);
        const double den = std::abs(a * e1 + cubicProduct(t, G, E)) * H + B;
        const double W = (C * t) / den + (F + m.y);
        return m.step(W, -D, 1.6);
    }
};

// Item 16, "ハナフダ".
struct Hanafuda {
    static constexpr int kStartIndex = 1;
    RotationMap m;
    AlternatingRows k;
    double e1;
    explicit Hanafuda(const RowValues& r) : m(r), k(r), e1(r[14] / 100) {}
    Point next() {
        k.F = -k.F;
        const double t = m.t;
        const double W = k.root(t) + (std::sin(t - e1) * k.H + (k.F + m.y));
        return m.step(W, -k.D, 4.0);
    }
};

constexpr FormulaFactory kGames[] = {
    factoryOf<Chess>(),       factoryOf<Othello>(), factoryOf<Cards>(),     factoryOf<Backgammon>(),
    factoryOf<Slot>(),        factoryOf<Invader>(), factoryOf<Tetris>(),    factoryOf<Monopoly>(),
    factoryOf<NumberPlace>(), factoryOf<Bingo>(),   factoryOf<Billiards>(), factoryOf<Bowling>(),
    factoryOf<Uno>(),         factoryOf<Shogi>(),   factoryOf<Go>(),        factoryOf<Mahjong>(),
    factoryOf<Hanafuda>(),
};

} // namespace

std::span<const FormulaFactory> gameFormulas() { return kGames; }

} // namespace orbelle
