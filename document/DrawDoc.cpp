#include "document/DrawDoc.h"

#include "document/DocumentEnvironment.h"
#include "document/FrameServices.h"
#include "document/NewDocumentDialog.h"
#include "document/UndoStepScope.h"
#include "model/DeviceContext.h"
#include "model/DrawObj.h"
#include "model/DrawObjGroup.h"
#include "model/ViewServices.h"
#include "platform/base/PointerSet.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <iterator>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

namespace kelmora {

namespace {

// Document units per inch: the new-document dialog gives the page in inches.
constexpr double kUnitsPerInch = 300.0;

// A size read from outside (the ribbon's edit boxes answer −1 when they are missing),
// checked and capped like a page side; nothing when it is below 1.
std::optional<int32_t> CheckedExtent(int64_t value)
{
    if (value < 1)
        return std::nullopt;
    return int32_t(std::min<int64_t>(value, CDrawDoc::kMaxPageExtent));
}

// Inches from a dialog to document units, truncated after the product; nothing for a value
// that is not a number or has no whole unit.
std::optional<int64_t> InchesToUnits(float inches)
{
    const double units = std::trunc(double(inches) * kUnitsPerInch);
    if (!std::isfinite(units) || units < 1.0)
        return std::nullopt;
    return int64_t(std::min(units, double(CDrawDoc::kMaxPageExtent)));
}

} // namespace

CDrawDoc::CDrawDoc(DocumentEnvironment& environment)
    : m_pSummaryInfo(environment.NewSummaryInfo()), m_pUndoManager(environment.NewUndo(*this)),
      m_environment(environment)
{
    assert(m_pSummaryInfo && "the environment must give every document a summary information");
}

CDrawDoc::~CDrawDoc()
{
    ReleaseObjects();
}

FrameServices* CDrawDoc::Frame() const
{
    return m_environment.Frame();
}

// ---------------------------------------------------------------------------------------
// Views, modified flag

void CDrawDoc::AddView(ViewServices* view)
{
    if (view && std::find(m_views.begin(), m_views.end(), view) == m_views.end())
        m_views.push_back(view);
}

void CDrawDoc::RemoveView(ViewServices* view)
{
    std::erase(m_views, view);
}

void CDrawDoc::UpdateAllViews(ViewServices* sender, int hint, CDrawObj* object)
{
    // A copy: a view may detach itself while it updates.
    const std::vector<ViewServices*> views = m_views;
    for (ViewServices* view : views) {
        if (view != sender)
            view->OnUpdate(sender, hint, object);
    }
}

void CDrawDoc::SetModifiedFlag(bool modified)
{
    m_bModified = modified;
}

// ---------------------------------------------------------------------------------------
// The object list

bool CDrawDoc::Contains(const CDrawObj* object) const
{
    return GetObjectZOrder(object) >= 0;
}

bool CDrawDoc::ContainsAll(const std::vector<CDrawObj*>& objects) const
{
    if (objects.size() == 1)
        return Contains(objects.front());
    std::unordered_set<const CDrawObj*> missing(objects.begin(), objects.end());
    for (const std::unique_ptr<CDrawObj>& object : m_objects) {
        if (missing.erase(object.get()) != 0 && missing.empty())
            break;
    }
    return missing.empty();
}

int CDrawDoc::GetObjectZOrder(const CDrawObj* object) const
{
    if (!object)
        return -1;
    for (size_t i = 0; i < m_objects.size(); ++i) {
        if (m_objects[i].get() == object)
            return int(i);
    }
    return -1;
}

void CDrawDoc::Add(CDrawObj* object)
{
    // Every entry of the list points at this document: an object that does not cannot be
    // one of them.
    if (!object || (object->m_pDocument == this && Contains(object)))
        return;
    // Remove falls back to the id when it is handed an object that is not in the list
    // itself, so two entries must never share one (a shape inserted twice would otherwise
    // make Remove unlink the wrong one).
    if (IdListed(object->m_nID))
        object->m_nID = NextObjectId();
    Adopt(object);
}

bool CDrawDoc::IdListed(uint32_t id) const
{
    if (!IdIndexCurrent()) {
        m_idIndex.ids.clear();
        for (const std::unique_ptr<CDrawObj>& entry : m_objects)
            m_idIndex.ids.insert(entry->m_nID);
        m_idIndex.changes = ListChanges();
    }
    return m_idIndex.ids.contains(id);
}

std::vector<CDrawObj*> CDrawDoc::Add(std::vector<std::unique_ptr<CDrawObj>> objects)
{
    // Sized once for the list and all that comes in: a paste brings thousands at a time.
    PointerSet<CDrawObj> listed = PointerSet<CDrawObj>::WithRoom(m_objects.size() + objects.size());
    std::unordered_set<uint32_t> ids;
    ids.reserve(m_objects.size() + objects.size());
    for (const std::unique_ptr<CDrawObj>& entry : m_objects) {
        listed.insert(entry.get());
        ids.insert(entry->m_nID);
    }
    std::vector<CDrawObj*> added;
    added.reserve(objects.size());
    for (std::unique_ptr<CDrawObj>& object : objects) {
        CDrawObj* raw = object.release();
        added.push_back(raw);
        if (!raw || !listed.insert(raw))
            continue;
        if (!ids.insert(raw->m_nID).second) {
            raw->m_nID = NextObjectId();
            ids.insert(raw->m_nID);
        }
        Adopt(raw);
    }
    return added;
}

std::vector<CDrawObj*> CDrawDoc::InsertAfter(std::vector<Insertion> insertions)
{
    // Which of the objects the list holds already: only one of this document may be, each
    // looked for in the list when there are few, all in one pass over it when many.
    constexpr size_t kFewLookups = 16;
    size_t incoming = 0;
    for (const Insertion& insertion : insertions)
        incoming += insertion.objects.size();
    // Sized once for all of them: an ungroup hands over thousands of objects at a time.
    PointerSet<CDrawObj> ours = PointerSet<CDrawObj>::WithRoom(incoming);
    size_t oursCount = 0;
    for (const Insertion& insertion : insertions) {
        for (const std::unique_ptr<CDrawObj>& object : insertion.objects) {
            if (object && object->m_pDocument == this && ours.insert(object.get()))
                ++oursCount;
        }
    }
    PointerSet<CDrawObj> listed = PointerSet<CDrawObj>::WithRoom(incoming);
    if (oursCount > kFewLookups) {
        for (const std::unique_ptr<CDrawObj>& entry : m_objects) {
            if (ours.contains(entry.get()))
                listed.insert(entry.get());
        }
    } else {
        for (const Insertion& insertion : insertions) {
            for (const std::unique_ptr<CDrawObj>& object : insertion.objects) {
                if (object && object->m_pDocument == this && Contains(object.get()))
                    listed.insert(object.get());
            }
        }
    }

    // What is new takes ids no entry carries and is counted as Add counts it. The id index
    // is sized once for all of them.
    m_idIndex.ids.reserve(m_idIndex.ids.size() + incoming);
    std::vector<CDrawObj*> added;
    std::vector<CDrawObj*> welcomed;
    std::vector<std::vector<std::unique_ptr<CDrawObj>>> taken(insertions.size());
    for (size_t i = 0; i < insertions.size(); ++i) {
        for (std::unique_ptr<CDrawObj>& object : insertions[i].objects) {
            CDrawObj* raw = object.release();
            added.push_back(raw);
            if (!raw || !listed.insert(raw))
                continue;
            if (IdListed(raw->m_nID))
                raw->m_nID = NextObjectId();
            m_idIndex.ids.insert(raw->m_nID);
            taken[i].emplace_back(raw);
            Welcome(raw);
            welcomed.push_back(raw);
        }
    }
    // The properties pane lists them all in one go.
    if (FrameServices* frame = Frame(); frame && !welcomed.empty())
        frame->AddObjects(welcomed);

    const bool indexed = IdIndexCurrent();
    if (insertions.size() == 1) {
        // One place: the objects go in there and the open undo step learns where they stand.
        const CDrawObj* anchor = insertions.front().anchor;
        const auto at = std::find_if(m_objects.begin(), m_objects.end(), [anchor](const auto& e) { return e.get() == anchor; });
        const size_t first = at == m_objects.end() ? m_objects.size() : size_t(at - m_objects.begin()) + 1;
        std::vector<CDrawObj*> placed;
        for (const std::unique_ptr<CDrawObj>& object : taken.front())
            placed.push_back(object.get());
        const uint64_t before = ListChanges();
        m_objects.InsertAt(first, std::move(taken.front()));
        if (const std::shared_ptr<UndoStepIndex> step = m_openStep.lock())
            step->Listed(placed, first, before);
    } else {
        // Many places, in one pass over the list: each insertion's objects follow the
        // insertions before them that stand at the same place, and those whose anchor is
        // not in the list go to the front after every other.
        std::unordered_map<const CDrawObj*, size_t> anchors;
        for (const Insertion& insertion : insertions)
            anchors.emplace(insertion.anchor, m_objects.size());
        for (size_t i = 0; i < m_objects.size(); ++i) {
            const auto anchor = anchors.find(m_objects[i].get());
            if (anchor != anchors.end())
                anchor->second = i;
        }
        // (position in the list before which it goes, whether its anchor is missing, index).
        std::vector<std::tuple<size_t, bool, size_t>> order;
        for (size_t i = 0; i < insertions.size(); ++i) {
            const size_t anchor = anchors.at(insertions[i].anchor);
            const bool missing = anchor == m_objects.size();
            order.emplace_back(missing ? anchor : anchor + 1, missing, i);
        }
        std::sort(order.begin(), order.end());
        std::vector<OwnedObjectList::Placement> placements;
        placements.reserve(added.size());
        for (const auto& [before, missing, i] : order) {
            for (std::unique_ptr<CDrawObj>& object : taken[i])
                placements.push_back({std::ptrdiff_t(before + placements.size()), std::move(object)});
        }
        m_objects.PutAt(std::move(placements));
    }
    // The index took in the ids of everything that came in.
    if (indexed)
        m_idIndex.changes = ListChanges();
    ForgetPainted();
    return added;
}

void CDrawDoc::Adopt(CDrawObj* object)
{
    // An index that saw the list as it is now sees it with the object too.
    const bool indexed = IdIndexCurrent();
    m_objects.Append(std::unique_ptr<CDrawObj>(object));
    if (indexed) {
        m_idIndex.ids.insert(object->m_nID);
        m_idIndex.changes = ListChanges();
    }
    TakeIn(object);
}

void CDrawDoc::AppendLoaded(std::unique_ptr<CDrawObj> object)
{
    if (!object)
        return;
    if (!object->m_bDeleted)
        ++m_nObjects;
    m_objects.Append(std::move(object));
}

void CDrawDoc::TakeIn(CDrawObj* object)
{
    Welcome(object);
    if (FrameServices* frame = Frame())
        frame->AddObject(object);
}

void CDrawDoc::Welcome(CDrawObj* object)
{
    ++m_nObjects;
    SetDocumentOfTree(*object, this);
    object->m_bDeleted = false;
    SetModifiedFlag(true);
}

CDrawObj* CDrawDoc::Add(std::unique_ptr<CDrawObj> object)
{
    CDrawObj* raw = object.get();
    if (raw && raw->m_pDocument == this && Contains(raw)) {
        // Already owned by the list: the caller's pointer was a second owner.
        (void)object.release();
        return raw;
    }
    Add(object.release());
    return raw;
}

std::unique_ptr<CDrawObj> CDrawDoc::Remove(CDrawObj* object, bool updateViews)
{
    if (!object)
        return nullptr;
    FrameServices* frame = Frame();
    if (frame)
        frame->RemoveObject(object);
    // The object may be freed and its address reused: no painted area may name it.
    ForgetPainted();

    auto entry = std::find_if(m_objects.begin(), m_objects.end(), [object](const auto& e) { return e.get() == object; });
    if (entry == m_objects.end()) {
        const uint32_t id = object->m_nID;
        entry = std::find_if(m_objects.begin(), m_objects.end(), [id](const auto& e) { return e->m_nID == id; });
    }
    std::unique_ptr<CDrawObj> unlinked;
    if (entry != m_objects.end()) {
        unlinked = m_objects.TakeAt(size_t(entry - m_objects.begin()));
        if (frame && unlinked.get() != object)
            frame->RemoveObject(unlinked.get());
    }
    SetModifiedFlag(true);

    if (updateViews)
        Deselect(std::unordered_set<const CDrawObj*>{object, unlinked.get()});
    return unlinked;
}

std::vector<std::unique_ptr<CDrawObj>> CDrawDoc::Remove(const std::vector<CDrawObj*>& objects, bool updateViews)
{
    const std::unordered_set<const CDrawObj*> leaving(objects.begin(), objects.end());
    ForgetPainted();
    std::vector<std::unique_ptr<CDrawObj>> unlinked =
        m_objects.TakeWhere([&leaving](const CDrawObj* entry) { return leaving.contains(entry); });
    FrameServices* frame = Frame();
    for (const std::unique_ptr<CDrawObj>& object : unlinked) {
        if (frame)
            frame->RemoveObject(object.get());
    }
    SetModifiedFlag(true);
    if (updateViews)
        Deselect(leaving);
    return unlinked;
}

std::unique_ptr<CDrawObj> CDrawDoc::TakeAtForStep(StepKey, size_t index)
{
    return m_objects.TakeAt(index);
}

std::vector<std::unique_ptr<CDrawObj>> CDrawDoc::TakeWhereForStep(StepKey, const std::function<bool(const CDrawObj*)>& which)
{
    return m_objects.TakeWhere(which);
}

std::vector<size_t> CDrawDoc::PutAtForStep(StepKey, std::vector<OwnedObjectList::Placement> placements)
{
    return m_objects.PutAt(std::move(placements));
}

void CDrawDoc::Deselect(const std::unordered_set<const CDrawObj*>& objects)
{
    FrameServices* frame = Frame();
    for (ViewServices* view : m_views) {
        const size_t before = view->m_selection.size();
        std::erase_if(view->m_selection, [&objects](CDrawObj* object) {
            if (!objects.contains(object))
                return false;
            object->m_nJoinHandle = 0;
            return true;
        });
        if (frame && view->m_selection.size() != before)
            frame->RefreshSelectionInfo(view, true);
    }
}

CDrawObj* CDrawDoc::ObjectAt(CPoint point, bool outline, ViewServices* view, CDrawObj* startBehind)
{
    int start = int(m_objects.size()) - 1;
    if (startBehind) {
        const int position = GetObjectZOrder(startBehind);
        if (position < 0)
            return nullptr;
        start = position - 1;
    }
    const CRect probe(point.x - 3, point.y - 3, point.x + 3, point.y + 3);
    // In a large drawing the bounds test needs only the objects painted near the point.
    if (!outline) {
        if (const std::optional<std::vector<uint32_t>> near = ObjectsNearProbe(probe, view, nullptr)) {
            for (auto i = near->rbegin(); i != near->rend(); ++i) {
                CDrawObj* object = m_objects[*i].get();
                if (int(*i) <= start && !object->m_bDeleted && object->GetBounds(probe, view))
                    return object;
            }
            return nullptr;
        }
    }
    for (int i = start; i >= 0; --i) {
        CDrawObj* object = m_objects[size_t(i)].get();
        if (object->m_bDeleted)
            continue;
        const bool hit = outline ? object->HitTestOutline(point.x, point.y, -1, view) : object->GetBounds(probe, view);
        if (hit)
            return object;
    }
    return nullptr;
}

void CDrawDoc::SetObjectZOrder(int position, CDrawObj* object)
{
    if (position == -1)
        return;
    const int current = GetObjectZOrder(object);
    if (current < 0)
        return;
    // The same ids as before.
    const bool indexed = IdIndexCurrent();
    m_objects.MoveTo(size_t(current), size_t(std::max(position, 0)));
    if (indexed)
        m_idIndex.changes = ListChanges();
}

// ---------------------------------------------------------------------------------------
// Page, grid and colours

std::optional<CSize> CDrawDoc::CheckedPageSize(int64_t width, int64_t height)
{
    std::optional<int32_t> w = CheckedExtent(width);
    std::optional<int32_t> h = CheckedExtent(height);
    if (!w || !h)
        return std::nullopt;
    return CSize(*w, *h);
}

void CDrawDoc::SetPageSize(int width, int height)
{
    std::optional<CSize> size = CheckedPageSize(width, height);
    if (!size || *size == m_sizePage)
        return;
    m_sizePage = *size;
    const std::vector<ViewServices*> views = m_views;
    for (ViewServices* view : views)
        view->OnInitialUpdate();
    UpdateAllViews(nullptr, kUpdateAll, nullptr);
}

void CDrawDoc::SetGridSize(int width, int height)
{
    std::optional<CSize> size = CheckedPageSize(width, height);
    if (!size || *size == m_sizeGrid)
        return;
    m_sizeGrid = *size;
    for (ViewServices* view : m_views)
        view->Invalidate(true);
}

void CDrawDoc::PreviewPaperColor(COLORREF color)
{
    m_clrPaper.current = color == kNoColor ? m_clrPaper.committed : color;
    UpdateAllViews(nullptr, kUpdateAll, nullptr);
}

void CDrawDoc::PreviewGridColor(COLORREF color)
{
    m_clrGrid.current = color == kNoColor ? m_clrGrid.committed : color;
    UpdateAllViews(nullptr, kUpdateAll, nullptr);
}

void CDrawDoc::SetPaperColor(COLORREF color)
{
    if (color == kNoColor)
        color = kWhite;
    m_clrPaper = ColorPair{color, color};
    SetModifiedFlag(true);
    UpdateAllViews(nullptr, kUpdateAll, nullptr);
}

void CDrawDoc::SetGridColor(COLORREF color)
{
    if (color == kNoColor)
        color = kBlack;
    m_clrGrid = ColorPair{color, color};
    SetModifiedFlag(true);
    UpdateAllViews(nullptr, kUpdateAll, nullptr);
}

// ---------------------------------------------------------------------------------------
// Commands. Each reads the ribbon element of its own id; a missing element (−1) or a size
// below 1 changes nothing.

void CDrawDoc::OnPaperColor()
{
    if (FrameServices* frame = Frame())
        SetPaperColor(frame->GetRibbonColor(kCmdPaperColor));
}

void CDrawDoc::OnGridLineColor()
{
    if (FrameServices* frame = Frame())
        SetGridColor(frame->GetRibbonColor(kCmdGridLineColor));
}

void CDrawDoc::OnGridLineWidth()
{
    FrameServices* frame = Frame();
    std::optional<int32_t> width = frame ? CheckedExtent(frame->GetRibbonEditInt(kCmdGridLineWidth)) : std::nullopt;
    if (!width)
        return;
    m_sizeGrid.cx = *width;
    SetModifiedFlag(true);
    UpdateAllViews(nullptr, kUpdateAll, nullptr);
}

void CDrawDoc::OnGridLineHeight()
{
    FrameServices* frame = Frame();
    std::optional<int32_t> height = frame ? CheckedExtent(frame->GetRibbonEditInt(kCmdGridLineHeight)) : std::nullopt;
    if (!height)
        return;
    m_sizeGrid.cy = *height;
    SetModifiedFlag(true);
    UpdateAllViews(nullptr, kUpdateAll, nullptr);
}

void CDrawDoc::OnPaperWidth()
{
    FrameServices* frame = Frame();
    std::optional<int32_t> width = frame ? CheckedExtent(frame->GetRibbonEditInt(kCmdPaperWidth)) : std::nullopt;
    if (!width)
        return;
    SetPageSize(*width, m_sizePage.cy);
    SetModifiedFlag(true);
    UpdateAllViews(nullptr, kUpdateAll, nullptr);
}

void CDrawDoc::OnPaperHeight()
{
    FrameServices* frame = Frame();
    std::optional<int32_t> height = frame ? CheckedExtent(frame->GetRibbonEditInt(kCmdPaperHeight)) : std::nullopt;
    if (!height)
        return;
    SetPageSize(m_sizePage.cx, *height);
    SetModifiedFlag(true);
    UpdateAllViews(nullptr, kUpdateAll, nullptr);
}

// ---------------------------------------------------------------------------------------
// Undo entry points

bool CDrawDoc::AddUndo(ViewServices* view, UndoKind kind, CDrawObj* object)
{
    DropPreviews();
    return m_pUndoManager && m_pUndoManager->AddUndo(view, kind, object);
}

bool CDrawDoc::AddUndoOwnFields(ViewServices* view, CDrawObj* object)
{
    DropPreviews();
    return m_pUndoManager && m_pUndoManager->AddUndoOwnFields(view, object);
}

bool CDrawDoc::AddUndoList(ViewServices* view, UndoKind kind, const std::vector<CDrawObj*>& objects)
{
    DropPreviews();
    return m_pUndoManager && m_pUndoManager->AddUndoList(view, kind, objects);
}

bool CDrawDoc::AddMoveUndo(ViewServices* view, const std::vector<CDrawObj*>& objects)
{
    DropPreviews();
    return m_pUndoManager && m_pUndoManager->AddMoveUndo(view, objects);
}

bool CDrawDoc::BeginUndoGroup(IOleParentUndoUnit** unit)
{
    DropPreviews();
    return m_pUndoManager && m_pUndoManager->BeginUndoGroup(unit);
}

void CDrawDoc::DropPreviews()
{
    // A copy: putting a preview back repaints, and a view may detach itself meanwhile.
    const std::vector<ViewServices*> views = m_views;
    for (ViewServices* view : views)
        view->DropPreview();
}

bool CDrawDoc::EndUndoGroup(IOleParentUndoUnit* unit)
{
    return m_pUndoManager && m_pUndoManager->EndUndoGroup(unit);
}

// ---------------------------------------------------------------------------------------
// Life cycle

bool CDrawDoc::OnNewDocument()
{
    DeleteContents();
    SetModifiedFlag(false);

    m_pSummaryInfo->RecordOpenTime();
    m_pSummaryInfo->StartNewDrawing();

    std::unique_ptr<NewDocumentDialog> dialog = m_environment.MakeNewDocumentDialog();
    if (!dialog)
        return false;
    dialog->m_strName = m_strTitle;
    if (dialog->DoModal() != NewDocumentDialog::kOk)
        return false;

    m_nUnit = dialog->m_nUnit;
    if (FrameServices* frame = Frame()) {
        frame->SetPropertiesUnit(m_nUnit);
        frame->RefreshProperties();
    }
    SetTitle(dialog->m_strName);

    if (dialog->m_nCreateMode == NewDocumentDialog::kCreateFromTemplate && !dialog->m_strTemplatePath.empty())
        AddTemplateObject(m_environment.LoadTemplate(dialog->m_strTemplatePath));

    // The views are not told: they lay out when they are first updated. A size the
    // dialog should never give (not a number, under one unit) keeps the default page.
    std::optional<int64_t> width = InchesToUnits(dialog->m_fWidth);
    std::optional<int64_t> height = InchesToUnits(dialog->m_fHeight);
    if (width && height) {
        if (std::optional<CSize> size = CheckedPageSize(*width, *height))
            m_sizePage = *size;
    }
    return true;
}

void CDrawDoc::AddTemplateObject(std::unique_ptr<CDrawObj> object)
{
    if (!object)
        return;
    // The shape code comes from the file; only an object that really is a group has
    // children to hand over.
    auto* group = object->m_nShapeType == ShapeType::Group ? dynamic_cast<CDrawObjGroup*>(object.get()) : nullptr;
    if (!group) {
        Add(std::move(object));
        return;
    }
    group->ApplyMatrixToChildren();
    for (std::unique_ptr<CDrawObj>& child : group->ReleaseChildren()) {
        if (child)
            Add(std::move(child));
    }
}

void CDrawDoc::DeleteContents()
{
    ReleaseObjects();
    if (std::unique_ptr<DocumentSummary> fresh = m_environment.NewSummaryInfo())
        m_pSummaryInfo = std::move(fresh);
}

void CDrawDoc::ReleaseObjects()
{
    // Nothing may keep pointing at the objects: previews, selections, the properties
    // pane's combo and the undo steps all refer to them.
    DropPreviews();
    for (ViewServices* view : m_views)
        view->m_selection.clear();
    if (FrameServices* frame = Frame()) {
        for (const std::unique_ptr<CDrawObj>& object : m_objects)
            frame->RemoveObject(object.get());
    }
    if (m_pUndoManager)
        m_pUndoManager->DiscardAll();
    m_objects.TakeAll();
    ForgetPainted();
    m_nObjects = 0;
}

bool CDrawDoc::CanCloseFrame(const std::function<bool()>& canClose)
{
    struct Restore {
        bool& flag;
        ~Restore() { flag = true; }
    } restore{m_bAutoDeactivate};
    m_bAutoDeactivate = false;
    return canClose ? canClose() : true;
}

} // namespace kelmora
