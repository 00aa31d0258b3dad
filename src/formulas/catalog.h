#pragma once
// The fixed catalog of the 166 formulas: names, parameter counts, default row
// values and row ranges. It holds no mathematics; see formula.h for that.

#include "formulas/formulaid.h"

#include <string>
#include <vector>

namespace orbelle {

/// The inclusive range of one parameter row.
struct ParamRange {
    std::int32_t min = 0;
    std::int32_t max = 100;
    friend bool operator==(const ParamRange&, const ParamRange&) = default;
};

/// One formula of the catalog. Rows from paramCount on are inactive: their
/// default is 0 and their range 0..100.
struct FormulaInfo {
    std::string name; // UTF-8
    int paramCount = 0;
    ParamRows defaults{};
    std::array<ParamRange, kRowCount> ranges{};
};

/// Range of an inactive row.
constexpr ParamRange kInactiveRange{0, 100};

/// Display name of category 0-9 (UTF-8); empty for any other index.
const std::string& categoryName(int category);

/// Number of formulas in a category (19, 18, 18, 18, 17, 16, 16, 15, 14, 15);
/// 0 for an index outside 0-9.
int itemCount(int category);

/// True when id names a formula of the catalog.
bool isValidFormula(FormulaId id);

/// Display name of a formula (UTF-8); empty for an invalid id.
const std::string& itemName(int category, int item);

/// Parameter count, defaults and ranges of a valid formula. An invalid id gives
/// an entry with no active rows.
const FormulaInfo& formulaInfo(FormulaId id);

/// Fixed label of row 0-19 ("回数", "分割数", ...); empty outside 0-19.
const std::string& rowLabel(int row);

/// One inconsistency of a catalog entry, with the message the program shows.
struct CatalogProblem {
    FormulaId id;
    int row = 0;
    std::string message;
};

/// Checks every row of an entry: a default outside its range, then min >= max.
/// The messages follow "コンボ%d,コンボ%d,%d値範囲外" and
/// "コンボ%d,コンボ%d,%d値 min >= max".
std::vector<CatalogProblem> checkCatalogEntry(FormulaId id);

} // namespace orbelle
