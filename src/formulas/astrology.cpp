#include "formula.h"

namespace orbelle {

std::span<const FormulaFactory> astrologyFormulas() { return {}; }

} // namespace orbelle
