// An outside reader, Python's olefile, decodes the summary stream we write.

#include "document/DocSummaryInfo.h"

#include "platform/base/TempFile.h"
#include "platform/storage/StorageWriter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace kelmora {

namespace {

std::string RunCapture(const std::string& command)
{
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return output;
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, got);
    pclose(pipe);
    return output;
}

std::string Hex(std::string_view text)
{
    static const char* digits = "0123456789abcdef";
    std::string hex;
    for (unsigned char c : text) {
        hex += digits[c >> 4];
        hex += digits[c & 15];
    }
    return hex;
}

} // namespace

TEST(DocSummaryInfoOleFile, OlefileReadsTheSummaryWeWrote)
{
    const FileTime created = 133'497'000'000'000'000;   // 2024-01-15 10:00 UTC
    CDocSummaryInfo info([] { return FileTime(133'497'018'000'000'000); });
    info.SetTitle("Logo draft");
    info.SetAuthor("Ann Ærø");
    info.SetFileTime(kPidCreated, created);
    info.SetCount(kPidPageCount, 1);
    info.IncrementRevision();

    auto file = TempFile::Create("sum");
    ASSERT_TRUE(file);
    auto root = StorageWriter::Create(file->Path());
    ASSERT_TRUE(info.WriteToStorage(root.get()));
    ASSERT_TRUE(root->Commit());

    std::string python = std::filesystem::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
    std::string script = std::string(KELMORA_SOURCE_DIR) + "/tests/document/read_summary.py";
    std::string output = RunCapture(python + " '" + script + "' '" + file->Path().string() + "' 2>&1");

    std::string expected = "1 1252\n"
        "2 text:" + Hex("Logo draft") + "\n"
        "3 text:\n4 text:" + Hex("Ann Ærø") + "\n"
        "5 text:\n6 text:\n7 text:\n8 text:\n"
        "9 text:" + Hex("1") + "\n"
        "10 0\n11 0\n"
        "12 " + std::to_string(created / 10'000'000) + "\n"
        "13 0\n14 1\n15 0\n16 0\n18 text:\n"
        "2147483650 0\n";
    EXPECT_EQ(output, expected);
}

} // namespace kelmora
