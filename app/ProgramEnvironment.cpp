#include "app/ProgramEnvironment.h"

#include "app/MainFrame.h"
#include "app/UserPrompt.h"
#include "document/DocSummaryInfo.h"
#include "document/DrawDocUndo.h"
#include "document/DrawShape.h"
#include "document/NewDocumentDialog.h"
#include "model/DrawObj.h"

namespace kelmora {

namespace {

// Stands in for the new-document dialog until the dialog with paper sizes and templates
// is part of the program: it confirms at once and asks for nothing, so that the new
// document keeps its title and the default page.
class DefaultPageChoice final : public NewDocumentDialog {
public:
    int DoModal() override { return kOk; }
};

} // namespace

FrameServices* ProgramEnvironment::Frame()
{
    return GetMainFrame();
}

std::unique_ptr<DocumentSummary> ProgramEnvironment::NewSummaryInfo()
{
    return std::make_unique<CDocSummaryInfo>();
}

std::unique_ptr<DocumentUndo> ProgramEnvironment::NewUndo(CDrawDoc& document)
{
    return CDrawDocUndo::Create(document);
}

// The one place the new-document dialog is made.
std::unique_ptr<NewDocumentDialog> ProgramEnvironment::MakeNewDocumentDialog()
{
    return std::make_unique<DefaultPageChoice>();
}

std::unique_ptr<CDrawObj> ProgramEnvironment::LoadTemplate(const std::string& path)
{
    CDrawShape shape;
    return std::unique_ptr<CDrawObj>(shape.Load(path, false));
}

void ProgramEnvironment::ShowMessage(std::string_view text, std::string_view caption)
{
    if (!GetMainFrame()) {
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
