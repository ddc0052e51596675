#pragma once
// Helpers for the document-file tests: documents with a real summary information, a
// message sink that keeps what it is shown, a private temporary folder, and files.

#include "document/DocSummaryInfo.h"
#include "document/DrawDocFile.h"
#include "document/zip/ZipWriter.h"
#include "platform/archive/Archive.h"
#include "platform/archive/MemoryStream.h"
#include "platform/base/TempFile.h"
#include "platform/storage/StorageWriter.h"

#include <unistd.h>
#include "tests/document/DrawDocTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace kelmora::fakes {

class KeptMessages : public DocumentMessageSink {
public:
    void ShowMessage(std::string_view text, std::string_view caption) override
    {
        messages.emplace_back(text);
        captions.emplace_back(caption);
    }
    std::vector<std::string> messages;
    std::vector<std::string> captions;
};

// Gives every document the real summary information.
class FileEnvironment : public FakeEnvironment {
public:
    std::unique_ptr<DocumentSummary> NewSummaryInfo() override
    {
        auto summary = std::make_unique<CDocSummaryInfo>();
        lastInfo = summary.get();
        ++summariesMade;
        return summary;
    }
    CDocSummaryInfo* lastInfo = nullptr;
};

struct FileDocument {
    FileEnvironment environment;
    CDrawDoc document{environment};
    KeptMessages sink;

    FileDocument() { document.SetMessageSink(&sink); }
    CDrawDoc* operator->() { return &document; }
    CDocSummaryInfo& Summary() { return static_cast<CDocSummaryInfo&>(*document.m_pSummaryInfo); }
};

inline std::vector<uint8_t> ReadFileBytes(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
}

inline void WriteFileBytes(const std::filesystem::path& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// A fresh folder that TMPDIR points at while the fixture lives, so that tests can see
// every temporary file the code under test leaves behind.
class DocumentFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* old = std::getenv("TMPDIR");
        m_oldTmp = old ? std::optional<std::string>(old) : std::nullopt;
        m_folder = std::filesystem::temp_directory_path() / ("kelmora-docfile-" + std::to_string(::getpid()) + "-"
                                                              + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_folder);
        std::filesystem::create_directories(m_folder / "tmp");
        std::filesystem::create_directories(m_folder / "docs");
        ::setenv("TMPDIR", (m_folder / "tmp").c_str(), 1);
    }
    void TearDown() override
    {
        if (m_oldTmp)
            ::setenv("TMPDIR", m_oldTmp->c_str(), 1);
        else
            ::unsetenv("TMPDIR");
        std::filesystem::remove_all(m_folder);
    }

    std::filesystem::path Doc(const std::string& name) const { return m_folder / "docs" / name; }
    size_t FilesIn(const std::string& sub) const
    {
        return size_t(std::distance(std::filesystem::directory_iterator(m_folder / sub), {}));
    }

    // A document file whose compound file holds `contents` as "Contents" (and nothing else).
    std::filesystem::path CraftDocument(const std::string& name, const std::vector<uint8_t>& contents)
    {
        auto root = StorageWriter::Create(m_folder / "tmp" / (name + ".cf"));
        EXPECT_TRUE(root->WriteStream(kContentsStreamName, contents));
        EXPECT_TRUE(root->Commit());
        return PackCompound(name, m_folder / "tmp" / (name + ".cf"));
    }
    std::filesystem::path PackCompound(const std::string& name, const std::filesystem::path& compound)
    {
        std::filesystem::path path = Doc(name);
        EXPECT_TRUE(PackDocumentArchive(path, name, compound));
        std::filesystem::remove(compound);
        return path;
    }

    std::filesystem::path m_folder;
    std::optional<std::string> m_oldTmp;
};

// Bytes written through an archive by `write`.
template <class Write>
std::vector<uint8_t> ArchiveBytes(Write write)
{
    MemoryStream stream;
    {
        Archive ar(stream, ArchiveMode::Store);
        write(ar);
    }
    return stream.Bytes();
}

// An object's record with its id set to `id`, for comparing objects across a save.
inline std::vector<uint8_t> RecordWithId(CDrawObj& object, uint32_t id)
{
    const uint32_t kept = object.m_nID;
    object.m_nID = id;
    std::vector<uint8_t> bytes = ArchiveBytes([&](Archive& ar) { ar.WriteObject(&object); });
    object.m_nID = kept;
    return bytes;
}

} // namespace kelmora::fakes
