// An outside reader, Python's olefile, must see in our compound files exactly what we wrote.

#include "platform/base/TempFile.h"
#include "storage/StorageTestFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace kelmora {

using namespace kelmora::test;

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

// The Debian interpreter, which has python3-olefile, over whatever PATH finds first.
std::string Python()
{
    return std::filesystem::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
}

std::string OleClsid(const Guid& guid)
{
    std::string digits = FormatGuidDigits(guid);
    return digits.substr(0, 8) + "-" + digits.substr(8, 4) + "-" + digits.substr(12, 4) + "-"
        + digits.substr(16, 4) + "-" + digits.substr(20, 12);
}

std::string StreamLine(const std::string& path, const std::vector<uint8_t>& bytes)
{
    uint32_t sum = 0;
    for (uint8_t b : bytes)
        sum += b;
    return "stream " + path + " " + std::to_string(bytes.size()) + " " + std::to_string(sum) + "\n";
}

} // namespace

TEST(CompoundFileOracle, OlefileReadsEveryStreamStorageAndClassIdWeWrote)
{
    auto file = TempFile::Create("stg");
    ASSERT_TRUE(file);
    auto root = StorageWriter::Create(file->Path());
    FillSample(*root);
    ASSERT_TRUE(root->Commit());

    std::string script = std::string(KELMORA_SOURCE_DIR) + "/tests/storage/read_compound_file.py";
    std::string output = RunCapture(Python() + " '" + script + "' '" + file->Path().string() + "' 2>&1");

    // In the order Python sorts the paths: control characters first.
    std::string expected = "root " + OleClsid(kRootClass) + "\n"
        + StreamLine("\\x05SummaryInformation", Pattern(300, 2))
        + StreamLine("Contents", Pattern(10000, 1))
        + StreamLine("Empty", {})
        + "storage Item 1 " + OleClsid(kItemClass) + "\n"
        + StreamLine("Item 1/\\x01Ole", Pattern(20, 3))
        + StreamLine("Item 1/CONTENTS", Pattern(5000, 4))
        + "storage Item 1/Inner " + OleClsid(kInnerClass) + "\n"
        + StreamLine("Item 1/Inner/Data", Pattern(700, 5));
    EXPECT_EQ(output, expected);
}

} // namespace kelmora
