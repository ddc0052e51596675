// Saving and opening document files, and the "Contents" record (see DrawDocFile.h).

#include "document/DrawDocFile.h"

#include "document/DocumentEnvironment.h"
#include "document/DocumentSummary.h"
#include "document/DrawDoc.h"
#include "document/Thumbnail.h"
#include "document/XPSMan.h"
#include "document/zip/SingleFilePacking.h"
#include "document/zip/ZipWriter.h"
#include "model/DrawObj.h"
#include "model/DrawObjGroup.h"
#include "model/DrawOleObj.h"
#include "platform/archive/Archive.h"
#include "platform/archive/FileException.h"
#include "platform/archive/MemoryStream.h"
#include "platform/base/FileReplace.h"
#include "platform/base/Guid.h"
#include "platform/base/TempFile.h"
#include "platform/base/WorkProgress.h"
#include "platform/storage/StorageReader.h"
#include "platform/storage/StorageWriter.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <iostream>
#include <optional>
#include <set>

namespace kelmora {

namespace {

// A failure of a save or an open, with the reason the user is told.
struct DocumentFileError {
    std::string reason;
};

} // namespace

CSize UsablePageSize(int32_t width, int32_t height)
{
    // A negative side is a page written with its axis the other way up: its length
    // counts, as long as it is one a page may have.
    auto side = [](int32_t value, int32_t fallback) {
        if (value < 0) {
            const int64_t length = -int64_t(value);
            return length <= CDrawDoc::kMaxPageExtent ? int32_t(length) : fallback;
        }
        return value < 1 ? fallback : std::min(value, CDrawDoc::kMaxPageExtent);
    };
    return CSize(side(width, CDrawDoc::kDefaultPageSize.cx), side(height, CDrawDoc::kDefaultPageSize.cy));
}

std::vector<std::unique_ptr<CDrawObj>> ReadDrawingObjects(Archive& ar)
{
    // Each entry is a new drawing object of its own: a back-reference (the same object
    // twice) and objects of other classes are refused by ReadObject. An empty entry holds
    // nothing to load and is passed over.
    const uint32_t count = ar.ReadCount(Archive::kMinObjectReferenceSize);
    std::vector<std::unique_ptr<CDrawObj>> objects;
    objects.reserve(std::min<uint32_t>(count, 1024));
    for (uint32_t i = 0; i < count; ++i) {
        if (std::unique_ptr<CDrawObj> object = ar.ReadObject<CDrawObj>())
            objects.push_back(std::move(object));
    }
    return objects;
}

DocumentContents ReadDocumentContents(Archive& ar)
{
    DocumentContents loaded;
    // The format words carry no meaning for reading: files with other values load alike.
    ar.ReadUInt32();
    ar.ReadUInt32();
    loaded.kind = ar.ReadUInt32();

    if (loaded.kind == uint32_t(ArchiveKind::Drawing)) {
        loaded.paperColor = ar.ReadUInt32();
        const int32_t width = ar.ReadInt32();
        const int32_t height = ar.ReadInt32();
        loaded.storedPageSize = CSize(width, height);
        loaded.pageSize = UsablePageSize(width, height);

        loaded.objects = ReadDrawingObjects(ar);

        // The embedded items. An item belongs to the drawing object that shows it and is
        // read with that object's record, so the list may only refer back to items read
        // already; an item the list alone would bring has no object to show it.
        const uint32_t items = ar.ReadUInt32();
        ar.RequireRemaining(items, Archive::kMinObjectReferenceSize);
        for (uint32_t i = 0; i < items; ++i) {
            ObjectReference<CDrawItem> item = ar.ReadObjectReference<CDrawItem>();
            if (!item.object)
                throw ArchiveException(ArchiveException::Cause::BadIndex, "empty entry in the embedded-item list");
            if (item.created)
                throw ArchiveException(ArchiveException::Cause::BadClass,
                                       "embedded item that no drawing object shows");
            loaded.items.push_back(item.object);
        }
    } else if (loaded.kind == uint32_t(ArchiveKind::Object)) {
        std::unique_ptr<CDrawObj> object = ar.ReadObject<CDrawObj>();
        if (!object)
            throw ArchiveException(ArchiveException::Cause::BadIndex, "the file holds no drawing object");
        loaded.objects.push_back(std::move(object));
    } else {
        // Reading on would give an empty drawing that the next save writes over the file.
        throw ArchiveException(ArchiveException::Cause::BadSchema,
                               "the file holds no drawing (kind " + std::to_string(loaded.kind) + ")");
    }
    return loaded;
}

namespace {

void ShowMessage(CDrawDoc& document, const std::string& text)
{
    if (DocumentMessageSink* sink = document.MessageSink())
        sink->ShowMessage(text, kMessageCaption);
    else
        std::cerr << kMessageCaption << ": " << text << '\n';
}

std::string DescribeStorageError(const StorageError& error)
{
    switch (error.code) {
    case StorageErrorCode::NotFound: return "a part of the file is missing (" + error.message + ")";
    case StorageErrorCode::InvalidName: return "a part of the file has an invalid name (" + error.message + ")";
    case StorageErrorCode::Corrupt: return "the file is damaged (" + error.message + ")";
    case StorageErrorCode::Io: return "the file could not be read or written (" + error.message + ")";
    }
    return error.message;
}

// The items of the live objects, in the order the object list holds them.
std::vector<CDrawItem*> LiveItems(CDrawDoc& document)
{
    std::vector<CDrawItem*> items;
    for (const std::unique_ptr<CDrawObj>& object : document.Objects()) {
        if (object && !object->m_bDeleted)
            CollectClientItems(object.get(), items);
    }
    return items;
}

// Gives every item a storage name of its own: an item keeps its number unless an earlier
// one has it already (a copy of an embedded object) or it has none yet.
void NumberItems(const std::vector<CDrawItem*>& items)
{
    std::set<uint32_t> taken;
    std::vector<CDrawItem*> renumber;
    for (CDrawItem* item : items) {
        if (item->m_dwItemNumber != 0 && taken.insert(item->m_dwItemNumber).second)
            continue;
        renumber.push_back(item);
    }
    uint32_t next = taken.empty() ? 1 : *taken.rbegin() + 1;
    for (CDrawItem* item : renumber) {
        while (next == 0 || taken.count(next))
            ++next;
        item->m_dwItemNumber = next;
        taken.insert(next);
    }
}

// The items whose records the last store of the object list wrote.
std::vector<CDrawItem*> StoredItems(CDrawDoc& document)
{
    std::vector<CDrawItem*> items = LiveItems(document);
    std::erase_if(items, [](const CDrawItem* item) { return !item->m_bStored; });
    return items;
}

// Copies the storage of every item read with the drawing out of the compound file; an
// item whose storage is missing or damaged fails the whole open.
void BindItemStorages(DocumentContents& loaded, const StorageReader& root)
{
    std::vector<CDrawItem*> items = loaded.items;
    for (const std::unique_ptr<CDrawObj>& object : loaded.objects)
        CollectClientItems(object.get(), items);
    std::set<CDrawItem*> bound;
    for (CDrawItem* item : items) {
        if (!bound.insert(item).second)
            continue;
        if (StorageStatus status = item->BindStorage(root); !status)
            throw DocumentFileError{"the embedded object \"" + item->StorageName() + "\" is missing or damaged ("
                                    + status.Error().message + ")"};
    }
}

std::string EntryNameFor(const std::filesystem::path& target)
{
    const std::string text = target.string();
    const size_t separator = text.find_last_of("/\\");
    return separator == std::string::npos ? text : text.substr(separator + 1);
}

// The reason for a failed step that wrote files: the system's own when it gave one (a full
// disk, a read-only folder), else `otherwise`. errno is cleared before the step.
std::string WriteFailure(const std::string& otherwise)
{
    if (errno == 0)
        return otherwise;
    return "the file could not be written (" + std::string(std::strerror(errno)) + ")";
}

// Whether a failed unpacking ran out of room where the unpacked file was being written.
bool OutOfRoom(int error)
{
    return error == ENOSPC || error == EDQUOT || error == EFBIG;
}

} // namespace

std::string MissingFontsMessage(const std::vector<std::string>& fontNames);

namespace {

// Replaces the document's drawing with what was read, and `summary` its summary
// information. Every object gets a fresh id; removed objects are dropped, as they are
// never shown, stored or brought back. The missing fonts are named in one message.
void AdoptContents(CDrawDoc& document, DocumentContents& loaded, std::unique_ptr<DocumentSummary> summary)
{
    document.DeleteContents();
    if (summary)
        document.m_pSummaryInfo = std::move(summary);
    document.m_nKind = loaded.kind;
    if (loaded.kind == uint32_t(ArchiveKind::Drawing)) {
        document.m_clrPaper = {loaded.paperColor, loaded.paperColor};
        document.m_sizePage = loaded.pageSize;
        if (loaded.pageSize != loaded.storedPageSize) {
            ShowMessage(document, "The page size stored in the file (" + std::to_string(loaded.storedPageSize.cx)
                                      + " x " + std::to_string(loaded.storedPageSize.cy)
                                      + ") cannot be used; the drawing is shown on a page of "
                                      + std::to_string(loaded.pageSize.cx) + " x "
                                      + std::to_string(loaded.pageSize.cy) + ".");
        }
    }
    std::vector<std::string> fonts;
    for (std::unique_ptr<CDrawObj>& object : loaded.objects) {
        if (object->m_bDeleted)
            continue;
        RenewIdsOfTree(*object);
        SetDocumentOfTree(*object, &document);
        object->CollectFontNames(fonts);
        document.AppendLoaded(std::move(object));
    }
    const std::string message = MissingFontsMessage(fonts);
    if (!message.empty())
        ShowMessage(document, message);
}

} // namespace

std::string FileExtension(const std::filesystem::path& path)
{
    const std::string text = path.string();
    const size_t dot = text.find_last_of('.');
    return dot == std::string::npos ? std::string() : text.substr(dot + 1);
}

bool HasExtension(const std::filesystem::path& path, std::string_view extension)
{
    const std::string own = FileExtension(path);
    return std::equal(own.begin(), own.end(), extension.begin(), extension.end(), [](char a, char b) {
        return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
    });
}

std::string MissingFontsMessage(const std::vector<std::string>& fontNames)
{
    std::string message;
    std::set<std::string> named;
    for (const std::string& name : fontNames) {
        if (!named.insert(name).second)
            continue;
        message += "The font \"" + name + "\" doesn't exist.\r\n";
    }
    if (!message.empty())
        message += "\r\nTips: By default, the Arial font will be used to replace the original font. If you want to get "
                   "the same effect, please install the required font to your system.";
    return message;
}

void CDrawDoc::Serialize(Archive& ar)
{
    if (ar.IsStoring()) {
        m_nKind = uint32_t(ArchiveKind::Drawing);
        ar << m_dwFormat[0] << m_dwFormat[1] << uint32_t(ArchiveKind::Drawing);
        ar << uint32_t(m_clrPaper.current) << int32_t(m_sizePage.cx) << int32_t(m_sizePage.cy);
        // Objects removed by editing stay in the list for undo; the file leaves them out.
        std::vector<const CDrawObj*> live;
        live.reserve(m_objects.size());
        for (const std::unique_ptr<CDrawObj>& object : m_objects) {
            if (object && !object->m_bDeleted)
                live.push_back(object.get());
        }
        // Every embedded item gets a storage name of its own before the records that carry
        // the names are written; the list that follows refers back to the items those
        // records wrote.
        const std::vector<CDrawItem*> items = LiveItems(*this);
        NumberItems(items);
        for (CDrawItem* item : items)
            item->m_bStored = false;
        ar.WriteObjectList(live);
        const std::vector<CDrawItem*> stored = StoredItems(*this);
        ar << uint32_t(stored.size());
        for (const CDrawItem* item : stored)
            ar.WriteObject(item);
        return;
    }

    DocumentContents loaded = ReadDocumentContents(ar);
    AdoptContents(*this, loaded, std::move(m_pSummaryInfo));
}

namespace {

// The compound file of the document, to be written to `path`. The record is moved into
// the storage, not copied: a save holds the bytes of a large drawing once.
std::unique_ptr<StorageWriter> MakeDocumentStorage(CDrawDoc& document, const std::filesystem::path& path)
{
    std::unique_ptr<StorageWriter> root = StorageWriter::Create(path);
    MemoryStream contents;
    {
        const WorkStage stage(0.0, 0.2);
        Archive ar(contents, ArchiveMode::Store);
        document.Serialize(ar);
    }
    if (StorageStatus written = root->AdoptStream(kContentsStreamName, contents.TakeBytes()); !written)
        throw DocumentFileError{DescribeStorageError(written.Error())};
    if (!document.m_pSummaryInfo->WriteToStorage(root.get()))
        throw DocumentFileError{"the summary information could not be written"};
    for (const CDrawItem* item : StoredItems(document)) {
        if (StorageStatus saved = item->SaveStorage(*root); !saved)
            throw DocumentFileError{DescribeStorageError(saved.Error())};
    }
    return root;
}

} // namespace

std::vector<uint8_t> BuildDocumentCompoundFile(CDrawDoc& document)
{
    std::unique_ptr<StorageWriter> root = MakeDocumentStorage(document, {});
    StorageResult<std::vector<uint8_t>> bytes = root->ToBytes();
    if (!bytes)
        throw DocumentFileError{DescribeStorageError(bytes.Error())};
    return std::move(*bytes);
}

bool PackDocumentArchive(const std::filesystem::path& archive, std::string_view entryName,
                         const std::filesystem::path& content)
{
    ZipHandle* zip = CreateZip(archive);
    if (!zip)
        return false;
    const ZipResult added = ZipAdd(zip, entryName, content);
    const ZipResult closed = CloseZip(zip);
    return added == ZipResult::Success && closed == ZipResult::Success;
}

std::string DescribeReplaceBlock(ReplaceBlock block)
{
    switch (block) {
    case ReplaceBlock::ReadOnly:
        return "the file is read-only";
    case ReplaceBlock::OwnerNotKept:
        return "the file belongs to another user or group, which a new copy of it could not keep";
    case ReplaceBlock::HardLinked:
        return "the file has other names (hard links), which would keep its old contents";
    case ReplaceBlock::None:
        break;
    }
    return std::string();
}

namespace {

// The reason a file that may not be replaced is not saved, as the user is told it.
std::string RefusalReason(ReplaceBlock block)
{
    return DescribeReplaceBlock(block) + ". Use Save As to save the drawing under another name";
}

} // namespace

DocumentWriteResult WriteDocumentFile(CDrawDoc& document, const std::filesystem::path& path,
                                      const DocumentArchivePacker& packer, DocumentPicture picture)
{
    try {
        if (path.empty() || EntryNameFor(path).empty())
            return DocumentWriteResult::Failed("the file has no name");
        if (const ReplaceBlock block = CheckReplaceable(path); block != ReplaceBlock::None)
            return DocumentWriteResult::Failed(RefusalReason(block));
        errno = 0;
        std::optional<TempFile> compoundFile = TempFile::Create(NewGuidString());
        if (!compoundFile)
            return DocumentWriteResult::Failed(WriteFailure("no temporary file could be written"));
        if (StorageStatus committed = MakeDocumentStorage(document, compoundFile->Path())->Commit(); !committed)
            return DocumentWriteResult::Failed("no temporary file could be written (" + committed.Error().message + ")");

        // The new file is built beside the target, so that the rename that replaces the
        // target stays within one file system and is atomic. What a save that was cut
        // short left there goes first.
        const std::filesystem::path folder = ReplacementFolder(path);
        SweepStaleTempFiles(folder);
        errno = 0;
        std::optional<TempFile> archive = TempFile::Create(folder, NewGuidString());
        if (!archive)
            return DocumentWriteResult::Failed("no file can be created in the folder \"" + folder.string() + "\""
                + (errno ? " (" + std::string(std::strerror(errno)) + ")" : std::string()));
        {
            const WorkStage stage(0.25, 0.85);
            errno = 0;
            if (!packer(archive->Path(), EntryNameFor(path), compoundFile->Path()))
                return DocumentWriteResult::Failed(WriteFailure("the drawing could not be compressed"));
        }
        const WorkStage stage(0.85, 1.0);
        errno = 0;
        if (picture == DocumentPicture::Appended && !AppendThumbnail(document, archive->Path()))
            return DocumentWriteResult::Failed(WriteFailure("the picture of the drawing could not be written"));
        if (!CommitReplacement(archive->Path(), path)) {
            const int error = errno;
            if (const ReplaceBlock block = CheckReplaceable(path); block != ReplaceBlock::None)
                return DocumentWriteResult::Failed(RefusalReason(block));
            return DocumentWriteResult::Failed(std::string("the file could not be replaced: ") + std::strerror(error));
        }
        archive->Keep();
    } catch (const DocumentFileError& error) {
        return DocumentWriteResult::Failed(error.reason);
    } catch (const std::exception& error) {
        return DocumentWriteResult::Failed(error.what());
    }
    return DocumentWriteResult::Written();
}

bool SaveDocumentFile(CDrawDoc& document, const std::filesystem::path& path, const DocumentArchivePacker& packer)
{
    document.m_pSummaryInfo->RefreshForSave();
    const DocumentWriteResult result = WriteDocumentFile(document, path, packer, DocumentPicture::Appended);
    // The work is over: whoever shows its progress takes it down before any message.
    ReportWorkProgress(1, 1);
    if (!result.IsWritten()) {
        ShowMessage(document, "Cannot save the file \"" + path.string() + "\": " + result.FailureReason() + ".");
        return false;
    }
    document.SetModifiedFlag(false);
    return true;
}

bool WriteDocumentCopy(CDrawDoc& document, const std::filesystem::path& path)
{
    return WriteDocumentFile(document, path, PackDocumentArchive, DocumentPicture::None).IsWritten();
}

bool CDrawDoc::OnSaveDocument(const std::filesystem::path& path)
{
    return SaveDocumentFile(*this, path, PackDocumentArchive);
}

bool CDrawDoc::OnOpenDocument(const std::filesystem::path& path)
{
    const auto fail = [&](const std::string& reason) {
        ShowMessage(*this, "Cannot open the file \"" + path.string() + "\": " + reason + ".");
        return false;
    };
    if (HasExtension(path, kXpsExtension)) {
        // The pages are added as groups to this document and selected in its first view.
        CXPSMan importer(this, m_views.empty() ? nullptr : m_views.front());
        if (!importer.Import(path))
            return fail(importer.GetError());
        return true;
    }
    if (!HasExtension(path, kDocumentExtension))
        return fail("it is not a drawing file");

    try {
        // The unpacked compound file is removed when this scope ends, whatever happens.
        std::optional<TempFile> unpacked = TempFile::Create(NewGuidString());
        if (!unpacked)
            return fail("no temporary file could be created (" + std::string(std::strerror(errno)) + ")");
        errno = 0;
        ZipResult unzipped = ZipResult::Success;
        if (!UnzipSingleFile(ArchivePath(path), ContentPath(unpacked->Path()), &unzipped)) {
            const int error = errno;
            if (std::optional<std::string> refusal = UnpackRefusal(unzipped))
                return fail(*refusal);
            if (OutOfRoom(error))
                return fail("it could not be unpacked into the temporary folder (" + std::string(std::strerror(error))
                            + ")");
            return fail("it cannot be read or is not a drawing file");
        }

        StorageResult<std::unique_ptr<StorageReader>> root = StorageReader::OpenFile(unpacked->Path());
        if (!root)
            return fail(DescribeStorageError(root.Error()));
        StorageResult<std::vector<uint8_t>> contents = (*root)->ReadStream(kContentsStreamName);
        if (!contents)
            return fail(DescribeStorageError(contents.Error()));

        MemoryStream stream(std::move(*contents));
        Archive ar(stream, ArchiveMode::Load);
        DocumentContents loaded = ReadDocumentContents(ar);
        BindItemStorages(loaded, **root);

        std::unique_ptr<DocumentSummary> summary = m_environment.NewSummaryInfo();
        summary->RecordOpenTime();
        // A drawing without readable summary information still opens, with fresh values.
        if (loaded.kind == uint32_t(ArchiveKind::Drawing))
            summary->ReadFromStorage(root->get());

        // Everything is read: only now does the document change.
        AdoptContents(*this, loaded, std::move(summary));
        SetModifiedFlag(false);
        return true;
    } catch (const ArchiveException& error) {
        if (error.GetCause() == ArchiveException::Cause::BadSchema)
            return fail("the drawing was made by a newer version of the program");
        return fail(std::string("the drawing is damaged (") + error.what() + ")");
    } catch (const DocumentFileError& error) {
        return fail(error.reason);
    } catch (const std::exception& error) {
        return fail(error.what());
    }
}

} // namespace kelmora
