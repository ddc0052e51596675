#pragma once
// Document files (.MZF): a zip archive whose single entry is a compound file, followed by
// a 64 × 64 PNG picture of the drawing and the PNG's length as 4 bytes, little-endian.
//
// The compound file holds the stream "Contents" (the archive record below), the summary
// stream ("\x05SummaryInformation") and one sub-storage for each embedded item, named
// "Embedding <n>" after the item's number, which the file keeps unchanged (CDrawItem).
//
// "Contents", kind 0 (all integers little-endian):
//   u32 1, u32 0 (format words, not checked on load), u32 kind 0, u32 paper colour
//   (COLORREF), i32 page width, i32 page height (1/300 inch), the live objects back to
//   front as an object list (count, then one object reference each), u32 count of
//   embedded items followed by a reference to each: a back-reference to the item that an
//   embedded object's record carried. Every item's storage must be in the file; an item
//   whose storage is missing or damaged fails the open. Saving gives each item a number
//   of its own (copies of an embedded object get fresh ones) and writes its storage.
// "Contents", kind 1: the three header words with kind 1, then one drawing object.
//
// Loading treats the file as hostile: the object list must hold drawing objects, each
// exactly once (null entries are skipped); kinds other than 0 and 1 are refused (an empty
// drawing loaded in their place would be written over the file by the next save). A page
// side that is negative, 0 or above CDrawDoc::kMaxPageExtent does not cost the drawing:
// the drawing loads onto a usable page (UsablePageSize) and the user is told once. The document changes only when the
// whole file has been read.

#include "document/ColorRef.h"
#include "platform/base/FileReplace.h"
#include "platform/geometry/CSize.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelmora {

class Archive;
class CDrawDoc;
class CDrawItem;
class CDrawObj;
class Graphics;

// The kind word of every archive file the program writes, after the two format words.
enum class ArchiveKind : uint32_t {
    Drawing = 0,   // a drawing: paper colour, page size, object list
    Object = 1,    // one drawing object
    Brush = 3,     // a brush preset: one fill record
    LineCap = 4,   // a line-cap preset: one cap record
};

inline constexpr std::string_view kContentsStreamName = "Contents";
inline constexpr std::string_view kDocumentExtension = "MZF";
inline constexpr std::string_view kXpsExtension = "XPS";
inline constexpr std::string_view kMessageCaption = "Vantorel Logo Designer";

// Where a document's messages go: the main frame's message box once the frame exists; the
// application supplies a sink that holds them until then.
class DocumentMessageSink {
public:
    virtual void ShowMessage(std::string_view text, std::string_view caption) = 0;

protected:
    ~DocumentMessageSink() = default;
};

// What a "Contents" record holds, read completely before anything uses it.
struct DocumentContents {
    uint32_t kind = 0;
    COLORREF paperColor = kWhite;
    CSize pageSize;        // usable: a stored side out of range is replaced
    CSize storedPageSize;  // as the file gives it
    std::vector<std::unique_ptr<CDrawObj>> objects;  // in file order, removed ones included
    std::vector<CDrawItem*> items;                   // the embedded-item list; the objects own the items
};

// Reads a drawing's object list (its count, then every object), leaving out empty
// entries. Throws ArchiveException for a damaged list.
std::vector<std::unique_ptr<CDrawObj>> ReadDrawingObjects(Archive& ar);

// Reads a "Contents" record of kind 0 or 1, as a document opens it. Throws
// ArchiveException for a damaged record, and for any other kind with the cause BadSchema:
// such a drawing comes from a newer version of the program.
DocumentContents ReadDocumentContents(Archive& ar);

// The page a stored size is shown on: a negative side its length when that is at most
// CDrawDoc::kMaxPageExtent, a side of 0 or a longer negative one the default page's side,
// one above CDrawDoc::kMaxPageExtent the largest side.
CSize UsablePageSize(int32_t width, int32_t height);

// Packs `content` as the single entry `entryName` of a new zip archive written at
// `archive` (an existing file there is overwritten). False on any failure.
using DocumentArchivePacker = std::function<bool(const std::filesystem::path& archive, std::string_view entryName,
                                                 const std::filesystem::path& content)>;
bool PackDocumentArchive(const std::filesystem::path& archive, std::string_view entryName,
                         const std::filesystem::path& content);

// Whether a written document file carries the picture of the drawing after its archive.
enum class DocumentPicture { Appended, None };

// What writing a document file came to: written, or failed for a reason that is told to
// the user as it stands.
class DocumentWriteResult {
public:
    static DocumentWriteResult Written() { return DocumentWriteResult(std::string()); }
    static DocumentWriteResult Failed(std::string reason) { return DocumentWriteResult(std::move(reason)); }

    bool IsWritten() const { return m_reason.empty(); }
    // Why the file was not written; empty when it was.
    const std::string& FailureReason() const { return m_reason; }

private:
    explicit DocumentWriteResult(std::string reason) : m_reason(std::move(reason)) { }
    std::string m_reason;
};

// Why a file may not be replaced (CheckReplaceable), as the user is told it: "the file is
// read-only" and the like; empty for ReplaceBlock::None.
std::string DescribeReplaceBlock(ReplaceBlock block);

// Writes the document as a document file at `path` with the packing step given, leaving
// the document's modified flag, file name and summary information as they are: the
// compound file is written to a temporary file, packed into a second temporary file in the
// target's folder, the picture appended when asked, the result flushed to disk and renamed
// over the target (CommitReplacement: a file the user may not change, or whose owner,
// group or links a replacement would not keep, is refused). On failure the target is
// untouched and nothing is left behind. Stale temporary files of ended processes in the
// target's folder are swept first.
DocumentWriteResult WriteDocumentFile(CDrawDoc& document, const std::filesystem::path& path,
                                      const DocumentArchivePacker& packer, DocumentPicture picture);

// The save of CDrawDoc::OnSaveDocument with the packing step given: the summary
// information is brought up to date, the file written with its picture
// (WriteDocumentFile), and only then is the document marked unmodified. On failure the
// document stays modified and the reason goes to the document's message sink.
bool SaveDocumentFile(CDrawDoc& document, const std::filesystem::path& path, const DocumentArchivePacker& packer);

// A copy of the drawing written as a document file without touching the document, as
// recovery copies and mail attachments are: it carries no picture. False on any failure,
// with nothing left behind.
bool WriteDocumentCopy(CDrawDoc& document, const std::filesystem::path& path);

// The complete compound file of the document as the save writes it (tests and tools).
// Throws ArchiveException when the drawing cannot be stored.
std::vector<uint8_t> BuildDocumentCompoundFile(CDrawDoc& document);

// The text of the message that names the missing fonts, each once in the order given;
// empty when there are none.
std::string MissingFontsMessage(const std::vector<std::string>& fontNames);

// The extension of `path`: the text after its last '.', empty when there is none.
std::string FileExtension(const std::filesystem::path& path);
// Whether the extension of `path` is `extension`, compared without regard to case.
bool HasExtension(const std::filesystem::path& path, std::string_view extension);

} // namespace kelmora
