#pragma once
// A painted swatch, gradient strip or gradient preview: with m_bGradient 0 the whole face
// shows m_clrFill (swatch); otherwise, without shared stops, a horizontal gradient from
// m_clrStart through m_stops to m_clrEnd (strip); with m_pSharedStops set, the edited
// gradient brush in the form m_nType over the whole face (preview). The owning dialog
// sets the members directly and refreshes the control.
//
// In the preview role the control also knows how to write what it shows into a fill
// (StoreGradient), so that the fill an object paints with is the gradient the user saw.

#include "dialogs/GradientStops.h"
#include "platform/geometry/Matrix.h"
#include "platform/graphics/ImageSurface.h"

#include <wx/window.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace kelmora {

class Brush;
class BrushMan;

// The widest edge pad: the preview and the fill scale by (50 − pad) / 50, and a pad of 50
// would scale to nothing.
inline constexpr int32_t kMaxEdgePad = 49;

class CColorStatic : public wxWindow {
public:
    CColorStatic(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                 const wxSize& size = wxDefaultSize);

    // Swatch role, transparent colours, no stops, every setting back to zero.
    void Reset();

    // Colour of the start (kStartHandle), the end (kEndHandle) or stop `index`; setting
    // refreshes the control. An index that is none of these is ignored (0 read).
    void SetStopColor(int32_t index, uint32_t colour);
    uint32_t GetStopColor(int32_t index) const;

    // The colour the strip shows at `position` (0..1) as it stood before stop `index` took
    // part, made opaque; stored as that stop's colour. A newly added stop thereby takes
    // the colour the gradient had where it was put.
    uint32_t SampleStripColor(int32_t index, float position);

    // The face as painted, at the given size.
    std::optional<ImageSurface> RenderClient(int width, int height) const;

    // Preview role: writes the shown gradient into `brush` (m_pBrush when null; nothing
    // without one) as StoreGradientForm does (GradientForms.h), so the fill paints what
    // the preview shows. Wrap mode, angle, edge pad (as the gradient size) and offsets
    // are written for every form; a form outside 0..3 writes only those.
    void StoreGradient(BrushMan* brush = nullptr) const;

    uint32_t m_clrFill = 0;
    int32_t m_bGradient = 0;
    uint32_t m_clrStart = 0;
    uint32_t m_clrEnd = 0;
    GradientStopList m_stops;
    GradientStopList* m_pSharedStops = nullptr; // preview role: the strip's stops; not owned
    int32_t m_nType = 0;                        // preview role: a GradientForm, or none
    BrushMan* m_pBrush = nullptr;               // preview role: the edited fill; not owned
    int32_t m_nWrapMode = 0;                    // 0 tile, 4 clamp
    float m_fAngle = 0.0f;                      // degrees
    int32_t m_nEdgePad = 0;                     // 0 .. kMaxEdgePad
    int32_t m_nOffsetX = 0;                     // percent of the width
    int32_t m_nOffsetY = 0;                     // percent of the height

private:
    std::optional<ImageSurface> Render(int width, int height, const GradientStopList& stops) const;
    // The preview role's brush for a face of w × h, or null (a form outside 0..3).
    std::unique_ptr<Brush> PreviewBrush(int w, int h) const;
    // Rotation about the face's centre, the edge pad's scale and the offsets.
    Matrix PreviewPlacement(int w, int h) const;
    // [start, stops…, end] and [0, stop positions…, 1].
    void ShownLists(std::vector<uint32_t>& colours, std::vector<float>& positions) const;
    void OnPaint(wxPaintEvent& event);
};

} // namespace kelmora
