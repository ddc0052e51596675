#pragma once
// Fakes and small shapes shared by the model and document tests.

#include "model/DocumentServices.h"
#include "model/DrawObj.h"
#include "model/HandleKind.h"
#include "model/ViewServices.h"

#include <memory>
#include <string>
#include <vector>

namespace kelmora::fakes {

// A view that records what the model asks of it.
class FakeView : public ViewServices {
public:
    FakeView() = default;
    explicit FakeView(float zoom) { SetZoom(zoom); }

    void SetZoom(float zoom)
    {
        m_fZoom = zoom;
        m_pZoomMatrix = std::make_unique<Matrix>(Matrix::Scaling(zoom, zoom));
    }

    bool IsJoinToolActive() const override { return joinToolActive; }
    void Invalidate(bool) override { ++invalidations; }
    void OnInitialUpdate() override { ++initialUpdates; }
    void OnUpdate(ViewServices*, int hint, CDrawObj* object) override { updates.push_back({hint, object}); }
    void SelectObjects(const std::vector<CDrawObj*>& objects) override { m_selection = objects; }
    int GetObjectZOrder(CDrawObj*) override { return -1; }
    void SetObjectZOrder(int, CDrawObj*) override { }
    void ReapplyZoom() override { }
    void ImportXps(const std::string&) override { }

    struct Update {
        int hint;
        CDrawObj* object;
    };

    bool joinToolActive = false;
    int invalidations = 0;
    int initialUpdates = 0;
    std::vector<Update> updates;
};

// A document that records what objects ask of it and owns what is added to it.
class FakeDocument : public DocumentServices {
public:
    void UpdateAllViews(ViewServices*, int hint, CDrawObj* object) override { updates.push_back({hint, object}); }
    void SetModifiedFlag(bool modified) override
    {
        this->modified = modified;
        ++modifiedCalls;
    }
    void Add(CDrawObj* object) override
    {
        object->m_pDocument = this;
        added.emplace_back(object);
    }

    bool modified = false;
    int modifiedCalls = 0;
    std::vector<FakeView::Update> updates;
    std::vector<std::unique_ptr<CDrawObj>> added;
};

// A rectangle in object space (m_rcFrame), placed by the object's transform: the least
// shape with an outline, for the operations that measure one.
class TestRect : public CDrawObj {
public:
    explicit TestRect(const RectF& frame) : CDrawObj(frame, nullptr)
    {
        m_rcFrame = frame;
        m_nShapeType = ShapeType::Rectangle;
        RecalcBounds(nullptr);
    }

    std::unique_ptr<GraphicsPath> CreatePath(ViewServices* view, const Matrix* extra) override
    {
        auto path = std::make_unique<GraphicsPath>();
        path->AddRectangle(m_rcFrame);
        PlacePath(*path, view, extra);
        return path;
    }
};

// A rectangle with one extra handle of kind HANDLE_POINT, as polylines have for each
// of their points.
class TestPointShape : public TestRect {
public:
    TestPointShape(const RectF& frame, CPoint point) : TestRect(frame), m_point(point) { }

    int GetHandleCount() override { return kBaseHandleCount + 1; }
    CPoint GetHandle(int n, int* kind, ViewServices* view) override
    {
        if (n != kBaseHandleCount + 1)
            return TestRect::GetHandle(n, kind, view);
        if (kind)
            *kind = HANDLE_POINT;
        return m_point;
    }

    CPoint m_point;
};

inline bool SameRect(const RectF& a, const RectF& b, float tolerance = 1e-3f)
{
    return std::abs(a.X - b.X) <= tolerance && std::abs(a.Y - b.Y) <= tolerance
        && std::abs(a.Width - b.Width) <= tolerance && std::abs(a.Height - b.Height) <= tolerance;
}

} // namespace kelmora::fakes
