#include "platform/base/TempFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace kelmora {

TEST(TempFile, CreatedEmptyWithPrefixAndRemovedByOwner)
{
    std::filesystem::path path;
    {
        auto file = TempFile::Create("undo");
        ASSERT_TRUE(file);
        path = file->Path();
        EXPECT_TRUE(std::filesystem::exists(path));
        EXPECT_EQ(std::filesystem::file_size(path), 0u);
        EXPECT_EQ(path.filename().string().substr(0, 3), "und");
        EXPECT_EQ(path.extension(), ".tmp");
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(TempFile, MoveTransfersOwnershipAndKeepReleasesIt)
{
    auto first = TempFile::Create("abc");
    ASSERT_TRUE(first);
    std::filesystem::path path = first->Path();
    TempFile moved = std::move(*first);
    first.reset();
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(moved.Keep(), path);
    moved.Remove();
    EXPECT_TRUE(std::filesystem::exists(path));
    std::filesystem::remove(path);
}

TEST(TempFile, NamesNeverCollide)
{
    auto a = TempFile::Create("x");
    auto b = TempFile::Create("x");
    ASSERT_TRUE(a && b);
    EXPECT_NE(a->Path(), b->Path());
}

TEST(TempFile, NamesItsProcessAndOnlyFilesOfEndedOnesAreSwept)
{
    std::string pattern = (TempDirectory() / "kelmora-sweep-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const std::filesystem::path folder = pattern;
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ASSERT_GT(child, 0);
    ::waitpid(child, nullptr, 0);

    auto living = TempFile::Create(folder, "abc");
    ASSERT_TRUE(living);
    const std::string own = living->Path().filename().string();
    EXPECT_TRUE(own.ends_with(".kelmora-" + std::to_string(::getpid()) + ".tmp")) << own;
    const std::string stale = "abcQ1w2E3.kelmora-" + std::to_string(child) + ".tmp";
    for (const std::string& name : {stale, std::string("drawing.tmp"), std::string("x.kelmora-12y.tmp")})
        std::ofstream(folder / name) << "left";

    EXPECT_EQ(SweepStaleTempFiles(folder), 1u);
    EXPECT_FALSE(std::filesystem::exists(folder / stale));
    EXPECT_TRUE(std::filesystem::exists(living->Path()));
    EXPECT_TRUE(std::filesystem::exists(folder / "drawing.tmp"));
    EXPECT_TRUE(std::filesystem::exists(folder / "x.kelmora-12y.tmp"));
    living.reset();
    std::filesystem::remove_all(folder);
}

TEST(TempFile, MissingFolderGivesNothing)
{
    EXPECT_FALSE(TempFile::Create("/nonexistent/folder/kelmora", "abc"));
}

} // namespace kelmora
