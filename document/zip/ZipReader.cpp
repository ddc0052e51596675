#include "document/zip/ZipReader.h"

#include "document/zip/FileDescriptor.h"
#include "document/zip/ZipFormat.h"
#include "document/zip/ZipTime.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <vector>
#include <zlib.h>

namespace kelmora {

using namespace zipformat;

namespace {

struct EndRecord {
    uint64_t position = 0;
    uint16_t entryCount = 0;
    uint32_t directorySize = 0;
    uint32_t directoryOffset = 0;
    // Bytes in front of the archive: offsets in the archive count from here.
    uint64_t bytesBefore = 0;
};

struct CentralEntry {
    uint16_t flags = 0;
    uint16_t method = 0;
    uint32_t dosTime = 0;
    uint32_t crc = 0;
    uint32_t compressedSize = 0;
    uint32_t uncompressedSize = 0;
    uint32_t externalAttributes = 0;
    uint32_t localHeaderOffset = 0;
    std::string name; // as stored
};

// What the extraction needs of an entry, from its central entry and local header.
struct EntryInfo {
    bool isFolder = false;
    std::optional<FileTime> modification;
    std::optional<FileTime> access;
    uint64_t dataStart = 0;
};

// Owns a raw inflate stream.
class Inflater {
public:
    Inflater() = default;
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;
    ~Inflater()
    {
        if (m_initialised)
            inflateEnd(&m_stream);
    }
    bool Start()
    {
        m_initialised = inflateInit2(&m_stream, -MAX_WBITS) == Z_OK;
        return m_initialised;
    }
    z_stream& Stream() { return m_stream; }

private:
    z_stream m_stream {};
    bool m_initialised = false;
};

} // namespace

class ZipReader final : public ZipHandle {
public:
    ZipReader(UniqueFd file, uint64_t fileSize, std::filesystem::path root)
        : ZipHandle(ZipHandleKind::Reader)
        , m_file(std::move(file))
        , m_fileSize(fileSize)
        , m_root(std::move(root))
    {
    }

    // Finds and checks the end record and reads the first central entry.
    ZipResult Parse();
    ZipResult UnzipFirst(const std::filesystem::path& targetPath);
    ZipResult ListItems(std::vector<std::string>& names) const;
    ZipResult ReadItem(std::string_view name, size_t maxSize, std::vector<uint8_t>& data) const;
    uint64_t EndRecordPosition() const { return m_end.position; }

private:
    bool ReadAt(uint64_t position, void* data, size_t size) const
    {
        return position <= m_fileSize && size <= m_fileSize - position
            && ReadUpToAt(m_file.Get(), data, size, position) == int64_t(size);
    }
    std::optional<EndRecord> CheckEndRecord(const uint8_t* bytes, uint64_t position) const;
    ZipResult ReadFirstCentralEntry();
    // Reads the central entry at `position`; `next` becomes the position after it.
    ZipResult ReadCentralEntry(uint64_t position, CentralEntry& entry, uint64_t& next) const;
    // Calls `visit` for every central entry in directory order until it returns false.
    ZipResult ForEachCentralEntry(const std::function<bool(const CentralEntry&)>& visit) const;
    ZipResult ReadEntryInfo(const CentralEntry& entry, EntryInfo& info) const;
    using Sink = std::function<bool(const uint8_t*, size_t)>;
    ZipResult CopyData(const CentralEntry& entry, const EntryInfo& info, const Sink& sink) const;
    void CreateTargetFolder(const std::filesystem::path& targetPath) const;

    UniqueFd m_file;
    uint64_t m_fileSize;
    std::filesystem::path m_root; // the current folder at the time of opening
    EndRecord m_end;
    CentralEntry m_first;
};

std::optional<EndRecord> ZipReader::CheckEndRecord(const uint8_t* bytes, uint64_t position) const
{
    EndRecord end;
    end.position = position;
    uint16_t thisDisk = LoadU16(bytes + 4);
    uint16_t directoryDisk = LoadU16(bytes + 6);
    uint16_t entriesOnDisk = LoadU16(bytes + 8);
    end.entryCount = LoadU16(bytes + 10);
    end.directorySize = LoadU32(bytes + 12);
    end.directoryOffset = LoadU32(bytes + 16);
    uint16_t commentLength = LoadU16(bytes + 20);
    if (thisDisk != 0 || directoryDisk != 0 || entriesOnDisk != end.entryCount)
        return std::nullopt;
    uint64_t directoryEnd = uint64_t(end.directoryOffset) + end.directorySize;
    if (directoryEnd > position || position + kEndRecordSize + commentLength > m_fileSize)
        return std::nullopt;
    end.bytesBefore = position - directoryEnd;
    if (end.entryCount > 0) {
        // Every central entry takes 46 bytes at least, and the first one must be there.
        if (end.directorySize < uint64_t(end.entryCount) * kCentralEntrySize)
            return std::nullopt;
        std::array<uint8_t, 4> signature;
        if (!ReadAt(end.bytesBefore + end.directoryOffset, signature.data(), signature.size())
            || LoadU32(signature.data()) != kCentralEntrySignature)
            return std::nullopt;
    }
    return end;
}

ZipResult ZipReader::Parse()
{
    if (m_fileSize < kEndRecordSize)
        return ZipResult::ArchiveUnreadable;
    uint64_t tailLength = std::min(m_fileSize, kZipEndRecordWindow);
    uint64_t tailStart = m_fileSize - tailLength;
    std::vector<uint8_t> tail(static_cast<size_t>(tailLength));
    if (!ReadAt(tailStart, tail.data(), tail.size()))
        return ZipResult::ArchiveUnreadable;

    // Scan backwards. Data after the archive (a thumbnail) may contain the signature,
    // so a candidate counts only when it holds together; and a candidate that claims an
    // empty archive is taken only when no earlier one describes entries, since a run of
    // zeros after a signature is easily found in such data.
    bool signatureSeen = false;
    std::optional<EndRecord> empty;
    for (size_t i = tail.size() - kEndRecordSize + 1; i-- > 0;) {
        if (LoadU32(tail.data() + i) != kEndRecordSignature)
            continue;
        signatureSeen = true;
        std::optional<EndRecord> end = CheckEndRecord(tail.data() + i, tailStart + i);
        if (!end)
            continue;
        if (end->entryCount == 0) {
            if (!empty)
                empty = end;
            continue;
        }
        m_end = *end;
        return ReadFirstCentralEntry();
    }
    if (empty) {
        m_end = *empty;
        return ZipResult::Success;
    }
    return signatureSeen ? ZipResult::ArchiveInconsistent : ZipResult::ArchiveUnreadable;
}

ZipResult ZipReader::ReadFirstCentralEntry()
{
    uint64_t next = 0;
    return ReadCentralEntry(m_end.bytesBefore + m_end.directoryOffset, m_first, next);
}

ZipResult ZipReader::ReadCentralEntry(uint64_t position, CentralEntry& entry, uint64_t& next) const
{
    std::array<uint8_t, kCentralEntrySize> bytes;
    if (!ReadAt(position, bytes.data(), bytes.size()))
        return ZipResult::ArchiveUnreadable;
    if (LoadU32(bytes.data()) != kCentralEntrySignature)
        return ZipResult::ArchiveInconsistent;
    entry.flags = LoadU16(bytes.data() + 8);
    entry.method = LoadU16(bytes.data() + 10);
    entry.dosTime = LoadU32(bytes.data() + 12);
    entry.crc = LoadU32(bytes.data() + 16);
    entry.compressedSize = LoadU32(bytes.data() + 20);
    entry.uncompressedSize = LoadU32(bytes.data() + 24);
    uint16_t nameLength = LoadU16(bytes.data() + 28);
    uint16_t extraLength = LoadU16(bytes.data() + 30);
    uint16_t commentLength = LoadU16(bytes.data() + 32);
    entry.externalAttributes = LoadU32(bytes.data() + 38);
    entry.localHeaderOffset = LoadU32(bytes.data() + 42);
    if (nameLength > m_fileSize - (position + kCentralEntrySize))
        return ZipResult::ArchiveUnreadable;
    entry.name.resize(nameLength);
    if (!ReadAt(position + kCentralEntrySize, entry.name.data(), nameLength))
        return ZipResult::ArchiveUnreadable;
    next = position + kCentralEntrySize + nameLength + extraLength + commentLength;
    return ZipResult::Success;
}

ZipResult ZipReader::ForEachCentralEntry(const std::function<bool(const CentralEntry&)>& visit) const
{
    uint64_t position = m_end.bytesBefore + m_end.directoryOffset;
    uint64_t directoryEnd = position + m_end.directorySize;
    for (uint32_t i = 0; i < m_end.entryCount; ++i) {
        CentralEntry entry;
        uint64_t next = 0;
        if (position + kCentralEntrySize > directoryEnd)
            return ZipResult::Corrupt;
        if (ZipResult result = ReadCentralEntry(position, entry, next); result != ZipResult::Success)
            return ZipResult::Corrupt;
        if (next > directoryEnd)
            return ZipResult::Corrupt;
        if (!visit(entry))
            break;
        position = next;
    }
    return ZipResult::Success;
}

namespace {

// Walks the extra field for the "UT" extended timestamp and takes the times it holds.
// Every read stays inside both the field and the buffer.
void ReadExtendedTimestamp(const std::vector<uint8_t>& extra, EntryInfo& info)
{
    size_t position = 0;
    while (extra.size() - position >= 4) {
        uint16_t id = LoadU16(extra.data() + position);
        size_t size = LoadU16(extra.data() + position + 2);
        position += 4;
        if (size > extra.size() - position)
            return;
        if (id != kExtendedTimestampId) {
            position += size;
            continue;
        }
        const uint8_t* data = extra.data() + position;
        if (size < 1)
            return;
        uint8_t flags = data[0];
        size_t offset = 1;
        auto next = [&](uint8_t flag) -> std::optional<FileTime> {
            if (!(flags & flag) || size - offset < 4)
                return std::nullopt;
            FileTime time = FileTimeFromUnix(LoadU32(data + offset));
            offset += 4;
            return time;
        };
        if (auto modification = next(kTimestampModification))
            info.modification = modification;
        if (auto access = next(kTimestampAccess))
            info.access = access;
        return;
    }
}

bool IsFolderEntry(const CentralEntry& entry)
{
    // The Unix directory type, the DOS directory bit, or the name's trailing slash.
    constexpr uint32_t kUnixTypeMask = 0xF000u << 16;
    return (entry.externalAttributes & kUnixTypeMask) == kUnixDirectory
        || (entry.externalAttributes & kDosDirectory) != 0 || (!entry.name.empty() && entry.name.back() == '/');
}

// Whether the file system of the open file `fd` has `size` bytes free for it. Where the
// free space cannot be told, the write itself finds out.
ZipResult RoomFor(int fd, uint64_t size)
{
    struct statvfs space {};
    if (fstatvfs(fd, &space) != 0)
        return ZipResult::Success;
    const uint64_t available = uint64_t(space.f_bavail) * uint64_t(space.f_frsize);
    return size > available ? ZipResult::NoRoomForEntry : ZipResult::Success;
}

} // namespace

ZipResult ZipReader::ReadEntryInfo(const CentralEntry& entry, EntryInfo& info) const
{
    uint64_t position = m_end.bytesBefore + entry.localHeaderOffset;
    std::array<uint8_t, kLocalHeaderSize> header;
    if (!ReadAt(position, header.data(), header.size()) || LoadU32(header.data()) != kLocalHeaderSignature)
        return ZipResult::Corrupt;
    uint16_t flags = LoadU16(header.data() + 6);
    uint16_t method = LoadU16(header.data() + 8);
    uint16_t nameLength = LoadU16(header.data() + 26);
    uint16_t extraLength = LoadU16(header.data() + 28);
    if (method != entry.method || (method != kMethodStored && method != kMethodDeflated))
        return ZipResult::Corrupt;
    if (!(flags & kFlagDataDescriptor)
        && (LoadU32(header.data() + 14) != entry.crc || LoadU32(header.data() + 18) != entry.compressedSize
            || LoadU32(header.data() + 22) != entry.uncompressedSize))
        return ZipResult::Corrupt;
    if (nameLength != entry.name.size())
        return ZipResult::Corrupt;

    uint64_t extraStart = position + kLocalHeaderSize + nameLength;
    if (extraStart > m_fileSize || extraLength > m_fileSize - extraStart)
        return ZipResult::ReadFailed;
    std::vector<uint8_t> extra(extraLength);
    if (!ReadAt(extraStart, extra.data(), extra.size()))
        return ZipResult::ReadFailed;

    info.isFolder = IsFolderEntry(entry);
    info.modification = FileTimeFromDosTimeStamp(entry.dosTime);
    info.access = info.modification;
    ReadExtendedTimestamp(extra, info);
    info.dataStart = extraStart + extraLength;

    if ((entry.flags | flags) & (kFlagEncrypted | kFlagStrongEncryption))
        return ZipResult::Corrupt; // encrypted entries are not read
    // The declared sizes are believed only as far as the file goes: the data must lie
    // inside it, and a stored entry's two sizes must agree.
    if (entry.compressedSize > m_fileSize - std::min(info.dataStart, m_fileSize) || info.dataStart > m_fileSize)
        return ZipResult::Corrupt;
    if (method == kMethodStored && entry.compressedSize != entry.uncompressedSize)
        return ZipResult::Corrupt;
    return ZipResult::Success;
}

ZipResult ZipReader::CopyData(const CentralEntry& entry, const EntryInfo& info, const Sink& sink) const
{
    std::vector<uint8_t> input(kIoBufferSize);
    std::vector<uint8_t> output(kIoBufferSize);
    uint64_t position = info.dataStart;
    uint64_t compressedLeft = entry.compressedSize;
    uint64_t produced = 0;
    uLong crc = crc32_z(0, nullptr, 0);

    auto readInput = [&](size_t& count) {
        count = size_t(std::min<uint64_t>(compressedLeft, input.size()));
        if (!ReadAt(position, input.data(), count))
            return false;
        position += count;
        compressedLeft -= count;
        return true;
    };
    auto emit = [&](const uint8_t* bytes, size_t count) {
        produced += count;
        crc = crc32_z(crc, bytes, count);
        return sink(bytes, count);
    };

    if (entry.method == kMethodStored) {
        while (compressedLeft > 0) {
            size_t count;
            if (!readInput(count))
                return ZipResult::WriteFailed;
            if (!emit(input.data(), count))
                return ZipResult::WriteFailed;
        }
    } else {
        Inflater inflater;
        if (!inflater.Start())
            return ZipResult::OutOfMemory;
        z_stream& stream = inflater.Stream();
        for (;;) {
            if (stream.avail_in == 0 && compressedLeft > 0) {
                size_t count;
                if (!readInput(count))
                    return ZipResult::WriteFailed;
                stream.next_in = input.data();
                stream.avail_in = uInt(count);
            }
            stream.next_out = output.data();
            stream.avail_out = uInt(output.size());
            int status = inflate(&stream, Z_NO_FLUSH);
            size_t count = output.size() - stream.avail_out;
            // Never more than the entry declares.
            if (produced + count > entry.uncompressedSize)
                return ZipResult::Corrupt;
            if (count > 0 && !emit(output.data(), count))
                return ZipResult::WriteFailed;
            if (status == Z_STREAM_END)
                break;
            // Every call that returns Z_OK has made progress. With the compressed data
            // used up and no output pending, inflate reports Z_BUF_ERROR: the stream is
            // truncated.
            if (status != Z_OK)
                return ZipResult::WriteFailed;
        }
    }
    if (produced != entry.uncompressedSize || uint32_t(crc) != entry.crc)
        return ZipResult::Corrupt;
    return ZipResult::Success;
}

void ZipReader::CreateTargetFolder(const std::filesystem::path& targetPath) const
{
    std::filesystem::path folder = targetPath.parent_path();
    if (folder.empty() || !folder.is_relative() || m_root.empty())
        return;
    for (const auto& part : folder) {
        if (part == "..")
            return;
    }
    std::error_code ignored;
    std::filesystem::create_directories(m_root / folder, ignored);
}

ZipResult ZipReader::UnzipFirst(const std::filesystem::path& targetPath)
{
    if (m_end.entryCount == 0)
        return ZipResult::BadArguments;
    EntryInfo info;
    if (ZipResult result = ReadEntryInfo(m_first, info); result != ZipResult::Success)
        return result;
    if (info.isFolder)
        return ZipResult::EntryNotFound;

    if (m_first.uncompressedSize > kMaxUnpackedEntryBytes)
        return ZipResult::EntryTooLarge;

    CreateTargetFolder(targetPath);
    // The archive's attributes are not applied: the file gets the usual permissions.
    UniqueFd target = OpenFile(targetPath, O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (!target)
        return ZipResult::CannotOpenFile;
    int fd = target.Get();
    ZipResult result = RoomFor(fd, m_first.uncompressedSize);
    if (result == ZipResult::Success)
        result = CopyData(m_first, info, [fd](const uint8_t* bytes, size_t count) { return WriteAll(fd, bytes, count); });
    if (result == ZipResult::Success && info.modification) {
        std::array<timespec, 2> times {};
        int64_t seconds;
        uint32_t nanoseconds;
        FileTimeToUnix(info.access.value_or(*info.modification), seconds, nanoseconds);
        times[0] = { time_t(seconds), long(nanoseconds) };
        FileTimeToUnix(*info.modification, seconds, nanoseconds);
        times[1] = { time_t(seconds), long(nanoseconds) };
        futimens(target.Get(), times.data()); // the times are a courtesy; failing to set them is no error
    }
    if (!target.Close() && result == ZipResult::Success)
        result = ZipResult::WriteFailed;
    if (result != ZipResult::Success) {
        std::error_code ignored;
        std::filesystem::remove(targetPath, ignored);
    }
    return result;
}

ZipResult ZipReader::ListItems(std::vector<std::string>& names) const
{
    names.clear();
    return ForEachCentralEntry([&](const CentralEntry& entry) {
        names.push_back(entry.name);
        return true;
    });
}

ZipResult ZipReader::ReadItem(std::string_view name, size_t maxSize, std::vector<uint8_t>& data) const
{
    data.clear();
    std::optional<CentralEntry> found;
    ZipResult result = ForEachCentralEntry([&](const CentralEntry& entry) {
        if (entry.name != name)
            return true;
        found = entry;
        return false;
    });
    if (result != ZipResult::Success)
        return result;
    if (!found)
        return ZipResult::EntryNotFound;
    EntryInfo info;
    if (ZipResult infoResult = ReadEntryInfo(*found, info); infoResult != ZipResult::Success)
        return infoResult;
    if (info.isFolder)
        return ZipResult::EntryNotFound;
    // The declared size is checked before anything is allocated; CopyData refuses data
    // that grows past it.
    if (found->uncompressedSize > maxSize)
        return ZipResult::MemoryTooSmall;
    data.reserve(found->uncompressedSize);
    result = CopyData(*found, info, [&](const uint8_t* bytes, size_t count) {
        data.insert(data.end(), bytes, bytes + count);
        return true;
    });
    if (result != ZipResult::Success)
        data.clear();
    return result;
}

namespace {

ZipResult StoreResult(ZipResult result)
{
    g_unzipLastResult.store(result, std::memory_order_relaxed);
    return result;
}

} // namespace

ZipHandle* OpenZip(const std::filesystem::path& path)
{
    // Non-blocking, so that a named pipe cannot hang the open.
    UniqueFd file = OpenFile(path, O_RDONLY | O_NONBLOCK);
    if (!file) {
        StoreResult(ZipResult::CannotOpenFile);
        return nullptr;
    }
    struct stat info {};
    if (fstat(file.Get(), &info) != 0 || S_ISDIR(info.st_mode)) {
        StoreResult(ZipResult::CannotOpenFile);
        return nullptr;
    }
    if (!S_ISREG(info.st_mode)) {
        StoreResult(ZipResult::ArchiveUnreadable); // cannot be positioned
        return nullptr;
    }
    std::error_code error;
    std::filesystem::path root = std::filesystem::current_path(error);
    auto reader = std::make_unique<ZipReader>(std::move(file), uint64_t(info.st_size), error ? std::filesystem::path() : root);
    if (StoreResult(reader->Parse()) != ZipResult::Success)
        return nullptr;
    return reader.release();
}

ZipResult UnzipItem(ZipHandle* handle, const std::filesystem::path& targetPath)
{
    if (!handle)
        return StoreResult(ZipResult::BadArguments);
    if (handle->Kind() != ZipHandleKind::Reader)
        return StoreResult(ZipResult::WrongHandleKind);
    return StoreResult(static_cast<ZipReader*>(handle)->UnzipFirst(targetPath));
}

std::optional<uint64_t> ZipEndRecordPosition(ZipHandle* handle)
{
    if (!handle || handle->Kind() != ZipHandleKind::Reader)
        return std::nullopt;
    return static_cast<const ZipReader*>(handle)->EndRecordPosition();
}

ZipResult CloseUnzip(ZipHandle* handle)
{
    if (!handle)
        return StoreResult(ZipResult::BadArguments);
    if (handle->Kind() != ZipHandleKind::Reader)
        return StoreResult(ZipResult::WrongHandleKind);
    std::unique_ptr<ZipReader> reader(static_cast<ZipReader*>(handle));
    return StoreResult(ZipResult::Success);
}

ZipResult ListZipItems(ZipHandle* handle, std::vector<std::string>& names)
{
    names.clear();
    if (!handle)
        return StoreResult(ZipResult::BadArguments);
    if (handle->Kind() != ZipHandleKind::Reader)
        return StoreResult(ZipResult::WrongHandleKind);
    return StoreResult(static_cast<ZipReader*>(handle)->ListItems(names));
}

ZipResult ReadZipItem(ZipHandle* handle, std::string_view name, size_t maxSize, std::vector<uint8_t>& data)
{
    data.clear();
    if (!handle)
        return StoreResult(ZipResult::BadArguments);
    if (handle->Kind() != ZipHandleKind::Reader)
        return StoreResult(ZipResult::WrongHandleKind);
    return StoreResult(static_cast<ZipReader*>(handle)->ReadItem(name, maxSize, data));
}

} // namespace kelmora
