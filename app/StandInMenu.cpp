#include "app/StandInMenu.h"

#include "app/ApplicationLook.h"
#include "app/CommandIds.h"

#include <wx/filehistory.h>
#include <wx/menu.h>

#include <utility>

namespace kelmora {

wxMenuBar* BuildStandInMenuBar(wxFileHistory* history)
{
    const auto add = [](wxMenu* menu, int command, const char* caption, wxItemKind kind = wxITEM_NORMAL) {
        menu->Append(WxId(command), caption, wxEmptyString, kind);
    };

    auto* file = new wxMenu;
    add(file, cmd::kFileNew, "&New");
    add(file, cmd::kFileOpen, "&Open...");
    add(file, cmd::kFileSave, "&Save");
    add(file, cmd::kFileSaveAs, "Save &As...");
    add(file, cmd::kExportLogo, "&Export Logo...");
    file->AppendSeparator();
    add(file, cmd::kFileSendMail, "Sen&d...");
    add(file, cmd::kSummaryInfo, "Summary &Info...");
    file->AppendSeparator();
    add(file, cmd::kFilePrint, "&Print...");
    add(file, cmd::kFilePrintDirect, "&Quick Print");
    add(file, cmd::kFilePrintPreview, "Print Pre&view", wxITEM_CHECK);
    add(file, cmd::kFilePrintSetup, "Print Set&up...");
    file->AppendSeparator();
    add(file, cmd::kFileClose, "&Close");
    auto* recent = new wxMenu;
    file->AppendSubMenu(recent, "Recent &Documents");
    if (history) {
        history->UseMenu(recent);
        history->AddFilesToMenu(recent);
    }
    file->AppendSeparator();
    add(file, cmd::kAppExit, "E&xit");

    auto* edit = new wxMenu;
    add(edit, cmd::kEditUndo, "&Undo");
    add(edit, cmd::kEditRedo, "&Redo");
    edit->AppendSeparator();
    add(edit, cmd::kEditSelectAll, "Select &All");
    add(edit, cmd::kSelectInverse, "Select Inverse");
    add(edit, cmd::kEditClear, "&Delete");
    add(edit, cmd::kCopyFormat, "Copy Format", wxITEM_CHECK);

    auto* draw = new wxMenu;
    static constexpr std::pair<int, const char*> kTools[] = {
        {cmd::kToolSelect, "&Select"}, {cmd::kToolAnchor, "Anchor"}, {cmd::kToolBreak, "Break"},
        {cmd::kToolJoin, "Join"}, {cmd::kToolLine, "&Line"}, {cmd::kToolPolygon, "&Polygon"},
        {cmd::kToolBezier, "&Bezier"}, {cmd::kToolCurve, "C&urve"}, {cmd::kToolRect, "&Rectangle"},
        {cmd::kToolRoundRect, "R&ound Rectangle"}, {cmd::kToolEllipse, "&Ellipse"}, {cmd::kToolArc, "&Arc"},
        {cmd::kToolStar, "S&tar"}, {cmd::kToolPentagon, "Penta&gon"}, {cmd::kToolComplexStar, "Co&mplex Star"},
        {cmd::kToolSpiral, "Spi&ral"}, {cmd::kToolPie, "P&ie"}, {cmd::kToolCircle, "&Circle"},
        {cmd::kToolText, "&Word"},
    };
    for (const auto& [command, caption] : kTools)
        add(draw, command, caption, wxITEM_CHECK);

    auto* view = new wxMenu;
    add(view, cmd::kZoomIn, "Zoom &In");
    add(view, cmd::kZoomOut, "Zoom &Out");
    add(view, cmd::kZoomFit, "Zoom &Fit");
    add(view, cmd::kActualSize, "&100%");
    view->AppendSeparator();
    add(view, cmd::kShowObjects, "S&how Objects", wxITEM_CHECK);
    add(view, cmd::kGridLines, "&Grid Lines", wxITEM_CHECK);
    add(view, cmd::kSnapToGrid, "Snap to Grid", wxITEM_CHECK);
    add(view, cmd::kSnapToEdge, "Snap to Edge Alignment", wxITEM_CHECK);
    add(view, cmd::kSnapToCenter, "Snap to Center Alignment", wxITEM_CHECK);
    add(view, cmd::kResourceView, "&Resource View", wxITEM_CHECK);
    add(view, cmd::kPropertiesView, "&Properties View", wxITEM_CHECK);
    view->AppendSeparator();
    auto* looks = new wxMenu;
    for (int look = cmd::kLookBlue; look <= cmd::kLookScenic; ++look)
        add(looks, look, FindLookScheme(look)->caption, wxITEM_RADIO);
    view->AppendSubMenu(looks, "St&yle");

    auto* window = new wxMenu;
    add(window, cmd::kWindowNew, "&New Window");
    add(window, cmd::kWindowsDialog, "&Windows...");
    window->AppendSeparator();
    add(window, cmd::kNewHorzTabGroup, "New &Horizontal Tab Group");
    add(window, cmd::kNewVertTabGroup, "New &Vertical Tab Group");
    add(window, cmd::kMoveToNextTabGroup, "Move to Ne&xt Tab Group");
    add(window, cmd::kMoveToPrevTabGroup, "Move to P&revious Tab Group");

    auto* help = new wxMenu;
    add(help, cmd::kHomePage, "Home Page");
    add(help, cmd::kHelp, "&Help");
    add(help, cmd::kAppAbout, "&About");

    auto* bar = new wxMenuBar;
    bar->Append(file, "&File");
    bar->Append(edit, "&Edit");
    bar->Append(draw, "&Draw");
    bar->Append(view, "&View");
    bar->Append(window, "&Window");
    bar->Append(help, "&Help");
    return bar;
}

} // namespace kelmora
