#pragma once
// The formula interface: a formula turns the twenty row values into its
// constants and initial state, names its start index i0, and then yields one
// plotted point (already multiplied by its display scale) per iteration
// i = i0 ... N of the common frame.

#include "formulas/formulaid.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <span>

namespace orbelle {

/// A plotted point, after the formula's display scale and before the 3D
/// transform and the centre offset.
struct Point {
    double x = 0;
    double y = 0;
};

/// A prepared formula that yields its points one after another.
class PointSource {
  public:
    virtual ~PointSource() = default;
    /// Writes the next `count` points into out and advances the state.
    virtual void generate(Point* out, std::size_t count) = 0;
};

/// A formula ready to run: points for i = startIndex ... count (inclusive).
struct FormulaRun {
    std::unique_ptr<PointSource> source;
    int startIndex = 0;     // i0: 0 or 1
    std::int32_t count = 0; // N = r0 x 500 (32-bit, wrapping)

    /// Number of iterations, count - startIndex + 1, or 0 when count < startIndex.
    std::int64_t iterations() const {
        const std::int64_t n = static_cast<std::int64_t>(count) - startIndex + 1;
        return n > 0 ? n : 0;
    }
};

/// Prepares formula id with the given rows. Returns nothing for an id that
/// names no formula.
std::optional<FormulaRun> prepareFormula(FormulaId id, const ParamRows& rows);

/// The count N of the common frame: r0 x 500 in wrapping 32-bit arithmetic.
std::int32_t iterationCount(const ParamRows& rows);

// ---- Implementation support for the family files -------------------------

/// The row values converted exactly to double, so that every division and
/// product of a formula is a double operation (r[7] / 50 * 0.0001).
using RowValues = std::array<double, kRowCount>;

inline RowValues rowsAsDouble(const ParamRows& rows) {
    RowValues r{};
    for (int k = 0; k < kRowCount; ++k) {
        r[k] = static_cast<double>(rows[k]);
    }
    return r;
}

/// Adapts a formula type F to PointSource. F provides
///   static constexpr int kStartIndex;   // 0 or 1
///   explicit F(const RowValues& r);      // constants and initial state
///   Point next();                        // the next plotted point
template <class F> class FormulaStepper final : public PointSource {
  public:
    explicit FormulaStepper(const ParamRows& rows) : m_formula(rowsAsDouble(rows)) {}
    void generate(Point* out, std::size_t count) override {
        for (std::size_t k = 0; k < count; ++k) {
            out[k] = m_formula.next();
        }
    }

  private:
    F m_formula;
};

/// A family's factory entry: builds the stepper and names i0.
struct FormulaFactory {
    std::unique_ptr<PointSource> (*make)(const ParamRows&);
    int startIndex;
};

template <class F> constexpr FormulaFactory factoryOf() {
    static_assert(F::kStartIndex == 0 || F::kStartIndex == 1);
    return {[](const ParamRows& rows) -> std::unique_ptr<PointSource> {
                return std::make_unique<FormulaStepper<F>>(rows);
            },
            F::kStartIndex};
}

// Each family file provides its formulas in item order; an item past the end
// of its family's span names no formula.
std::span<const FormulaFactory> gemFormulas();
std::span<const FormulaFactory> galaxyFormulas();
std::span<const FormulaFactory> flowerFormulas();
std::span<const FormulaFactory> astrologyFormulas();
std::span<const FormulaFactory> gameFormulas();
std::span<const FormulaFactory> metalFormulas();
std::span<const FormulaFactory> musicFormulas();
std::span<const FormulaFactory> wheelFormulas();
std::span<const FormulaFactory> cityFormulas();
std::span<const FormulaFactory> virtueFormulas();

} // namespace orbelle
