#pragma once
// A plain frame carrying the ribbon and the status bar, recording the menu commands that
// reach it, for the window tests of the ribbon.

#include "app/ribbon/MainRibbon.h"
#include "support/ShownFrame.h"

#include <gtest/gtest.h>
#include <wx/fileconf.h>
#include <wx/frame.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace kelmora::testing {

// Settings in a file of their own, removed with the object.
class TestSettings {
public:
    TestSettings();
    ~TestSettings();
    wxFileConfig& Config() { return *m_config; }
    // Reads the file again, as the next start of the program would.
    void Reopen();

private:
    std::filesystem::path m_path;
    std::unique_ptr<wxFileConfig> m_config;
};

class RibbonFrame : public test::ShownFrame {
public:
    explicit RibbonFrame(wxConfigBase& settings);
    ~RibbonFrame() override;

    CMainRibbon& Ribbon() { return *m_ribbon; }
    // The commands that reached the frame, in order (their program ids).
    std::vector<int> commands;
    std::vector<int> commandValues;

private:
    std::unique_ptr<CMainRibbon> m_ribbon;
};

// Runs the event loop until nothing is pending.
void Pump();

// A shown frame with the ribbon, on settings of its own.
class RibbonTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    CMainRibbon& Ribbon() { return frame->Ribbon(); }

    TestSettings settings;
    RibbonFrame* frame = nullptr;
};

// The frame's pixels as a PNG file.
bool SaveScreenshot(wxWindow& window, const std::filesystem::path& path);
// The pixels of a screen rectangle.
bool SaveScreenshotOf(const wxRect& rect, const std::filesystem::path& path);

} // namespace kelmora::testing
