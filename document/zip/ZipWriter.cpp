#include "document/zip/ZipWriter.h"

#include "document/zip/Deflate.h"
#include "document/zip/FileDescriptor.h"
#include "document/zip/ZipFormat.h"
#include "document/zip/ZipTime.h"
#include "platform/base/TextEncoding.h"
#include "platform/base/WorkProgress.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <ctime>
#include <fcntl.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <vector>
#include <zlib.h>

namespace kelmora {

using namespace zipformat;

namespace {

struct EntryRecord {
    std::string name; // as stored: Windows-1252, forward slashes
    uint16_t flags = 0;
    uint16_t method = kMethodDeflated;
    uint32_t dosTime = 0;
    uint32_t crc = 0;
    uint32_t compressedSize = 0;
    uint32_t uncompressedSize = 0;
    uint32_t externalAttributes = 0;
    uint32_t localHeaderOffset = 0;
    uint32_t modificationTime = 0; // "UT" seconds since 1970
    uint32_t accessTime = 0;
    uint32_t creationTime = 0;
};

std::string LocalHeader(const EntryRecord& entry)
{
    RecordBuilder record;
    record.U32(kLocalHeaderSignature)
        .U16(kVersionNeeded)
        .U16(entry.flags)
        .U16(entry.method)
        .U32(entry.dosTime)
        .U32(entry.crc)
        .U32(entry.compressedSize)
        .U32(entry.uncompressedSize)
        .U16(uint16_t(entry.name.size()))
        .U16(kLocalExtraSize)
        .Bytes(entry.name)
        .U16(kExtendedTimestampId)
        .U16(kLocalExtraSize - 4)
        .U8(kTimestampModification | kTimestampAccess | kTimestampCreation)
        .U32(entry.modificationTime)
        .U32(entry.accessTime)
        .U32(entry.creationTime);
    return record.Result();
}

std::string CentralEntry(const EntryRecord& entry)
{
    RecordBuilder record;
    record.U32(kCentralEntrySignature)
        .U16(kVersionMadeBy)
        .U16(kVersionNeeded)
        .U16(entry.flags)
        .U16(entry.method)
        .U32(entry.dosTime)
        .U32(entry.crc)
        .U32(entry.compressedSize)
        .U32(entry.uncompressedSize)
        .U16(uint16_t(entry.name.size()))
        .U16(kCentralExtraSize)
        .U16(0) // comment length
        .U16(0) // disk number start
        .U16(0) // internal attributes
        .U32(entry.externalAttributes)
        .U32(entry.localHeaderOffset)
        .Bytes(entry.name)
        .U16(kExtendedTimestampId)
        .U16(kCentralExtraSize - 4)
        // The flags say which times the local field holds, although this one
        // carries the modification time only.
        .U8(kTimestampModification | kTimestampAccess | kTimestampCreation)
        .U32(entry.modificationTime);
    return record.Result();
}

std::string EndRecord(uint16_t entryCount, uint32_t directorySize, uint32_t directoryOffset)
{
    RecordBuilder record;
    record.U32(kEndRecordSignature)
        .U16(0) // this disk
        .U16(0) // disk of the central directory
        .U16(entryCount)
        .U16(entryCount)
        .U32(directorySize)
        .U32(directoryOffset)
        .U16(0); // comment length
    return record.Result();
}

// Names of already-compressed data are stored rather than deflated again.
bool HasStoredOnlyExtension(const std::string& name)
{
    size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return false;
    std::string extension = name.substr(dot);
    for (char& c : extension)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    static constexpr std::array<std::string_view, 8> kStoredOnly
        = { ".z", ".zip", ".zoo", ".arc", ".lzh", ".arj", ".gz", ".tgz" };
    return std::find(kStoredOnly.begin(), kStoredOnly.end(), extension) != kStoredOnly.end();
}

// Whether the file is a DOS or Windows program: "MZ", and at the offset stored at 0x3C
// one of the MZ, NE, LE or PE signatures. Every read lies inside the file.
bool IsExecutable(int fd, uint64_t size)
{
    constexpr size_t kDosHeaderSize = 64;
    constexpr size_t kNewHeaderOffsetField = 0x3C;
    // The signature must leave room for the file header that follows it.
    constexpr uint64_t kNewHeaderRoom = 52;
    if (size < kDosHeaderSize)
        return false;
    std::array<uint8_t, kDosHeaderSize> header;
    if (ReadUpToAt(fd, header.data(), header.size(), 0) != int64_t(header.size()))
        return false;
    if (LoadU16(header.data()) != 0x5A4D)
        return false;
    uint64_t newHeader = LoadU32(header.data() + kNewHeaderOffsetField);
    if (newHeader + kNewHeaderRoom >= size)
        return false;
    std::array<uint8_t, 4> signature;
    if (ReadUpToAt(fd, signature.data(), signature.size(), newHeader) != 4)
        return false;
    uint32_t value = LoadU32(signature.data());
    return value == 0x5A4D || value == 0x454E || value == 0x454C || value == 0x4550;
}

// Windows attribute bits in the low byte, a Unix mode in the high 16 bits.
uint32_t ExternalAttributes(int fd, const struct statx& info)
{
    // Files here carry no archive bit; it is set as on any file written since its
    // last backup, which is what a freshly saved file carries.
    uint32_t attributes = kDosArchive | kUnixRegularFile | kUnixOwnerRead;
    if ((info.stx_mode & S_IWUSR) == 0)
        attributes |= kDosReadOnly;
    else
        attributes |= kUnixOwnerWrite;
    if (IsExecutable(fd, info.stx_size))
        attributes |= kUnixOwnerExecute;
    return attributes;
}

FileTime StatxFileTime(const struct statx_timestamp& time)
{
    return FileTimeFromUnix(time.tv_sec, time.tv_nsec);
}

// Reads an entry's source, keeping the CRC-32 and the count. It reads at most one byte
// more than the size known before reading: enough to see that the file grew.
class EntrySource final : public DeflateSource {
public:
    EntrySource(int fd, uint64_t knownSize) : m_fd(fd), m_limit(knownSize + 1) { }

    size_t Read(std::span<uint8_t> buffer) override
    {
        size_t wanted = size_t(std::min<uint64_t>(buffer.size(), m_limit - m_bytesRead));
        if (wanted == 0 || m_readError)
            return 0;
        int64_t got = ReadUpTo(m_fd, buffer.data(), wanted);
        if (got < 0) {
            m_readError = true;
            return 0;
        }
        m_crc = crc32_z(m_crc, buffer.data(), size_t(got));
        m_bytesRead += uint64_t(got);
        // Compressing is the longest part of saving a large drawing.
        ReportWorkProgress(m_bytesRead, m_limit - 1);
        return size_t(got);
    }

    uint32_t Crc() const { return uint32_t(m_crc); }
    uint64_t BytesRead() const { return m_bytesRead; }
    bool ReadError() const { return m_readError; }

private:
    int m_fd;
    uint64_t m_limit;
    uint64_t m_bytesRead = 0;
    uLong m_crc = crc32_z(0, nullptr, 0);
    bool m_readError = false;
};

class ArchiveSink final : public DeflateSink {
public:
    ArchiveSink(int fd, uint64_t& written) : m_fd(fd), m_written(written) { }

    bool Write(std::span<const uint8_t> bytes) override
    {
        if (m_failed || !WriteAll(m_fd, bytes.data(), bytes.size())) {
            m_failed = true;
            return false;
        }
        m_written += bytes.size();
        m_dataSize += bytes.size();
        return true;
    }

    bool Failed() const { return m_failed; }
    uint64_t DataSize() const { return m_dataSize; }

private:
    int m_fd;
    uint64_t& m_written;
    uint64_t m_dataSize = 0;
    bool m_failed = false;
};

} // namespace

class ZipWriter final : public ZipHandle {
public:
    explicit ZipWriter(UniqueFd output) : ZipHandle(ZipHandleKind::Writer), m_output(std::move(output)) { }

    ZipResult Add(std::string_view entryName, const std::filesystem::path& sourcePath);
    ZipResult Close();

private:
    ZipResult WriteData(EntryRecord& entry, int sourceFd, uint64_t knownSize);
    ZipResult Written(const std::string& bytes)
    {
        if (!WriteAll(m_output.Get(), bytes.data(), bytes.size()))
            return m_error = ZipResult::WriteFailed;
        m_written += bytes.size();
        return ZipResult::Success;
    }

    UniqueFd m_output;
    uint64_t m_written = 0; // bytes of the archive so far: the offset of the next record
    // Set once a write to the archive failed: the file no longer matches what the
    // writer knows of it, so nothing further is added.
    ZipResult m_error = ZipResult::Success;
    bool m_ended = false;
    std::vector<EntryRecord> m_entries;
    std::array<uint8_t, kIoBufferSize> m_buffer;
};

ZipResult ZipWriter::Add(std::string_view entryName, const std::filesystem::path& sourcePath)
{
    if (m_error != ZipResult::Success)
        return ZipResult::PreviousError;
    if (m_ended)
        return ZipResult::AlreadyEnded;
    if (!IsValidUtf8(entryName))
        return ZipResult::BadArguments;
    EntryRecord entry;
    entry.name = Utf8ToWindows1252(entryName);
    if (entry.name.empty() || entry.name.size() > kMaxEntryNameBytes)
        return ZipResult::BadArguments;
    std::replace(entry.name.begin(), entry.name.end(), '\\', '/');
    // The end record counts entries, and the central directory gives offsets, in 16
    // and 32 bits.
    if (m_entries.size() >= 0xFFFF || m_written > UINT32_MAX)
        return ZipResult::BadArguments;
    entry.method = HasStoredOnlyExtension(entry.name) ? kMethodStored : kMethodDeflated;

    // Non-blocking, so that a named pipe given as the source cannot hang the open.
    UniqueFd source = OpenFile(sourcePath, O_RDONLY | O_NONBLOCK);
    if (!source)
        return ZipResult::CannotOpenFile;
    struct statx info {};
    if (statx(source.Get(), "", AT_EMPTY_PATH, STATX_BASIC_STATS | STATX_BTIME, &info) != 0)
        return ZipResult::CannotOpenFile;
    if (S_ISDIR(info.stx_mode))
        return ZipResult::CannotOpenFile;
    if (!S_ISREG(info.stx_mode))
        return ZipResult::NotInitialised;
    uint64_t knownSize = info.stx_size;
    if (knownSize > UINT32_MAX)
        return ZipResult::BadArguments; // no zip64: sizes are 32-bit

    entry.externalAttributes = ExternalAttributes(source.Get(), info);
    FileTime modification = StatxFileTime(info.stx_mtime);
    FileTime access = StatxFileTime(info.stx_atime);
    FileTime creation = (info.stx_mask & STATX_BTIME) ? StatxFileTime(info.stx_btime) : modification;
    entry.dosTime = DosTimeStamp(modification);
    entry.modificationTime = ExtendedTimestampSeconds(modification);
    entry.accessTime = ExtendedTimestampSeconds(access);
    entry.creationTime = ExtendedTimestampSeconds(creation);

    // Until the data is written its CRC and compressed size are unknown; the header
    // says so (a data descriptor would follow) and is written again once they are.
    entry.flags = kFlagDataDescriptor;
    entry.compressedSize = entry.method == kMethodStored ? uint32_t(knownSize) : 0;
    entry.uncompressedSize = uint32_t(knownSize);
    entry.localHeaderOffset = uint32_t(m_written);
    if (Written(LocalHeader(entry)) != ZipResult::Success)
        return ZipResult::WriteFailed;

    if (ZipResult result = WriteData(entry, source.Get(), knownSize); result != ZipResult::Success)
        return result;

    entry.flags &= uint16_t(~kFlagDataDescriptor);
    std::string header = LocalHeader(entry);
    if (!WriteAllAt(m_output.Get(), header.data(), header.size(), entry.localHeaderOffset))
        return m_error = ZipResult::WriteFailed;
    m_entries.push_back(std::move(entry));
    return ZipResult::Success;
}

ZipResult ZipWriter::WriteData(EntryRecord& entry, int sourceFd, uint64_t knownSize)
{
    EntrySource source(sourceFd, knownSize);
    ArchiveSink sink(m_output.Get(), m_written);
    bool compressorFailed = false;
    if (entry.method == kMethodDeflated) {
        entry.flags |= DeflateLevelFlags(kSystemDeflateLevel);
        DeflateOutcome outcome = Deflate(kSystemDeflateLevel, source, sink, m_buffer);
        compressorFailed = !outcome.Succeeded();
    } else {
        for (;;) {
            size_t got = source.Read(m_buffer);
            if (got == 0 || !sink.Write(std::span<const uint8_t>(m_buffer.data(), got)))
                break;
        }
    }
    if (sink.Failed())
        return m_error = ZipResult::WriteFailed;
    if (source.ReadError())
        return ZipResult::ReadFailed;
    if (compressorFailed)
        return ZipResult::WriteFailed;
    if (source.BytesRead() != knownSize)
        return ZipResult::SizeChanged; // the file changed while it was read
    if (sink.DataSize() > UINT32_MAX)
        return ZipResult::BadArguments; // incompressible data just under 4 GiB
    entry.crc = source.Crc();
    entry.uncompressedSize = uint32_t(source.BytesRead());
    entry.compressedSize = uint32_t(sink.DataSize());
    return ZipResult::Success;
}

ZipResult ZipWriter::Close()
{
    if (m_ended)
        return ZipResult::Success;
    m_ended = true;
    if (m_error != ZipResult::Success) {
        m_output.Close();
        return m_error;
    }
    uint64_t directoryStart = m_written;
    std::string directory;
    for (const EntryRecord& entry : m_entries)
        directory += CentralEntry(entry);
    ZipResult result = ZipResult::Success;
    if (directoryStart > UINT32_MAX || directory.size() > UINT32_MAX)
        result = ZipResult::BadArguments; // the archive outgrew 32-bit offsets
    else if (Written(directory + EndRecord(uint16_t(m_entries.size()), uint32_t(directory.size()),
                 uint32_t(directoryStart)))
        != ZipResult::Success)
        result = ZipResult::WriteFailed;
    if (!m_output.Close() && result == ZipResult::Success)
        result = ZipResult::WriteFailed;
    return result;
}

namespace {

ZipResult StoreResult(ZipResult result)
{
    g_zipLastResult.store(result, std::memory_order_relaxed);
    return result;
}

} // namespace

ZipHandle* CreateZip(const std::filesystem::path& path)
{
    tzset(); // times are converted to local time with the current zone settings
    UniqueFd output = OpenFile(path, O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (!output) {
        StoreResult(ZipResult::CannotOpenFile);
        return nullptr;
    }
    auto writer = std::make_unique<ZipWriter>(std::move(output));
    StoreResult(ZipResult::Success);
    return writer.release();
}

ZipResult ZipAdd(ZipHandle* handle, std::string_view entryName, const std::filesystem::path& sourcePath)
{
    if (!handle)
        return StoreResult(ZipResult::BadArguments);
    if (handle->Kind() != ZipHandleKind::Writer)
        return StoreResult(ZipResult::WrongHandleKind);
    return StoreResult(static_cast<ZipWriter*>(handle)->Add(entryName, sourcePath));
}

ZipResult CloseZip(ZipHandle* handle)
{
    if (!handle)
        return StoreResult(ZipResult::BadArguments);
    if (handle->Kind() != ZipHandleKind::Writer)
        return StoreResult(ZipResult::WrongHandleKind);
    std::unique_ptr<ZipWriter> writer(static_cast<ZipWriter*>(handle));
    return StoreResult(writer->Close());
}

} // namespace kelmora
