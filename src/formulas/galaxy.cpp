#include "formula.h"

namespace orbelle {

std::span<const FormulaFactory> galaxyFormulas() { return {}; }

} // namespace orbelle
