// Text from documents reaches the layout engine as it was stored: any bytes, any length,
// any style bits and format. Layout must neither crash nor leave the outline malformed.
#define KELMORA_FUZZ_USES_FONTS
#include "platform/geometry/GraphicsPath.h"
#include "platform/text/TextOutline.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

using namespace kelmora;

namespace {

const FontFamily& Family()
{
    static const FontFamily family = FontFamily::Create("Arial").value_or(FontFamily::GenericSansSerif());
    return family;
}

} // namespace

// Font configuration is loaded once, before the first input, so that fontconfig's
// process-wide tables are not mistaken for a leak of the input that happened to load them.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    LayOutText("A", Family(), FontStyle::Regular, 12.0f, RectF(0, 0, 100, 50), StringFormat());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 12)
        return 0;
    uint8_t styleBits = data[0];
    uint8_t alignments = data[1];
    uint16_t flags;
    std::memcpy(&flags, data + 2, sizeof flags);
    float emSize, width;
    std::memcpy(&emSize, data + 4, sizeof emSize);
    std::memcpy(&width, data + 8, sizeof width);
    std::string_view text(reinterpret_cast<const char*>(data + 12), size - 12);

    const FontFamily& family = Family();
    StringFormat format = (alignments & 0x80) ? StringFormat::GenericTypographic() : StringFormat();
    format.SetAlignment(StringAlignment((alignments & 0x3) % 3));
    format.SetLineAlignment(StringAlignment(((alignments >> 2) & 0x3) % 3));
    format.SetFormatFlags(StringFormatFlags(flags & 0x7005));

    std::optional<TextOutline> outline =
        LayOutText(text, family, FontStyleFromBits(styleBits), emSize, RectF(0, 0, width, width / 2), format);
    if (outline && !outline->points.empty()) {
        // Whatever came in, the outline must be a well-formed path.
        if (!GraphicsPath::FromPathData(outline->points, outline->types))
            __builtin_trap();
    }
    return 0;
}
