#include "model/DrawObjGroup.h"

#include "model/DocumentServices.h"
#include "model/DrawPoly.h"
#include "model/DrawRect.h"
#include "model/ViewServices.h"
#include "platform/base/ParallelRanges.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <typeinfo>
#include <utility>

namespace kelmora {

KELMORA_IMPLEMENT_SERIAL(CDrawObjGroup, CDrawObj, 0)

namespace {

bool IsLive(const std::unique_ptr<CDrawObj>& child)
{
    return child && !child->m_bDeleted;
}

// Whether the object's path is built from its own fields alone: text reaches the font
// machinery, a group its children, other kinds what they may share.
bool BuildsPathAlone(const CDrawObj& object)
{
    if (typeid(object) == typeid(CDrawPoly))
        return true;
    return typeid(object) == typeid(CDrawRect) && object.m_nShapeType != ShapeType::Text;
}

// From this many objects on, paths are built on several threads, about a thousand each.
constexpr size_t kParallelPathsFrom = 2048;
constexpr size_t kPathsPerThread = 1024;
constexpr size_t kMaxPathThreads = 8;

} // namespace

void ForEachObjectPath(const std::vector<CDrawObj*>& objects, const std::function<void(size_t)>& work)
{
    std::vector<size_t> alone;
    std::vector<size_t> others;
    if (objects.size() >= kParallelPathsFrom) {
        for (size_t i = 0; i < objects.size(); ++i)
            (objects[i] && BuildsPathAlone(*objects[i]) ? alone : others).push_back(i);
    }
    if (alone.size() < kParallelPathsFrom) {
        for (size_t i = 0; i < objects.size(); ++i)
            work(i);
        return;
    }
    std::mutex failing;
    std::exception_ptr failure;
    ForRangesInParallel(alone.size(), kPathsPerThread, kMaxPathThreads, [&](size_t begin, size_t end) {
        try {
            for (size_t k = begin; k < end; ++k)
                work(alone[k]);
        } catch (...) {
            const std::lock_guard lock(failing);
            failure = std::current_exception();
        }
    });
    if (failure)
        std::rethrow_exception(failure);
    for (size_t i : others)
        work(i);
}

CDrawObjGroup::CDrawObjGroup()
{
    m_nShapeType = ShapeType::Group;
    m_bLineEnabled = false;
    m_bFillEnabled = false;
}

CDrawObjGroup::CDrawObjGroup(const RectF& rc, ViewServices* pView) : CDrawObj(rc, pView)
{
    m_nShapeType = ShapeType::Group;
    m_bLineEnabled = false;
    m_bFillEnabled = false;
}

CDrawObjGroup::CDrawObjGroup(std::vector<std::unique_ptr<CDrawObj>>& objects) : CDrawObjGroup()
{
    std::vector<std::unique_ptr<CDrawObj>> children;
    for (std::unique_ptr<CDrawObj>& object : objects) {
        if (IsLive(object))
            children.push_back(std::move(object));
    }
    std::erase(objects, nullptr);
    m_children.ReplaceAll(std::move(children));
}

CDrawObjGroup::~CDrawObjGroup() = default;

void CDrawObjGroup::ApplyMatrixToChildren()
{
    for (const std::unique_ptr<CDrawObj>& child : m_children) {
        if (child)
            *child->m_pMatrix = *child->m_pMatrix * *m_pMatrix;
    }
    m_pMatrix->Reset();
}

bool CDrawObjGroup::CanFill() const
{
    return m_bUseGroupSettings && m_bGroupFill;
}

bool CDrawObjGroup::CanStroke() const
{
    return m_bUseGroupSettings && m_bGroupStroke;
}

bool CDrawObjGroup::UsesGroupStroke() const
{
    return CanStroke();
}

int CDrawObjGroup::GetHandleCount()
{
    return kBaseHandleCount;
}

void CDrawObjGroup::MoveHandleTo(int n, CPoint point, uint32_t keyFlags, ViewServices* pView)
{
    if (m_bLocked)
        return;
    if (n <= kBaseHandleCount)
        CDrawObj::MoveHandleTo(n, point, keyFlags, pView);
    m_rcBounds = GetPathBounds(nullptr, nullptr);
    if (n > kBaseHandleCount)
        m_rcRefBounds = m_rcBounds;
    // The reference bounds stay as they are while the drag goes on: every step of it is
    // measured from where the drag began.
    if (pView)
        pView->Invalidate();
    else if (m_pDocument)
        m_pDocument->UpdateAllViews(nullptr, kUpdateObject, this);
    if (m_pDocument)
        m_pDocument->SetModifiedFlag(true);
}

std::unique_ptr<GraphicsPath> CDrawObjGroup::CreatePath(ViewServices* pView, const Matrix* extra)
{
    std::vector<CDrawObj*> live;
    for (const std::unique_ptr<CDrawObj>& child : m_children) {
        if (IsLive(child))
            live.push_back(child.get());
    }
    // Each child places its own path; thousands of them are built at once, and joined in
    // their order.
    std::vector<std::unique_ptr<GraphicsPath>> paths(live.size());
    ForEachObjectPath(live, [&](size_t i) { paths[i] = live[i]->CreatePath(nullptr, nullptr); });
    auto path = std::make_unique<GraphicsPath>();
    for (const std::unique_ptr<GraphicsPath>& piece : paths)
        path->AddPath(*piece, false);
    PlacePath(*path, pView, extra);
    return path;
}

CDrawObj* CDrawObjGroup::Clone(DocumentServices* pDoc) const
{
    auto copy = std::make_unique<CDrawObjGroup>(m_rcBounds, nullptr);
    CopyTo(copy.get(), pDoc);
    // Owned by the document when one was given, else by the caller.
    return copy.release();
}

void CDrawObjGroup::CopyTo(CDrawObjGroup* target, DocumentServices* pDoc) const
{
    if (!target || target == this)
        return;
    CDrawObj::CopyTo(target, nullptr);
    target->m_bUseGroupSettings = m_bUseGroupSettings;
    target->m_bExtra1 = m_bExtra1;
    target->m_bGroupStroke = m_bGroupStroke;
    target->m_bGroupFill = m_bGroupFill;
    target->m_bConnected = m_bConnected;
    target->m_bExtra2 = m_bExtra2;
    target->m_dwExtra = m_dwExtra;
    // Cloned before the target's old children go, so that a failed copy leaves it whole.
    std::vector<std::unique_ptr<CDrawObj>> copies;
    for (const std::unique_ptr<CDrawObj>& child : m_children) {
        if (IsLive(child))
            copies.push_back(child->CloneDetached());
    }
    target->m_children.ReplaceAll(std::move(copies));
    if (pDoc)
        pDoc->Add(target);
}

bool CDrawObjGroup::CollectFontNames(std::vector<std::string>& names)
{
    bool complete = true;
    for (const std::unique_ptr<CDrawObj>& child : m_children) {
        if (!IsLive(child))
            continue;
        std::vector<std::string> childNames;
        if (!child->CollectFontNames(childNames))
            complete = false;
        for (size_t i = 0; i < childNames.size(); ++i) {
            if (std::find(childNames.begin(), childNames.begin() + std::ptrdiff_t(i), childNames[i]) ==
                childNames.begin() + std::ptrdiff_t(i))
                names.push_back(childNames[i]);
        }
    }
    return complete;
}

void SetDocumentOfTree(CDrawObj& object, DocumentServices* document)
{
    object.m_pDocument = document;
    if (auto* group = dynamic_cast<CDrawObjGroup*>(&object)) {
        for (const std::unique_ptr<CDrawObj>& child : group->Children()) {
            if (child)
                SetDocumentOfTree(*child, document);
        }
    }
}

void RenewIdsOfTree(CDrawObj& object)
{
    object.m_nID = NextObjectId();
    if (auto* group = dynamic_cast<CDrawObjGroup*>(&object)) {
        for (const std::unique_ptr<CDrawObj>& child : group->Children()) {
            if (child)
                RenewIdsOfTree(*child);
        }
    }
}

} // namespace kelmora
