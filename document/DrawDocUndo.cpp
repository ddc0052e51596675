#include "document/DrawDocUndo.h"

#include "document/DrawDoc.h"
#include "document/GroupUnit.h"
#include "document/UndoUnitFile.h"
#include "document/UndoStepScope.h"

namespace kelmora {

std::unique_ptr<CDrawDocUndo> CDrawDocUndo::Create(CDrawDoc& document, const std::filesystem::path& folder)
{
    auto context = std::make_shared<UndoUnitContext>();
    context->document = &document;
    context->file = CUndoFile::Create(folder);
    return std::unique_ptr<CDrawDocUndo>(new CDrawDocUndo(std::move(context), CUndoManager::Create()));
}

CDrawDocUndo::~CDrawDocUndo()
{
    m_spManager->DiscardFrom(nullptr);
    m_context->document = nullptr;
}

bool CDrawDocUndo::File(IOleUndoUnit* unit, HRESULT made)
{
    ComPtr<IOleUndoUnit> held = ComPtr<IOleUndoUnit>::Adopt(unit);
    if (FAILED(made) || !held)
        return false;
    return SUCCEEDED(m_spManager->Add(held.Get()));
}

bool CDrawDocUndo::AddUndo(ViewServices* view, UndoKind kind, CDrawObj* object)
{
    IOleUndoUnit* unit = nullptr;
    const HRESULT made = CreateUndoUnitForObject(m_context, object, kind, view, &unit);
    return File(unit, made);
}

bool CDrawDocUndo::AddUndoList(ViewServices* view, UndoKind kind, const std::vector<CDrawObj*>& objects)
{
    IOleUndoUnit* unit = nullptr;
    const HRESULT made = CreateUndoUnit(m_context, objects, kind, view, &unit);
    return File(unit, made);
}

bool CDrawDocUndo::AddMoveUndo(ViewServices* view, const std::vector<CDrawObj*>& objects)
{
    IOleUndoUnit* unit = nullptr;
    const HRESULT made = CreateMoveUndoUnit(m_context, objects, view, &unit);
    return File(unit, made);
}

bool CDrawDocUndo::AddUndoOwnFields(ViewServices* view, CDrawObj* object)
{
    IOleUndoUnit* unit = nullptr;
    const HRESULT made = CreateOwnFieldsUndoUnit(m_context, object, view, &unit);
    return File(unit, made);
}

bool CDrawDocUndo::BeginUndoGroup(IOleParentUndoUnit** unit)
{
    if (!unit)
        return false;
    CGroupUnit* group = nullptr;
    if (FAILED(CreateGroupUnit(&group)))
        return false;
    // The caller owns the reference handed out, whatever Open answers.
    *unit = group;
    return SUCCEEDED(m_spManager->Open(group));
}

bool CDrawDocUndo::EndUndoGroup(IOleParentUndoUnit* unit)
{
    return SUCCEEDED(m_spManager->Close(unit, true));
}

void CDrawDocUndo::DiscardAll()
{
    m_spManager->DiscardFrom(nullptr);
}

HRESULT CDrawDocUndo::Undo()
{
    // A step restores what it recorded; a preview put back afterwards would undo it again.
    if (!m_context->document)
        return m_spManager->UndoTo(nullptr);
    m_context->document->DropPreviews();
    // All the step's units look the objects up in one index, and what they take away
    // leaves the selections once, at the end.
    UndoStepScope step(*m_context->document);
    const HRESULT hr = m_spManager->UndoTo(nullptr);
    step.Finish();
    return hr;
}

std::vector<CDrawObj*> CDrawDocUndo::NextStepMoves(bool undo) const
{
    const auto* unit = dynamic_cast<const UndoUnitBase*>(m_spManager->NextUnit(undo));
    if (!unit || unit->m_nKind != UNDO_CHANGE || unit->m_nChangeRecord != UndoUnitBase::ChangeRecord::Placement)
        return {};
    return unit->m_objects;
}

HRESULT CDrawDocUndo::Redo()
{
    if (!m_context->document)
        return m_spManager->RedoTo(nullptr);
    m_context->document->DropPreviews();
    UndoStepScope step(*m_context->document);
    const HRESULT hr = m_spManager->RedoTo(nullptr);
    step.Finish();
    return hr;
}

} // namespace kelmora
