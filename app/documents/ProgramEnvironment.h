#pragma once
// The program's side of every document: the main frame as its frame services, the real
// summary information and undo machinery, the new-document dialog and template loading,
// and the message sink that shows a document's messages on the main frame.

#include "document/DocumentEnvironment.h"
#include "document/DrawDocFile.h"

#include <string>
#include <utility>
#include <vector>

namespace kelmora {

class ProgramEnvironment final : public DocumentEnvironment, public DocumentMessageSink {
public:
    FrameServices* Frame() override;
    std::unique_ptr<DocumentSummary> NewSummaryInfo() override;
    std::unique_ptr<DocumentUndo> NewUndo(CDrawDoc& document) override;
    std::unique_ptr<NewDocumentDialog> MakeNewDocumentDialog() override;
    std::unique_ptr<CDrawObj> LoadTemplate(const std::string& path) override;

    // Shows the message on the main frame; before the frame exists the message is held
    // until ShowHeldMessages.
    void ShowMessage(std::string_view text, std::string_view caption) override;
    // Shows the messages that arrived before the main frame existed, in order.
    void ShowHeldMessages();

private:
    std::vector<std::pair<std::string, std::string>> m_held;
};

// The one environment of the process; it outlives every document.
ProgramEnvironment& GetProgramEnvironment();

} // namespace kelmora
