#pragma once
// The maker's addresses, in one place: the online help, the home page and the
// contact e-mail address. They lie under the reserved domain orbelle.example
// until the real ones exist.

namespace orbelle {

constexpr const char* kOnlineHelpUrl = "https://orbelle.example/help/";
constexpr const char* kHomePageUrl = "https://orbelle.example/";
constexpr const char* kContactAddress = "contact@orbelle.example";

} // namespace orbelle
