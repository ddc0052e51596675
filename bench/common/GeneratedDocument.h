#pragma once
// Generated drawings for the benchmarks: deterministic, with the mix of shapes, styles and
// names a real logo page has, so that file sizes and compression ratios are representative.

#include "document/DocumentEnvironment.h"
#include "document/DrawDoc.h"
#include "model/DrawObj.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace kelmora {

// A document environment with a real summary and nothing else: no frame, no undo.
class BenchEnvironment : public DocumentEnvironment {
public:
    FrameServices* Frame() override { return nullptr; }
    std::unique_ptr<DocumentSummary> NewSummaryInfo() override;
    std::unique_ptr<DocumentUndo> NewUndo(CDrawDoc&) override { return nullptr; }
    std::unique_ptr<NewDocumentDialog> MakeNewDocumentDialog() override;
    std::unique_ptr<CDrawObj> LoadTemplate(const std::string&) override { return nullptr; }
};

// Adds `count` objects in rows: rectangle-family shapes and lines with arrow heads,
// each with a fill, outline and name of its own.
void PopulateDocument(CDrawDoc& doc, int count);

// The compound file that saving a generated drawing of `count` objects puts into the
// document's zip archive: what the zip writer compresses.
std::vector<uint8_t> GeneratedDocumentFile(int count);

} // namespace kelmora
