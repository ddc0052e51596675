// Starts wxWidgets once for every test of a window module: a plain application object on the
// display that the test command provides.

#include <cstdlib>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/debug.h>
#include <wx/init.h>

namespace {

class WxEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        // No accessibility bridge: the test needs no screen reader, and the bridge's D-Bus
        // connection is never freed.
        setenv("NO_AT_BRIDGE", "1", 0);
        // A toolkit assertion fails the running test. Its own handler opens a modal dialog
        // that nobody answers on the virtual display, and the test would hang until killed.
        wxSetAssertHandler([](const wxString& file, int line, const wxString& func, const wxString& cond,
                              const wxString& msg) {
            ADD_FAILURE_AT(file.utf8_string().c_str(), line)
                << "toolkit assertion \"" << cond.utf8_string() << "\" in " << func.utf8_string() << ": "
                << msg.utf8_string();
        });
        wxApp::SetInstance(new wxApp);
        int argc = 1;
        static char name[] = "kelmora_test";
        char* argv[] = { name, nullptr };
        ASSERT_TRUE(wxEntryStart(argc, argv)) << "wxWidgets could not start; is there a display?";
        ASSERT_TRUE(wxTheApp->CallOnInit());
    }

    void TearDown() override
    {
        wxTheApp->OnExit();
        wxEntryCleanup();
    }
};

const ::testing::Environment* const g_wxEnvironment = ::testing::AddGlobalTestEnvironment(new WxEnvironment);

} // namespace
