#pragma once
// The five application looks, chosen by the commands 32818 to 32822 and stored as the
// setting "ApplicationLook". Each is a colour scheme: the ribbon takes its three scheme
// colours, the panes and the document tabs colours derived from them.

#include <cstdint>

namespace kelmora {

struct LookScheme {
    int id;                 // the look's command id
    const char* caption;    // its menu text
    uint32_t primary;       // 0xRRGGBB: the bars' and panes' base colour
    uint32_t secondary;     // the highlight of hovered and active parts
    uint32_t tertiary;      // text on the base colour
};

// The look a profile without a stored look starts with: Blue.
inline constexpr int kDefaultLook = 32818;
inline constexpr const char* kLookSetting = "ApplicationLook";

// The scheme of a look; null for a number that is no look, which leaves the colours in
// force as they are.
const LookScheme* FindLookScheme(int lookId);

} // namespace kelmora
