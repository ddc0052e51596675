#pragma once
// CXPSMan: imports the pages of an XPS file as drawing objects. Every page becomes one
// group named "Group" scaled by 3 (one XPS unit is 3 document units), holding one custom
// path for every path, all its figures in one (so that inner figures stay holes), with
// the path's outline and fill turned into the path's pen and fill. Transforms of paths
// and canvases place the shapes and widen their outlines, as the page's scale does; the
// opacity of canvases and paths reaches the colours (and pictures) of their brushes.
// Glyph runs are not imported (only their clip shapes), nor are opacity masks.
//
// With a document the page groups are added to it (and, with a view, selected there);
// without one they stay with the importer, which deletes them when it is destroyed.

#include "model/Argb.h"
#include "platform/com/HResult.h"
#include "platform/xps/XpsObjects.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace kelmora {

class BrushMan;
class CDrawDoc;
class CDrawObj;
class CDrawPoly;
class ViewServices;
class XpsPackage;

class CXPSMan {
public:
    // The most drawing objects one import makes; what a package holds beyond that is
    // left out, so that a hostile file cannot exhaust memory.
    static constexpr size_t kMaxImportedObjects = 200000;

    explicit CXPSMan(CDrawDoc* pDocument = nullptr, ViewServices* pView = nullptr);
    virtual ~CXPSMan();

    CXPSMan(const CXPSMan&) = delete;
    CXPSMan& operator=(const CXPSMan&) = delete;

    // Deletes the page groups the importer still owns and empties the list.
    void Reset();

    // Imports every page of the file. False, with GetError() saying why, when the file is
    // no readable XPS package; pages that cannot be read are skipped, and a package
    // without pages imports nothing and still succeeds.
    bool Import(const std::filesystem::path& path);
    // The same for a package already opened.
    void ImportPackage(const XpsPackage& package);

    const std::string& GetError() const { return m_strError; }
    // The page groups made by the last import, in page order.
    const std::vector<CDrawObj*>& GetObjects() const { return m_objects; }

    // ---- Conversion steps
    void ConvertVisuals(const std::vector<std::unique_ptr<XpsVisual>>& visuals,
                        std::vector<std::unique_ptr<CDrawObj>>& out);
    // Converts one visual into objects appended to `out`; the object a path made, if any.
    CDrawObj* ConvertVisual(const XpsVisual& visual, std::vector<std::unique_ptr<CDrawObj>>& out);
    // A fill for the brush; null when an image brush's picture does not decode.
    std::unique_ptr<BrushMan> ConvertBrush(const XpsBrush& brush);
    // One custom path of all the geometry's figures (a closed figure's last point carries
    // the close flag); null for none.
    std::unique_ptr<CDrawObj> GeometryToObject(const XpsGeometry& geometry);
    // The figure's points into the polyline (start point, then every segment's points).
    // E_POINTER for a null polyline, E_INVALIDARG when the segment data runs short;
    // either leaves the polyline untouched.
    static HRESULT FigureToPoly(const XpsFigure& figure, CDrawPoly* poly);
    // The same appended to path points and types; E_INVALIDARG, adding nothing, when the
    // segment data runs short.
    static HRESULT AppendFigure(const XpsFigure& figure, std::vector<PointF>& points, std::vector<uint8_t>& types);
    // ARGB of the colour with its alpha scaled by the opacity (clamped to 0..1); opaque
    // black for a context colour.
    static ARGB ColorToArgb(const XpsColor& color, float opacity);

private:
    CDrawDoc* m_pDocument;
    ViewServices* m_pView;
    std::vector<CDrawObj*> m_objects;
    std::vector<std::unique_ptr<CDrawObj>> m_owned;   // the page groups without a document
    size_t m_nMade = 0;
    float m_fOpacity = 1.0f;   // the product of the opacities of the visuals being converted
    std::string m_strError;
};

} // namespace kelmora
