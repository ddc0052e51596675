#pragma once
// The outside world of a document: the main frame, and the parts the document makes for
// itself that live in modules of their own (summary information, undo, the new-document
// dialog, template loading). The program supplies the real ones; tests supply fakes. It
// must outlive every document that uses it.

#include <memory>
#include <string>

namespace kelmora {

class CDrawDoc;
class CDrawObj;
class DocumentSummary;
class DocumentUndo;
class FrameServices;
class NewDocumentDialog;

class DocumentEnvironment {
public:
    virtual ~DocumentEnvironment() = default;

    // The main frame, or null when there is none (no window yet, a worker thread).
    virtual FrameServices* Frame() = 0;
    // A fresh, empty summary information; never null.
    virtual std::unique_ptr<DocumentSummary> NewSummaryInfo() = 0;
    // The undo machinery of a new document; null when none can be had (the document then
    // records nothing).
    virtual std::unique_ptr<DocumentUndo> NewUndo(CDrawDoc& document) = 0;
    // The new-document dialog, ready to be shown; null when none can be made.
    virtual std::unique_ptr<NewDocumentDialog> MakeNewDocumentDialog() = 0;
    // The drawing in a template file as one object (several objects come as one group);
    // null when the file yields nothing.
    virtual std::unique_ptr<CDrawObj> LoadTemplate(const std::string& path) = 0;
};

} // namespace kelmora
