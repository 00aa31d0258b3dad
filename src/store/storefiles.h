#pragma once
// Names of the stores the program keeps in its per-user data folder.

namespace orbelle {

/// The drawing history.
inline constexpr char kHistoryStoreFile[] = "csv_history0";
/// The favorites.
inline constexpr char kFavoritesStoreFile[] = "csv_okiniiri0";

} // namespace orbelle
