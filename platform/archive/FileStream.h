#pragma once
// A ByteStream over a file on disk. The document's undo file writes snapshots at the
// end and reads them back later from remembered positions, so reads, writes and seeks
// may be mixed freely on one stream.
//
// Every failure throws FileException with the file's path. The destructor closes the
// file and swallows errors; a writer that must know its bytes reached the disk calls
// Close() first.

#include "platform/archive/ByteStream.h"

#include <cstdio>
#include <filesystem>
#include <memory>

namespace kelmora {

enum class FileOpenMode {
    Read,      // an existing file, read only
    ReadWrite, // an existing file, read and write, kept as it is
    Create,    // created or emptied, read and write
};

class FileStream final : public ByteStream {
public:
    // Opens the file positioned at its start; throws FileException on failure.
    static std::unique_ptr<FileStream> Open(const std::filesystem::path& path, FileOpenMode mode);

    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;
    ~FileStream() override;

    std::size_t Read(void* buffer, std::size_t count) override;
    void Write(const void* data, std::size_t count) override;
    std::uint64_t Seek(std::int64_t offset, SeekOrigin origin) override;
    std::uint64_t Tell() const override { return m_position; }
    std::uint64_t Size() const override { return m_size; }
    void Flush() override;

    // Flushes and closes the file; throws FileException when the bytes could not be
    // written. Any later operation throws as well.
    void Close();

    const std::filesystem::path& Path() const { return m_path; }

private:
    enum class LastOperation { None, Read, Write };

    FileStream(std::FILE* file, std::filesystem::path path, bool writable, std::uint64_t size);
    void RequireOpen() const;
    void SwitchTo(LastOperation operation);

    std::FILE* m_file;
    std::filesystem::path m_path;
    bool m_writable;
    std::uint64_t m_size;
    std::uint64_t m_position = 0;
    LastOperation m_last = LastOperation::None;
};

} // namespace kelmora
