// The selection marks drawn over an object: grip handles, rotate and skew arrows, guide
// arrows to Bézier controls and arc end points, angle read-outs, and the end points that
// the join tool offers. Everything is in view units (handles are asked with the view) and
// lives for one call; the object and the view are not changed.

#include "model/DrawObjTracker.h"

#include "model/DrawObj.h"
#include "model/DrawPoly.h"
#include "model/DrawRect.h"
#include "model/HandleKind.h"
#include "model/ViewServices.h"
#include "platform/graphics/Graphics.h"
#include "platform/text/Font.h"
#include "platform/text/FontFamily.h"
#include "platform/text/StringFormat.h"
#include "platform/text/TextDrawing.h"

#include <cmath>
#include <cstdio>
#include <numbers>
#include <optional>
#include <string>

namespace kelmora {

namespace {

constexpr Color kBlack(0xFF000000);
constexpr Color kBlue(0xFF0000FF);
constexpr Color kYellow(0xFFFFFF00);
constexpr Color kRed(0xFFFF0000);

constexpr float kPenWidth = 1.0f;
// Handle marks are 18 view units across; the rotation-centre ring is 36.
constexpr float kMarkHalf = 9.0f;
constexpr float kRingHalf = 18.0f;
constexpr float kCrossHalf = 1.0f;

// Arrow heads of the marks. The angle is taken in radians like every arrow angle; 120
// radians gives the marks their squat heads.
constexpr float kMarkArrowSize = 18.0f;
constexpr float kMarkArrowAngle = 120.0f;
constexpr uint32_t kGuideArrowStyle = 2;
constexpr uint32_t kHandleArrowStyle = 7;
// Curved arrows: arcs of this radius and sweep (degrees) about a point beside the handle.
constexpr float kCurvedArrowRadius = 36.0f;
constexpr float kCurvedArrowSweep = 50.0f;
constexpr float kStraightArrowHalf = 18.0f;

// The angle read-out: its layout box below and right of the handle, and its font.
constexpr float kReadoutWidth = 200.0f;
constexpr float kReadoutHeight = 50.0f;
constexpr float kReadoutFontSize = 36.0f;

// How far a mark reaches from its handle, in view units: the angle read-out's box is the
// largest. A mark whose handle lies farther than this outside what the surface shows
// cannot be seen.
constexpr float kMarkReach = kReadoutWidth;

// The dash-dot pattern in multiples of the pen width: dash, gap, dot, gap.
constexpr float kDashDot[] = {3.0f, 1.0f, 1.0f, 1.0f};

constexpr int kStateJoin = 0;

// The parts of `path` a dash-dot pen of `width` paints, as open figures.
GraphicsPath DashDotOutline(const GraphicsPath& path, float width)
{
    GraphicsPath dashes;
    for (const FlattenedFigure& figure : path.GetFlattenedFigures()) {
        std::vector<PointF> pts = figure.points;
        if (figure.closed && pts.size() > 2)
            pts.push_back(pts.front());
        size_t entry = 0;
        float left = kDashDot[0] * width;
        bool on = true;
        bool open = false;
        for (size_t i = 1; i < pts.size(); ++i) {
            const PointF a = pts[i - 1];
            const PointF b = pts[i];
            const double length = std::hypot(double(b.X) - a.X, double(b.Y) - a.Y);
            double at = 0.0;
            while (at < length) {
                const double step = std::min(double(left), length - at);
                if (on) {
                    const double t0 = at / length;
                    const double t1 = (at + step) / length;
                    const PointF p0(float(a.X + (b.X - a.X) * t0), float(a.Y + (b.Y - a.Y) * t0));
                    const PointF p1(float(a.X + (b.X - a.X) * t1), float(a.Y + (b.Y - a.Y) * t1));
                    if (!open) {
                        dashes.StartFigure();
                        open = true;
                    }
                    dashes.AddLine(p0, p1);
                }
                at += step;
                left -= float(step);
                if (left <= 0.0f) {
                    entry = (entry + 1) % std::size(kDashDot);
                    left = kDashDot[entry] * width;
                    on = entry % 2 == 0;
                    open = false;
                }
            }
        }
    }
    return dashes;
}

// Draws the marks of one call, with the fonts made on first use.
class TrackerPainter {
public:
    TrackerPainter(Graphics& g, Color highlight) : m_g(g), m_highlight(highlight)
    {
        // A selection of thousands of objects, zoomed in, has most of its marks out of
        // sight: they are left out rather than drawn and clipped.
        if (std::optional<RectF> visible = g.GetVisibleClipBounds()) {
            visible->Inflate(kMarkReach, kMarkReach);
            m_sight = *visible;
        }
    }

    // Whether a mark at p, or a guide arrow between p and q, can be seen.
    bool InSight(CPoint p) const { return InSight(p, p); }
    bool InSight(CPoint p, CPoint q) const
    {
        if (!m_sight)
            return true;
        const RectF span = RectF::FromCorners(PointF(float(p.x), float(p.y)), PointF(float(q.x), float(q.y)));
        return span.X <= m_sight->GetRight() && m_sight->X <= span.GetRight() && span.Y <= m_sight->GetBottom()
            && m_sight->Y <= span.GetBottom();
    }

    void Circle(CPoint p, Color fill)
    {
        GraphicsPath path;
        if (!path.AddEllipse(float(p.x) - kMarkHalf, float(p.y) - kMarkHalf, 2 * kMarkHalf, 2 * kMarkHalf))
            return;
        m_g.FillPath(fill, path);
        m_g.DrawPath(kBlack, kPenWidth, path);
    }

    void Square(CPoint p)
    {
        GraphicsPath path;
        if (path.AddRectangle(RectF(float(p.x) - kMarkHalf, float(p.y) - kMarkHalf, 2 * kMarkHalf, 2 * kMarkHalf)))
            m_g.FillPath(kBlack, path);
    }

    void Cross(CPoint p, float half)
    {
        GraphicsPath path;
        const float x = float(p.x);
        const float y = float(p.y);
        path.AddLine(x - half, y - half, x + half, y + half);
        path.StartFigure();
        path.AddLine(x - half, y + half, x + half, y - half);
        m_g.DrawPath(kBlack, kPenWidth, path);
    }

    void RotationCentre(CPoint p)
    {
        GraphicsPath ring;
        if (ring.AddArc(float(p.x) - kRingHalf, float(p.y) - kRingHalf, 2 * kRingHalf, 2 * kRingHalf, 0.0f, 360.0f))
            m_g.DrawPath(kBlack, kPenWidth, ring);
        Cross(p, kCrossHalf);
    }

    // A blue dash-dot arrow from `from` to the handle.
    void GuideArrow(CPoint from, CPoint to)
    {
        if (!InSight(from, to))
            return;
        GraphicsPath path;
        CDrawPoly::AddArrowHead(path, PointF(float(from.x), float(from.y)), PointF(float(to.x), float(to.y)),
                                kMarkArrowSize, kMarkArrowAngle, kGuideArrowStyle);
        m_g.DrawPath(kBlue, kPenWidth, DashDotOutline(path, kPenWidth));
        m_g.FillPath(kBlue, path);
    }

    // The angle (radians) in degrees with two decimals, centred in its box at the handle.
    void AngleReadout(CPoint p, double radians)
    {
        const std::optional<Font>& font = ReadoutFont();
        if (!font)
            return;
        StringFormat format;
        format.SetAlignment(StringAlignment::Center);
        DrawString(m_g, FormatAngleReadout(radians), *font, RectF(float(p.x), float(p.y), kReadoutWidth, kReadoutHeight),
                   format, kBlue);
    }

    // The rotate or skew arrow of base handle n; nothing for other numbers.
    void HandleArrow(int n, CPoint p)
    {
        const float x = float(p.x);
        const float y = float(p.y);
        GraphicsPath path;
        auto curved = [&](float cx, float cy, float start) {
            if (path.AddArc(cx - kCurvedArrowRadius, cy - kCurvedArrowRadius, 2 * kCurvedArrowRadius,
                            2 * kCurvedArrowRadius, start, kCurvedArrowSweep))
                CDrawPoly::AddPathEndArrows(path, kMarkArrowSize, kMarkArrowAngle, kHandleArrowStyle);
        };
        auto straight = [&](float x1, float y1, float x2, float y2) {
            CDrawPoly::AddSegmentWithArrows(path, PointF(x1, y1), PointF(x2, y2), 3, kHandleArrowStyle,
                                            kMarkArrowSize, kMarkArrowAngle);
        };
        const float d = kStraightArrowHalf;
        switch (n) {
        case 11: curved(x + 2 * d, y + 2 * d, 200.0f); break;
        case 12: straight(x - d, y, x + d, y); break;
        case 13: curved(x - d, y + d, 290.0f); break;
        case 14: straight(x, y - d, x, y + d); break;
        case 15: curved(x - d, y - d, 20.0f); break;
        case 16: straight(x - d, y, x + d, y); break;
        case 17: curved(x + d, y - d, 110.0f); break;
        case 18: straight(x, y - d, x, y + d); break;
        default: return;
        }
        m_g.DrawPath(kBlack, kPenWidth, path);
        m_g.FillPath(kBlack, path);
    }

    Color Highlight() const { return m_highlight; }

private:
    const std::optional<Font>& ReadoutFont()
    {
        if (!m_fontTried) {
            m_fontTried = true;
            std::optional<FontFamily> family = FontFamily::Create("Arial");
            m_font = Font::Create(family ? *family : FontFamily::GenericSansSerif(), kReadoutFontSize,
                                  FontStyle::Regular, FontUnit::Point);
        }
        return m_font;
    }

    Graphics& m_g;
    Color m_highlight;
    // What the surface can show, widened by the reach of a mark; nothing when unknown.
    std::optional<RectF> m_sight;
    bool m_fontTried = false;
    std::optional<Font> m_font;
};

} // namespace

std::string FormatAngleReadout(double radians)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", radians * 180.0 / std::numbers::pi);
    return text;
}

// There is no drawing surface behind a bare device context here, so nothing is drawn.
void CDrawObj::DrawTracker(DeviceContext&, int, ViewServices*) { }

void CDrawObj::DrawTrackerEx(Graphics& g, int state, ViewServices* pView, ARGB highlight)
{
    if (m_bDeleted)
        return;
    if (state != kStateJoin && state != 1 && state != 2)
        return;
    TrackerPainter painter(g, Color(highlight | 0xFF000000u));
    // Angles are read only from an object that has them.
    const CDrawPoly* poly = dynamic_cast<const CDrawPoly*>(this);
    const int count = GetHandleCount();

    if (state == kStateJoin) {
        for (int n = 1; n <= count; ++n) {
            int kind = HANDLE_NONE;
            const CPoint p = GetHandle(n, &kind, pView);
            if (kind != HANDLE_POINT || !IsEndPointHandle(n) || !painter.InSight(p))
                continue;
            const bool picked = n == m_nJoinHandle && pView && pView->IsJoinCandidate(this);
            painter.Circle(p, picked ? painter.Highlight() : kRed);
        }
        return;
    }

    if (m_nShapeType == ShapeType::Text) {
        if (auto* text = dynamic_cast<CDrawRect*>(this))
            text->DrawFramePath(g, kBlack.GetValue(), kPenWidth, pView);
    }

    for (int n = 1; n <= count; ++n) {
        // Some handles leave the kind untouched; they must not inherit the previous one.
        int kind = HANDLE_NONE;
        const CPoint p = GetHandle(n, &kind, pView);
        // Guide arrows run from another point to the handle: they are judged by both ends.
        const bool guide = kind == kHandleArcStart || kind == kHandleArcEnd || kind == kHandleControlAfter
            || (kind == kHandleControlBefore && n + 1 <= count);
        if (!guide && !painter.InSight(p))
            continue;
        switch (kind) {
        case HANDLE_NONE:
            break;
        case HANDLE_POINT:
            painter.Circle(p, kRed);
            break;
        case kHandleCornerRadius:
            painter.Circle(p, kYellow);
            break;
        case kHandleArcCentre:
            painter.Circle(p, kRed);
            if (poly)
                painter.AngleReadout(p, poly->m_fSweepAngle);
            break;
        case kHandleArcStart:
            painter.GuideArrow(GetAnchorPoint(pView), p);
            if (poly)
                painter.AngleReadout(p, poly->m_fStartAngle);
            break;
        case kHandleArcEnd:
            painter.GuideArrow(GetAnchorPoint(pView), p);
            if (poly)
                painter.AngleReadout(p, double(poly->m_fStartAngle) + poly->m_fSweepAngle);
            break;
        case kHandleControlAfter:
            painter.GuideArrow(GetHandle(n - 1, nullptr, pView), p);
            break;
        case kHandleControlBefore:
            if (n + 1 <= count)
                painter.GuideArrow(GetHandle(n + 1, nullptr, pView), p);
            else
                painter.Square(p);
            break;
        case HANDLE_MOVE:
            painter.Cross(p, kMarkHalf);
            break;
        case HANDLE_ROTATE_CENTRE:
            painter.RotationCentre(p);
            break;
        case HANDLE_ROTATE:
        case HANDLE_SKEW:
            painter.HandleArrow(n, p);
            break;
        default:
            painter.Square(p);
            break;
        }
    }
}

} // namespace kelmora
