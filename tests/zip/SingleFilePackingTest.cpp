#include "document/zip/SingleFilePacking.h"

#include "platform/base/Guid.h"

#include "ZipTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>
#include <type_traits>

namespace kelmora {

using namespace ziptest;

// Source and target cannot be swapped, and a bare path is neither.
static_assert(!std::is_invocable_v<decltype(&ZipSingleFile), const ContentPath&, const ArchivePath&>);
static_assert(!std::is_invocable_v<decltype(&UnzipSingleFile), const ContentPath&, const ArchivePath&>);
static_assert(!std::is_convertible_v<std::filesystem::path, ArchivePath>);
static_assert(!std::is_convertible_v<std::filesystem::path, ContentPath>);

namespace {

// Packs `content` into folder/<name>.MZF, keeping the source beside it as <name>.MZF.src,
// and checks that unpacking gives it back.
void PackAndUnpack(const ScratchFolder& folder, const std::string& name, const Bytes& content)
{
    std::filesystem::path source = folder / (name + ".MZF.src");
    std::filesystem::path archive = folder / (name + ".MZF");
    std::filesystem::path back = folder / (name + ".back");
    WriteFile(source, content);
    ASSERT_TRUE(ZipSingleFile(ArchivePath(archive), ContentPath(source))) << name;
    ASSERT_TRUE(UnzipSingleFile(ArchivePath(archive), ContentPath(back))) << name;
    EXPECT_TRUE(ReadFile(back) == content) << name;
    std::filesystem::remove(back);
}

// Every archive in the folder must pass `unzip -t` and, read by Python's zipfile, hold
// one entry named like the archive with the bytes of the source kept beside it.
void ExpectOtherToolsAgree(const ScratchFolder& folder)
{
    std::string unzip = "cd '" + folder.Path().string() + "' && for f in *.MZF; do unzip -tqq \"$f\" || exit 1; done";
    EXPECT_EQ(std::system(unzip.c_str()), 0) << "unzip -t rejects an archive";
    WriteFile(folder / "check.py",
        "import glob, os, sys, zipfile\n"
        "bad = 0\n"
        "for path in sorted(glob.glob(os.path.join(sys.argv[1], '*.MZF'))):\n"
        "    with zipfile.ZipFile(path) as z:\n"
        "        names = z.namelist()\n"
        "        ok = names == [os.path.basename(path)] and z.testzip() is None\n"
        "        ok = ok and z.read(names[0]) == open(path + '.src', 'rb').read()\n"
        "    if not ok:\n"
        "        print('zipfile disagrees on', path)\n"
        "        bad += 1\n"
        "sys.exit(1 if bad else 0)\n");
    std::string python = "python3 '" + (folder / "check.py").string() + "' '" + folder.Path().string() + "'";
    EXPECT_EQ(std::system(python.c_str()), 0) << "Python's zipfile disagrees";
}

} // namespace

TEST(SingleFilePacking, RoundTripsAtTheEdgeSizesAndOtherToolsAgree)
{
    ScratchFolder folder;
    for (DataKind kind : { DataKind::Zeros, DataKind::Text, DataKind::Random }) {
        for (size_t size : { 0, 1, 3, 261, 262, 263, 16384, 16385, 32767, 32768, 32769, 65273, 65274, 65275, 65536 })
            PackAndUnpack(folder, std::string(DataKindName(kind)) + "-" + std::to_string(size), MakeData(kind, size));
    }
    ExpectOtherToolsAgree(folder);
}

class SingleFilePackingLarge : public testing::TestWithParam<DataKind> { };

TEST_P(SingleFilePackingLarge, TenMegabytesRoundTrip)
{
    ScratchFolder folder;
    PackAndUnpack(folder, DataKindName(GetParam()), MakeData(GetParam(), 10'000'000));
    ExpectOtherToolsAgree(folder);
}

INSTANTIATE_TEST_SUITE_P(Kinds, SingleFilePackingLarge,
    testing::Values(DataKind::Zeros, DataKind::Text, DataKind::Random),
    [](const testing::TestParamInfo<DataKind>& info) { return std::string(DataKindName(info.param)); });

TEST(SingleFilePacking, TheEntryIsNamedAfterTheTargetsFileName)
{
    ScratchFolder folder;
    WriteFile(folder / "source", "content");
    ASSERT_TRUE(ZipSingleFile(ArchivePath(folder / "Logo.MZF"), ContentPath(folder / "source")));
    EXPECT_EQ(ListArchive(ReadFile(folder / "Logo.MZF")).at(0).name, "Logo.MZF");
    ASSERT_TRUE(ZipSingleFile(ArchivePath(folder / "dir\\Shape.MZF"), ContentPath(folder / "source")));
    EXPECT_EQ(ListArchive(ReadFile(folder / "dir\\Shape.MZF")).at(0).name, "Shape.MZF");

    std::string relative = "kelmora-" + NewGuidString() + ".MZF";
    ASSERT_TRUE(ZipSingleFile(ArchivePath(relative), ContentPath(folder / "source")));
    EXPECT_EQ(ListArchive(ReadFile(relative)).at(0).name, relative);
    std::filesystem::remove(relative);
}

TEST(SingleFilePacking, ReplacingATargetIsAllOrNothing)
{
    ScratchFolder folder;
    std::filesystem::path target = folder / "Logo.MZF";
    WriteFile(target, "old document");
    ASSERT_EQ(chmod(target.c_str(), 0640), 0);
    WriteFile(folder / "source", MakeData(DataKind::Text, 40000));

    // A source that cannot be read, or cannot be packed, leaves the old file as it was.
    EXPECT_FALSE(ZipSingleFile(ArchivePath(target), ContentPath(folder / "missing")));
    EXPECT_FALSE(ZipSingleFile(ArchivePath(target), ContentPath(folder.Path())));
    EXPECT_EQ(ReadFile(target), (Bytes { 'o', 'l', 'd', ' ', 'd', 'o', 'c', 'u', 'm', 'e', 'n', 't' }));
    EXPECT_FALSE(ZipSingleFile(ArchivePath(folder / "new.MZF"), ContentPath(folder / "missing")));
    EXPECT_FALSE(std::filesystem::exists(folder / "new.MZF"));

    ASSERT_TRUE(ZipSingleFile(ArchivePath(target), ContentPath(folder / "source")));
    ASSERT_TRUE(UnzipSingleFile(ArchivePath(target), ContentPath(folder / "back")));
    EXPECT_EQ(ReadFile(folder / "back"), ReadFile(folder / "source"));
    struct stat info {};
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    // No temporary file is left behind.
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        ++files;
    EXPECT_EQ(files, 3u);
}

TEST(SingleFilePacking, ANewArchiveGetsTheUsualPermissions)
{
    ScratchFolder folder;
    WriteFile(folder / "source", "content");
    mode_t mask = umask(022);
    umask(mask);
    ASSERT_TRUE(ZipSingleFile(ArchivePath(folder / "new.MZF"), ContentPath(folder / "source")));
    struct stat info {};
    ASSERT_EQ(stat((folder / "new.MZF").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0666u & ~mask);
}

TEST(SingleFilePacking, EmptyPathsAndUnreadableArchivesFail)
{
    ScratchFolder folder;
    WriteFile(folder / "source", "content");
    EXPECT_FALSE(ZipSingleFile(ArchivePath(""), ContentPath(folder / "source")));
    EXPECT_FALSE(ZipSingleFile(ArchivePath(folder / "a.MZF"), ContentPath("")));
    EXPECT_FALSE(UnzipSingleFile(ArchivePath(""), ContentPath(folder / "out")));
    EXPECT_FALSE(UnzipSingleFile(ArchivePath(folder / "source"), ContentPath("")));
    EXPECT_FALSE(UnzipSingleFile(ArchivePath(folder / "missing"), ContentPath(folder / "out")));
    EXPECT_FALSE(UnzipSingleFile(ArchivePath(folder / "source"), ContentPath(folder / "out")));
    EXPECT_FALSE(std::filesystem::exists(folder / "out"));
}

TEST(SingleFilePacking, AnArchiveWhoseFirstEntryIsAFolderUnpacksNothing)
{
    ScratchFolder folder;
    std::string unique = "kelmora-" + NewGuidString();
    RawEntry entry = StoredEntry(unique + "/", {});
    entry.externalAttributes = 0x41ED0010;
    WriteFile(folder / "folder.zip", BuildArchive({ entry }));
    EXPECT_FALSE(UnzipSingleFile(ArchivePath(folder / "folder.zip"), ContentPath(folder / "out")));
    EXPECT_FALSE(std::filesystem::exists(folder / "out"));
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::current_path() / unique));
}

} // namespace kelmora
