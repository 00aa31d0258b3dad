#include "formula.h"

namespace orbelle {

std::span<const FormulaFactory> virtueFormulas() { return {}; }

} // namespace orbelle
