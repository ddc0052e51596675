#pragma once
// The undo file of one document: the snapshots of its change units, appended one after
// the other and found again only through the positions their units keep. Nothing else
// ever reads it.
//
// The file is created exclusively in the temporary folder under the prefix "undo" and its
// name is removed from the folder as soon as it is open, so it can never be left behind:
// the bytes live exactly as long as the open stream. Where no file can be made, the
// snapshots are kept in memory instead.

#include "platform/archive/ByteStream.h"

#include <cstdint>
#include <filesystem>
#include <memory>

namespace kelmora {

class CUndoFile {
public:
    // A new, empty undo file in `folder` (the temporary folder when empty), or an
    // in-memory one when no file can be made there. Never null.
    static std::unique_ptr<CUndoFile> Create(const std::filesystem::path& folder = {});

    CUndoFile(const CUndoFile&) = delete;
    CUndoFile& operator=(const CUndoFile&) = delete;

    ByteStream& Stream() { return *m_stream; }
    std::uint64_t Size() const { return m_stream->Size(); }
    // Whether the snapshots go to a file on disk (false: in memory).
    bool IsOnDisk() const { return m_bOnDisk; }

private:
    CUndoFile(std::unique_ptr<ByteStream> stream, bool onDisk) : m_stream(std::move(stream)), m_bOnDisk(onDisk) { }

    std::unique_ptr<ByteStream> m_stream;
    bool m_bOnDisk;
};

} // namespace kelmora
