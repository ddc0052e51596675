#pragma once
// Temporary files that are created exclusively and removed when their owner goes away.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kelmora {

// The folder for temporary files: $TMPDIR where it names a folder, otherwise /tmp.
std::filesystem::path TempDirectory();

// A file created with O_EXCL under a fresh name, deleted by the destructor unless
// Keep() was called. The name is "<first three characters of prefix><random>.kelmora-<pid>.tmp":
// it starts as the platform's temporary-file names do, and names the program and the
// process that made it, so that a file left by a process that has ended (a crash in the
// middle of a save) can be told apart and swept (SweepStaleTempFiles). Move-only.
class TempFile {
public:
    // Creates an empty file in `folder`; nothing when the file cannot be created.
    static std::optional<TempFile> Create(const std::filesystem::path& folder, std::string_view prefix);
    // Same, in TempDirectory().
    static std::optional<TempFile> Create(std::string_view prefix);

    TempFile(TempFile&& other) noexcept;
    TempFile& operator=(TempFile&& other) noexcept;
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile();

    const std::filesystem::path& Path() const { return m_path; }

    // Gives up ownership: the file stays after this object is destroyed.
    std::filesystem::path Keep();

    // Deletes the file now. Safe to call more than once.
    void Remove();

private:
    explicit TempFile(std::filesystem::path path) : m_path(std::move(path)) { }
    std::filesystem::path m_path;
};

// Removes from `folder` the temporary files of this program (named as TempFile names
// them) whose process has ended and that belong to this user; files of living processes,
// of other users and everything else are left alone. Returns how many were removed.
size_t SweepStaleTempFiles(const std::filesystem::path& folder);

} // namespace kelmora
