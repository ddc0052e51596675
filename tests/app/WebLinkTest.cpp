#include "app/WebLink.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

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

} // namespace
} // namespace kelmora
