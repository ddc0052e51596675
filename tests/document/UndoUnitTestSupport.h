#pragma once
// A real document with its real undo machinery in a fake frame and fake views, and the
// editing steps the tests perform through the undo entry points.

#include "DrawDocTestSupport.h"
#include "document/DrawDocUndo.h"
#include "document/UndoUnitFile.h"
#include "document/UndoStepScope.h"
#include "document/UndoUnitSnapshot.h"
#include "model/DrawObjGroup.h"
#include "platform/archive/Archive.h"
#include "platform/archive/MemoryStream.h"

#include <typeinfo>

namespace kelmora::fakes {

class UndoEnvironment : public FakeEnvironment {
public:
    std::unique_ptr<DocumentUndo> NewUndo(CDrawDoc& document) override
    {
        auto undo = CDrawDocUndo::Create(document, undoFolder);
        realUndo = undo.get();
        return undo;
    }

    std::filesystem::path undoFolder;
    CDrawDocUndo* realUndo = nullptr;
};

// A view whose stacking-order calls reach its document, as the editing view's do.
class DocumentView : public FakeView {
public:
    explicit DocumentView(CDrawDoc& document) : m_document(document) { }

    int GetObjectZOrder(CDrawObj* object) override { return m_document.GetObjectZOrder(object); }
    void SetObjectZOrder(int position, CDrawObj* object) override
    {
        if (position != -1)
            m_document.SetObjectZOrder(position, object);
        ++invalidations;
    }
    void ReapplyZoom() override { ++zoomsReapplied; }

    int zoomsReapplied = 0;

private:
    CDrawDoc& m_document;
};

struct UndoFixture {
    UndoEnvironment environment;
    CDrawDoc document{environment};
    DocumentView view{document};

    UndoFixture() { document.AddView(&view); }
    ~UndoFixture() { document.RemoveView(&view); }

    CDrawDocUndo& Undo() { return *environment.realUndo; }

    TestRect* AddRect(float x, ARGB fill = 0xFF00FF00)
    {
        auto* rect = static_cast<TestRect*>(document.Add(std::make_unique<TestRect>(RectF(x, 10, 50, 40))));
        rect->SetFillColor(fill, true);
        return rect;
    }

    // Inserts a new rectangle and records it, as the drawing tools do.
    TestRect* Insert(float x)
    {
        TestRect* rect = AddRect(x);
        document.AddUndo(&view, UNDO_INSERT, rect);
        return rect;
    }

    // Deletes the objects as the Delete command does.
    void Delete(const std::vector<CDrawObj*>& objects)
    {
        document.AddUndoList(&view, UNDO_DELETE, objects);
        UndoStepScope step(document);
        for (CDrawObj* object : objects)
            step.SetDeleted(object, true);
        step.Finish();
    }

    // Moves the objects out of the list into a new group at the front, recorded as the
    // Group command does: the objects' removal, then the new group's insertion.
    CDrawObjGroup* Group(const std::vector<CDrawObj*>& objects)
    {
        IOleParentUndoUnit* bracket = nullptr;
        document.BeginUndoGroup(&bracket);
        document.AddUndoList(&view, UNDO_DELETE, objects);
        auto group = std::make_unique<CDrawObjGroup>();
        for (CDrawObj* object : objects) {
            std::unique_ptr<CDrawObj> taken = document.Remove(object, true);
            if (!taken->m_bDeleted)
                --document.m_nObjects;
            group->AppendChild(std::move(taken));
        }
        auto* added = static_cast<CDrawObjGroup*>(document.Add(std::move(group)));
        document.AddUndo(&view, UNDO_INSERT, added);
        document.EndUndoGroup(bracket);
        bracket->Release();
        return added;
    }

    // Hands the group's children back to the list at the front and deletes the group,
    // recorded as the Ungroup command does. The group's removal is recorded while it
    // still holds its children.
    std::vector<CDrawObj*> Ungroup(CDrawObjGroup* group)
    {
        IOleParentUndoUnit* bracket = nullptr;
        document.BeginUndoGroup(&bracket);
        document.AddUndo(&view, UNDO_DELETE, group);
        std::vector<CDrawObj*> children;
        for (std::unique_ptr<CDrawObj>& child : group->ReleaseChildren()) {
            children.push_back(document.Add(std::move(child)));
            document.AddUndo(&view, UNDO_INSERT, children.back());
        }
        UndoStepScope step(document);
        step.SetDeleted(group, true);
        step.Finish();
        document.EndUndoGroup(bracket);
        bracket->Release();
        return children;
    }

    // The records a save would write: the live objects of the list, back to front, each
    // with its class and its record, a group's children inside it.
    std::vector<uint8_t> SavedRecords()
    {
        MemoryStream stream;
        for (const std::unique_ptr<CDrawObj>& object : document.Objects()) {
            if (object->m_bDeleted)
                continue;
            Archive ar(stream, ArchiveMode::Store);
            ar << std::string(typeid(*object).name());
            WriteSnapshot(stream, {object.get()});
        }
        return stream.Bytes();
    }

    int LiveInList() const
    {
        int live = 0;
        for (const std::unique_ptr<CDrawObj>& object : document.Objects())
            live += object->m_bDeleted ? 0 : 1;
        return live;
    }
};

// One object's record on its own.
inline std::vector<uint8_t> RecordOf(CDrawObj* object)
{
    MemoryStream stream;
    Archive ar(stream, ArchiveMode::Store);
    object->Serialize(ar);
    return stream.Bytes();
}

inline uint64_t SnapshotSize(const std::vector<CDrawObj*>& objects)
{
    MemoryStream stream;
    WriteSnapshot(stream, objects);
    return stream.Size();
}

} // namespace kelmora::fakes
