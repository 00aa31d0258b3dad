#pragma once
// Helpers for the engine tests: a point source that yields chosen points.

#include "formulas/formula.h"

#include <vector>

namespace orbelle::test {

class ListSource final : public PointSource {
  public:
    explicit ListSource(std::vector<Point> points) : m_points(std::move(points)) {}
    void generate(Point* out, std::size_t count) override {
        for (std::size_t k = 0; k < count; ++k) {
            out[k] = m_next < m_points.size() ? m_points[m_next++] : Point{};
        }
    }

  private:
    std::vector<Point> m_points;
    std::size_t m_next = 0;
};

/// A run over the given points with start index i0; N = i0 + points - 1.
inline FormulaRun runOf(std::vector<Point> points, int startIndex = 0) {
    const auto count = static_cast<std::int32_t>(startIndex + points.size() - 1);
    return FormulaRun{std::make_unique<ListSource>(std::move(points)), startIndex, count};
}

} // namespace orbelle::test
