#include "RibbonTestSupport.h"

#include "res/CommandIds.h"

#include <wx/app.h>
#include <wx/panel.h>
#include <wx/ribbon/bar.h>
#include <wx/sizer.h>
#include <wx/utils.h>

#include <unistd.h>

namespace kelmora::testing {

TestSettings::TestSettings()
{
    m_path = std::filesystem::temp_directory_path() / ("kelmora-ribbon-" + std::to_string(getpid()) + "-" +
                                                       std::to_string(reinterpret_cast<uintptr_t>(this)) + ".ini");
    std::filesystem::remove(m_path);
    Reopen();
}

TestSettings::~TestSettings()
{
    m_config.reset();
    std::filesystem::remove(m_path);
}

void TestSettings::Reopen()
{
    if (m_config)
        m_config->Flush();
    m_config = std::make_unique<wxFileConfig>(wxString(), wxString(), wxString::FromUTF8(m_path.string()), wxString(),
                                              wxCONFIG_USE_LOCAL_FILE);
}

RibbonFrame::RibbonFrame(wxConfigBase& settings)
    : test::ShownFrame("Kelmora", wxSize(1500, 700))
{
    long look = 32818;
    settings.Read("/Settings/ApplicationLook", &look);
    m_ribbon = std::make_unique<CMainRibbon>(*this, &settings, int(look));
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_ribbon->CreateRibbon(), 0, wxEXPAND);
    auto* client = new wxPanel(this);
    client->SetBackgroundColour(wxColour(171, 171, 171));
    sizer->Add(client, 1, wxEXPAND);
    SetSizer(sizer);
    m_ribbon->CreateStatusBar();
    Bind(wxEVT_MENU, [this](wxCommandEvent& event) {
        commands.push_back(CommandFromWxId(event.GetId()));
        commandValues.push_back(event.GetInt());
        event.Skip();
    });
    // As the main frame does: the looks are the frame's, the ribbon takes them on.
    Bind(
        wxEVT_MENU,
        [this, &settings](wxCommandEvent& event) {
            commands.push_back(CommandFromWxId(event.GetId()));
            m_ribbon->ApplyLook(CommandFromWxId(event.GetId()));
            settings.Write("/Settings/ApplicationLook", long(CommandFromWxId(event.GetId())));
        },
        WxId(32818), WxId(32822));
    Layout();
}

RibbonFrame::~RibbonFrame()
{
    // The windows go before the ribbon object that their handlers refer to.
    m_ribbon.reset();
}

void RibbonTest::SetUp()
{
    frame = new RibbonFrame(settings.Config());
    frame->Show();
    Pump();
}

void RibbonTest::TearDown()
{
    frame->Destroy();
    Pump();
}

void Pump()
{
    for (int i = 0; i < 5; ++i) {
        wxTheApp->ProcessPendingEvents();
        wxYield();
    }
}

bool SaveScreenshot(wxWindow& window, const std::filesystem::path& path)
{
    window.Raise();
    window.Refresh();
    window.Update();
    for (int i = 0; i < 6; ++i) {
        Pump();
        wxMilliSleep(50);
    }
    return SaveScreenshotOf(window.GetScreenRect(), path);
}

bool SaveScreenshotOf(const wxRect& rect, const std::filesystem::path& path)
{
    for (int i = 0; i < 4; ++i) {
        Pump();
        wxMilliSleep(40);
    }
    // The display's own picture: a screen device context here may hand back pixels from
    // before the last repaint.
    std::filesystem::create_directories(path.parent_path());
    const wxString command = wxString::Format("import -window root -crop %dx%d+%d+%d +repage \"%s\"", rect.width,
                                              rect.height, rect.x, rect.y, wxString::FromUTF8(path.string()));
    // Without disabling the windows while it runs, which would show them greyed.
    return wxExecute(command, wxEXEC_SYNC | wxEXEC_NODISABLE) == 0 && std::filesystem::exists(path);
}

} // namespace kelmora::testing
