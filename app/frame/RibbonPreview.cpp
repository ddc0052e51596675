#include "app/frame/RibbonPreview.h"

#include "app/frame/LivePreview.h"
#include "document/DrawDoc.h"
#include "res/CommandIds.h"

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

    // Palettes apply their colour, galleries their item; leaving a palette restored the
    // selection, which changed the drawing as well, while leaving a gallery did nothing.
    void (LivePreview::*applyColor)(ARGB) = nullptr;
    void (LivePreview::*applyItem)(int) = nullptr;
    int item = index;
    switch (id) {
    case cmd::kLineColor: applyColor = &LivePreview::ApplyLineColor; break;
    case cmd::kFillColor: applyColor = &LivePreview::ApplyFillColor; break;
    case cmd::kShadowColor: applyColor = &LivePreview::ApplyShadowColor; break;
    case cmd::kGlowColor: applyColor = &LivePreview::ApplyGlowColor; break;
    case cmd::kLineWeight: applyItem = &LivePreview::ApplyLineWeight; item = index + 1; break;
    case cmd::kDashStyles: applyItem = &LivePreview::ApplyDashStyle; break;
    case cmd::kStylesGallery: applyItem = &LivePreview::ApplyQuickStyle; break;
    case cmd::kShadowGallery: applyItem = &LivePreview::ApplyShadowPreset; break;
    case cmd::kGlowGallery: applyItem = &LivePreview::ApplyGlowPreset; break;
    case cmd::kReflectionGallery: applyItem = &LivePreview::ApplyReflectionPreset; break;
    case cmd::kTextGallery: applyItem = &LivePreview::ApplyTextEffect; break;
    default: return false;
    }
    if (applyColor) {
        if (onItem)
            (view->*applyColor)(ArgbFromColorRef(highlighted));
        return true;
    }
    if (!onItem)
        return false;
    (view->*applyItem)(item);
    return true;
}

} // namespace kelmora
