// Outside readers (Python's zipfile and olefile) read the document files we write.

#include "document/DrawDoc.h"
#include "model/DrawRect.h"
#include "tests/document/DrawDocFileTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace kelmora {

using namespace fakes;

TEST_F(DocumentFileTest, OutsideReadersFindEntryStreamsAndContents)
{
    FileDocument doc;
    doc->Add(std::make_unique<CDrawRect>(RectF(1, 1, 5, 5), nullptr));
    const auto path = Doc("Oracle.mzf");
    ASSERT_TRUE(doc->OnSaveDocument(path));

    const std::string python = std::filesystem::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3";
    const std::string command = python + " " + KELMORA_SOURCE_DIR + "/tests/document/read_document.py '" + path.string()
        + "' 2>&1";
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, got);
    EXPECT_EQ(pclose(pipe), 0) << output;

    EXPECT_NE(output.find("entry Oracle.mzf\n"), std::string::npos) << output;
    EXPECT_NE(output.find("stream Contents\n"), std::string::npos) << output;
    EXPECT_NE(output.find("stream \\x05SummaryInformation\n"), std::string::npos) << output;
    // The header of a drawing of one object: format words, kind 0, white paper, A4.
    EXPECT_NE(output.find("contents 010000000000000000000000ffffff00ae090000b30d00000100"), std::string::npos) << output;
}

} // namespace kelmora
