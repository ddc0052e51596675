#include "document/UndoUnitSnapshot.h"

#include "model/DrawObjGroup.h"
#include "platform/archive/Archive.h"
#include "platform/archive/MemoryStream.h"

#include <utility>

namespace kelmora {

namespace {

constexpr std::uint8_t kLeaf = 0;
constexpr std::uint8_t kGroup = 1;

// Takes a group's children out for the length of a record, so that the record is the
// group's own fields only, and gives them back however the record ends.
class DetachedChildren {
public:
    explicit DetachedChildren(CDrawObjGroup* group) : m_group(group)
    {
        if (m_group)
            m_detached = m_group->ReleaseChildren();
    }
    ~DetachedChildren()
    {
        if (m_group)
            m_group->ReplaceChildren(std::move(m_detached));
    }
    DetachedChildren(const DetachedChildren&) = delete;
    DetachedChildren& operator=(const DetachedChildren&) = delete;

private:
    CDrawObjGroup* m_group;
    std::vector<std::unique_ptr<CDrawObj>> m_detached;
};

void WriteNode(Archive& ar, CDrawObj* object, SnapshotShape& shape, bool withChildren)
{
    auto* group = dynamic_cast<CDrawObjGroup*>(object);
    {
        DetachedChildren detached(group);
        object->Serialize(ar);
    }
    if (!group) {
        ar << kLeaf;
        return;
    }
    if (!withChildren) {
        // No children recorded: a load finds none that match, and leaves the group's own.
        ar << kGroup << uint32_t(0) << std::uint64_t(0);
        return;
    }
    std::vector<const CDrawObj*>& children = shape[group];
    for (const std::unique_ptr<CDrawObj>& child : group->Children())
        children.push_back(child.get());
    ar << kGroup << uint32_t(group->Children().size());
    ByteStream& stream = ar.Stream();
    const std::uint64_t lengthAt = stream.Tell();
    ar << std::uint64_t(0);
    for (const std::unique_ptr<CDrawObj>& child : group->Children())
        WriteNode(ar, child.get(), shape, true);
    const std::uint64_t end = stream.Tell();
    stream.Seek(std::int64_t(lengthAt), SeekOrigin::Begin);
    ar << std::uint64_t(end - lengthAt - sizeof(std::uint64_t));
    stream.Seek(std::int64_t(end), SeekOrigin::Begin);
}

bool SameChildren(const CDrawObjGroup* group, const SnapshotShape& shape)
{
    auto it = shape.find(group);
    if (it == shape.end() || it->second.size() != group->Children().size())
        return false;
    for (size_t i = 0; i < group->Children().size(); ++i) {
        if (group->Children()[i].get() != it->second[i])
            return false;
    }
    return true;
}

void LoadNode(Archive& ar, CDrawObj* object, const SnapshotShape& shape)
{
    auto* group = dynamic_cast<CDrawObjGroup*>(object);
    const bool deleted = object->m_bDeleted;
    {
        DetachedChildren detached(group);
        object->Serialize(ar);
    }
    object->m_bDeleted = deleted;

    const std::uint8_t kind = ar.ReadUInt8();
    if (kind == kLeaf)
        return;
    if (kind != kGroup)
        throw ArchiveException(ArchiveException::Cause::Generic, "undo snapshot: unknown node kind");
    const uint32_t count = ar.ReadUInt32();
    const std::uint64_t length = ar.ReadUInt64();
    ar.RequireRemaining(length, 1);
    ByteStream& stream = ar.Stream();
    const std::uint64_t end = stream.Tell() + length;
    if (group && count == group->Children().size() && SameChildren(group, shape)) {
        for (const std::unique_ptr<CDrawObj>& child : group->Children())
            LoadNode(ar, child.get(), shape);
    }
    stream.Seek(std::int64_t(end), SeekOrigin::Begin);
}

} // namespace

SnapshotInfo WriteSnapshot(ByteStream& stream, const std::vector<CDrawObj*>& objects, bool withChildren)
{
    SnapshotInfo info;
    MemoryStream buffer;
    {
        Archive ar(buffer, ArchiveMode::Store);
        ar.SetWholeState(true);
        for (CDrawObj* object : objects)
            WriteNode(ar, object, info.shape, withChildren);
    }
    const std::vector<std::uint8_t>& bytes = buffer.Bytes();
    info.position = stream.Seek(0, SeekOrigin::End);
    info.size = bytes.size();
    stream.Write(bytes.data(), bytes.size());
    stream.Flush();
    return info;
}

void LoadSnapshot(ByteStream& stream, std::uint64_t position, std::uint64_t size, const SnapshotShape& shape,
                  const std::vector<CDrawObj*>& objects)
{
    const std::uint64_t streamSize = stream.Size();
    if (position > streamSize || size > streamSize - position)
        throw ArchiveException(ArchiveException::Cause::EndOfFile, "undo snapshot: beyond the end of the stream");
    stream.Seek(std::int64_t(position), SeekOrigin::Begin);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    std::size_t read = 0;
    try {
        while (read < bytes.size()) {
            const std::size_t got = stream.Read(bytes.data() + read, bytes.size() - read);
            if (got == 0)
                throw ArchiveException(ArchiveException::Cause::EndOfFile, "undo snapshot: stream ended early");
            read += got;
        }
    } catch (...) {
        stream.Seek(std::int64_t(position), SeekOrigin::Begin);
        throw;
    }
    stream.Seek(std::int64_t(position), SeekOrigin::Begin);

    MemoryStream snapshot(std::move(bytes));
    Archive ar(snapshot, ArchiveMode::Load);
    ar.SetWholeState(true);
    for (CDrawObj* object : objects)
        LoadNode(ar, object, shape);
}

} // namespace kelmora
