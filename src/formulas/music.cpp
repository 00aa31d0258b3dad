#include "formula.h"

namespace orbelle {

std::span<const FormulaFactory> musicFormulas() { return {}; }

} // namespace orbelle
