#pragma once
// The screen's resolution, as lengths shown in pixels use it.

namespace kelmora {

// The pixels per inch taken when the screen reports none.
inline constexpr int kDefaultScreenDpi = 96;

// The screen's horizontal pixels per inch; kDefaultScreenDpi when the screen reports none.
int ScreenPixelsPerInch();

} // namespace kelmora
