// The selection marks drawn over an object: grip handles, rotate and skew arrows, guide
// arrows to Bézier controls and arc end points, angle read-outs, and the end points that
// the join tool offers. Everything is in view units (handles are asked with the view) and
// lives for one call, but for the pictures of the marks that recur at every handle, kept
// for the next paint; the object and the view are not changed.

#include "model/DrawObjTracker.h"

#include "model/DrawObj.h"
#include "model/DrawPoly.h"
#include "model/DrawRect.h"
#include "model/HandleKind.h"
#include "model/ViewServices.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/Stamp.h"
#include "platform/text/Font.h"
#include "platform/text/FontFamily.h"
#include "platform/text/StringFormat.h"
#include "platform/text/TextDrawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <memory>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

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

// The marks that look the same at every handle they sit at, only moved.
enum class MarkShape : uint8_t {
    Square,
    Circle, // filled with the colour the mark is drawn with
    Cross,
    RotationCentre,
    // The rotate and skew arrows of base handles 11 to 18, clockwise from the top left.
    ArrowTopLeft,
    ArrowHorizontal,
    ArrowTopRight,
    ArrowVertical,
    ArrowBottomRight,
    ArrowBottomLeft,
};

void CrossPaths(Graphics& g, PointF p, float half)
{
    GraphicsPath path;
    path.AddLine(p.X - half, p.Y - half, p.X + half, p.Y + half);
    path.StartFigure();
    path.AddLine(p.X - half, p.Y + half, p.X + half, p.Y - half);
    g.DrawPath(kBlack, kPenWidth, path);
}

// The outline of a rotate or skew arrow at the handle p; empty for other shapes.
GraphicsPath ArrowPath(MarkShape shape, PointF p)
{
    GraphicsPath path;
    auto curved = [&](float cx, float cy, float start) {
        if (path.AddArc(cx - kCurvedArrowRadius, cy - kCurvedArrowRadius, 2 * kCurvedArrowRadius,
                        2 * kCurvedArrowRadius, start, kCurvedArrowSweep))
            CDrawPoly::AddPathEndArrows(path, kMarkArrowSize, kMarkArrowAngle, kHandleArrowStyle);
    };
    auto straight = [&](float x1, float y1, float x2, float y2) {
        CDrawPoly::AddSegmentWithArrows(path, PointF(x1, y1), PointF(x2, y2), 3, kHandleArrowStyle, kMarkArrowSize,
                                        kMarkArrowAngle);
    };
    const float x = p.X;
    const float y = p.Y;
    const float d = kStraightArrowHalf;
    switch (shape) {
    case MarkShape::ArrowTopLeft: curved(x + 2 * d, y + 2 * d, 200.0f); break;
    case MarkShape::ArrowHorizontal: straight(x - d, y, x + d, y); break;
    case MarkShape::ArrowTopRight: curved(x - d, y + d, 290.0f); break;
    case MarkShape::ArrowVertical: straight(x, y - d, x, y + d); break;
    case MarkShape::ArrowBottomRight: curved(x - d, y - d, 20.0f); break;
    case MarkShape::ArrowBottomLeft: curved(x + d, y - d, 110.0f); break;
    default: break;
    }
    return path;
}

void ArrowPaths(Graphics& g, MarkShape shape, PointF p)
{
    const GraphicsPath path = ArrowPath(shape, p);
    if (path.IsEmpty())
        return;
    g.DrawPath(kBlack, kPenWidth, path);
    g.FillPath(kBlack, path);
}

// Draws the mark as paths with its handle at p.
void DrawMarkPaths(Graphics& g, MarkShape shape, Color fill, PointF p)
{
    switch (shape) {
    case MarkShape::Square: {
        GraphicsPath path;
        if (path.AddRectangle(RectF(p.X - kMarkHalf, p.Y - kMarkHalf, 2 * kMarkHalf, 2 * kMarkHalf)))
            g.FillPath(kBlack, path);
        break;
    }
    case MarkShape::Circle: {
        GraphicsPath path;
        if (!path.AddEllipse(p.X - kMarkHalf, p.Y - kMarkHalf, 2 * kMarkHalf, 2 * kMarkHalf))
            return;
        g.FillPath(fill, path);
        g.DrawPath(kBlack, kPenWidth, path);
        break;
    }
    case MarkShape::Cross: CrossPaths(g, p, kMarkHalf); break;
    case MarkShape::RotationCentre: {
        GraphicsPath ring;
        if (ring.AddArc(p.X - kRingHalf, p.Y - kRingHalf, 2 * kRingHalf, 2 * kRingHalf, 0.0f, 360.0f))
            g.DrawPath(kBlack, kPenWidth, ring);
        CrossPaths(g, p, kCrossHalf);
        break;
    }
    default: ArrowPaths(g, shape, p); break;
    }
}

// The rotate or skew arrow of base handle n; nothing for other numbers.
std::optional<MarkShape> HandleArrowShape(int n)
{
    switch (n) {
    case 11: return MarkShape::ArrowTopLeft;
    case 12:
    case 16: return MarkShape::ArrowHorizontal;
    case 13: return MarkShape::ArrowTopRight;
    case 14:
    case 18: return MarkShape::ArrowVertical;
    case 15: return MarkShape::ArrowBottomRight;
    case 17: return MarkShape::ArrowBottomLeft;
    default: return std::nullopt;
    }
}

// How far the mark reaches from its handle, in view units, its outline included.
float MarkShapeReach(MarkShape shape)
{
    switch (shape) {
    case MarkShape::Square:
    case MarkShape::Circle:
    case MarkShape::Cross: return kMarkHalf + kPenWidth;
    case MarkShape::RotationCentre: return kRingHalf + kPenWidth;
    default:
        // A curved arrow's arc is centred up to two arrow halves from the handle; its
        // heads stand out from the arc's ends.
        return 2 * kStraightArrowHalf + kCurvedArrowRadius + kMarkArrowSize;
    }
}

// Stamps of the marks, made on first use for each transform and smoothing they are drawn
// with. Views keep one transform to the screen, so a handful of entries serve every paint;
// past this many, those made for other transforms go.
constexpr size_t kMaxCachedStamps = 64;

struct CachedStamp {
    MarkShape shape;
    Color fill;
    Stamp stamp;
};

// Each thread that draws marks keeps its own stamps, as it keeps its own surfaces. Held
// by pointer: marks waiting to be painted point at them while others are added.
std::vector<std::unique_ptr<CachedStamp>>& StampCache()
{
    thread_local std::vector<std::unique_ptr<CachedStamp>> cache;
    return cache;
}

// Draws the marks of one call, with the fonts made on first use. Marks of one shape are
// painted from a stamp where the target allows, in the order they are asked for.
class TrackerPainter {
public:
    TrackerPainter(Graphics& g, Color highlight)
        : m_g(g), m_highlight(highlight), m_device(g.GetDeviceTransform()), m_smoothing(g.GetSmoothingMode())
    {
        // A selection of thousands of objects, zoomed in, has most of its marks out of
        // sight: they are left out rather than drawn and clipped.
        if (std::optional<RectF> visible = g.GetVisibleClipBounds()) {
            visible->Inflate(kMarkReach, kMarkReach);
            m_sight = *visible;
        }
    }
    ~TrackerPainter() { Flush(); }
    TrackerPainter(const TrackerPainter&) = delete;
    TrackerPainter& operator=(const TrackerPainter&) = delete;

    // Whether a mark at p, or a guide arrow between p and q, can be seen.
    bool InSight(CPoint p) const
    {
        if (!m_sight)
            return true;
        const float x = float(p.x);
        const float y = float(p.y);
        return m_sight->X <= x && x <= m_sight->GetRight() && m_sight->Y <= y && y <= m_sight->GetBottom();
    }
    bool InSight(CPoint p, CPoint q) const
    {
        if (!m_sight)
            return true;
        const RectF span = RectF::FromCorners(PointF(float(p.x), float(p.y)), PointF(float(q.x), float(q.y)));
        return span.X <= m_sight->GetRight() && m_sight->X <= span.GetRight() && span.Y <= m_sight->GetBottom()
            && m_sight->Y <= span.GetBottom();
    }

    // The mark at the handle p; `fill` is the colour inside a circle.
    void Mark(MarkShape shape, CPoint p, Color fill = kBlack)
    {
        const PointF at(float(p.x), float(p.y));
        if (const Stamp* stamp = StampOf(shape, fill)) {
            m_queue.push_back(StampAt{stamp, at});
            return;
        }
        Flush();
        DrawMarkPaths(m_g, shape, fill, at);
    }

    // Paints the stamped marks asked for so far, before anything drawn after them.
    void Flush()
    {
        if (m_queue.empty())
            return;
        m_g.DrawStamps(m_queue);
        m_queue.clear();
    }

    // A blue dash-dot arrow from `from` to the handle.
    void GuideArrow(CPoint from, CPoint to)
    {
        if (!InSight(from, to))
            return;
        Flush();
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
        Flush();
        StringFormat format;
        format.SetAlignment(StringAlignment::Center);
        DrawString(m_g, FormatAngleReadout(radians), *font, RectF(float(p.x), float(p.y), kReadoutWidth, kReadoutHeight),
                   format, kBlue);
    }

    Color Highlight() const { return m_highlight; }

private:
    // The stamp of the mark for this target, made when there is none yet; nothing when the
    // mark is too large to stamp.
    const Stamp* StampOf(MarkShape shape, Color fill)
    {
        // Shapes other than the circle come in one colour: the stamp found for one serves
        // every mark of that shape this painter draws.
        const bool oneColour = shape != MarkShape::Circle;
        const Stamp*& found = m_found[size_t(shape)];
        if (oneColour) {
            fill = kBlack;
            if (found)
                return found;
        }
        std::vector<std::unique_ptr<CachedStamp>>& cache = StampCache();
        for (const std::unique_ptr<CachedStamp>& cached : cache) {
            if (cached->shape == shape && cached->fill == fill && Fits(cached->stamp)) {
                if (oneColour)
                    found = &cached->stamp;
                return &cached->stamp;
            }
        }
        const float reach = MarkShapeReach(shape);
        std::optional<Stamp> stamp = Stamp::Create(m_g, RectF(-reach, -reach, 2 * reach, 2 * reach),
                                                   [&](Graphics& g) { DrawMarkPaths(g, shape, fill, PointF()); });
        if (!stamp)
            return nullptr;
        if (cache.size() >= kMaxCachedStamps) {
            // Stamps queued in this call fit this target and stay.
            std::erase_if(cache,
                          [&](const std::unique_ptr<CachedStamp>& cached) { return !Fits(cached->stamp); });
            if (cache.size() >= kMaxCachedStamps) {
                Flush();
                cache.clear();
                m_found.fill(nullptr);
            }
        }
        cache.push_back(std::make_unique<CachedStamp>(CachedStamp{shape, fill, std::move(*stamp)}));
        if (oneColour)
            m_found[size_t(shape)] = &cache.back()->stamp;
        return &cache.back()->stamp;
    }

    bool Fits(const Stamp& stamp) const { return m_device && stamp.Fits(*m_device, m_smoothing); }

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
    std::vector<StampAt> m_queue;
    // The stamps of the one-colour shapes found so far, by shape; they fit this target.
    std::array<const Stamp*, size_t(MarkShape::ArrowBottomLeft) + 1> m_found{};
    // The target's device transform and smoothing, which stay while one object's marks
    // are drawn: every stamp is checked against them.
    std::optional<Matrix> m_device;
    SmoothingMode m_smoothing;
    bool m_fontTried = false;
    std::optional<Font> m_font;
};

} // namespace

RectF CDrawObj::SelectionMarkBox(int n, int kind)
{
    // A mark's reach from its handle, and a pixel beyond for the antialiased edge.
    const auto around = [](float reach) {
        reach += 1.0f;
        return RectF(-reach, -reach, 2 * reach, 2 * reach);
    };
    switch (kind) {
    case HANDLE_NONE: return RectF();
    case HANDLE_MOVE: return around(MarkShapeReach(MarkShape::Cross));
    case HANDLE_POINT:
    case kHandleCornerRadius:
    case kHandleArcCentre: return around(MarkShapeReach(MarkShape::Circle));
    case kHandleArcStart:
    case kHandleArcEnd:
    case kHandleControlAfter:
    case kHandleControlBefore:
        // A guide arrow's head, or the last control's square.
        return around(std::max(MarkShapeReach(MarkShape::Square), kMarkArrowSize + kPenWidth));
    case HANDLE_ROTATE_CENTRE: return around(MarkShapeReach(MarkShape::RotationCentre));
    case HANDLE_ROTATE:
    case HANDLE_SKEW: {
        const std::optional<MarkShape> arrow = HandleArrowShape(n);
        if (!arrow)
            return RectF();
        // Each arrow keeps its shape wherever it is drawn: its box is measured once.
        static const std::array<RectF, 8> boxes = [] {
            std::array<RectF, 8> made;
            for (int handle = 11; handle <= 18; ++handle) {
                if (const std::optional<MarkShape> shape = HandleArrowShape(handle)) {
                    RectF box = ArrowPath(*shape, PointF(0.0f, 0.0f)).GetBounds();
                    box.Inflate(kPenWidth + 1.0f, kPenWidth + 1.0f);
                    made[size_t(handle - 11)] = box;
                }
            }
            return made;
        }();
        return boxes[size_t(n - 11)];
    }
    default: return around(MarkShapeReach(MarkShape::Square));
    }
}

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
            painter.Mark(MarkShape::Circle, p, picked ? painter.Highlight() : kRed);
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
            painter.Mark(MarkShape::Circle, p, kRed);
            break;
        case kHandleCornerRadius:
            painter.Mark(MarkShape::Circle, p, kYellow);
            break;
        case kHandleArcCentre:
            painter.Mark(MarkShape::Circle, p, kRed);
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
                painter.Mark(MarkShape::Square, p);
            break;
        case HANDLE_MOVE:
            painter.Mark(MarkShape::Cross, p);
            break;
        case HANDLE_ROTATE_CENTRE:
            painter.Mark(MarkShape::RotationCentre, p);
            break;
        case HANDLE_ROTATE:
        case HANDLE_SKEW:
            if (std::optional<MarkShape> arrow = HandleArrowShape(n))
                painter.Mark(*arrow, p);
            break;
        default:
            painter.Mark(MarkShape::Square, p);
            break;
        }
    }
}

} // namespace kelmora
