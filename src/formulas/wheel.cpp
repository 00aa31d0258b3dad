#include "formula.h"

namespace orbelle {

std::span<const FormulaFactory> wheelFormulas() { return {}; }

} // namespace orbelle
