#pragma once
// The undo machinery of one document: its undo manager, its undo file and the entry
// points through which every edit records itself (CDrawDoc::AddUndo and the rest reach
// them through DocumentUndo).
//
// Undo and Redo perform the newest step of a stack; the units they perform mark the
// document modified when they change the drawing, so a save followed by an undo leaves a
// document that asks to be saved again.

#include "document/DocumentUndo.h"
#include "document/UndoManager.h"
#include "document/UndoUnit.h"

#include <filesystem>
#include <memory>

namespace kelmora {

class CDrawDoc;
class CUndoFile;

class CDrawDocUndo final : public DocumentUndo {
public:
    // The machinery for `document`, with its undo file in `folder` (the temporary folder
    // when empty; in memory when no file can be made there). It must not outlive the
    // document; units still held elsewhere when it goes do nothing when performed.
    static std::unique_ptr<CDrawDocUndo> Create(CDrawDoc& document, const std::filesystem::path& folder = {});
    ~CDrawDocUndo() override;

    bool AddUndo(ViewServices* view, UndoKind kind, CDrawObj* object) override;
    bool AddUndoList(ViewServices* view, UndoKind kind, const std::vector<CDrawObj*>& objects) override;
    bool AddMoveUndo(ViewServices* view, const std::vector<CDrawObj*>& objects) override;
    bool AddUndoOwnFields(ViewServices* view, CDrawObj* object) override;
    bool BeginUndoGroup(IOleParentUndoUnit** unit) override;
    bool EndUndoGroup(IOleParentUndoUnit* unit) override;
    void DiscardAll() override;

    // The newest undo (redo) step performed; the manager's code.
    HRESULT Undo();
    HRESULT Redo();
    // The objects that the next undo (redo) step does no more than move, putting back
    // their placements; empty when the step does anything else, or there is none.
    std::vector<CDrawObj*> NextStepMoves(bool undo) const;

    IOleUndoManager* Manager() const { return m_spManager.Get(); }
    const CUndoFile& UndoFile() const { return *m_context->file; }

private:
    CDrawDocUndo(std::shared_ptr<UndoUnitContext> context, ComPtr<CUndoManager> manager)
        : m_context(std::move(context)), m_spManager(std::move(manager)) { }

    bool File(IOleUndoUnit* unit, HRESULT made);

    std::shared_ptr<UndoUnitContext> m_context;
    ComPtr<CUndoManager> m_spManager;
};

} // namespace kelmora
