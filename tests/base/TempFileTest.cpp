#include "platform/base/TempFile.h"

#include <gtest/gtest.h>

#include <fstream>

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

TEST(TempFile, MissingFolderGivesNothing)
{
    EXPECT_FALSE(TempFile::Create("/nonexistent/folder/kelmora", "abc"));
}

} // namespace kelmora
