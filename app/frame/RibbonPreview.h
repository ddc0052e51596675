#pragma once
// The dispatch of the ribbon's live preview: the pointer moves over item `index` of the
// gallery or colour palette with command id `id` (-1 when it leaves the items), and
// `highlighted` is the colour under the pointer for palettes (kNoColor when it leaves).

#include "document/ColorRef.h"
#include "model/Argb.h"

namespace kelmora {

class CDrawDoc;
class LivePreview;

// The colour conversions between the ribbon and the objects are document/ColorRef.h's.

// Previews the hovered value on the document (paper and grid colours) or through the
// view (everything else; nothing without a view). True when the drawing under an open
// palette changed, so that the palette's shadow is to be drawn again.
bool DispatchRibbonHighlight(int index, int id, COLORREF highlighted, CDrawDoc& document, LivePreview* view);

} // namespace kelmora
