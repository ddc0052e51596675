#include "platform/base/FileReplace.h"

#include "platform/base/TempFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace kelmora {

namespace {

using namespace std::string_literals;

class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string pattern = (TempDirectory() / "kelmora-replace-XXXXXX").string();
        if (::mkdtemp(pattern.data()))
            m_path = pattern;
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }
    const std::filesystem::path& Path() const { return m_path; }

    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_path))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path m_path;
};

void WriteText(const std::filesystem::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

std::string ReadText(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

std::span<const uint8_t> Bytes(const std::string& text)
{
    return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

uint32_t ModeOf(const std::filesystem::path& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? uint32_t(info.st_mode & 07777) : 0xFFFFFFFFu;
}

// Writes `text` to a fresh temporary beside `target` and commits it; the temporary is
// removed when the commit fails, as the callers' TempFile does.
bool Replace(const std::filesystem::path& target, const std::string& text)
{
    std::optional<TempFile> temporary = TempFile::Create(ReplacementFolder(target), "rep");
    if (!temporary || !WriteFileContents(temporary->Path(), Bytes(text)))
        return false;
    if (!CommitReplacement(temporary->Path(), target))
        return false;
    temporary->Keep();
    return true;
}

// Sets the process's file-creation mask for one test and restores it afterwards.
class UmaskScope {
public:
    explicit UmaskScope(mode_t mask) : m_previous(::umask(mask)) { }
    ~UmaskScope() { ::umask(m_previous); }

private:
    mode_t m_previous;
};

} // namespace

TEST(FileReplace, AReplacedFileKeepsItsPermissions)
{
    ScratchFolder folder;
    const auto target = folder / "logo.mzf";
    WriteText(target, "a much longer old content");
    ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
    EXPECT_EQ(ReplacementPermissions(target), 0640u);

    ASSERT_TRUE(Replace(target, "new"));
    EXPECT_EQ(ReadText(target), "new");
    EXPECT_EQ(ModeOf(target), 0640u);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"logo.mzf"});
}

TEST(FileReplace, AReplacementKeepsOwnerAndGroupOrIsRefused)
{
    ScratchFolder folder;
    const auto target = folder / "logo.mzf";
    WriteText(target, "old");

    // Marked read-only: refused even for a user whom permissions do not stop.
    ASSERT_EQ(::chmod(target.c_str(), 0444), 0);
    EXPECT_EQ(CheckReplaceable(target), ReplaceBlock::ReadOnly);
    EXPECT_FALSE(Replace(target, "new"));
    EXPECT_EQ(errno, EACCES);
    ASSERT_EQ(::chmod(target.c_str(), 0644), 0);

    // A second name would keep the old contents.
    std::filesystem::create_hard_link(target, folder / "other.mzf");
    EXPECT_FALSE(Replace(target, "new"));
    EXPECT_EQ(errno, EMLINK);
    std::filesystem::remove(folder / "other.mzf");
    EXPECT_EQ(ReadText(target), "old");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"logo.mzf"});

    // Another owner and group are kept where the process may give them.
    if (::geteuid() != 0)
        GTEST_SKIP() << "giving a file to another owner needs root";
    ASSERT_EQ(::chown(target.c_str(), 65534, 65534), 0);
    ASSERT_TRUE(Replace(target, "new"));
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, 65534u);
    EXPECT_EQ(info.st_gid, 65534u);
    EXPECT_EQ(ReadText(target), "new");
}

TEST(FileReplace, ANewFileGetsTheUsualPermissions)
{
    UmaskScope mask(027);
    ScratchFolder folder;
    EXPECT_EQ(ReplacementPermissions(folder / "absent"), 0640u);
    // Something that is not a regular file lends none of its permissions.
    EXPECT_EQ(ReplacementPermissions(folder.Path()), 0640u);

    ASSERT_TRUE(Replace(folder / "new.png", "picture"));
    EXPECT_EQ(ReadText(folder / "new.png"), "picture");
    EXPECT_EQ(ModeOf(folder / "new.png"), 0640u);
}

TEST(FileReplace, ALinkedTargetKeepsTheLinkAndReplacesWhatItNames)
{
    ScratchFolder folder;
    std::filesystem::create_directory(folder / "real");
    std::filesystem::create_directory(folder / "links");
    const auto real = folder / "real" / "logo.mzf";
    WriteText(real, "old");
    ASSERT_EQ(::chmod(real.c_str(), 0600), 0);
    // A relative link to a relative link: both are kept.
    const auto first = folder / "links" / "first.mzf";
    const auto second = folder / "links" / "second.mzf";
    std::filesystem::create_symlink("../real/logo.mzf", first);
    std::filesystem::create_symlink("first.mzf", second);

    EXPECT_TRUE(std::filesystem::equivalent(ReplacementTarget(second), real));
    EXPECT_TRUE(std::filesystem::equivalent(ReplacementFolder(second), folder / "real"));
    ASSERT_TRUE(Replace(second, "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(first));
    EXPECT_TRUE(std::filesystem::is_symlink(second));
    EXPECT_EQ(ReadText(real), "new");
    EXPECT_EQ(ModeOf(real), 0600u);
    EXPECT_EQ(ReadText(second), "new");
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder / "real"))
        ++files;
    EXPECT_EQ(files, 1u);

    // A bare file name replaces in the working folder.
    EXPECT_EQ(ReplacementFolder("name.mzf"), std::filesystem::path("."));
}

TEST(FileReplace, AFailedCommitLeavesTheOldFileAndNoTemporary)
{
    ScratchFolder folder;
    const auto target = folder / "keep.mzf";
    const std::string old = "old bytes\0\xFF kept"s;
    WriteText(target, old);

    // No temporary file to commit.
    errno = 0;
    EXPECT_FALSE(CommitReplacement(folder / "vanished.tmp", target));
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(ReadText(target), old);

    // A folder in the way of the target.
    std::filesystem::create_directory(folder / "taken.mzf");
    WriteText(folder / "taken.mzf" / "inside", "x");
    EXPECT_FALSE(Replace(folder / "taken.mzf", "new"));
    EXPECT_EQ(ReadText(folder / "taken.mzf" / "inside"), "x");
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"keep.mzf", "taken.mzf"}));

    // A temporary on another file system cannot be renamed over the target.
    std::optional<TempFile> elsewhere = TempFile::Create("/dev/shm", "rep");
    struct stat shm {}, here {};
    if (!elsewhere || ::stat("/dev/shm", &shm) != 0 || ::stat(folder.Path().c_str(), &here) != 0
        || shm.st_dev == here.st_dev)
        GTEST_SKIP() << "no second file system to try a cross-device rename";
    ASSERT_TRUE(WriteFileContents(elsewhere->Path(), Bytes("new")));
    EXPECT_FALSE(CommitReplacement(elsewhere->Path(), target));
    EXPECT_EQ(errno, EXDEV);
    EXPECT_EQ(ReadText(target), old);
    EXPECT_TRUE(std::filesystem::exists(elsewhere->Path()));   // still its owner's to remove
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"keep.mzf", "taken.mzf"}));
}

TEST(FileReplace, WriteFileContentsTruncatesAndReportsWhy)
{
    ScratchFolder folder;
    WriteText(folder / "file", "longer old contents");
    ASSERT_TRUE(WriteFileContents(folder / "file", Bytes("short")));
    EXPECT_EQ(ReadText(folder / "file"), "short");
    ASSERT_TRUE(WriteFileContents(folder / "file", {}));
    EXPECT_EQ(ReadText(folder / "file"), "");

    errno = 0;
    EXPECT_FALSE(WriteFileContents(folder / "missing" / "file", Bytes("x")));
    EXPECT_EQ(errno, ENOENT);
}

} // namespace kelmora
