#include "app/desktop/WebLink.h"

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <wx/log.h>

namespace kelmora {
namespace {

// Records what would have been opened instead of starting a browser.
class RecordingLauncher {
public:
    explicit RecordingLauncher(bool accepts)
    {
        m_previous = SetBrowserLauncher([this, accepts](const std::string& url, BrowserWindow window) {
            m_opened.push_back(url);
            m_window = window;
            return accepts;
        });
    }
    ~RecordingLauncher() { SetBrowserLauncher(m_previous); }

    std::vector<std::string> m_opened;
    BrowserWindow m_window = BrowserWindow::Existing;

private:
    BrowserLauncher m_previous;
};

TEST(WebLinkTest, OpensWebAndMailAddressesInANewWindowByDefault)
{
    RecordingLauncher launcher(true);
    EXPECT_TRUE(OpenWebLink("https://www.example.com/logo?size=64#top"));
    EXPECT_EQ(launcher.m_window, BrowserWindow::New);
    EXPECT_TRUE(OpenWebLink("HTTP://example.com", BrowserWindow::Existing));
    EXPECT_EQ(launcher.m_window, BrowserWindow::Existing);
    EXPECT_TRUE(OpenWebLink("mailto:support@example.com"));
    EXPECT_EQ(launcher.m_opened.size(), 3u);
}

TEST(WebLinkTest, RefusesOtherSchemesAndUnsafeTextWithoutLaunching)
{
    RecordingLauncher launcher(true);
    for (const char* url : { "", "javascript:alert(1)", "JavaScript://%0aalert(1)", "file:///etc/passwd",
             "https://example.com/\nrm -rf ~", "https://example.com/a b", "http://example.com\t",
             "https://example.com/\x7f", "http:example.com", "http://", "https:///etc/passwd", "mailto:",
             "httpx://example.com", "ftp://example.com", "https://exa\xffmple.com", "C:\\Windows\\notepad.exe" }) {
        EXPECT_FALSE(IsOpenableWebLink(url)) << url;
        EXPECT_FALSE(OpenWebLink(url)) << url;
    }
    EXPECT_TRUE(launcher.m_opened.empty());
}

TEST(WebLinkTest, ReportsALauncherFailure)
{
    RecordingLauncher launcher(false);
    EXPECT_FALSE(OpenWebLink("https://example.com"));
    EXPECT_EQ(launcher.m_opened.size(), 1u);
}

// Keeps what the toolkit logs instead of showing it.
class RecordingLog : public wxLog {
public:
    RecordingLog() : m_previous(wxLog::SetActiveTarget(this)) { }
    ~RecordingLog() override { wxLog::SetActiveTarget(m_previous); }
    std::vector<std::string> m_messages;

protected:
    void DoLogTextAtLevel(wxLogLevel, const wxString& text) override { m_messages.push_back(text.utf8_string()); }

private:
    wxLog* m_previous;
};

TEST(WebLinkTest, AFailedBrowserLaunchShowsNoToolkitMessage)
{
    // A desktop without a browser: no program on the path, no handler for web addresses.
    const char* const variables[] = {"PATH", "BROWSER", "XDG_DATA_DIRS", "XDG_DATA_HOME", "XDG_CONFIG_HOME"};
    std::vector<std::optional<std::string>> saved;
    for (const char* name : variables) {
        const char* value = std::getenv(name);
        saved.push_back(value ? std::optional<std::string>(value) : std::nullopt);
        setenv(name, "/nonexistent", 1);
    }
    {
        RecordingLog log;
        EXPECT_FALSE(OpenWebLink("https://example.com/"));
        wxLog::FlushActive();
        EXPECT_TRUE(log.m_messages.empty()) << log.m_messages.front();
    }
    for (size_t i = 0; i < std::size(variables); ++i) {
        if (saved[i])
            setenv(variables[i], saved[i]->c_str(), 1);
        else
            unsetenv(variables[i]);
    }
}

} // namespace
} // namespace kelmora
