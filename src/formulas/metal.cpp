#include "formula.h"

namespace orbelle {

std::span<const FormulaFactory> metalFormulas() { return {}; }

} // namespace orbelle
