#include "view/PreviewState.h"

#include "document/DrawDoc.h"
#include "document/UndoStepScope.h"
#include "model/DrawObj.h"

#include <algorithm>
#include <exception>

namespace kelmora {

void PreviewState::Save(const std::vector<CDrawObj*>& objects)
{
    for (CDrawObj* object : objects) {
        const bool kept = std::any_of(m_items.begin(), m_items.end(),
                                      [object](const XPreviewStateItem& item) { return item.object == object; });
        if (!object || kept)
            continue;
        try {
            m_items.push_back({object, WriteSnapshot(m_records, {object}), object->CreateStyleCopy(StyleCopyMask::All)});
        } catch (const std::exception&) {
            // Not kept: the preview leaves this object alone when it is put back.
        }
    }
}

std::vector<CDrawObj*> PreviewState::Restore(CDrawDoc& document)
{
    std::vector<CDrawObj*> restored;
    UndoStepScope step(document);
    for (const XPreviewStateItem& item : m_items) {
        if (!step.Find(item.object))
            continue;
        try {
            LoadSnapshot(m_records, item.saved, {item.object});
            item.object->CopyStyleFrom(item.style.get(), StyleCopyMask::All);
            restored.push_back(item.object);
        } catch (const std::exception&) {
            // Our own record, written moments ago, reads back unless memory runs out; the
            // object is then left as the read stopped and the others are still restored.
        }
    }
    step.Finish();
    Clear();
    return restored;
}

void PreviewState::Clear()
{
    m_items.clear();
    m_records = MemoryStream();
}

} // namespace kelmora
