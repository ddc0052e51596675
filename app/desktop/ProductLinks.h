#pragma once
// The maker's addresses that the program opens: the home page (the Home Page command,
// the status-bar link, the About box) and the support mail address (the About box).

namespace kelmora {

inline constexpr const char* kHomePageUrl = "https://www.vantorel.example/";
inline constexpr const char* kSupportMailUrl = "mailto:support@vantorel.example";

} // namespace kelmora
