#include "app/documents/ProgramEnvironment.h"

#include "app/documents/DocumentHost.h"
#include "app/documents/UserPrompt.h"
#include "document/DocSummaryInfo.h"
#include "document/DrawDocUndo.h"
#include "document/DrawShape.h"
#include "document/NewDocumentDialog.h"
#include "model/DrawObj.h"

namespace kelmora {

FrameServices* ProgramEnvironment::Frame()
{
    DocumentHost* host = GetDocumentHost();
    return host ? &host->HostServices() : nullptr;
}

std::unique_ptr<DocumentSummary> ProgramEnvironment::NewSummaryInfo()
{
    return std::make_unique<CDocSummaryInfo>();
}

std::unique_ptr<DocumentUndo> ProgramEnvironment::NewUndo(CDrawDoc& document)
{
    return CDrawDocUndo::Create(document);
}

// The dialog is one of the user's modal questions (UserPrompt.h).
std::unique_ptr<NewDocumentDialog> ProgramEnvironment::MakeNewDocumentDialog()
{
    return GetUserPrompt().MakeNewDocumentDialog();
}

std::unique_ptr<CDrawObj> ProgramEnvironment::LoadTemplate(const std::string& path)
{
    return LoadDrawingObject(path);
}

void ProgramEnvironment::ShowMessage(std::string_view text, std::string_view caption)
{
    if (!GetDocumentHost()) {
        m_held.emplace_back(std::string(text), std::string(caption));
        return;
    }
    GetUserPrompt().ShowMessage(std::string(text), std::string(caption));
}

void ProgramEnvironment::ShowHeldMessages()
{
    std::vector<std::pair<std::string, std::string>> held = std::exchange(m_held, {});
    for (const auto& [text, caption] : held)
        ShowMessage(text, caption);
}

ProgramEnvironment& GetProgramEnvironment()
{
    static ProgramEnvironment environment;
    return environment;
}

} // namespace kelmora
