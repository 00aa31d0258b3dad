#pragma once

#include <array>
#include <cstdint>

namespace orbelle {

constexpr int kCategoryCount = 10;
constexpr int kRowCount = 20;

/// The twenty parameter row values r0 ... r19 of one drawing.
using ParamRows = std::array<std::int32_t, kRowCount>;

/// A formula: category 0-9 and item within the category.
struct FormulaId {
    int category = 0;
    int item = 0;
    friend bool operator==(const FormulaId&, const FormulaId&) = default;
};

} // namespace orbelle
