// Category 0, "宝石": nineteen rotation maps of (t, y), each perturbed by its
// own term W. Every expression keeps the grouping of the formula as written;
// the maps are chaotic and a different rounding draws a different figure.

#include "formula.h"
#include "rotationmap.h"

namespace orbelle {
namespace {

// Item 0, "ダイヤモンド".
struct Diamond {
    static constexpr int kStartIndex = 0;
    static constexpr double kScale = 8.0;

    RotationMap m;
    double B, C, D, E, F, G, H, H1, e1, e2, e3, e4, e5, e5s, e6;
    DampedTerm T;

    explicit Diamond(const RowValues& r)
        : m(r), B(r[7] / 50 * 0.0001), C(r[8] / 100), D(r[9] / 500), E(r[10] / 500),
          F(r[11] / 500), G(r[12] / 500), H(r[13] / 50), H1(r[13] / 50 * 0.01), e1(r[14] / 500),
          e2(r[15] / 500), e3(r[16] / 500), e4(r[17] / 5000000000), e5(r[18] / 500),
          e5s(r[18] / 500 * 0.001), e6(r[19] / 50000), T{B, E, e2, e3, e4, e6, 0.0} {}

    Point next() {
        const double a = std::abs(std::sin(m.t));
        const double q = rootGuard(a);
        const double den = guardedDenominator(T(m.t), q, e1, G, H);
        const double W = ((((F + m.y) - tri(m.t) * e5s) + H1 * a) + q * e5) + C / den;
        return m.step(W, D, kScale);
    }
};

constexpr FormulaFactory kGems[] = {
    factoryOf<Diamond>(),
};

} // namespace

std::span<const FormulaFactory> gemFormulas() { return kGems; }

} // namespace orbelle
