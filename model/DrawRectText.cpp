// Text and image objects: the glyph outlines of text objects, plain or along an arc or an
// ellipse; the fonts they need; and the pictures of image objects, loaded and drawn.

#include "model/DrawRect.h"
#include "model/InstalledFontNames.h"
#include "model/TextAlongGuide.h"
#include "model/ViewServices.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/ImageAttributes.h"
#include "platform/imaging/ImageFile.h"
#include "platform/text/TextPath.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <optional>

namespace kelmora {

namespace {

constexpr int32_t kTextStyleArc = 1;
constexpr int32_t kTextStyleArcBelow = 2;
constexpr int32_t kTextStyleEllipse = 3;

// The family a text is set in when its own is not installed.
constexpr const char* kFallbackFontName = "Arial";

// The characters of a UTF-8 string, one code point each; a stray continuation byte
// stays with the character before it, so that nothing is lost.
std::vector<std::string_view> SplitCharacters(std::string_view text)
{
    std::vector<std::string_view> characters;
    size_t start = 0;
    for (size_t i = 1; i <= text.size(); ++i) {
        if (i == text.size() || (uint8_t(text[i]) & 0xC0) != 0x80) {
            characters.push_back(text.substr(start, i - start));
            start = i;
        }
    }
    return characters;
}

// The point where the segment a→b meets the circle of radius r around c, from a onward
// and no further than b; of two such points the one with the larger x, on a vertical
// segment the upper one.
std::optional<PointF> ChordPoint(PointF a, PointF b, PointF c, double r)
{
    const double dx = double(b.X) - a.X;
    const double dy = double(b.Y) - a.Y;
    const double fx = double(a.X) - c.X;
    const double fy = double(a.Y) - c.Y;
    const double qa = dx * dx + dy * dy;
    if (!(qa > 0.0))
        return std::nullopt;
    const double qb = 2.0 * (fx * dx + fy * dy);
    const double qc = fx * fx + fy * fy - r * r;
    const double disc = qb * qb - 4.0 * qa * qc;
    if (!(disc >= 0.0))
        return std::nullopt;
    const double root = std::sqrt(disc);
    // Points on the segment's ends count: a rounding error of a few ulps must not push
    // an end point off its own segment.
    constexpr double kEndTolerance = 1e-9;
    std::optional<PointF> best;
    for (double t : {(-qb - root) / (2.0 * qa), (-qb + root) / (2.0 * qa)}) {
        if (t < -kEndTolerance || t > 1.0 + kEndTolerance)
            continue;
        t = std::clamp(t, 0.0, 1.0);
        const PointF p(float(a.X + t * dx), float(a.Y + t * dy));
        if (!best || p.X > best->X || (p.X == best->X && p.Y < best->Y))
            best = p;
    }
    return best;
}

} // namespace

float ChordAngle(PointF p0, PointF p1, float spacing)
{
    const double length = std::hypot(double(p1.X) - p0.X, double(p1.Y) - p0.Y);
    if (!(length > 0.0))
        return 0.0f;
    const double c = std::hypot(double(p0.X) + spacing - p1.X, double(p0.Y) - p1.Y) / (2.0 * length);
    double angle = 2.0 * std::asin(std::clamp(c, -1.0, 1.0)) * 180.0 / std::numbers::pi;
    const bool turnsUp = spacing > 0.0f ? p1.Y < p0.Y : p1.Y > p0.Y;
    if (turnsUp)
        angle = -angle;
    return float(angle);
}

std::vector<PointF> ResampleByChord(std::span<const PointF> points, float spacing, size_t maxSamples)
{
    std::vector<PointF> samples;
    if (points.empty() || maxSamples == 0)
        return samples;
    PointF current = points[0];
    samples.push_back(current);
    PointF segmentStart = points[0];
    size_t next = 1;
    while (samples.size() < maxSamples && next < points.size()) {
        const std::optional<PointF> hit = ChordPoint(segmentStart, points[next], current, spacing);
        if (hit) {
            current = *hit;
            segmentStart = *hit;
            samples.push_back(current);
        } else {
            segmentStart = points[next];
            ++next;
        }
    }
    return samples;
}

void AddTextAlongGuide(const GraphicsPath& guide, GraphicsPath& out, std::string_view text, const FontFamily& family,
                       FontStyle style, float emSize, float spacing)
{
    const std::vector<std::string_view> characters = SplitCharacters(text);
    GraphicsPath flat = guide;
    if (!flat.Flatten(Matrix(), kTextGuideFlatness))
        return;
    const std::vector<PointF> samples = ResampleByChord(flat.Points(), spacing, characters.size() + 1);
    if (samples.size() < 2)
        return;
    StringFormat centred;
    centred.SetAlignment(StringAlignment::Center);
    centred.SetLineAlignment(StringAlignment::Center);
    const RectF box(0.0f, 0.0f, spacing, spacing);
    for (size_t i = 0; i + 1 < samples.size() && i < characters.size(); ++i) {
        const PointF p0 = samples[i];
        const PointF p1 = samples[i + 1];
        GraphicsPath glyphs;
        if (!AddString(glyphs, characters[i], family, style, emSize, box, centred) || glyphs.IsEmpty())
            continue;
        const PointF corner(0.75f * p0.X + 0.25f * p1.X, 0.75f * p0.Y + 0.25f * p1.Y);
        if (!glyphs.Transform(Matrix::Rotation(ChordAngle(p0, p1, spacing)) * Matrix::Translation(corner.X, corner.Y)))
            continue;
        out.StartFigure();
        out.AddPath(glyphs, false);
    }
}

void GetInstalledFontNames(std::vector<std::string>& names)
{
    std::vector<std::string> installed = InstalledFontFamilies();
    names.insert(names.end(), std::make_move_iterator(installed.begin()), std::make_move_iterator(installed.end()));
}

// ---------------------------------------------------------------------------------------
// Text

namespace {

// The spacing at which `intervals` chords fit one after the other along the flattened
// guide: `spacing` itself when they do, else the largest smaller spacing found by halving
// the interval; `spacing` when not even a tiny spacing makes room (a guide of no length).
float SpacingThatFits(const GraphicsPath& guide, float spacing, size_t intervals)
{
    GraphicsPath flat = guide;
    if (intervals == 0 || !(spacing > 0.0f) || !flat.Flatten(Matrix(), kTextGuideFlatness))
        return spacing;
    const std::span<const PointF> points = flat.Points();
    auto fits = [&](float s) { return ResampleByChord(points, s, intervals + 1).size() == intervals + 1; };
    if (fits(spacing))
        return spacing;
    // Enough halvings to bring the interval below a millionth of the spacing.
    constexpr int kSteps = 24;
    float low = 0.0f;
    float high = spacing;
    for (int step = 0; step < kSteps; ++step) {
        const float middle = (low + high) / 2.0f;
        (fits(middle) ? low : high) = middle;
    }
    return low > 0.0f ? low : spacing;
}

} // namespace

float CDrawRect::BuildTextGuide(int32_t textStyle, size_t count)
{
    const RectF& f = m_rcFrame;
    const double longSide = std::max(f.Width, f.Height);
    const double shortSide = std::min(f.Width, f.Height);
    // The perimeter of the stadium that stands in for the ellipse. It is longer than the
    // ellipse's whenever the frame is not square, so its spacing can leave the last
    // characters without room: the spacing then shrinks until they fit.
    const double perimeter = 2.0 * (longSide - shortSide) + std::numbers::pi * shortSide;
    const double n = double(count);
    auto guide = std::make_unique<GraphicsPath>();
    double spacing = 0.0;
    // Each character takes the interval between two samples. Along an arc the text may end
    // where the arc does; around the closed ellipse one interval more must fit, left free
    // between the last character and the first where the loop meets itself.
    size_t intervals = count;
    switch (textStyle) {
    case kTextStyleArc:
        guide->AddArc(f, 180.0f, 180.0f);
        spacing = perimeter / (2.0 * n + 2.0);
        break;
    case kTextStyleArcBelow:
        guide->AddArc(f, 180.0f, -180.0f);
        spacing = perimeter / (2.0 * n + 2.0);
        break;
    case kTextStyleEllipse:
        guide->AddEllipse(f);
        spacing = perimeter / (n + 1.0);
        if (count > 0)
            intervals = count + 1;
        break;
    default:
        return 0.0f;
    }
    m_pTextGuide = std::move(guide);
    return SpacingThatFits(*m_pTextGuide, float(spacing), intervals);
}

void CDrawRect::BuildTextPath(GraphicsPath& path, const std::string& text, const RectF& frame,
                              const std::string& fontName, int32_t fontStyle, float size)
{
    TextPathCache* cache = m_pTextCache.get();
    if (cache && cache->text == text && cache->fontName == fontName && cache->fontStyle == fontStyle
        && cache->textStyle == m_nTextStyle && cache->size == size && cache->frame == frame) {
        path.AddPath(cache->path, false);
        return;
    }
    auto built = std::make_unique<TextPathCache>();
    AddTextOutlines(built->path, text, frame, fontName, fontStyle, size);
    path.AddPath(built->path, false);
    built->text = text;
    built->fontName = fontName;
    built->fontStyle = fontStyle;
    built->textStyle = m_nTextStyle;
    built->size = size;
    built->frame = frame;
    m_pTextCache = std::move(built);
}

void CDrawRect::AddTextOutlines(GraphicsPath& path, const std::string& text, const RectF& frame,
                                const std::string& fontName, int32_t fontStyle, float size)
{
    std::optional<FontFamily> family = FontFamily::Create(fontName);
    if (!family) {
        if (m_strFallbackFont.empty())
            m_strFallbackFont = kFallbackFontName;
        family = FontFamily::Create(m_strFallbackFont);
        // A system without the fallback either still shows the text, in its own
        // sans-serif face, rather than nothing.
        if (!family)
            family = FontFamily::GenericSansSerif();
    }
    const FontStyle style = FontStyleFromBits(fontStyle);
    if (m_nTextStyle >= kTextStyleArc && m_nTextStyle <= kTextStyleEllipse) {
        const size_t count = SplitCharacters(text).size();
        const float spacing = BuildTextGuide(m_nTextStyle, count);
        if (m_pTextGuide)
            AddTextAlongGuide(*m_pTextGuide, path, text, *family, style, size, spacing);
        return;
    }
    // Normal text, and the styles beyond the known ones, which only a damaged record
    // carries: laid out in the frame, so that the text stays visible.
    AddString(path, text, *family, style, size, frame, StringFormat());
}

bool CDrawRect::CollectFontNames(std::vector<std::string>& names)
{
    if (m_nShapeType != ShapeType::Text || FontFamily::Create(m_strFontName))
        return true;
    names.push_back(m_strFontName);
    return false;
}

// ---------------------------------------------------------------------------------------
// Images

bool CDrawRect::LoadImageFile(const std::string& path, ImageStatus* status)
{
    Bitmap loaded = ::kelmora::LoadImageFile(std::filesystem::path(path));
    if (status)
        *status = loaded.Status();
    if (!loaded.IsOk())
        return false;
    const RectF frame(0.0f, 0.0f, float(loaded.Width()), float(loaded.Height()));
    m_strImageFile = path;
    m_pImage = std::make_shared<const Bitmap>(std::move(loaded));
    m_rcFrame = frame;
    return true;
}

void CDrawRect::DrawImage(Graphics& g, ViewServices* pView, const Matrix* extra)
{
    if (!m_pImage || !m_pImage->IsOk())
        return;
    Matrix m = ActiveMatrix();
    if (extra)
        m = m * *extra;
    if (pView)
        m = m * pView->ZoomMatrix();
    const GraphicsState saved = g.Save();
    // The picture is placed as the object's path is: its matrix and the zoom act on the
    // frame first, and whatever the surface's own transform holds (the page scale of an
    // export, a picture's scale and offset, an effect layer's origin) acts after them.
    if (g.MultiplyTransform(m, MatrixOrder::Prepend)) {
        ImageAttributes attributes;
        attributes.SetColorKey(Color(m_clrKeyLow), Color(m_clrKeyHigh), ColorAdjustType(m_nKeyAdjustType));
        ColorMatrix opacity = ColorMatrix::Identity();
        opacity.m[3][3] = float(m_nImageAlpha) / 255.0f;
        attributes.SetColorMatrix(opacity, ColorMatrixFlags(m_nMatrixFlags), ColorAdjustType(m_nMatrixAdjustType));
        const RectF source(0.0f, 0.0f, float(m_pImage->Width()), float(m_pImage->Height()));
        g.DrawImage(*m_pImage, m_rcFrame, source, &attributes);
    }
    g.Restore(saved);
}

} // namespace kelmora
