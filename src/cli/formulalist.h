#pragma once
// The list of every formula that "orbelle-cli list" prints: category, item,
// name and the number of dots the formula draws with its default parameters.

#include <string>

namespace orbelle::cli {

/// One line per formula in catalog order, its four fields separated by tabs:
/// "0\t0\tダイヤモンド\t100001\n".
std::string formulaListText();

/// The same as a JSON array, one object per line:
/// {"category": 0, "item": 0, "name": "ダイヤモンド", "dots": 100001}.
std::string formulaListJson();

} // namespace orbelle::cli
