// Opening a document file end to end: unpacking, the compound file, the "Contents" record
// and the summary stream. The first byte chooses which layer the rest of the input is, so
// that the deeper layers are reached without the fuzzer having to forge the outer ones:
//   0: the whole document file;
//   1: the compound file, packed into a document file here;
//   2: the "Contents" record, put into a compound file and packed here.
// Whatever opens must save and open again with the same objects.

#define KELMORA_FUZZ_USES_FONTS
#include "document/DrawDoc.h"
#include "document/DrawDocFile.h"
#include "document/StandaloneEnvironment.h"
#include "model/DrawObj.h"
#include "platform/base/TempFile.h"
#include "platform/storage/StorageWriter.h"
#include "platform/text/FontFamily.h"
#include "tests/fuzz/FuzzSupport.h"

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <span>

namespace {

using namespace kelmora;

class QuietSink : public DocumentMessageSink {
public:
    void ShowMessage(std::string_view, std::string_view) override { }
};

} // namespace

// Opening looks up the fonts of text objects. Font configuration is loaded once, before
// the first input, so that fontconfig's process-wide tables are not mistaken for a leak
// of the document that loaded them.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    kelmora::FontFamily::Create("Arial");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const uint8_t layer = data[0] % 3;
    std::span<const uint8_t> input(data + 1, size - 1);

    auto folder = TempFile::Create("fzd");
    if (!folder)
        return 0;
    // The temporary file's name, made unique by the file itself, serves as a stem.
    const std::filesystem::path stem = folder->Path();
    const std::filesystem::path document = stem.string() + ".mzf";
    const std::filesystem::path compound = stem.string() + ".cf";
    const std::filesystem::path resaved = stem.string() + "-2.mzf";

    bool ready = false;
    if (layer == 0) {
        ready = fuzz::WriteInputFile(document, input);
    } else if (layer == 1) {
        ready = fuzz::WriteInputFile(compound, input) && PackDocumentArchive(document, "doc.mzf", compound);
    } else {
        auto root = StorageWriter::Create(compound);
        ready = root->WriteStream(kContentsStreamName, input) && root->Commit()
            && PackDocumentArchive(document, "doc.mzf", compound);
    }

    if (ready) {
        StandaloneEnvironment environment;
        QuietSink sink;
        CDrawDoc doc(environment);
        doc.SetMessageSink(&sink);
        if (doc.OnOpenDocument(document)) {
            if (!doc.OnSaveDocument(resaved))
                __builtin_trap();
            CDrawDoc again(environment);
            again.SetMessageSink(&sink);
            if (!again.OnOpenDocument(resaved) || again.Objects().size() != doc.Objects().size()
                || again.m_sizePage != doc.m_sizePage)
                __builtin_trap();
        }
    }
    std::filesystem::remove(document);
    std::filesystem::remove(compound);
    std::filesystem::remove(resaved);
    return 0;
}
