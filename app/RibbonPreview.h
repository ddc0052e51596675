#pragma once
// The dispatch of the ribbon's live preview: the pointer moves over item `index` of the
// gallery or colour palette with command id `id` (-1 when it leaves the items), and
// `highlighted` is the colour under the pointer for palettes (kNoColor when it leaves).

#include "document/ColorRef.h"
#include "model/Argb.h"

namespace kelmora {

class CDrawDoc;
class LivePreview;

// Colours cross between the ribbon (COLORREF 0x00BBGGRR) and the objects (ARGB): alpha
// is dropped on the way out and set to 255 on the way in.
constexpr COLORREF ColorRefFromArgb(ARGB color)
{
    return ((color >> 16) & 0xFF) | (color & 0xFF00) | ((color & 0xFF) << 16);
}
constexpr ARGB ArgbFromColorRef(COLORREF color)
{
    return 0xFF000000u | ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

// Previews the hovered value on the document (paper and grid colours) or through the
// view (everything else; nothing without a view). True when the drawing under an open
// palette changed, so that the palette's shadow is to be drawn again.
bool DispatchRibbonHighlight(int index, int id, COLORREF highlighted, CDrawDoc& document, LivePreview* view);

} // namespace kelmora
