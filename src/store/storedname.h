#pragma once
// Names of favorites and folders as the favorites store keeps them: code page
// 932 bytes without commas. The program works in UTF-8; these functions
// convert with the C library's iconv and check what a stored name may hold.

#include "store/storestatus.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace orbelle {

/// Longest stored name in code page 932 bytes.
constexpr std::size_t kMaxStoredNameBytes = 511;

/// The stored form of a UTF-8 name: every "," becomes "." and the text is
/// converted to code page 932. Refused, with a status naming the reason, when the
/// text is not valid UTF-8, holds a control character (a line end would split
/// the store's line), holds a character code page 932 cannot hold (the
/// message names it), or is longer than kMaxStoredNameBytes once converted.
StoreResult<std::string> encodeStoredName(std::string_view utf8);

/// The UTF-8 text of a stored name. A byte sequence that is not code page 932
/// becomes U+FFFD; the conversion never fails.
std::string decodeStoredName(std::string_view cp932);

} // namespace orbelle
