#include "formula.h"

namespace orbelle {

std::span<const FormulaFactory> cityFormulas() { return {}; }

} // namespace orbelle
