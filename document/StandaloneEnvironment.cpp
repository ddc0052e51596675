#include "document/StandaloneEnvironment.h"

#include "document/DocSummaryInfo.h"
#include "document/DocumentUndo.h"
#include "document/NewDocumentDialog.h"
#include "model/DrawObj.h"

namespace kelmora {

FrameServices* StandaloneEnvironment::Frame()
{
    return nullptr;
}

std::unique_ptr<DocumentSummary> StandaloneEnvironment::NewSummaryInfo()
{
    return std::make_unique<CDocSummaryInfo>();
}

std::unique_ptr<DocumentUndo> StandaloneEnvironment::NewUndo(CDrawDoc&)
{
    return nullptr;
}

std::unique_ptr<NewDocumentDialog> StandaloneEnvironment::MakeNewDocumentDialog()
{
    return nullptr;
}

std::unique_ptr<CDrawObj> StandaloneEnvironment::LoadTemplate(const std::string&)
{
    return nullptr;
}

} // namespace kelmora
