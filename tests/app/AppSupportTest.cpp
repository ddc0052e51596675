// The application's plain parts: paths, the command line, shown lengths, the live-preview
// dispatch, the accelerator order and the desktop registration.

#include "app/desktop/AppPaths.h"
#include "app/desktop/CommandLine.h"
#include "app/desktop/DesktopIntegration.h"
#include "app/documents/ProgramEnvironment.h"
#include "app/documents/Recovery.h"
#include "app/frame/Accelerators.h"
#include "app/frame/LivePreview.h"
#include "app/frame/RibbonPreview.h"
#include "app/frame/TextFieldShortcuts.h"
#include "app/properties/LengthUnits.h"
#include "document/DrawDoc.h"
#include "model/DrawRect.h"
#include "res/CommandIds.h"

#include <gtest/gtest.h>
#include <wx/event.h>
#include <wx/frame.h>
#include <wx/textctrl.h>

#include <unistd.h>

#include <cstdlib>
#include <fstream>

namespace kelmora {
namespace {

class TempFolder {
public:
    TempFolder()
    {
        m_path = std::filesystem::temp_directory_path()
            / ("kelmora-support-" + std::to_string(::getpid()) + "-"
               + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder() { std::filesystem::remove_all(m_path); }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnv() { m_old ? ::setenv(m_name, m_old->c_str(), 1) : ::unsetenv(m_name); }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

TEST(AppPaths, ProgramFolderAndDataFoldersAreFoundInOrder)
{
    EXPECT_EQ(DirectoryOfProgram("/opt/kelmora/bin/kelmora"), "/opt/kelmora/bin/");
    EXPECT_EQ(DirectoryOfProgram("kelmora"), "");
    EXPECT_EQ(GetAppDirectory(), std::filesystem::read_symlink("/proc/self/exe").parent_path().string() + "/");

    TempFolder folder;
    const std::filesystem::path beside = folder.Path() / "beside";
    const std::filesystem::path installed = folder.Path() / "installed";
    std::filesystem::create_directories(installed / "Shapes");
    std::filesystem::create_directories(installed / "Brush");
    std::filesystem::create_directories(beside / "Shapes");
    EXPECT_EQ(FindDataFolderIn("Shapes", {beside, installed}), beside / "Shapes");
    EXPECT_EQ(FindDataFolderIn("Brush", {beside, installed}), installed / "Brush");
    EXPECT_EQ(FindDataFolderIn("Arrow", {beside, installed}), std::nullopt);
    EXPECT_EQ(FindDataFolderIn("", {beside, installed}), std::nullopt);
}

TEST(AppPaths, UserFoldersFollowTheXdgVariables)
{
    ScopedEnv home("HOME", "/home/someone");
    {
        ScopedEnv data("XDG_DATA_HOME", "/data");
        ScopedEnv config("XDG_CONFIG_HOME", "relative/is/ignored");
        ScopedEnv state("XDG_STATE_HOME", nullptr);
        EXPECT_EQ(XdgDataHome(), "/data");
        EXPECT_EQ(UserConfigFolder(), "/home/someone/.config/kelmora");
        EXPECT_EQ(UserStateFolder(), "/home/someone/.local/state/kelmora");
    }
    ScopedEnv dirs("XDG_DATA_DIRS", "/usr/share::relative:/opt/share");
    EXPECT_EQ(XdgDataDirs(), (std::vector<std::filesystem::path>{"/usr/share", "/opt/share"}));
}

TEST(CommandLine, FilesSwitchesAndSlashPaths)
{
    CommandLine line = ParseCommandLine({"/home/a/logo.MZF", "relative.mzf", "--display=:1", "-x", "--", "-dash.MZF"});
    EXPECT_EQ(line.action, CommandLine::Action::Run);
    EXPECT_EQ(line.files, (std::vector<std::string>{"/home/a/logo.MZF", "relative.mzf", "-dash.MZF"}));
    EXPECT_EQ(line.unknown, std::vector<std::string>{"-x"});
    // The toolkit's value may be the next argument, which then is no file.
    EXPECT_EQ(ParseCommandLine({"--display", ":1", "--sync", "a.MZF"}).files, std::vector<std::string>{"a.MZF"});

    EXPECT_EQ(ParseCommandLine({"-Embedding"}).action, CommandLine::Action::Embedding);
    EXPECT_EQ(ParseCommandLine({"--automation"}).action, CommandLine::Action::Automation);
    EXPECT_EQ(ParseCommandLine({"-UnregServer"}).action, CommandLine::Action::Unregister);
    EXPECT_EQ(ParseCommandLine({"--register"}).action, CommandLine::Action::Register);
    // A path beginning with '/' is never a switch.
    EXPECT_EQ(ParseCommandLine({"/Embedding"}).action, CommandLine::Action::Run);

    // Print names the drawing; print-to names the printer after it.
    line = ParseCommandLine({"-p", "logo.MZF"});
    EXPECT_EQ(line.action, CommandLine::Action::Print);
    EXPECT_EQ(line.files, std::vector<std::string>{"logo.MZF"});
    line = ParseCommandLine({"-PT", "logo.MZF", "Office Laser"});
    EXPECT_EQ(line.action, CommandLine::Action::PrintTo);
    EXPECT_EQ(line.files, std::vector<std::string>{"logo.MZF"});
    EXPECT_EQ(line.printer, "Office Laser");
    EXPECT_EQ(ParseCommandLine({"-pt", "logo.MZF"}).printer, "");
}

TEST(LengthUnits, ShownLengthsInEachUnit)
{
    EXPECT_FLOAT_EQ(std::get<float>(MakeLengthValue(2478.0f, DrawUnit::Inches, 96)), 8.26f);
    EXPECT_FLOAT_EQ(std::get<float>(MakeLengthValue(2478.0f, DrawUnit::Millimetres, 96)), 209.804f);
    EXPECT_FLOAT_EQ(std::get<float>(MakeLengthValue(3507.0f, DrawUnit::Points, 96)), 841.68f);
    EXPECT_EQ(std::get<int32_t>(MakeLengthValue(2478.0f, DrawUnit::Pixels, 96)), 793);
    EXPECT_EQ(std::get<int32_t>(MakeLengthValue(2478.0f, DrawUnit::Pixels, 120)), 991);
    // Truncation toward zero after the half is added.
    EXPECT_EQ(std::get<int32_t>(MakeLengthValue(-1.7f * 300 / 96, DrawUnit::Pixels, 96)), -1);
    EXPECT_EQ(std::get<int32_t>(MakeLengthValue(1.5f * 300 / 96, DrawUnit(7), 96)), 2);
    EXPECT_EQ(std::get<int32_t>(MakeLengthValue(1e30f, DrawUnit::Pixels, 96)), INT32_MAX);
}

class RecordingPreview : public LivePreview {
public:
    void SavePreviewState() override { calls.push_back("save"); }
    void RestorePreviewState() override { calls.push_back("restore"); }
    void ApplyLineColor(ARGB color) override { calls.push_back("line " + std::to_string(color)); }
    void ApplyFillColor(ARGB) override { calls.push_back("fill"); }
    void ApplyShadowColor(ARGB) override { calls.push_back("shadow"); }
    void ApplyGlowColor(ARGB) override { calls.push_back("glow"); }
    void ApplyLineWeight(int weight) override { calls.push_back("weight " + std::to_string(weight)); }
    void ApplyDashStyle(int index) override { calls.push_back("dash " + std::to_string(index)); }
    void ApplyQuickStyle(int row) override { calls.push_back("style " + std::to_string(row)); }
    void ApplyShadowPreset(int) override { calls.push_back("shadow preset"); }
    void ApplyGlowPreset(int) override { calls.push_back("glow preset"); }
    void ApplyReflectionPreset(int) override { calls.push_back("reflection preset"); }
    void ApplyTextEffect(int) override { calls.push_back("text effect"); }
    std::vector<std::string> calls;
};

TEST(RibbonPreview, HoveredValuesPreviewAndLeavingRestores)
{
    CDrawDoc document(GetProgramEnvironment());
    RecordingPreview view;
    using Calls = std::vector<std::string>;

    // Paper colour: on the document only, -1 back to the committed colour.
    EXPECT_TRUE(DispatchRibbonHighlight(3, cmd::kPaperColor, 0x00112233, document, &view));
    EXPECT_EQ(document.m_clrPaper.current, 0x00112233u);
    EXPECT_TRUE(DispatchRibbonHighlight(-1, cmd::kPaperColor, kNoColor, document, &view));
    EXPECT_EQ(document.m_clrPaper.current, kWhite);
    EXPECT_TRUE(view.calls.empty());

    // A colour palette hands the colour on with full alpha; leaving only restores.
    EXPECT_TRUE(DispatchRibbonHighlight(0, cmd::kLineColor, 0x00332211, document, &view));
    EXPECT_TRUE(DispatchRibbonHighlight(-1, cmd::kLineColor, kNoColor, document, &view));
    EXPECT_EQ(view.calls, (Calls{"save", "line " + std::to_string(0xFF112233u), "restore"}));

    // Galleries: the line weight is the item plus one; leaving a gallery applies nothing.
    view.calls.clear();
    EXPECT_TRUE(DispatchRibbonHighlight(2, cmd::kLineWeight, kNoColor, document, &view));
    EXPECT_FALSE(DispatchRibbonHighlight(-1, cmd::kDashStyles, kNoColor, document, &view));
    EXPECT_FALSE(DispatchRibbonHighlight(4, cmd::kFileNew, kNoColor, document, &view));
    EXPECT_EQ(view.calls, (Calls{"save", "weight 3", "restore", "save"}));
    EXPECT_FALSE(DispatchRibbonHighlight(0, cmd::kStylesGallery, kNoColor, document, nullptr));
}

TEST(Accelerators, TheFirstMatchingEntryWins)
{
    const wxAcceleratorTable table = MainAcceleratorTable();
    wxKeyEvent key(wxEVT_KEY_DOWN);
    key.m_keyCode = WXK_DELETE;
    key.SetShiftDown(true);
    EXPECT_EQ(CommandFromWxId(table.GetCommand(key)), cmd::kEditClear);
    key.m_keyCode = 'C';
    key.SetShiftDown(true);
    key.SetControlDown(true);
    EXPECT_EQ(CommandFromWxId(table.GetCommand(key)), cmd::kCopyFormat);
    EXPECT_EQ(MainAcceleratorEntries().size(), 18u);
}

TEST(Accelerators, ShortcutsTypedIntoATextFieldEditItsText)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "fields");
    auto* field = new wxTextCtrl(frame, wxID_ANY, "Kelmora");
    bool escaped = false;
    field->Bind(wxEVT_KEY_DOWN, [&escaped](wxKeyEvent& event) { escaped = event.GetKeyCode() == WXK_ESCAPE; });

    field->SetSelection(0, 0);
    EXPECT_TRUE(RouteShortcutToTextField(cmd::kEditSelectAll, field));
    EXPECT_EQ(field->GetStringSelection(), "Kelmora");
    EXPECT_TRUE(RouteShortcutToTextField(cmd::kCancel, field));
    EXPECT_TRUE(escaped) << "the field cancels its own edit";
    // Other commands, and every command outside a text field, go to the drawing.
    EXPECT_FALSE(RouteShortcutToTextField(cmd::kFileSave, field));
    EXPECT_FALSE(RouteShortcutToTextField(cmd::kEditSelectAll, frame));
    EXPECT_FALSE(RouteShortcutToTextField(cmd::kEditSelectAll, nullptr));
    frame->Destroy();
}

TEST(DesktopIntegration, RegistersForTheUserOnlyWhenMissingAndUnregisters)
{
    TempFolder folder;
    DesktopPaths paths;
    paths.dataHome = folder.Path() / "home";
    paths.dataDirs = {folder.Path() / "system"};
    paths.program = "/opt/My Apps/kelmora";
    paths.templates = std::filesystem::path(KELMORA_SOURCE_DIR) / "res" / "desktop";
    EXPECT_FALSE(IsDesktopEntryInstalled(paths));

    ASSERT_TRUE(RegisterDesktopIntegration(paths));
    EXPECT_TRUE(IsDesktopEntryInstalled(paths));
    std::ifstream entry(paths.dataHome / "applications" / "kelmora.desktop");
    const std::string text((std::istreambuf_iterator<char>(entry)), {});
    EXPECT_NE(text.find("\nExec=\"/opt/My Apps/kelmora\" %F\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nExec=\"/opt/My Apps/kelmora\" -p %f\n"), std::string::npos) << text;
    EXPECT_NE(text.find("MimeType=application/x-kelmora-drawing;"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(paths.dataHome / "mime" / "packages" / "kelmora.xml"));
    EXPECT_TRUE(std::filesystem::exists(paths.dataHome / "icons" / "hicolor" / "48x48" / "apps" / "kelmora.png"));
    EXPECT_EQ(UserDesktopEntry("Exec=kelmora %F\n", "/a/$b\\c"), "Exec=\"/a/\\\\$b\\\\\\\\c\" %F\n");
    EXPECT_EQ(UserDesktopEntry("Exec=kelmora %F\n", "/a/100%"), "Exec=\"/a/100%%\" %F\n");

    ASSERT_TRUE(UnregisterDesktopIntegration(paths));
    EXPECT_FALSE(IsDesktopEntryInstalled(paths));

    // An entry installed for everyone counts as registered.
    std::filesystem::create_directories(paths.dataDirs[0] / "applications");
    std::ofstream(paths.dataDirs[0] / "applications" / "kelmora.desktop") << "[Desktop Entry]\n";
    EXPECT_TRUE(IsDesktopEntryInstalled(paths));
}

TEST(RecoveryStore, OnlyTheCopiesOfEndedSessionsAreClaimed)
{
    TempFolder folder;
    const std::filesystem::path root = folder.Path() / "recovery";
    std::unique_ptr<RecoveryStore> running = RecoveryStore::Open(root);
    std::unique_ptr<RecoveryStore> starting = RecoveryStore::Open(root);
    ASSERT_TRUE(running && starting);
    CDrawDoc document(GetProgramEnvironment());
    document.Add(std::make_unique<CDrawRect>(RectF(0, 0, 50, 50), nullptr));
    ASSERT_TRUE(running->Save(&document, document, "/home/a/logo\nname.MZF", "logo.MZF"));
    // A session that still runs holds its lock.
    EXPECT_TRUE(starting->ClaimAbandoned().empty());

    // A crashed copy of it, with a description whose copy is missing.
    const std::filesystem::path crashed = root / "crashed";
    std::filesystem::copy(running->SessionFolder(), crashed);
    std::ofstream(crashed / "7.info") << "orphan" << '\0' << "title" << '\0';
    const std::vector<RecoveryStore::Copy> copies = starting->ClaimAbandoned();
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].originalPath, "/home/a/logo\nname.MZF");
    EXPECT_EQ(copies[0].title, "logo.MZF");
    EXPECT_EQ(copies[0].file.parent_path().parent_path(), starting->SessionFolder());
    EXPECT_FALSE(std::filesystem::exists(crashed));
    starting->DiscardClaimed();
    EXPECT_FALSE(std::filesystem::exists(copies[0].file));

    // A session that crashed while it still held a claim hands that claim on.
    std::filesystem::create_directories(root / "crashed-claimer");
    std::filesystem::copy(running->SessionFolder(), root / "crashed-claimer" / "claimed-1");
    ASSERT_EQ(starting->ClaimAbandoned().size(), 1u);

    // A clean end leaves nothing.
    const std::filesystem::path session = running->SessionFolder();
    running.reset();
    EXPECT_FALSE(std::filesystem::exists(session));
}

} // namespace
} // namespace kelmora
