#include "view/ToolCursors.h"

#include <wx/cursor.h>
#include <wx/graphics.h>
#include <wx/image.h>
#include <wx/pen.h>
#include <wx/brush.h>

#include <map>
#include <memory>

namespace kelmora {

namespace {

constexpr int kCursorSize = 32;

enum class Sign { Anchor, Plus, Minus, Rotate, Diamond };

// The classic pointer, tip at (1, 1), with a white rim.
void DrawArrow(wxGraphicsContext& gc)
{
    wxGraphicsPath arrow = gc.CreatePath();
    arrow.MoveToPoint(1, 1);
    arrow.AddLineToPoint(1, 17);
    arrow.AddLineToPoint(5, 13);
    arrow.AddLineToPoint(8, 20);
    arrow.AddLineToPoint(11, 19);
    arrow.AddLineToPoint(8, 12);
    arrow.AddLineToPoint(13, 12);
    arrow.CloseSubpath();
    gc.SetPen(wxPen(*wxWHITE, 1));
    gc.SetBrush(*wxBLACK_BRUSH);
    gc.DrawPath(arrow);
}

void DrawSign(wxGraphicsContext& gc, Sign sign)
{
    gc.SetPen(wxPen(*wxBLACK, 2));
    gc.SetBrush(*wxWHITE_BRUSH);
    switch (sign) {
    case Sign::Anchor:
        gc.DrawRectangle(17, 17, 8, 8);
        break;
    case Sign::Plus:
        gc.DrawRectangle(15, 17, 6, 6);
        gc.StrokeLine(24, 20, 30, 20);
        gc.StrokeLine(27, 17, 27, 23);
        break;
    case Sign::Minus:
        gc.DrawRectangle(15, 17, 6, 6);
        gc.StrokeLine(24, 20, 30, 20);
        break;
    case Sign::Rotate: {
        wxGraphicsPath turn = gc.CreatePath();
        turn.AddArc(22, 22, 7, -2.6, 1.6, true);
        gc.SetBrush(*wxTRANSPARENT_BRUSH);
        gc.StrokePath(turn);
        gc.StrokeLine(16, 16, 16, 20);
        gc.StrokeLine(16, 16, 20, 16);
        break;
    }
    case Sign::Diamond: {
        wxGraphicsPath diamond = gc.CreatePath();
        diamond.MoveToPoint(21, 15);
        diamond.AddLineToPoint(26, 20);
        diamond.AddLineToPoint(21, 25);
        diamond.AddLineToPoint(16, 20);
        diamond.CloseSubpath();
        gc.SetBrush(*wxBLACK_BRUSH);
        gc.DrawPath(diamond);
        break;
    }
    }
}

wxCursor MakeSignCursor(Sign sign)
{
    wxImage image(kCursorSize, kCursorSize);
    image.InitAlpha();
    for (int y = 0; y < kCursorSize; ++y) {
        for (int x = 0; x < kCursorSize; ++x)
            image.SetAlpha(x, y, 0);
    }
    {
        std::unique_ptr<wxGraphicsContext> gc(wxGraphicsContext::Create(image));
        if (gc) {
            DrawArrow(*gc);
            DrawSign(*gc, sign);
        }
    }
    image.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_X, 1);
    image.SetOption(wxIMAGE_OPTION_CUR_HOTSPOT_Y, 1);
    return wxCursor(image);
}

wxCursor MakeToolCursor(ToolCursor cursor)
{
    switch (cursor) {
    case ToolCursor::Cross: return wxCursor(wxCURSOR_CROSS);
    case ToolCursor::AnchorIdle: return MakeSignCursor(Sign::Anchor);
    case ToolCursor::InsertPoint: return MakeSignCursor(Sign::Plus);
    case ToolCursor::DeletePoint: return MakeSignCursor(Sign::Minus);
    case ToolCursor::CopyFormat: return wxCursor(wxCURSOR_PAINT_BRUSH);
    case ToolCursor::Freehand: return wxCursor(wxCURSOR_PENCIL);
    case ToolCursor::Arrow: break;
    }
    return wxCursor(wxCURSOR_ARROW);
}

wxCursor MakeHandleCursor(HandleCursor cursor)
{
    switch (cursor) {
    case HandleCursor::SizeNorthWestSouthEast: return wxCursor(wxCURSOR_SIZENWSE);
    case HandleCursor::SizeNorthSouth: return wxCursor(wxCURSOR_SIZENS);
    case HandleCursor::SizeNorthEastSouthWest: return wxCursor(wxCURSOR_SIZENESW);
    case HandleCursor::SizeWestEast: return wxCursor(wxCURSOR_SIZEWE);
    case HandleCursor::Rotate: return MakeSignCursor(Sign::Rotate);
    case HandleCursor::RotateCentre: return wxCursor(wxCURSOR_BULLSEYE);
    case HandleCursor::SkewHorizontal: return wxCursor(wxCURSOR_SIZEWE);
    case HandleCursor::SkewVertical: return wxCursor(wxCURSOR_SIZENS);
    case HandleCursor::ShapePoint: return MakeSignCursor(Sign::Diamond);
    case HandleCursor::Arrow: break;
    }
    return wxCursor(wxCURSOR_ARROW);
}

// Each cursor is made once and kept to the end of the run: a cursor must not be destroyed
// after the display it was made on has closed.
template <class Key, class Make>
const wxCursor& Kept(Key key, Make make)
{
    static auto* made = new std::map<Key, wxCursor>;
    auto it = made->find(key);
    if (it == made->end())
        it = made->emplace(key, make(key)).first;
    return it->second;
}

} // namespace

const wxCursor& GetToolCursor(ToolCursor cursor)
{
    return Kept(cursor, MakeToolCursor);
}

const wxCursor& GetHandleCursor(HandleCursor cursor)
{
    return Kept(cursor, MakeHandleCursor);
}

} // namespace kelmora
