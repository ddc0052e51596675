#include "platform/archive/Archive.h"
#include "platform/archive/FileException.h"
#include "platform/archive/FileStream.h"
#include "platform/archive/MemoryStream.h"
#include "platform/base/TempFile.h"

#include <gtest/gtest.h>

namespace kelmora {
namespace {

FileException::Cause FileFailure(auto operation)
{
    try {
        operation();
    } catch (const FileException& error) {
        return error.GetCause();
    }
    return FileException::Cause::None;
}

TEST(MemoryStream, SeekBeyondTheEndThenWriteFillsWithZeros)
{
    MemoryStream stream;
    stream.Write("ab", 2);
    EXPECT_EQ(stream.Seek(2, SeekOrigin::Current), 4u);
    stream.Write("c", 1);
    EXPECT_EQ(stream.Bytes(), (std::vector<std::uint8_t>{'a', 'b', 0, 0, 'c'}));
    EXPECT_EQ(stream.Seek(-1, SeekOrigin::End), 4u);
    char byte = 0;
    EXPECT_EQ(stream.Read(&byte, 4), 1u);
    EXPECT_EQ(byte, 'c');
    EXPECT_EQ(stream.Read(&byte, 1), 0u);
    EXPECT_EQ(FileFailure([&] { stream.Seek(-6, SeekOrigin::End); }), FileException::Cause::BadSeek);
    EXPECT_EQ(stream.Tell(), 5u);
}

// The undo file's pattern: snapshots appended at the end, read back later from the
// positions remembered for them, with more appended in between.
TEST(FileStream, SnapshotsWrittenAtTheEndAndReadBackByPosition)
{
    auto temp = TempFile::Create("arc");
    ASSERT_TRUE(temp);
    auto file = FileStream::Open(temp->Path(), FileOpenMode::Create);
    auto snapshot = [&](const std::string& text) {
        std::uint64_t position = file->Seek(0, SeekOrigin::End);
        Archive ar(*file, ArchiveMode::Store);
        ar << text << std::uint32_t(text.size());
        ar.Flush();
        return position;
    };
    auto load = [&](std::uint64_t position) {
        file->Seek(std::int64_t(position), SeekOrigin::Begin);
        Archive ar(*file, ArchiveMode::Load);
        std::string text = ar.ReadString();
        EXPECT_EQ(ar.ReadUInt32(), text.size());
        return text;
    };
    std::uint64_t first = snapshot("first");
    std::uint64_t second = snapshot("second");
    EXPECT_EQ(load(first), "first");
    std::uint64_t third = snapshot("third");
    EXPECT_EQ(load(second), "second");
    EXPECT_EQ(load(third), "third");
    EXPECT_EQ(file->Size(), std::filesystem::file_size(temp->Path()));
    file->Close();

    auto reopened = FileStream::Open(temp->Path(), FileOpenMode::Read);
    EXPECT_EQ(reopened->Size(), file->Size());
    reopened->Seek(std::int64_t(second), SeekOrigin::Begin);
    EXPECT_EQ(Archive(*reopened, ArchiveMode::Load).ReadString(), "second");
    EXPECT_EQ(FileFailure([&] { reopened->Write("x", 1); }), FileException::Cause::AccessDenied);
    EXPECT_EQ(FileFailure([&] { reopened->Seek(-1, SeekOrigin::Begin); }), FileException::Cause::BadSeek);
    EXPECT_EQ(FileFailure([&] { file->Flush(); }), FileException::Cause::Generic); // closed
}

TEST(FileStream, OpeningFailuresNameTheCauseAndPath)
{
    auto missing = TempDirectory() / "kelmora-archive-test-missing" / "file";
    try {
        FileStream::Open(missing, FileOpenMode::Read);
        FAIL();
    } catch (const FileException& error) {
        EXPECT_EQ(error.GetCause(), FileException::Cause::FileNotFound);
        EXPECT_EQ(error.Path(), missing);
        EXPECT_NE(std::string(error.what()).find(missing.string()), std::string::npos);
    }
    EXPECT_EQ(FileFailure([] { FileStream::Open(TempDirectory(), FileOpenMode::Read); }),
              FileException::Cause::AccessDenied);
    EXPECT_EQ(FileFailure([] { FileStream::Open("/dev/null", FileOpenMode::Read); }), FileException::Cause::InvalidFile);
}

} // namespace
} // namespace kelmora
