#pragma once
// CDrawRect: the drawing object of every shape defined by a frame rectangle, two defining
// points and a few shape parameters: rectangle, rounded rectangle, ellipse, circle, star,
// regular polygon ("Pentagon"), complex star and spiral. Text and image objects are
// CDrawRects too; they add their text and picture fields to the same record.
//
// The shape is kept in object space (the frame m_rcFrame and the members below) and placed
// on the page by the object's matrix. The path is never cached: every drawing step, hit
// test and bounds query builds it from the members, so a change shows at the next repaint.
//
// Values read from files are taken as stored, and made safe where they are used: a side
// count outside 2..kMaxShapeSides builds nothing or is cut, a negative radius counts as 0,
// the spiral stops after kMaxSpiralPoints points.

#include "model/DrawObj.h"
#include "platform/imaging/ImageStatus.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace kelmora {

// Corner styles of the rounded rectangle.
enum CornerType : int32_t {
    CORNER_ROUND = 0,
    CORNER_SCALLOPED = 1,
    CORNER_CHAMFERED = 2,
};

// Handle kind of the rounded rectangle's corner-radius handle (21).
inline constexpr int kHandleCornerRadius = 2;

// A spiral stops after this many points, however wide its frame.
inline constexpr int kMaxSpiralPoints = 2000;

// A 5 × 5 colour matrix in row order, as image records carry it.
using ColorMatrix25 = std::array<float, 25>;

// Adds the outline of a rectangle with corners of the given style and radius to `path` as
// one closed figure. The radius is cut to half the width, then to half the height; a
// radius of 0 (or a negative one) gives square corners. An unknown corner type adds an
// empty closed figure, that is nothing.
void BuildRoundRectPath(GraphicsPath& path, float radius, int32_t cornerType, const RectF& rect);

class CDrawRect : public CDrawObj {
    KELMORA_DECLARE_SERIAL(CDrawRect)

public:
    static constexpr int kStartHandle = 19;
    static constexpr int kEndHandle = 20;
    static constexpr int kCornerRadiusHandle = 21;

    // A shape with the defaults; the frame is the base's bounds (empty).
    CDrawRect();
    // The base object from a rectangle (as the tools create shapes), then the defaults:
    // the frame is the bounds in document units, the points its corners.
    CDrawRect(const RectF& rc, ViewServices* pView);
    ~CDrawRect() override;

    void Serialize(Archive& archive) override;

    // 18 base handles, then 19 and 20 (the defining points) for every shape, 21 (the
    // corner radius) for the rounded rectangle, 22 for arcs and pies.
    int GetHandleCount() override;
    CPoint GetHandle(int n, int* kind, ViewServices* pView) override;
    HandleCursor GetHandleCursor(int n) override;
    void MoveHandleTo(int n, CPoint point, uint32_t keyFlags, ViewServices* pView) override;
    CPoint GetAnchorPoint(ViewServices* pView) override;

    RectF GetPathBounds(ViewServices* pView, const PenGeometry* pen) override;
    std::unique_ptr<GraphicsPath> CreatePath(ViewServices* pView, const Matrix* extra) override;

    bool IsEndPointHandle(int n) const override;
    bool JoinAtEndPoints(CDrawObj* other, bool keepBoth) override;

    std::unique_ptr<CDrawObj> CreateStyleCopy(StyleCopyMask mask) const override;
    // The base style parts, plus the text font (StyleCopyMask::TextFont) between text
    // objects.
    void CopyStyleTo(CDrawObj* target, StyleCopyMask mask) const override;
    void CopyStyleFrom(const CDrawObj* source, StyleCopyMask mask) override;

    using CDrawObj::CopyTo;
    CDrawObj* Clone(DocumentServices* pDoc) const override;
    // The base attributes and every own member, the picture included (pictures are
    // immutable and shared); with `pDoc` the complete target is then added to it.
    virtual void CopyTo(CDrawRect* target, DocumentServices* pDoc) const;

    // ---- Text objects (shape type 17)

    // Adds the glyph outlines of `text` in the named family (or, when no installed family
    // answers to the name, in the fallback family "Arial", then the system's sans-serif)
    // with the FontStyle bits and em size in document units: text style 0 lays the text
    // out in `frame`, wrapped at its width; 1, 2 and 3 set it along the guide that
    // BuildTextGuide makes. Text styles beyond 3 are laid out as style 0.
    void BuildTextPath(GraphicsPath& path, const std::string& text, const RectF& frame, const std::string& fontName,
                       int32_t fontStyle, float size);
    // Replaces m_pTextGuide by the guide of the text style, made from the frame, and
    // returns the spacing of `count` characters along it; for a style without a guide the
    // guide stays as it was and the spacing is 0.
    float BuildTextGuide(int32_t textStyle, size_t count);
    // For a text object whose family is not installed: appends m_strFontName to `names`
    // and returns false. True otherwise and for every other shape.
    bool CollectFontNames(std::vector<std::string>& names) override;

    // ---- Image objects (shape type 18)

    // Loads the picture file (path in UTF-8) as this object's picture, with the frame
    // (0, 0, pixel width, pixel height). False, changing nothing, when the file is
    // missing or holds no picture that can be decoded; `status` then says why.
    bool LoadImageFile(const std::string& path, ImageStatus* status = nullptr);
    // Draws the picture into the frame, placed by the pending-or-current matrix, `extra`
    // and the view's zoom: pixels between the colour keys are left out and the alpha is
    // scaled by m_nImageAlpha / 255. A picture that did not decode draws nothing.
    void DrawImage(Graphics& g, ViewServices* pView, const Matrix* extra);

    // Draws the frame rectangle through the pending-or-current matrix (and the zoom) with
    // a solid pen; the selection marks use it.
    void DrawFramePath(Graphics& g, ARGB color, float width, ViewServices* pView);
    // The frame as DrawFramePath draws it, in view units; none when it cannot be placed.
    std::optional<GraphicsPath> FramePath(ViewServices* pView) const;

    // The side count as the builders take it: cut to kMaxShapeSides; values below 2 build
    // nothing.
    int UsableSides() const;

    // ---- Members, in declared order. Lengths in document units, object space.
    PointF m_ptStart;                 // handle 19: frame top-left, or a circle's centre
    PointF m_ptEnd;                   // handle 20: frame bottom-right, or a point on the circle
    int32_t m_nCornerType = CORNER_ROUND;
    float m_fRadius = 20.0f;          // outer radius of star, polygon and complex star
    float m_fInnerRadius = 10.0f;     // corner radius; inner radius of the star; spiral start
    int32_t m_nSpiralStyle = 0;       // 0 smooth curve, else straight segments
    float m_fSpiralDelta = 5.0f;      // radius growth from one spiral point to the next
    int32_t m_nSpiralStep = 16;       // consecutive points lie (step + 90) / 2 degrees apart
    int32_t m_nSides = 5;
    std::string m_strText = "Please Input Text";
    std::string m_strFontName = "Arial";
    std::string m_strFallbackFont;    // set the first time the named family is missing
    int32_t m_nFontStyle = 0;         // FontStyle bits: 1 bold, 2 italic, 4 underline, 8 strikeout
    float m_fFontSize = 55.0f;
    int32_t m_nTextStyle = 0;         // 0 normal, 1 arc, 2 arc below, 3 ellipse
    std::unique_ptr<GraphicsPath> m_pTextGuide;  // guide of curved text; never stored
    std::string m_strImageFile;
    ARGB m_clrKeyLow = 0;
    ARGB m_clrKeyHigh = 0;
    int32_t m_nKeyAdjustType = 0;
    int32_t m_nImageAlpha = 255;
    int32_t m_nMatrixFlags = 0;
    std::unique_ptr<ColorMatrix25> m_pColorMatrix;  // carried by records and copies
    std::unique_ptr<ColorMatrix25> m_pGrayMatrix;
    int32_t m_nMatrixAdjustType = 0;
    uint32_t m_dwExtra = 0;           // carried by records and copies, never read

private:
    // The outlines of the last text build and what they were built from: a text is laid
    // out again only when one of these changes, not at every paint and hit test.
    struct TextPathCache {
        std::string text;
        std::string fontName;
        int32_t fontStyle = 0;
        int32_t textStyle = 0;
        float size = 0.0f;
        RectF frame;
        GraphicsPath path;
    };
    std::unique_ptr<TextPathCache> m_pTextCache;
    // The text build itself, uncached.
    void AddTextOutlines(GraphicsPath& path, const std::string& text, const RectF& frame,
                         const std::string& fontName, int32_t fontStyle, float size);

    void InitDefaults();
    // Adds the shape in object space, before any transform.
    void BuildShape(GraphicsPath& path);
    void BuildSpiral(GraphicsPath& path) const;
    // The end of every handle drag: bounds, modified flag, repaint.
    void RefreshAfterHandleMove(int n, ViewServices* pView);
};

} // namespace kelmora
