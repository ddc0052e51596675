#pragma once
// Snapshots of drawing objects in the undo file: the objects' own records, written one
// after the other at the end of the file and read back into the same objects.
//
// Layout of one snapshot, for each object in order:
//   the object's record (its Serialize) as an archive of whole states writes it, every
//   switched-off style with its parameters, with a group's children left out;
//   u8 1 when the object is a group, then u32 child count, u64 byte length of the
//   children's part, and each child the same way; u8 0 otherwise.
// A group's children are written as snapshots of their own so that loading reads each
// child into the object that is there, instead of letting the group's record make new
// children (which would leave every unit that refers to the old ones pointing at nothing).
//
// Loading leaves every object's deleted flag as it is: whether an object is live is the
// business of the insert and delete units, not of a change of style.
//
// A snapshot is built in memory and handed to the stream in one write, and read back from
// it in one read: an archive of many small values would otherwise cost a call into the
// stream (a file's stdio) for every one of them.

#include <cstdint>
#include <map>
#include <vector>

namespace kelmora {

class ByteStream;
class CDrawObj;

// The children of each group in a snapshot when it was written, by group.
using SnapshotShape = std::map<const CDrawObj*, std::vector<const CDrawObj*>>;

struct SnapshotInfo {
    std::uint64_t position = 0;
    std::uint64_t size = 0; // bytes from `position`
    SnapshotShape shape;
};

// Appends a snapshot of the objects at the end of the stream. Without `withChildren` a
// group's node holds no children (count and length 0), so that loading it gives the group
// its own fields back and leaves its children as they are. Throws the archive's and the
// stream's exceptions.
SnapshotInfo WriteSnapshot(ByteStream& stream, const std::vector<CDrawObj*>& objects, bool withChildren = true);

// Reads the snapshot of `size` bytes at `position` back into the objects (the same list it
// was written from); `shape` is its groups' children as written. A group whose children
// are no longer those recorded keeps its children as they are; their stored records are
// skipped. Leaves the stream at `position`. Throws the archive's and the stream's
// exceptions; EndOfFile, before reading anything, when the stream holds fewer bytes.
void LoadSnapshot(ByteStream& stream, std::uint64_t position, std::uint64_t size, const SnapshotShape& shape,
                  const std::vector<CDrawObj*>& objects);
inline void LoadSnapshot(ByteStream& stream, const SnapshotInfo& info, const std::vector<CDrawObj*>& objects)
{
    LoadSnapshot(stream, info.position, info.size, info.shape, objects);
}

} // namespace kelmora
