#include "app/RibbonPreview.h"

#include "app/CommandIds.h"
#include "app/LivePreview.h"
#include "document/DrawDoc.h"

namespace kelmora {

bool DispatchRibbonHighlight(int index, int id, COLORREF highlighted, CDrawDoc& document, LivePreview* view)
{
    const bool onItem = index != -1;
    switch (id) {
    case cmd::kPaperColor:
        document.PreviewPaperColor(highlighted);
        return true;
    case cmd::kGridLineColor:
        document.PreviewGridColor(highlighted);
        return true;
    default:
        break;
    }
    if (!view)
        return false;
    // Everything but the paper and grid colours previews on the selection: its state is
    // kept at the first hovered item and put back when the pointer leaves.
    if (onItem)
        view->SavePreviewState();
    else
        view->RestorePreviewState();

    const ARGB color = ArgbFromColorRef(highlighted);
    switch (id) {
    case cmd::kLineColor:
    case cmd::kFillColor:
    case cmd::kShadowColor:
    case cmd::kGlowColor:
        if (onItem) {
            if (id == cmd::kLineColor)
                view->ApplyLineColor(color);
            else if (id == cmd::kFillColor)
                view->ApplyFillColor(color);
            else if (id == cmd::kShadowColor)
                view->ApplyShadowColor(color);
            else
                view->ApplyGlowColor(color);
        }
        // Leaving a palette restored the selection, which changed the drawing as well.
        return true;
    case cmd::kLineWeight:
    case cmd::kDashStyles:
    case cmd::kStylesGallery:
    case cmd::kShadowGallery:
    case cmd::kGlowGallery:
    case cmd::kReflectionGallery:
    case cmd::kTextGallery:
        if (!onItem)
            return false;
        if (id == cmd::kLineWeight)
            view->ApplyLineWeight(index + 1);
        else if (id == cmd::kDashStyles)
            view->ApplyDashStyle(index);
        else if (id == cmd::kStylesGallery)
            view->ApplyQuickStyle(index);
        else if (id == cmd::kShadowGallery)
            view->ApplyShadowPreset(index);
        else if (id == cmd::kGlowGallery)
            view->ApplyGlowPreset(index);
        else if (id == cmd::kReflectionGallery)
            view->ApplyReflectionPreset(index);
        else
            view->ApplyTextEffect(index);
        return true;
    default:
        return false;
    }
}

} // namespace kelmora
