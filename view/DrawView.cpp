#include "view/DrawView.h"

#include "document/DrawDoc.h"
#include "document/DrawDocFile.h"
#include "document/FrameServices.h"
#include "model/Coordinates.h"
#include "model/DeviceContext.h"
#include "model/DrawObj.h"
#include "platform/base/PointerSet.h"
#include "platform/geometry/GraphicsPath.h"
#include "platform/graphics/Graphics.h"
#include "platform/ui/ClassicScrollbars.h"
#include "res/CommandIds.h"
#include "view/LogoExport.h"

#include <wx/dcclient.h>
#include <wx/dcscreen.h>
#include <wx/image.h>
#include <wx/settings.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace kelmora {

namespace {

// a · b / c rounded to the nearest integer (halves away from zero), saturated; 0 for c = 0.
int32_t MulDiv(int64_t a, int64_t b, int64_t c)
{
    if (c == 0)
        return 0;
    return RoundToInt32(double(a) * double(b) / double(c));
}

Color ToColor(const wxColour& colour)
{
    return Color(colour.Red(), colour.Green(), colour.Blue());
}

// COLORREF 0x00BBGGRR to an opaque colour.
Color ToColor(COLORREF colour)
{
    return Color(uint8_t(colour), uint8_t(colour >> 8), uint8_t(colour >> 16));
}

void FillRect(Graphics& g, Color colour, const RectF& rect)
{
    GraphicsPath path;
    path.AddRectangle(rect);
    g.FillPath(colour, path);
}

// The most selected objects whose scene is painted over a kept layer of what lies
// beneath them; as many as a drag repaints object by object.
constexpr size_t kMaxLayeredSelection = 64;
// The margin that Zoom Fit leaves round the page, in pixels.
constexpr int kFitMargin = 6;
// The page shadow's offset and the frame's pen, in zoomed logical units.
constexpr float kShadowOffset = 21.0f;
constexpr float kFrameWidth = 6.0f;
constexpr float kFrameInset = 3.0f;
constexpr float kGridLineWidth = 1.0f;

uint32_t Rgb(const wxColour& colour)
{
    return uint32_t(colour.Red()) << 16 | uint32_t(colour.Green()) << 8 | uint32_t(colour.Blue());
}

// Moves the pixels of an image surface by (dx, dy); what moves out is lost, what comes in
// is left as it was.
void ShiftPixels(cairo_surface_t* surface, int dx, int dy)
{
    const int width = cairo_image_surface_get_width(surface);
    const int height = cairo_image_surface_get_height(surface);
    if (std::abs(dx) >= width || std::abs(dy) >= height)
        return;
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    constexpr int kBytesPerPixel = 4;   // ARGB32
    const size_t bytes = size_t(width - std::abs(dx)) * kBytesPerPixel;
    const int rows = height - std::abs(dy);
    const int fromX = std::max(-dx, 0) * kBytesPerPixel;
    const int toX = std::max(dx, 0) * kBytesPerPixel;
    const int fromY = std::max(-dy, 0);
    const int toY = std::max(dy, 0);
    // Rows moving down are copied from the bottom up, so that none is overwritten before
    // it is read.
    for (int i = 0; i < rows; ++i) {
        const int row = dy > 0 ? rows - 1 - i : i;
        std::memmove(data + ptrdiff_t(toY + row) * stride + toX, data + ptrdiff_t(fromY + row) * stride + fromX, bytes);
    }
    cairo_surface_mark_dirty(surface);
}

} // namespace

CDrawView::CDrawView(wxWindow* parent, CDrawDoc& document, wxWindowID id)
    : wxScrolledCanvas(parent, id, wxDefaultPosition, wxDefaultSize, wxHSCROLL | wxVSCROLL),
      m_document(document)
{
    m_pZoomMatrix = std::make_unique<Matrix>();
    const wxSize ppi = wxScreenDC().GetPPI();
    if (ppi.x > 0 && ppi.y > 0)
        m_logPixels = CSize(ppi.x, ppi.y);

    // Every pixel is painted off screen, so the window needs no erasing.
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    // Overlay scrollbars would repaint the whole drawing for every step of their fading.
    UseClassicScrollbars(*this);
    SetScrollRate(1, 1);
    Bind(wxEVT_PAINT, &CDrawView::OnPaint, this);
    Bind(wxEVT_MOUSEWHEEL, &CDrawView::OnMouseWheel, this);
    Bind(wxEVT_SIZE, &CDrawView::OnSize, this);
    BindSelectionCommands();
    BindViewCommands();
    BindToolCommands();
    BindPrintCommands();
    BindEditingCommands();
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnExportLogo(); }, WxId(cmd::kExportLogo));
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnExportLogo(); }, WxId(cmd::kExportLogoRibbon));
    m_document.AddView(this);
}

CDrawView::~CDrawView()
{
    ClosePrintPreviewOnDestroy();
    EndTextEntry(true);
    ForgetToolState();
    m_document.RemoveView(this);
    if (FrameServices* frame = m_document.Frame())
        frame->ViewDestroyed(this);
}

void CDrawView::BindViewCommands()
{
    const auto on = [this](int command, auto action) {
        Bind(wxEVT_MENU, [action](wxCommandEvent& event) { action(event); }, WxId(command));
    };
    const auto enable = [this](int command, auto enabled) {
        Bind(wxEVT_UPDATE_UI, [enabled](wxUpdateUIEvent& event) { event.Enable(enabled()); }, WxId(command));
    };
    on(cmd::kZoomIn, [this](wxCommandEvent&) { OnZoomIn(); });
    on(cmd::kZoomOut, [this](wxCommandEvent&) { OnZoomOut(); });
    on(cmd::kZoomFit, [this](wxCommandEvent&) { OnZoomFit(); });
    on(cmd::kActualSize, [this](wxCommandEvent&) { OnActualSize(); });
    on(cmd::kZoomSlider, [this](wxCommandEvent& event) { OnZoomSlider(event.GetInt()); });
    on(cmd::kShowObjects, [this](wxCommandEvent&) { OnShowObjects(); });
    enable(cmd::kZoomIn, [this] { return CanZoomIn(); });
    enable(cmd::kZoomOut, [this] { return CanZoomOut(); });
    enable(cmd::kZoomFit, [] { return true; });
    enable(cmd::kActualSize, [] { return true; });
    // Both are enabled while a drawing is open: the frame disables them only without one.
    Bind(wxEVT_UPDATE_UI, [](wxUpdateUIEvent& event) {
        event.Enable(true);
        event.Check(true);
    }, WxId(cmd::kZoomSlider));
    Bind(wxEVT_UPDATE_UI, [](wxUpdateUIEvent& event) {
        event.Enable(true);
        event.Check(s_bOleIndication);
    }, WxId(cmd::kShowObjects));
}

void CDrawView::ShowSliderPosition()
{
    if (FrameServices* frame = m_document.Frame())
        frame->SetZoomSliderPos(GetSliderPosition());
}

void CDrawView::OnSize(wxSizeEvent& event)
{
    event.Skip();
    // The first size change after the initial layout shows the page at its actual size,
    // in the middle of the window. A window may reach its size in several steps, in
    // whatever order the window manager sends them (and an empty one first): until the
    // view has been scrolled or zoomed, each step centres the page again, so that a
    // drawing opened at start-up lies where one opened later does.
    const wxSize client = GetClientSize();
    if (client.x <= 0 || client.y <= 0)
        return;
    const bool untouched = m_nLayoutState == 2 && m_ptLayoutScroll == GetScrollPosition()
        && m_nZoomLevel == kActualSizeLevel && m_fZoom == ZoomTable[kActualSizeLevel];
    if (m_nLayoutState == 1 || untouched) {
        m_nLayoutState = 2;
        OnActualSize();
        m_ptLayoutScroll = GetScrollPosition();
        // The toolkit gives the scrollbars their room after the size event: the client
        // area is known for certain only then.
        CallAfter([this] {
            if (m_nLayoutState == 2 && m_ptLayoutScroll == GetScrollPosition() && m_nZoomLevel == kActualSizeLevel
                && GetClientSize().x > 0 && GetClientSize().y > 0) {
                OnActualSize();
                m_ptLayoutScroll = GetScrollPosition();
            }
        });
    }
}

// ---------------------------------------------------------------------------------------
// Scrolling

void CDrawView::AdjustScrollbars()
{
    const wxSize client = GetClientSize();
    if (client.x <= 0 || client.y <= 0)
        return;
    wxScrolledCanvas::AdjustScrollbars();
}

CPoint CDrawView::GetScrollPosition() const
{
    const wxPoint start = GetViewStart();
    return CPoint(start.x, start.y);
}

void CDrawView::SetScrollSizes(CSize total)
{
    m_totalSize = CSize(std::max(total.cx, 0), std::max(total.cy, 0));
    SetVirtualSize(m_totalSize.cx, m_totalSize.cy);
}

void CDrawView::ScrollToPosition(CPoint position)
{
    const wxSize client = GetClientSize();
    const int maxX = std::max(m_totalSize.cx - client.x, 0);
    const int maxY = std::max(m_totalSize.cy - client.y, 0);
    Scroll(std::clamp(position.x, 0, maxX), std::clamp(position.y, 0, maxY));
}

CPoint CDrawView::ClientCenter() const
{
    const wxSize client = GetClientSize();
    return CPoint(client.x / 2, client.y / 2);
}

void CDrawView::CenterScrollArea()
{
    const wxSize client = GetClientSize();
    ScrollToPosition(CPoint(m_totalSize.cx / 2 - client.x / 2, m_totalSize.cy / 2 - client.y / 2));
}

// ---------------------------------------------------------------------------------------
// Coordinates

CSize CDrawView::ZoomedPageOffset() const
{
    CPoint offset[1] = {CPoint(kPageOffsetPages * m_document.m_sizePage.cx, kPageOffsetPages * m_document.m_sizePage.cy)};
    ZoomPoints(offset);
    return CSize(offset[0].x, offset[0].y);
}

CPoint CDrawView::ClientToLogical(CPoint client) const
{
    const CPoint scroll = GetScrollPosition();
    const CSize offset = ZoomedPageOffset();
    const double x = (double(client.x) + scroll.x) * kLogicalPerInch / m_logPixels.cx - offset.cx;
    const double y = (double(client.y) + scroll.y) * kLogicalPerInch / m_logPixels.cy - offset.cy;
    return CPoint(RoundToInt32(x), RoundToInt32(y));
}

CPoint CDrawView::LogicalToClient(CPoint logical) const
{
    const CPoint scroll = GetScrollPosition();
    const CSize offset = ZoomedPageOffset();
    const double x = (double(logical.x) + offset.cx) * m_logPixels.cx / kLogicalPerInch - scroll.x;
    const double y = (double(logical.y) + offset.cy) * m_logPixels.cy / kLogicalPerInch - scroll.y;
    return CPoint(RoundToInt32(x), RoundToInt32(y));
}

void CDrawView::ClientToDocPoint(bool unzoom, CPoint& pt) const
{
    pt = ClientToLogical(pt);
    if (unzoom)
        UnzoomPoints(std::span<CPoint>(&pt, 1));
}

void CDrawView::ClientToDocRect(CRect& rc) const
{
    const CPoint topLeft = ClientToLogical(CPoint(rc.left, rc.top));
    const CPoint bottomRight = ClientToLogical(CPoint(rc.right, rc.bottom));
    rc = CRect(topLeft, bottomRight);
}

void CDrawView::DocToClientPoint(bool zoom, CPoint& pt) const
{
    if (zoom)
        ZoomPoints(std::span<CPoint>(&pt, 1));
    pt = LogicalToClient(pt);
}

void CDrawView::DocToClientRect(bool zoom, CRect& rc) const
{
    CPoint corners[2] = {CPoint(rc.left, rc.top), CPoint(rc.right, rc.bottom)};
    DocToClientPoint(zoom, corners[0]);
    DocToClientPoint(zoom, corners[1]);
    rc = CRect(corners[0], corners[1]);
    rc.NormalizeRect();
}

void CDrawView::DocToClientRectF(bool zoom, RectF& rc) const
{
    CRect r(TruncateToInt32(rc.X), TruncateToInt32(rc.Y), TruncateToInt32(double(rc.X) + rc.Width),
            TruncateToInt32(double(rc.Y) + rc.Height));
    DocToClientRect(zoom, r);
    rc = RectF(float(r.left), float(r.top), float(r.Width()), float(r.Height()));
}

void CDrawView::ZoomPoints(std::span<CPoint> points) const
{
    const Matrix zoom = ZoomMatrix();
    for (CPoint& point : points) {
        const PointF p = zoom.TransformPoint(PointF(float(point.x), float(point.y)));
        point = CPoint(TruncateToInt32(p.X), TruncateToInt32(p.Y));
    }
}

void CDrawView::ZoomRect(CRect& rc) const
{
    CPoint corners[2] = {CPoint(rc.left, rc.top), CPoint(rc.right, rc.bottom)};
    ZoomPoints(corners);
    rc = CRect(corners[0], corners[1]);
}

void CDrawView::UnzoomRect(CRect& rc) const
{
    CPoint corners[2] = {CPoint(rc.left, rc.top), CPoint(rc.right, rc.bottom)};
    if (UnzoomPoints(corners))
        rc = CRect(corners[0], corners[1]);
}

void CDrawView::UnzoomRectF(RectF& rc) const
{
    PointF corners[2] = {PointF(rc.X, rc.Y), PointF(rc.X + rc.Width, rc.Y + rc.Height)};
    if (UnzoomPointsF(corners))
        rc = RectF(corners[0].X, corners[0].Y, corners[1].X - corners[0].X, corners[1].Y - corners[0].Y);
}

// ---------------------------------------------------------------------------------------
// Zoom

void CDrawView::ZoomAtPoint(CPoint client)
{
    // The document point under the client point, at the zoom that was in force.
    CPoint d = ClientToLogical(client);
    UnzoomPoints(std::span<CPoint>(&d, 1));

    m_pZoomMatrix->Reset();
    m_pZoomMatrix->Scale(m_fZoom, m_fZoom, MatrixOrder::Append);

    const CSize page = m_document.m_sizePage;
    const int64_t dx = int64_t(d.x) + (2 * kPageOffsetPages * int64_t(page.cx)) / 2;
    const int64_t dy = int64_t(d.y) + (2 * kPageOffsetPages * int64_t(page.cy)) / 2;
    const CPoint p(MulDiv(TruncateToInt32(double(dx) * m_fZoom), m_logPixels.cx, kLogicalPerInch),
                   MulDiv(TruncateToInt32(double(dy) * m_fZoom), m_logPixels.cy, kLogicalPerInch));
    const CSize total(MulDiv(TruncateToInt32(double(kScrollPages) * page.cx * m_fZoom), m_logPixels.cx, kLogicalPerInch),
                      MulDiv(TruncateToInt32(double(kScrollPages) * page.cy * m_fZoom), m_logPixels.cy, kLogicalPerInch));
    SetScrollSizes(total);
    ScrollToPosition(CPoint(p.x - client.x, p.y - client.y));
    Refresh(true);
}

void CDrawView::ZoomToLevel(int level)
{
    m_nZoomLevel = std::clamp(level, kMinZoomLevel, kMaxZoomLevel);
    m_fZoom = ZoomTable[size_t(m_nZoomLevel)];
    ShowSliderPosition();
    m_ptZoomCenter = ClientCenter();
    ZoomAtPoint(m_ptZoomCenter);
}

void CDrawView::OnZoomIn()
{
    if (CanZoomIn())
        ZoomToLevel(m_nZoomLevel + 1);
}

void CDrawView::OnZoomOut()
{
    if (CanZoomOut())
        ZoomToLevel(m_nZoomLevel - 1);
}

void CDrawView::OnActualSize()
{
    CenterScrollArea();
    ZoomToLevel(kActualSizeLevel);
}

void CDrawView::OnZoomFit()
{
    CenterScrollArea();
    const wxSize client = GetClientSize();
    // A page narrower than a pixel counts as one pixel, so that the ratio stays finite.
    const int w = std::max(MulDiv(m_document.m_sizePage.cx, m_logPixels.cx, kLogicalPerInch), 1);
    const int h = std::max(MulDiv(m_document.m_sizePage.cy, m_logPixels.cy, kLogicalPerInch), 1);
    const float rx = float(client.x - kFitMargin) / float(w);
    const float ry = float(client.y - kFitMargin) / float(h);
    const float r = std::min(rx, ry);
    // A window too small to show any page leaves the zoom as it is: a factor of zero or
    // below would make the zoom singular or mirrored.
    if (!(r > 0.0f))
        return;
    const auto level = std::find_if(ZoomTable.begin(), ZoomTable.end(), [r](float factor) { return factor >= r; });
    if (level != ZoomTable.end())
        m_nZoomLevel = int(level - ZoomTable.begin());
    m_fZoom = r;
    ShowSliderPosition();
    m_ptZoomCenter = ClientCenter();
    ZoomAtPoint(m_ptZoomCenter);
}

void CDrawView::OnZoomSlider(int position)
{
    m_nZoomLevel = std::clamp(position / kSliderStepsPerLevel, kMinZoomLevel, kMaxZoomLevel);
    const float factor = ZoomTable[size_t(m_nZoomLevel)];
    if (factor == m_fZoom)
        return;
    m_fZoom = factor;
    m_ptZoomCenter = ClientCenter();
    ZoomAtPoint(m_ptZoomCenter);
}

void CDrawView::ZoomByWheel(int delta, CPoint client)
{
    m_nZoomLevel = std::clamp(m_nZoomLevel + (delta > 0 ? 1 : -1), kMinZoomLevel, kMaxZoomLevel);
    ShowSliderPosition();
    const float factor = ZoomTable[size_t(m_nZoomLevel)];
    if (factor == m_fZoom)
        return;
    m_fZoom = factor;
    m_ptZoomCenter = client;
    ZoomAtPoint(client);
}

void CDrawView::OnMouseWheel(wxMouseEvent& event)
{
    // A sideways wheel or swipe scrolls as usual; an event without rotation (the
    // remainder of a smooth-scrolling device) does nothing.
    if (event.GetWheelAxis() != wxMOUSE_WHEEL_VERTICAL) {
        event.Skip();
        return;
    }
    // The vertical wheel zooms and never scrolls, whatever keys are held: the event is
    // not skipped.
    if (event.GetWheelRotation() != 0)
        ZoomByWheel(event.GetWheelRotation(), CPoint(event.GetX(), event.GetY()));
}

void CDrawView::OnShowObjects()
{
    s_bOleIndication = !s_bOleIndication;
    m_document.UpdateAllViews(nullptr, kHintOleObjects, nullptr);
}

void CDrawView::ReapplyZoom()
{
    ZoomAtPoint(m_ptZoomCenter);
}

// ---------------------------------------------------------------------------------------
// Painting

void CDrawView::OnPaint(wxPaintEvent&)
{
    wxPaintDC dc(this);
    const wxRect update = GetUpdateRegion().GetBox();
    const CRect box(update.x, update.y, update.x + update.width, update.y + update.height);
    if (box.IsRectEmpty())
        return;

    // On GTK 3 the paint DC draws through a cairo context in client pixels. The toolkit
    // repaints the whole window after every scroll: the backing picture keeps what was on
    // screen, so that only what comes into view is painted.
    cairo_t* target = static_cast<cairo_t*>(dc.GetHandle());
    if (const ImageSurface* backing = target ? PaintBacking(box) : nullptr) {
        cairo_save(target);
        cairo_set_source_surface(target, backing->CairoSurface(), 0, 0);
        cairo_rectangle(target, box.left, box.top, box.Width(), box.Height());
        cairo_fill(target);
        cairo_restore(target);
        RepaintOverflow(box);
        return;
    }
    std::optional<ImageSurface> surface = RenderClient(box);
    if (surface && target) {
        cairo_save(target);
        cairo_set_source_surface(target, surface->CairoSurface(), box.left, box.top);
        cairo_rectangle(target, box.left, box.top, box.Width(), box.Height());
        cairo_fill(target);
        cairo_restore(target);
    } else if (surface) {
        wxImage image(surface->Width(), surface->Height());
        for (int y = 0; y < surface->Height(); ++y) {
            for (int x = 0; x < surface->Width(); ++x) {
                const Color c = surface->GetPixel(x, y).value_or(Color());
                image.SetRGB(x, y, c.GetR(), c.GetG(), c.GetB());
            }
        }
        dc.DrawBitmap(wxBitmap(image), box.left, box.top);
    } else if (target) {
        // No off-screen surface to be had: paint straight onto the window.
        cairo_save(target);
        cairo_rectangle(target, box.left, box.top, box.Width(), box.Height());
        cairo_clip(target);
        PaintInto(target, box);
        cairo_restore(target);
    }
    RepaintOverflow(box);
}

std::optional<ImageSurface> CDrawView::RenderClient(const CRect& box)
{
    std::optional<ImageSurface> surface = ImageSurface::Create(box.Width(), box.Height());
    if (!surface)
        return std::nullopt;
    cairo_t* cr = cairo_create(surface->CairoSurface());
    cairo_translate(cr, -box.left, -box.top);
    const wxSize client = GetClientSize();
    m_bPartialPaint = box.left > 0 || box.top > 0 || box.right < client.x || box.bottom < client.y;
    PaintInto(cr, box);
    m_bPartialPaint = false;
    cairo_destroy(cr);
    cairo_surface_flush(surface->CairoSurface());
    return surface;
}

std::array<uint32_t, 3> CDrawView::LookColours() const
{
    return {s_workspaceColour ? *s_workspaceColour : Rgb(wxSystemSettings::GetColour(wxSYS_COLOUR_APPWORKSPACE)),
            Rgb(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW)), HighlightColor()};
}

const ImageSurface* CDrawView::PaintBacking(const CRect& box)
{
    const wxSize client = GetClientSize();
    if (client.x <= 0 || client.y <= 0) {
        m_backing.valid.Clear();
        m_backing.sceneValid.Clear();
        m_backing.belowValid.Clear();
        return nullptr;
    }
    const CPoint scroll = GetScrollPosition();
    const std::array<uint32_t, 3> look = LookColours();
    Backing& backing = m_backing;
    if (!backing.surface || !backing.scene || backing.surface->Width() != client.x
        || backing.surface->Height() != client.y || backing.look != look) {
        backing.valid.Clear();
        backing.sceneValid.Clear();
        backing.belowValid.Clear();
        backing.below.reset();
        backing.surface = ImageSurface::Create(client.x, client.y);
        backing.scene = ImageSurface::Create(client.x, client.y);
        if (!backing.surface || !backing.scene)
            return nullptr;
        backing.look = look;
        backing.scroll = scroll;
    }
    if (scroll != backing.scroll) {
        const int dx = backing.scroll.x - scroll.x;
        const int dy = backing.scroll.y - scroll.y;
        for (auto [surface, valid] : {std::pair(&*backing.surface, &backing.valid),
                                      std::pair(&*backing.scene, &backing.sceneValid),
                                      std::pair(backing.below ? &*backing.below : nullptr, &backing.belowValid)}) {
            if (!surface || valid->IsEmpty())
                continue;
            ShiftPixels(surface->CairoSurface(), dx, dy);
            valid->Offset(dx, dy);
            valid->Intersect(wxRect(0, 0, client.x, client.y));
        }
        // The rubber band is drawn in client pixels: it does not move with a scroll, so
        // the picture is laid anew over the moved scene.
        if (m_rcRubberBand)
            backing.valid.Clear();
        backing.scroll = scroll;
    }

    wxRegion missing(wxRect(box.left, box.top, box.Width(), box.Height()));
    missing.Intersect(wxRect(0, 0, client.x, client.y));
    missing.Subtract(backing.valid);
    if (missing.IsEmpty())
        return &*backing.surface;
    // The scene first, where it is not up to date: paper, grid and objects, without the
    // feedback.
    wxRegion stale(missing);
    stale.Subtract(backing.sceneValid);
    // A region splits into bands: a box crossed by feedback strips comes in pieces, and an
    // object across the pieces would be drawn once for each. Pieces that fill most of
    // their bounds are painted as those bounds in one go.
    int64_t staleArea = 0;
    for (wxRegionIterator part(stale); part; ++part)
        staleArea += int64_t(part.GetW()) * part.GetH();
    const wxRect staleBounds = stale.GetBox();
    if (int64_t(staleBounds.width) * staleBounds.height <= 2 * staleArea)
        stale = wxRegion(staleBounds);
    bool painted = true;
    if (!stale.IsEmpty()) {
        // The layer beneath the selection holds what it did only for the same selection
        // at the same list positions.
        const size_t split = LayerSplit();
        if (split != backing.split || m_document.ListChanges() != backing.listChanges) {
            backing.belowValid.Clear();
            backing.split = split;
            backing.listChanges = m_document.ListChanges();
        }
        cairo_t* scene = cairo_create(backing.scene->CairoSurface());
        cairo_set_operator(scene, CAIRO_OPERATOR_SOURCE);
        m_bOmitFeedback = true;
        for (wxRegionIterator part(stale); part; ++part) {
            const wxRect r = part.GetRect();
            const CRect box(r.x, r.y, r.x + r.width, r.y + r.height);
            const std::optional<ImageSurface> strip = split ? RenderOverBelow(box, split) : RenderClient(box);
            painted = bool(strip);
            if (!strip)
                break;
            cairo_set_source_surface(scene, strip->CairoSurface(), r.x, r.y);
            cairo_rectangle(scene, r.x, r.y, r.width, r.height);
            cairo_fill(scene);
            backing.sceneValid.Union(r);
        }
        m_bOmitFeedback = false;
        cairo_destroy(scene);
        cairo_surface_flush(backing.scene->CairoSurface());
        if (!painted)
            return nullptr;
    }
    // Then the picture: the scene with the feedback over it.
    cairo_t* cr = cairo_create(backing.surface->CairoSurface());
    for (wxRegionIterator part(missing); part; ++part) {
        const wxRect r = part.GetRect();
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_surface(cr, backing.scene->CairoSurface(), 0, 0);
        cairo_rectangle(cr, r.x, r.y, r.width, r.height);
        cairo_fill(cr);
        cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
        PaintFeedbackInto(cr, CRect(r.x, r.y, r.x + r.width, r.y + r.height));
        backing.valid.Union(r);
    }
    cairo_destroy(cr);
    cairo_surface_flush(backing.surface->CairoSurface());
    return &*backing.surface;
}

void CDrawView::Refresh(bool eraseBackground, const wxRect* rect)
{
    if (rect) {
        ForgetBacking(*rect, true, true);
    } else {
        m_backing.valid.Clear();
        m_backing.sceneValid.Clear();
        m_backing.belowValid.Clear();
    }
    wxScrolledCanvas::Refresh(eraseBackground, rect);
}

void CDrawView::ForgetBacking(const wxRect& rect, bool scene, bool below)
{
    // The rectangle is in client pixels at the present scroll position; the picture's
    // pixels are where they were at its own.
    const CPoint scroll = GetScrollPosition();
    wxRect stale = rect;
    stale.Offset(scroll.x - m_backing.scroll.x, scroll.y - m_backing.scroll.y);
    m_backing.valid.Subtract(stale);
    if (scene)
        m_backing.sceneValid.Subtract(stale);
    if (below)
        m_backing.belowValid.Subtract(stale);
}

bool CDrawView::PictureUpToDate() const
{
    const wxSize client = GetClientSize();
    if (!m_backing.surface || m_backing.surface->Width() != client.x || m_backing.surface->Height() != client.y
        || m_backing.scroll != GetScrollPosition())
        return false;
    wxRegion missing(wxRect(0, 0, client.x, client.y));
    missing.Subtract(m_backing.valid);
    return missing.IsEmpty();
}

void CDrawView::RefreshFeedback(const CRect& box)
{
    const wxRect rect(box.left, box.top, box.Width(), box.Height());
    ForgetBacking(rect, false, false);
    wxScrolledCanvas::Refresh(false, &rect);
}

void CDrawView::RefreshSelectionArea(const CRect& box)
{
    const wxRect rect(box.left, box.top, box.Width(), box.Height());
    ForgetBacking(rect, true, false);
    wxScrolledCanvas::Refresh(false, &rect);
}

size_t CDrawView::LayerSplit() const
{
    // A layer pays where a few selected objects change again and again over a drawing of
    // many; the join tool's marks change with every object the mouse passes.
    if (!m_bViewActive || m_selection.empty() || m_selection.size() > kMaxLayeredSelection || IsJoinToolActive())
        return 0;
    return m_document.BackmostPosition(m_selection);
}

std::optional<ImageSurface> CDrawView::RenderOverBelow(const CRect& box, size_t split)
{
    Backing& backing = m_backing;
    const wxSize client = GetClientSize();
    if (!backing.below || backing.below->Width() != client.x || backing.below->Height() != client.y) {
        backing.belowValid.Clear();
        backing.below = ImageSurface::Create(client.x, client.y);
        if (!backing.below)
            return RenderClient(box);
    }
    // The layer first, where it is not up to date: its objects are drawn there alone.
    wxRegion missing(wxRect(box.left, box.top, box.Width(), box.Height()));
    missing.Subtract(backing.belowValid);
    if (!missing.IsEmpty()) {
        const wxRect r = missing.GetBox();
        m_nDrawTo = split;
        const std::optional<ImageSurface> strip = RenderClient(CRect(r.x, r.y, r.x + r.width, r.y + r.height));
        m_nDrawTo = SIZE_MAX;
        if (!strip)
            return std::nullopt;
        cairo_t* cr = cairo_create(backing.below->CairoSurface());
        cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
        cairo_set_source_surface(cr, strip->CairoSurface(), r.x, r.y);
        cairo_rectangle(cr, r.x, r.y, r.width, r.height);
        cairo_fill(cr);
        cairo_destroy(cr);
        cairo_surface_flush(backing.below->CairoSurface());
        backing.belowValid.Union(r);
    }
    // Then the layer's pixels with the rest of the list drawn over them, as a paint of the
    // box from the start would go on after the layer's last object.
    std::optional<ImageSurface> surface = ImageSurface::Create(box.Width(), box.Height());
    if (!surface)
        return std::nullopt;
    cairo_t* cr = cairo_create(surface->CairoSurface());
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, backing.below->CairoSurface(), -box.left, -box.top);
    cairo_paint(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_translate(cr, -box.left, -box.top);
    m_bPartialPaint = box.left > 0 || box.top > 0 || box.right < client.x || box.bottom < client.y;
    m_nDrawFrom = split;
    DrawOnPage(cr, [this](Graphics& g) {
        DeviceContext screen(false);
        m_document.Draw(g, screen, this);
    });
    m_nDrawFrom = 0;
    m_bPartialPaint = false;
    cairo_destroy(cr);
    cairo_surface_flush(surface->CairoSurface());
    return surface;
}

void CDrawView::PaintInto(cairo_t* cr, const CRect& box)
{
    cairo_save(cr);
    // The themed background behind the page.
    const wxColour background = s_workspaceColour
        ? wxColour((*s_workspaceColour >> 16) & 0xFF, (*s_workspaceColour >> 8) & 0xFF, *s_workspaceColour & 0xFF)
        : wxSystemSettings::GetColour(wxSYS_COLOUR_APPWORKSPACE);
    cairo_set_source_rgb(cr, background.Red() / 255.0, background.Green() / 255.0, background.Blue() / 255.0);
    cairo_rectangle(cr, box.left, box.top, box.Width(), box.Height());
    cairo_fill(cr);

    DrawOnPage(cr, [this](Graphics& g) {
        DeviceContext screen(false);
        OnDraw(g, screen);
    });
    cairo_restore(cr);
    if (!m_bOmitFeedback)
        PaintToolFeedback(cr);
}

void CDrawView::DrawOnPage(cairo_t* cr, const std::function<void(Graphics&)>& draw)
{
    // Zoomed logical units to client pixels.
    cairo_save(cr);
    const CPoint scroll = GetScrollPosition();
    const CSize offset = ZoomedPageOffset();
    cairo_translate(cr, -scroll.x, -scroll.y);
    cairo_scale(cr, double(m_logPixels.cx) / kLogicalPerInch, double(m_logPixels.cy) / kLogicalPerInch);
    cairo_translate(cr, offset.cx, offset.cy);
    {
        Graphics g(cr);
        g.SetSmoothingMode(SmoothingMode::AntiAlias);
        draw(g);
    }
    cairo_restore(cr);
}

void CDrawView::PaintFeedbackInto(cairo_t* cr, const CRect& box)
{
    cairo_save(cr);
    cairo_rectangle(cr, box.left, box.top, box.Width(), box.Height());
    cairo_clip(cr);
    // Under the transform of PaintInto, as the document draws the snap feedback there.
    DrawOnPage(cr, [this](Graphics& g) { m_document.DrawSnapFeedback(g, *this); });
    PaintToolFeedback(cr);
    cairo_restore(cr);
}

void CDrawView::OnDraw(Graphics& g, DeviceContext& dc)
{
    const bool printing = dc.IsPrinting();
    const float savedZoom = m_fZoom;
    const Matrix savedMatrix = *m_pZoomMatrix;
    if (printing) {
        m_fZoom = 1.0f;
        m_pZoomMatrix->Reset();
    } else {
        DrawPaper(g);
        if (m_bShowGrid)
            DrawGrid(g);
    }
    m_document.Draw(g, dc, this);
    if (printing) {
        m_fZoom = savedZoom;
        *m_pZoomMatrix = savedMatrix;
    }
}

void CDrawView::DrawPaper(Graphics& g)
{
    CPoint size[1] = {CPoint(m_document.m_sizePage.cx, m_document.m_sizePage.cy)};
    ZoomPoints(size);
    const float w = float(size[0].x);
    const float h = float(size[0].y);
    FillRect(g, ToColor(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW)), RectF(kShadowOffset, kShadowOffset, w, h));
    FillRect(g, ToColor(m_document.m_clrPaper.current), RectF(0.0f, 0.0f, w, h));
    GraphicsPath frame;
    frame.AddRectangle(RectF(-kFrameInset, -kFrameInset, w + 2 * kFrameInset, h + 2 * kFrameInset));
    g.DrawPath(Color(0, 0, 0), kFrameWidth, frame);
}

void CDrawView::DrawGrid(Graphics& g)
{
    CPoint sizes[2] = {CPoint(m_document.m_sizePage.cx, m_document.m_sizePage.cy),
                       CPoint(m_document.m_sizeGrid.cx, m_document.m_sizeGrid.cy)};
    ZoomPoints(sizes);
    const int64_t w = sizes[0].x;
    const int64_t h = sizes[0].y;
    const int64_t cw = sizes[1].x;
    const int64_t ch = sizes[1].y;

    // Only the lines that can reach the target; a cell that zooms to nothing gives none
    // on its axis.
    const std::optional<RectF> visible = g.GetVisibleClipBounds();
    if (!visible)
        return;
    const double left = std::max(double(visible->X) - 1.0, 0.0);
    const double right = std::min(double(visible->X) + visible->Width + 1.0, double(w));
    const double top = std::max(double(visible->Y) - 1.0, 0.0);
    const double bottom = std::min(double(visible->Y) + visible->Height + 1.0, double(h));

    GraphicsPath lines;
    if (cw > 0) {
        for (int64_t x = std::max<int64_t>(int64_t(left / double(cw)), 1) * cw; x < w && double(x) <= right; x += cw) {
            lines.StartFigure();
            lines.AddLine(float(x), 0.0f, float(x), float(h));
        }
    }
    if (ch > 0) {
        for (int64_t y = std::max<int64_t>(int64_t(top / double(ch)), 1) * ch; y < h && double(y) <= bottom; y += ch) {
            lines.StartFigure();
            lines.AddLine(0.0f, float(y), float(w), float(y));
        }
    }
    if (!lines.IsEmpty())
        g.DrawPath(ToColor(m_document.m_clrGrid.current), kGridLineWidth, lines);
}

// ---------------------------------------------------------------------------------------
// Document and frame

void CDrawView::OnActivateView(bool activate)
{
    if (!activate)
        ForgetToolState();
    // Only an active view shows the selection's handles: a change shows or hides them.
    if (bool(m_bViewActive) != activate && !m_selection.empty())
        Invalidate(false);
    m_bViewActive = activate;
    if (FrameServices* frame = m_document.Frame()) {
        frame->RefreshSelectionInfo(this, false);
        if (activate)
            frame->SetActiveDrawView(this);
    }
    m_ptZoomCenter = ClientCenter();
}

bool CDrawView::IsJoinToolActive() const
{
    return CDrawTool::s_currentKind == TOOL_JOIN;
}

uint32_t CDrawView::HighlightColor() const
{
    const wxColour c = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
    return 0xFF000000u | uint32_t(c.Red()) << 16 | uint32_t(c.Green()) << 8 | uint32_t(c.Blue());
}

void CDrawView::Invalidate(bool erase)
{
    // A drag step repaints what it changed once it is done.
    if (m_nRepaintDeferral > 0) {
        m_bRepaintDeferred = true;
        return;
    }
    Refresh(erase);
}

void CDrawView::OnInitialUpdate()
{
    const CSize page = m_document.m_sizePage;
    const int cx = MulDiv(TruncateToInt32(double(page.cx) * m_fZoom), m_logPixels.cx, kLogicalPerInch);
    const int cy = MulDiv(TruncateToInt32(double(page.cy) * m_fZoom), m_logPixels.cy, kLogicalPerInch);
    SetScrollSizes(CSize(kScrollPages * cx, kScrollPages * cy));
    const wxSize client = GetClientSize();
    ScrollToPosition(CPoint(kScrollPages * cx / 2 - client.x / 2, kScrollPages * cy / 2 - client.y / 2));
    m_nLayoutState = 1;
}

void CDrawView::OnUpdate(ViewServices*, int hint, CDrawObj* object)
{
    FrameServices* frame = m_document.Frame();
    switch (hint) {
    case kHintRepaint:
        Refresh(false);
        break;
    case kHintRepaintErase:
        Refresh(true);
        break;
    case kHintChanged:
        // One changed object, or none for the selection.
        if (object || !m_selection.empty())
            Refresh(true);
        if (frame)
            frame->RefreshSelectionInfo(this, true);
        break;
    case kHintRemoved:
        // One removed object; none when the sender has taken several out of every
        // selection itself.
        Refresh(true);
        if (object && IsSelected(object)) {
            object->m_nJoinHandle = 0;
            std::erase(m_selection, object);
        }
        if (frame)
            frame->RefreshSelectionInfo(this, true);
        break;
    case kHintOleObjects: {
        const bool anyOle = std::any_of(m_document.Objects().begin(), m_document.Objects().end(),
                                        [](const std::unique_ptr<CDrawObj>& entry) {
                                            return entry->m_nShapeType == ShapeType::OleObject;
                                        });
        if (anyOle)
            Refresh(true);
        break;
    }
    default:
        break;
    }
}

void CDrawView::SelectObjects(const std::vector<CDrawObj*>& objects)
{
    DropPreview();
    // Flat sets, not searches: a paste, an ungroup or an undo hands over every object of a
    // drawing.
    const PointerSet<CDrawObj> chosen(objects);
    for (CDrawObj* object : m_selection) {
        if (!chosen.contains(object))
            object->m_nJoinHandle = 0;
    }
    m_selection.clear();
    PointerSet<CDrawObj> taken = PointerSet<CDrawObj>::WithRoom(objects.size());
    for (CDrawObj* object : objects) {
        // Each object once, however often it is listed.
        if (object && !object->m_bDeleted && taken.insert(object))
            m_selection.push_back(object);
    }
    Refresh(true);
    if (FrameServices* frame = m_document.Frame())
        frame->RefreshSelectionInfo(this, true);
}

int CDrawView::GetObjectZOrder(CDrawObj* object)
{
    return m_document.GetObjectZOrder(object);
}

void CDrawView::SetObjectZOrder(int position, CDrawObj* object)
{
    if (position < 0)
        return;
    m_document.SetObjectZOrder(position, object);
    Refresh(true);
}

void CDrawView::OnExportLogo()
{
    std::string extension;
    const std::optional<std::filesystem::path> path = ChooseFileToWrite(
        [this](const SaveTarget& offered) { return m_prompts.saveFile(std::string(kExportFilter), offered); },
        [&extension](const SaveTarget& chosen) {
            std::filesystem::path written = chosen.path;
            extension = ResolveExportExtension(written, chosen.filterIndex);
            return written;
        },
        [this](const std::string& question) {
            return m_prompts.dialogs.messageBox(wxGetTopLevelParent(this), wxString::FromUTF8(question),
                                                wxYES_NO | wxICON_WARNING)
                == wxYES;
        });
    if (!path)
        return;
    const ImageStatus status = ExportLogo(m_document, *path, extension, m_logPixels);
    if (status == ImageStatus::Ok)
        return;
    TellUser(ExportErrorMessage(status, *path, extension));
}

} // namespace kelmora
