#include "app/desktop/XHyperLink.h"

#include <memory>
#include <string>

#include <gtest/gtest.h>
#include <wx/frame.h>

namespace kelmora {
namespace {

const wxColour kLink(0, 0, 238);
const wxColour kVisited(85, 26, 139);
const wxColour kHover(255, 0, 0);

class XHyperLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_frame = new wxFrame(nullptr, wxID_ANY, "links");
        m_previous = SetBrowserLauncher([this](const std::string& url, BrowserWindow) {
            m_opened = url;
            return m_browserWorks;
        });
    }
    void TearDown() override
    {
        SetBrowserLauncher(m_previous);
        delete m_frame;
    }

    static void Send(CXHyperLink& link, wxEventType type)
    {
        wxMouseEvent event(type);
        event.SetPosition(wxPoint(1, 1));
        event.SetEventObject(&link);
        link.GetEventHandler()->ProcessEvent(event);
    }

    wxFrame* m_frame = nullptr;
    BrowserLauncher m_previous;
    std::string m_opened;
    bool m_browserWorks = true;
};

TEST_F(XHyperLinkTest, ColoursFollowHoverAndVisitedState)
{
    auto* link = new CXHyperLink(m_frame, 1001, "Kelmora home", "https://www.example.com/");
    EXPECT_EQ(link->GetTextColour(), kLink);
    EXPECT_EQ(link->GetForegroundColour(), kLink);
    EXPECT_FALSE(link->GetFont().GetUnderlined());

    Send(*link, wxEVT_MOTION);
    EXPECT_EQ(link->GetForegroundColour(), kHover);
    EXPECT_TRUE(link->GetFont().GetUnderlined());
    Send(*link, wxEVT_LEAVE_WINDOW);
    EXPECT_EQ(link->GetForegroundColour(), kLink);
    EXPECT_FALSE(link->GetFont().GetUnderlined());

    Send(*link, wxEVT_MOTION);
    Send(*link, wxEVT_LEFT_UP);
    EXPECT_EQ(m_opened, "https://www.example.com/");
    EXPECT_TRUE(link->IsVisited());
    EXPECT_EQ(link->GetForegroundColour(), kVisited);
    Send(*link, wxEVT_MOTION);
    EXPECT_EQ(link->GetForegroundColour(), kHover);
}

TEST_F(XHyperLinkTest, FailedOpenLeavesTheLinkUnvisited)
{
    m_browserWorks = false;
    auto* link = new CXHyperLink(m_frame, wxID_ANY, "", "https://www.example.com/");
    Send(*link, wxEVT_LEFT_UP);
    EXPECT_FALSE(link->IsVisited());
    EXPECT_EQ(link->GetForegroundColour(), kLink);

    m_browserWorks = true;
    link->SetURL("javascript:alert(1)");
    m_opened.clear();
    Send(*link, wxEVT_LEFT_UP);
    EXPECT_TRUE(m_opened.empty());
    EXPECT_FALSE(link->IsVisited());
}

TEST_F(XHyperLinkTest, EmptyTextShowsTheAddressAndTheWindowFitsIt)
{
    auto* link = new CXHyperLink(m_frame, wxID_ANY, "", "mailto:support@example.com");
    EXPECT_EQ(link->GetLabel(), "mailto:support@example.com");
    EXPECT_GT(link->GetSize().x, 50);
    EXPECT_EQ(link->GetToolTipText(), "mailto:support@example.com");

    auto* named = new CXHyperLink(m_frame, wxID_ANY, "https://example.org/");
    EXPECT_EQ(named->GetURL(), "https://example.org/");
}

TEST_F(XHyperLinkTest, NotifiesItsParentOnlyWhenAsked)
{
    auto* link = new CXHyperLink(m_frame, 1002, "Mail", "mailto:support@example.com");
    int notified = 0;
    m_frame->Bind(WM_XHYPERLINK_CLICKED, [&](wxCommandEvent& event) {
        ++notified;
        EXPECT_EQ(event.GetId(), 1002);
        EXPECT_EQ(event.GetEventObject(), link);
    });
    Send(*link, wxEVT_LEFT_UP);
    EXPECT_EQ(notified, 0);

    link->SetNotifyParent(true);
    link->SetGotoURL(false);
    m_opened.clear();
    Send(*link, wxEVT_LEFT_UP);
    EXPECT_EQ(notified, 1);
    EXPECT_TRUE(m_opened.empty());
}

} // namespace
} // namespace kelmora
