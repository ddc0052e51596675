// Preset files of caps and brushes: their bytes, the two folders, and damaged files.

#include "document/StylePresets.h"

#include "archive/ArchiveTestSupport.h"
#include "document/zip/SingleFilePacking.h"
#include "document/zip/ZipReader.h"
#include "model/BrushMan.h"
#include "model/CustomCapMan.h"
#include "model/GradientForms.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

namespace kelmora {

namespace {

namespace fs = std::filesystem;

class StylePresetsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_root = fs::temp_directory_path()
            / ("kelmora-presets-" + std::to_string(::getpid()) + "-"
               + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_root);
        fs::create_directories(m_root / "tmp");
        fs::create_directories(m_root / "shipped");
        const char* old = std::getenv("TMPDIR");
        m_oldTmp = old ? old : "";
        ::setenv("TMPDIR", (m_root / "tmp").c_str(), 1);
        folders = {m_root / "shipped", m_root / "user" / "Arrow"};
    }
    void TearDown() override
    {
        m_oldTmp.empty() ? ::unsetenv("TMPDIR") : ::setenv("TMPDIR", m_oldTmp.c_str(), 1);
        fs::remove_all(m_root);
    }

    bool TempFolderEmpty() const { return fs::is_empty(m_root / "tmp"); }

    // The record inside a preset file.
    test::Bytes Unpacked(const fs::path& preset)
    {
        const fs::path record = m_root / "record";
        EXPECT_TRUE(UnzipSingleFile(ArchivePath(preset), ContentPath(record)));
        std::ifstream in(record, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    void WriteRaw(const fs::path& file, const test::Bytes& record)
    {
        const fs::path content = m_root / "content";
        std::ofstream(content, std::ios::binary).write(reinterpret_cast<const char*>(record.data()),
                                                       std::streamsize(record.size()));
        ASSERT_TRUE(ZipSingleFile(ArchivePath(file), ContentPath(content)));
    }

    PresetFolders folders;
    fs::path m_root;
    std::string m_oldTmp;
};

test::Bytes Header(uint32_t kind)
{
    return test::Stored([&](Archive& ar) { ar << uint32_t(1) << uint32_t(0) << kind; });
}

template <class T>
test::Bytes Record(const T& value)
{
    T copy(value);
    return test::Stored([&](Archive& ar) { copy.Serialize(ar); });
}

test::Bytes Joined(test::Bytes a, const test::Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

} // namespace

TEST_F(StylePresetsTest, PresetFilesHoldTheHeaderAndTheRecordInOneNamedEntry)
{
    CustomCapMan cap;
    cap.Init(6);
    cap.m_bFilled = true;
    cap.m_strName = "Dot";
    ASSERT_TRUE(WriteCapPreset(folders, "Dot", cap));
    const fs::path file = folders.user / "Dot.ares";
    EXPECT_EQ(Unpacked(file), Joined(Header(4), Record(cap)));
    ZipHandle* zip = OpenZip(file);
    ASSERT_NE(zip, nullptr);
    std::vector<std::string> names;
    ListZipItems(zip, names);
    CloseUnzip(zip);
    EXPECT_EQ(names, std::vector<std::string>{"Dot.ares"});

    BrushMan brush;
    StoreGradientForm(brush, GradientForm::Radial, std::vector<ARGB>{0xFF102030, 0xFFFFFFFF},
                      std::vector<float>{0, 1});
    ASSERT_TRUE(WriteBrushPreset({{}, m_root / "user" / "Brush"}, "Glow", brush));
    EXPECT_EQ(Unpacked(m_root / "user" / "Brush" / "Glow.bres"), Joined(Header(3), Record(brush)));

    CustomCapMan loaded;
    ASSERT_TRUE(ReadCapPreset(file, loaded));
    EXPECT_EQ(loaded.m_nIndex, 6);
    EXPECT_EQ(loaded.m_strName, "Dot");
    EXPECT_TRUE(TempFolderEmpty());
}

TEST_F(StylePresetsTest, ListingJoinsBothFoldersAndOnlyTheUsersFolderChanges)
{
    CustomCapMan cap;
    ASSERT_TRUE(WriteCapPreset({{}, folders.shipped}, "beta", cap));
    ASSERT_TRUE(WriteCapPreset({{}, folders.shipped}, "Shared", cap));
    fs::rename(folders.shipped / "beta.ares", folders.shipped / "beta.ARES");
    const fs::file_time_type shippedTime = fs::last_write_time(folders.shipped / "Shared.ares");

    ASSERT_TRUE(WriteCapPreset(folders, "Alpha", cap));
    ASSERT_TRUE(WriteCapPreset(folders, "Shared", cap));
    // Saving again replaces the file; the listing does not grow.
    ASSERT_TRUE(WriteCapPreset(folders, "Alpha", cap));
    std::vector<PresetEntry> listed = ListPresets(folders, kLineCapPresetExtension);
    ASSERT_EQ(listed.size(), 3u);
    EXPECT_EQ(listed[0].name, "Alpha");
    EXPECT_EQ(listed[1].name, "beta");
    EXPECT_TRUE(listed[1].shipped);
    EXPECT_EQ(listed[2].name, "Shared");
    EXPECT_FALSE(listed[2].shipped);

    // Deleting the user's "Shared" shows the shipped one again; that one stays.
    EXPECT_TRUE(DeletePreset(folders, "Shared", kLineCapPresetExtension));
    EXPECT_TRUE(FindPreset(ListPresets(folders, kLineCapPresetExtension), "Shared")->shipped);
    const PresetResult refused = DeletePreset(folders, "Shared", kLineCapPresetExtension);
    EXPECT_FALSE(refused);
    EXPECT_NE(refused.message.find("comes with the program"), std::string::npos);
    EXPECT_TRUE(fs::exists(folders.shipped / "Shared.ares"));
    EXPECT_EQ(fs::last_write_time(folders.shipped / "Shared.ares"), shippedTime);

    for (const char* bad : {"", "a/b", "..", "x\\y", "end."})
        EXPECT_FALSE(WriteCapPreset(folders, bad, cap)) << bad;
    EXPECT_EQ(ListPresets(folders, kLineCapPresetExtension).size(), 3u);
    EXPECT_TRUE(TempFolderEmpty());
}

TEST_F(StylePresetsTest, DamagedPresetsLeaveTheValueAsItWas)
{
    fs::create_directories(folders.user);
    WriteRaw(folders.user / "short.ares", Header(4));
    WriteRaw(folders.user / "brush.ares", Joined(Header(3), Record(BrushMan())));
    std::ofstream(folders.user / "junk.ares") << "not a zip archive";
    CustomCapMan cap;
    cap.Init(3);
    cap.m_nAngle = 30;
    for (const char* name : {"short", "brush", "junk", "missing"}) {
        const PresetResult result = ReadCapPreset(folders.user / (std::string(name) + ".ares"), cap);
        EXPECT_FALSE(result) << name;
        EXPECT_FALSE(result.message.empty());
        EXPECT_EQ(cap.m_nIndex, 3);
        EXPECT_EQ(cap.m_nAngle, 30);
    }
    // A brush record cut short after its header changes nothing either.
    fs::create_directories(m_root / "b");
    test::Bytes cut = Joined(Header(3), Record(BrushMan()));
    cut.resize(cut.size() - 10);
    WriteRaw(m_root / "b" / "cut.bres", cut);
    BrushMan brush;
    brush.m_clrFore = 0xFF123456;
    EXPECT_FALSE(ReadBrushPreset(m_root / "b" / "cut.bres", brush));
    EXPECT_EQ(brush.m_clrFore, 0xFF123456u);
    EXPECT_TRUE(TempFolderEmpty());
}

TEST_F(StylePresetsTest, ConicalBrushKeepsItsStopsThroughAPreset)
{
    BrushMan brush;
    const std::vector<ARGB> colours{0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00};
    StoreGradientForm(brush, GradientForm::Conical, colours, std::vector<float>{0, 0.25f, 0.75f, 1});
    EXPECT_EQ(brush.m_surroundColors,
              (std::vector<ARGB>{0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00, 0xFF0000FF, 0xFF00FF00}));
    ASSERT_TRUE(WriteBrushPreset(folders, "Cone", brush));
    BrushMan loaded;
    ASSERT_TRUE(ReadBrushPreset(folders.user / "Cone.bres", loaded));
    EXPECT_EQ(GradientFormOf(loaded), GradientForm::Conical);
    EXPECT_EQ(loaded.m_interpColors, colours);
    EXPECT_EQ(loaded.m_interpPositions, (std::vector<float>{0, 0.25f, 0.75f, 1}));
    EXPECT_EQ(loaded.m_surroundColors, brush.m_surroundColors);
}

TEST_F(StylePresetsTest, TheStarterPresetsAllRead)
{
    const fs::path shipped = fs::path(KELMORA_BINARY_DIR) / "app";
    const std::vector<PresetEntry> caps = ListPresets({shipped / kLineCapPresetFolder, {}}, kLineCapPresetExtension);
    const std::vector<PresetEntry> brushes = ListPresets({shipped / kBrushPresetFolder, {}}, kBrushPresetExtension);
    EXPECT_GE(caps.size(), 3u);
    EXPECT_GE(brushes.size(), 3u);
    for (const PresetEntry& entry : caps) {
        CustomCapMan cap;
        EXPECT_TRUE(ReadCapPreset(entry.path, cap)) << entry.name;
        EXPECT_EQ(cap.m_strName, entry.name);
    }
    for (const PresetEntry& entry : brushes) {
        BrushMan brush;
        EXPECT_TRUE(ReadBrushPreset(entry.path, brush)) << entry.name;
        EXPECT_TRUE(GradientFormOf(brush)) << entry.name;
    }
}

} // namespace kelmora
