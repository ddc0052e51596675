#include "app/WebLink.h"

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

// An environment variable set (or unset, for nullopt) for the life of the object.
class ScopedVariable {
public:
    ScopedVariable(const char* name, std::optional<std::string> value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        Set(value);
    }
    ~ScopedVariable() { Set(m_old); }

private:
    void Set(const std::optional<std::string>& value)
    {
        if (value)
            setenv(m_name, value->c_str(), 1);
        else
            unsetenv(m_name);
    }
    const char* m_name;
    std::optional<std::string> m_old;
};

TEST(WebLinkTest, AFailedBrowserLaunchShowsNoToolkitMessage)
{
    // A desktop without a browser: no program on the path, no handler for web addresses.
    const ScopedVariable path("PATH", "/nonexistent");
    const ScopedVariable browser("BROWSER", std::nullopt);
    const ScopedVariable dataDirs("XDG_DATA_DIRS", "/nonexistent");
    const ScopedVariable dataHome("XDG_DATA_HOME", "/nonexistent");
    const ScopedVariable configHome("XDG_CONFIG_HOME", "/nonexistent");
    RecordingLog log;
    EXPECT_FALSE(OpenWebLink("https://example.com/"));
    wxLog::FlushActive();
    EXPECT_TRUE(log.m_messages.empty()) << log.m_messages.front();
}

} // namespace
} // namespace kelmora
