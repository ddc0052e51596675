#pragma once
// The outside world of a document that has none: no frame, no undo, no new-document
// dialog and no templates, but a real summary information. For the tools and checks that
// only save or open drawings (the gallery generator, tests, fuzz targets).

#include "document/DocumentEnvironment.h"

namespace kelmora {

class StandaloneEnvironment : public DocumentEnvironment {
public:
    FrameServices* Frame() override;
    std::unique_ptr<DocumentSummary> NewSummaryInfo() override;
    std::unique_ptr<DocumentUndo> NewUndo(CDrawDoc& document) override;
    std::unique_ptr<NewDocumentDialog> MakeNewDocumentDialog() override;
    std::unique_ptr<CDrawObj> LoadTemplate(const std::string& path) override;
};

} // namespace kelmora
