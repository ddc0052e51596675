#include "platform/base/TempFile.h"
#include "platform/imaging/ImageFile.h"

#include "imaging/TestPictures.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

namespace kelmora {

namespace {

// A fresh, empty folder removed with everything in it at the end of the test.
class ScratchFolder {
public:
    ScratchFolder()
    {
        m_path = TempDirectory() / ("kelmora-imaging-" + NewGuidString());
        std::filesystem::create_directories(m_path);
    }
    ~ScratchFolder() { std::filesystem::remove_all(m_path); }
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
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

} // namespace

TEST(ImageFile, GetEncoderClsidMatchesTheMimeTypeExactly)
{
    Guid png;
    ASSERT_TRUE(GetEncoderClsid("image/png", &png));
    EXPECT_EQ(FormatGuidDigits(png), "557CF4061A0411D39A730000F81EF32E");
    Guid untouched { 1, 2, 3, {} };
    EXPECT_FALSE(GetEncoderClsid("image/PNG", &untouched));
    EXPECT_FALSE(GetEncoderClsid("image/jpg", &untouched));
    EXPECT_FALSE(GetEncoderClsid("", &untouched));
    EXPECT_EQ(untouched, (Guid { 1, 2, 3, {} }));
    Guid jpeg;
    ASSERT_TRUE(GetEncoderClsid("image/jpeg", &jpeg));
    EXPECT_NE(jpeg, png);
}

TEST(ImageFile, SaveImageFileWritesEachExtensionThatIsAMimeSubtype)
{
    ScratchFolder folder;
    Bitmap picture = test::MakeRampPicture(12, 9, false);
    for (const char* extension : { "png", "bmp", "jpeg", "tiff", "gif" }) {
        std::filesystem::path path = folder.Path() / (std::string("logo.") + extension);
        ASSERT_TRUE(SaveImageFile(extension, path, picture)) << extension;
        EXPECT_EQ(picture.LastStatus(), ImageStatus::Ok);
        Bitmap loaded = LoadImageFile(path);
        ASSERT_TRUE(loaded.IsOk()) << extension;
        EXPECT_EQ(loaded.Width(), 12);
        EXPECT_EQ(loaded.Height(), 9);
    }
    EXPECT_TRUE(test::SamePixels(picture, LoadImageFile(folder.Path() / "logo.png")));

    // "jpg" is no MIME subtype of any encoder: nothing is written, the status is left alone.
    picture.SetLastStatus(ImageStatus::Ok);
    EXPECT_FALSE(SaveImageFile("jpg", folder.Path() / "logo.jpg", picture));
    EXPECT_FALSE(SaveImageFile("PNG", folder.Path() / "logo.PNG", picture));
    EXPECT_EQ(picture.LastStatus(), ImageStatus::Ok);
    EXPECT_EQ(folder.Names(), (std::vector<std::string> { "logo.bmp", "logo.gif", "logo.jpeg", "logo.png", "logo.tiff" }));
}

TEST(ImageFile, FailedSaveLeavesTheOldFileAndNoLitter)
{
    ScratchFolder folder;
    std::filesystem::path path = folder.Path() / "old.png";
    WriteText(path, "previous contents");

    Bitmap failed = Bitmap::Failed(ImageStatus::GenericError);
    EXPECT_FALSE(SaveImageFile("png", path, failed));
    EXPECT_EQ(failed.LastStatus(), ImageStatus::InvalidParameter);
    EXPECT_EQ(ReadText(path), "previous contents");

    Bitmap picture = test::MakeRampPicture(4, 4, true);
    EXPECT_FALSE(SaveImageFile("png", folder.Path() / "missing" / "new.png", picture));
    EXPECT_EQ(picture.LastStatus(), ImageStatus::FileNotFound);
    // A folder in the way of the target.
    std::filesystem::create_directory(folder.Path() / "taken.png");
    EXPECT_FALSE(SaveImageFile("png", folder.Path() / "taken.png", picture));
    EXPECT_NE(picture.LastStatus(), ImageStatus::Ok);
    EXPECT_EQ(folder.Names(), (std::vector<std::string> { "old.png", "taken.png" }));
}

TEST(ImageFile, ReplacingKeepsPermissionsAndFollowsLinks)
{
    ScratchFolder folder;
    std::filesystem::path target = folder.Path() / "logo.png";
    WriteText(target, "old");
    ::chmod(target.c_str(), 0640);
    std::filesystem::path link = folder.Path() / "link.png";
    std::filesystem::create_symlink(target, link);

    Bitmap picture = test::MakeRampPicture(5, 5, true);
    ASSERT_TRUE(SaveImageFile("png", link, picture));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_TRUE(test::SamePixels(picture, LoadImageFile(target)));
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(folder.Names(), (std::vector<std::string> { "link.png", "logo.png" }));
}

TEST(ImageFile, LoadReportsWhyThereIsNoPicture)
{
    ScratchFolder folder;
    EXPECT_EQ(LoadImageFile(folder.Path() / "absent.png").Status(), ImageStatus::FileNotFound);
    EXPECT_EQ(LoadImageFile(folder.Path()).Status(), ImageStatus::FileNotFound);
    WriteText(folder.Path() / "text.png", "not a picture");
    EXPECT_EQ(LoadImageFile(folder.Path() / "text.png").Status(), ImageStatus::UnknownImageFormat);

    // The format comes from the content, not the name.
    Bitmap picture = test::MakeRampPicture(3, 3, true);
    std::vector<uint8_t> bmp;
    ASSERT_EQ(EncodeImage(picture, ImageFormat::Bmp, bmp), ImageStatus::Ok);
    ASSERT_EQ(ReplaceFileContents(folder.Path() / "really-a-bmp.png", bmp), ImageStatus::Ok);
    EXPECT_TRUE(test::SamePixels(picture, LoadImageFile(folder.Path() / "really-a-bmp.png")));

    DecoderLimits tiny;
    tiny.maxFileBytes = bmp.size() - 1;
    EXPECT_EQ(LoadImageFile(folder.Path() / "really-a-bmp.png", tiny).Status(), ImageStatus::ValueOverflow);

    // A named pipe without a writer is no picture; opening it must not wait for one.
    const auto pipe = folder.Path() / "pipe.png";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(LoadImageFile(pipe).Status(), ImageStatus::FileNotFound);
}

} // namespace kelmora
