#pragma once
// The program's command identities and the one table that maps them to wxWidgets ids.
//
// Every command keeps the number the rest of the program knows it by (the ribbon, the
// accelerators, the view's and the document's handlers, the settings that store
// Quick Access Toolbar entries). wxWidgets rejects window and menu ids at or above
// 32767, and many of these numbers are higher, so every Bind, menu item, tool and
// accelerator goes through WxId(), and every id read back from an event goes through
// CommandFromWxId().
//
// The mapping moves the two high blocks down into a range wx leaves free:
//   32767 .. 33279  ->  20000 .. 20512
//   57344 .. 61695  ->  24000 .. 28351
// Numbers below 20000 (the small command and control ids) map to themselves; wx's own
// stock ids (wxID_LOWEST 4999 .. wxID_HIGHEST 5999) are never used as commands here.
//
// Header only, so that the view and the dialogs, which sit below the application in the
// build, can bind their handlers by the same table.

namespace kelmora {

namespace detail {
inline constexpr int kLowBlockFirst = 32767;
inline constexpr int kLowBlockLast = 33279;
inline constexpr int kLowBlockBase = 20000;
inline constexpr int kHighBlockFirst = 57344;
inline constexpr int kHighBlockLast = 61695;
inline constexpr int kHighBlockBase = 24000;
inline constexpr int kUnmappedFirst = 20000;
} // namespace detail

// The wx id of a command; -1 (wxID_ANY) for a number outside the table.
constexpr int WxId(int command)
{
    using namespace detail;
    if (command < kUnmappedFirst)
        return command;
    if (command >= kLowBlockFirst && command <= kLowBlockLast)
        return kLowBlockBase + (command - kLowBlockFirst);
    if (command >= kHighBlockFirst && command <= kHighBlockLast)
        return kHighBlockBase + (command - kHighBlockFirst);
    return -1;
}

// The command of a wx id; -1 for an id the table does not produce.
constexpr int CommandFromWxId(int wxId)
{
    using namespace detail;
    if (wxId < kUnmappedFirst)
        return wxId;
    if (wxId >= kLowBlockBase && wxId <= kLowBlockBase + (kLowBlockLast - kLowBlockFirst))
        return kLowBlockFirst + (wxId - kLowBlockBase);
    if (wxId >= kHighBlockBase && wxId <= kHighBlockBase + (kHighBlockLast - kHighBlockFirst))
        return kHighBlockFirst + (wxId - kHighBlockBase);
    return -1;
}

static_assert(WxId(57600) < 32767 && CommandFromWxId(WxId(57600)) == 57600);
static_assert(WxId(32993) < 32767 && CommandFromWxId(WxId(32993)) == 32993);
static_assert(WxId(1097) == 1097);
static_assert(WxId(detail::kLowBlockLast) < detail::kHighBlockBase);

// The commands, by number. Names follow the command's caption.
namespace cmd {

// ---- Small ids
inline constexpr int kPropertiesView = 505;      // "Properties View" (pane toggle; the pane's id)
inline constexpr int kStatusLink = 504;          // status-bar link "Home Page"
inline constexpr int kInsertImage = 1000;        // "Insert Image ..."
inline constexpr int kZoomFit = 1067;
inline constexpr int kCopyFormat = 1068;
inline constexpr int kZoomIn = 1070;
inline constexpr int kActualSize = 1071;         // "100%"
inline constexpr int kZoomOut = 1072;
inline constexpr int kHomePage = 1073;
inline constexpr int kTextSize = 1074;           // edit "Size(pt):"
inline constexpr int kTextBold = 1076;
inline constexpr int kTextItalic = 1077;
inline constexpr int kTextUnderline = 1078;
inline constexpr int kTextStrikeout = 1079;
inline constexpr int kUnitPoints = 1080;
inline constexpr int kToCustom = 1081;           // "To Custom" (Convert To Custom Shape)
inline constexpr int kShowObjects = 1096;
inline constexpr int kSummaryInfo = 1097;
inline constexpr int kExportLogoRibbon = 1098;   // "Export Logo ..."

// ---- 32768 ..
inline constexpr int kCancel = 32768;            // Esc: cancel the current tool
inline constexpr int kGridLines = 32769;
inline constexpr int kToolSelect = 32770;
inline constexpr int kToolLine = 32771;
inline constexpr int kToolRect = 32772;
inline constexpr int kToolRoundRect = 32773;
inline constexpr int kToolEllipse = 32774;
inline constexpr int kLineColor = 32775;
inline constexpr int kFillColor = 32776;
inline constexpr int kMoveToFront = 32777;
inline constexpr int kMoveToBack = 32778;
inline constexpr int kMoveForward = 32779;
inline constexpr int kMoveBackward = 32780;
inline constexpr int kPaperColor = 32781;
inline constexpr int kToolPolygon = 32782;
inline constexpr int kSwitchWindows = 32793;
inline constexpr int kTemplatesPane = 32794;
inline constexpr int kShapesPane = 32795;
inline constexpr int kClipartsPane = 32803;
inline constexpr int kOutput = 32804;
inline constexpr int kWindowsDialog = 32813;
inline constexpr int kLookBlue = 32818;
inline constexpr int kLookBlack = 32819;
inline constexpr int kLookSilver = 32820;
inline constexpr int kLookAqua = 32821;
inline constexpr int kLookScenic = 32822;
inline constexpr int kNewHorzTabGroup = 32824;
inline constexpr int kNewVertTabGroup = 32825;
inline constexpr int kMoveToNextTabGroup = 32826;
inline constexpr int kMoveToPrevTabGroup = 32827;
inline constexpr int kTabGroupCancel = 32828;
inline constexpr int kCategorized = 32829;       // properties grid in groups
inline constexpr int kAlphabetical = 32830;      // properties grid in alphabetic order
inline constexpr int kStatusObjectCount = 32831;
inline constexpr int kStatusSelectedCount = 32832;
inline constexpr int kStatusX = 32833;
inline constexpr int kStatusY = 32834;
inline constexpr int kOptions = 32840;
inline constexpr int kToolArc = 32841;
inline constexpr int kResourceView = 32845;      // the three gallery panes
inline constexpr int kToolPie = 32850;
inline constexpr int kToolCircle = 32851;
inline constexpr int kToolStar = 32852;
inline constexpr int kToolText = 32853;          // "Word"
inline constexpr int kToolBezier = 32854;        // "Besier"
inline constexpr int kToolCurve = 32855;
inline constexpr int kToolPentagon = 32856;
inline constexpr int kToolComplexStar = 32857;
inline constexpr int kToolSpiral = 32858;
inline constexpr int kExportLogo = 32859;        // "&Export Logo..."
inline constexpr int kRotate90CCW = 32867;
inline constexpr int kRotate90CW = 32868;
inline constexpr int kHorizontalMirror = 32869;
inline constexpr int kVerticalMirror = 32870;
inline constexpr int kAlignLefts = 32871;
inline constexpr int kAlignRights = 32872;
inline constexpr int kAlignTops = 32873;
inline constexpr int kAlignBottoms = 32874;
inline constexpr int kAlignCenters = 32875;
inline constexpr int kAlignMiddles = 32876;
inline constexpr int kGroup = 32877;
inline constexpr int kUngroup = 32878;
inline constexpr int kPreviewPrinter = 32882;    // the print preview's "Printer:" combo
inline constexpr int kPreviewPage = 32883;       // "Page:"
inline constexpr int kPreviewOrientation = 32884; // "Orientation:"
inline constexpr int kZoomSlider = 32885;
inline constexpr int kToolAnchor = 32886;
inline constexpr int kToolAnchor2 = 32887;       // "Anchor" (the second button)
inline constexpr int kImportXps = 32888;
inline constexpr int kExplode = 32892;
inline constexpr int kToolBreak = 32893;
inline constexpr int kToolJoin = 32894;
inline constexpr int kGridLineColor = 32897;
inline constexpr int kGridLineWidth = 32898;     // read by the document; on no ribbon element
inline constexpr int kGridLineHeight = 32899;
inline constexpr int kSnapToGrid = 32900;
inline constexpr int kSnapToEdge = 32901;
inline constexpr int kSnapToCenter = 32902;
inline constexpr int kPaperWidth = 32903;        // read by the document; on no ribbon element
inline constexpr int kPaperHeight = 32904;
inline constexpr int kDashStyles = 32906;
inline constexpr int kMoreDashStyles = 32907;
inline constexpr int kCapNone = 32910;           // the outline pen dialog's cap "Options" menu
inline constexpr int kCapSwap = 32911;
inline constexpr int kCapNew = 32912;
inline constexpr int kCapEdit = 32913;
inline constexpr int kUnitPixels = 32916;
inline constexpr int kUnitInches = 32918;
inline constexpr int kUnitMillimeters = 32920;
inline constexpr int kSelectInverse = 32937;
inline constexpr int kShadowGallery = 32972;
inline constexpr int kGlowGallery = 32973;
inline constexpr int kReflectionGallery = 32974;
inline constexpr int kTextGallery = 32975;
inline constexpr int kReflectionEnd = 32976;     // "End Transparency:"
inline constexpr int kReflectionStart = 32977;   // "Start Transparency:"
inline constexpr int kReflectionShown = 32978;   // "Shown(%):"
inline constexpr int kShadowDirection = 32979;   // "Direction:"
inline constexpr int kShadowColor = 32980;
inline constexpr int kGlowColor = 32981;
inline constexpr int kFontName = 32982;          // "Font:"
inline constexpr int kTextContent = 32983;       // "Text :"
inline constexpr int kNoFill = 32984;
inline constexpr int kLineWeight = 32985;
inline constexpr int kMoreLines = 32986;
inline constexpr int kPenProperties = 32987;     // "&Properties..." (the outline pen)
inline constexpr int kNoLine = 32988;
inline constexpr int kStylesGallery = 32989;
inline constexpr int kHelp = 32992;
inline constexpr int kBatchConvert = 32993;

// ---- The standard command block
inline constexpr int kIdleMessage = 57345;       // string "Ready": the status bar's idle text
inline constexpr int kFileNew = 57600;
inline constexpr int kFileOpen = 57601;
inline constexpr int kFileClose = 57602;
inline constexpr int kFileSave = 57603;
inline constexpr int kFileSaveAs = 57604;
inline constexpr int kFilePageSetup = 57605;
inline constexpr int kFilePrintSetup = 57606;
inline constexpr int kFilePrint = 57607;
inline constexpr int kFilePrintDirect = 57608;   // "&Quick Print"
inline constexpr int kFilePrintPreview = 57609;
inline constexpr int kFileSendMail = 57612;
inline constexpr int kFileMru1 = 57616;          // the four recent files, 57616 .. 57619
inline constexpr int kFileMruCount = 4;
inline constexpr int kEditClear = 57632;         // "Delete"
inline constexpr int kEditCopy = 57634;
inline constexpr int kEditCut = 57635;
inline constexpr int kEditPaste = 57637;
inline constexpr int kEditSelectAll = 57642;
inline constexpr int kEditUndo = 57643;
inline constexpr int kEditRedo = 57644;
inline constexpr int kWindowNew = 57648;
inline constexpr int kAppAbout = 57664;
inline constexpr int kAppExit = 57665;
inline constexpr int kNextPane = 57680;
inline constexpr int kPrevPane = 57681;
inline constexpr int kInsertObject = 57856;      // cannot exist here: shown disabled
inline constexpr int kPreviewClose = 58112;      // AFX_ID_PREVIEW_CLOSE
inline constexpr int kPreviewPrint = 58116;      // AFX_ID_PREVIEW_PRINT

} // namespace cmd

} // namespace kelmora
