// Folder listing: patterns, name order, subfolders reported but never entered, links.

#include "document/DirRead.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace kelmora {

namespace {

class DirReadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_root = std::filesystem::temp_directory_path()
            / ("kelmora-dirread-" + std::to_string(::getpid()) + "-"
               + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_root);
        std::filesystem::create_directories(m_root);
    }
    void TearDown() override { std::filesystem::remove_all(m_root); }

    void Touch(const std::string& name, size_t size = 0)
    {
        std::ofstream(m_root / name, std::ios::binary) << std::string(size, 'x');
    }
    std::string Root() const { return m_root.string(); }

    std::vector<std::string> Names(const CSADirRead& reader) const
    {
        std::vector<std::string> names;
        for (const CSADirRead::FileEntry& file : reader.Files())
            names.push_back(file.name + file.extension);
        return names;
    }

    std::filesystem::path m_root;
};

} // namespace

TEST(DirReadTrim, RemovesTrailingSpaceAndSeparators)
{
    std::string path = "/a/b//\\ \t";
    CSADirRead::TrimTrailingSlash(path);
    EXPECT_EQ(path, "/a/b");
    path = "///";
    CSADirRead::TrimTrailingSlash(path);
    EXPECT_EQ(path, "/");
}

TEST(DirReadPattern, MatchesAsTheFileSearchDoes)
{
    EXPECT_TRUE(CSADirRead::MatchesPattern("Logo.mzf", "*.MZF"));
    EXPECT_FALSE(CSADirRead::MatchesPattern("Logo.mzf.bak", "*.MZF"));
    EXPECT_FALSE(CSADirRead::MatchesPattern("mzf", "*.MZF"));
    EXPECT_TRUE(CSADirRead::MatchesPattern("README", "*.*"));
    EXPECT_TRUE(CSADirRead::MatchesPattern("a.b.c", "*.*"));
    EXPECT_TRUE(CSADirRead::MatchesPattern("arrow1.tres", "arrow?.t*"));
    EXPECT_FALSE(CSADirRead::MatchesPattern("arrow12.tres", "arrow?.t*"));
}

TEST_F(DirReadTest, ListsMatchingFilesInNameOrderWithoutEnteringSubfolders)
{
    Touch("b.bres", 3);
    Touch("A.BRES");
    Touch("c.bres");
    Touch("notes.txt");
    std::filesystem::create_directories(m_root / "sub");
    std::ofstream(m_root / "sub" / "inner.bres") << "x";

    CSADirRead reader;
    EXPECT_TRUE(reader.ScanDirs(Root() + "//"));
    EXPECT_TRUE(reader.CollectFiles("*.bres"));
    EXPECT_EQ(Names(reader), (std::vector<std::string>{"A.BRES", "b.bres", "c.bres"}));
    const CSADirRead::FileEntry& b = reader.Files()[1];
    EXPECT_EQ(b.path, Root() + "/b.bres");
    EXPECT_EQ(b.name, "b");
    EXPECT_EQ(b.extension, ".bres");
    EXPECT_FALSE(b.isFolder);
    EXPECT_EQ(b.size, 3u);
    EXPECT_EQ(b.attributes, kFileAttributeNormal);
    EXPECT_GT(b.lastWrite, 0u);
    // "sub" does not match the pattern, and is never searched.
    ASSERT_EQ(reader.Folders().size(), 1u);
    EXPECT_EQ(reader.Folders()[0].path, Root());
    EXPECT_EQ(reader.Folders()[0].name, "");
}

TEST_F(DirReadTest, AllPatternGivesFilesAndDirectSubfolders)
{
    Touch("one.MZF");
    Touch("README");
    Touch("two.mzf");
    std::filesystem::create_directories(m_root / "Zebra" / "deeper");
    std::filesystem::create_directories(m_root / "animals");
    // A link back to the root is reported once as a folder and not followed.
    std::filesystem::create_directory_symlink(m_root, m_root / "loop");
    std::filesystem::create_symlink(m_root / "nowhere.mzf", m_root / "dangling.mzf");
    ASSERT_EQ(::mkfifo((m_root / "pipe.mzf").c_str(), 0600), 0);

    CSADirRead reader;
    reader.ScanDirs(Root());
    reader.CollectFiles("*.*");
    EXPECT_EQ(Names(reader), (std::vector<std::string>{"one.MZF", "README", "two.mzf"}));
    EXPECT_EQ(reader.Files()[1].extension, "");
    ASSERT_EQ(reader.Folders().size(), 4u);
    EXPECT_EQ(reader.Folders()[1].name, "animals");
    EXPECT_EQ(reader.Folders()[1].path, Root() + "/animals");
    EXPECT_EQ(reader.Folders()[2].name, "loop");
    EXPECT_EQ(reader.Folders()[3].name, "Zebra");

    // A second collection lists the root again and the subfolders found by the first.
    reader.CollectFiles("*.mzf");
    EXPECT_EQ(reader.Files().size(), 3u + 2u + 2u);
}

TEST_F(DirReadTest, MissingFolderListsNothing)
{
    CSADirRead reader;
    reader.ScanDirs(Root() + "/absent");
    reader.CollectFiles("*.*");
    EXPECT_TRUE(reader.Files().empty());
    ASSERT_EQ(reader.Folders().size(), 1u);
    EXPECT_EQ(reader.Folders()[0].path, Root() + "/absent");
}

} // namespace kelmora
