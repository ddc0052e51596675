// Starts wxWidgets once for every test of a window module: a plain application object on the
// display that the test command provides.

#include <cstdlib>
#include <cstring>
#include <string>

#include <glib.h>
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/debug.h>
#include <wx/init.h>

namespace {

// A field of a log record, as text; empty when the record has none.
std::string LogField(const GLogField* fields, gsize count, const char* key)
{
    for (gsize i = 0; i < count; ++i) {
        if (std::strcmp(fields[i].key, key) == 0 && fields[i].value)
            return fields[i].length < 0 ? std::string(static_cast<const char*>(fields[i].value))
                                        : std::string(static_cast<const char*>(fields[i].value), size_t(fields[i].length));
    }
    return {};
}

// A critical or a warning of the toolkit or of GLib reports a widget sized below zero, a
// wrong cast or a call out of order: it fails the running test. Everything else is logged
// as usual.
GLogWriterOutput FailOnToolkitWarnings(GLogLevelFlags level, const GLogField* fields, gsize count, gpointer)
{
    if (level & (G_LOG_LEVEL_ERROR | G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING)) {
        ADD_FAILURE() << LogField(fields, count, "GLIB_DOMAIN") << " reported: " << LogField(fields, count, "MESSAGE");
        return G_LOG_WRITER_HANDLED;
    }
    return g_log_writer_default(level, fields, count, nullptr);
}

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
        g_log_set_writer_func(FailOnToolkitWarnings, nullptr, nullptr);
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
