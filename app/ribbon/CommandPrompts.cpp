#include "app/ribbon/CommandPrompts.h"

#include <algorithm>
#include <array>
#include <utility>

namespace kelmora {

namespace {

// Sorted by id.
constexpr std::pair<int, std::string_view> kPrompts[] = {
    {504, "Click here to open Vantorel Software Web site and get more information about our products"},
    {505, "Show or hide the Properties pane\nProperties View"},
    {1000, "Insert a picture from a file\nInsert Image"},
    {1067, "Zoom so that the whole page fits the window\nZoom Fit"},
    {1068, "Copy the style of the selected object to the objects you click next\nCopy Format"},
    {1070, "Zoom in\nZoom In"},
    {1071, "Show the page at its actual size\n100%"},
    {1072, "Zoom out\nZoom Out"},
    {1073, "Go to the product's home page.\nHome Page"},
    {1074, "Set the font size of the selected text, in points\nFont Size"},
    {1076, "Make the selected text bold\nBold"},
    {1077, "Make the selected text italic\nItalic"},
    {1078, "Underline the selected text\nUnderline"},
    {1079, "Strike through the selected text\nStrikeout"},
    {1080, "Points \nDrawing Units"},
    {1081, "Convert the selected objects to custom shapes\nTo Custom"},
    {1096, "Show or hide the frames of embedded objects\nShow Objects"},
    {1097, "Show and edit the document's summary information\nSummary Info"},
    {1098, "Save the logo as a picture file\nExport Logo"},
    {32769, "Show or hide the grid lines\nGrid Lines"},
    {32770, "Select, move and resize objects\nSelect"},
    {32771, "Draw a straight line\nLine"},
    {32772, "Draw a rectangle\nRectangle"},
    {32773, "Draw a rectangle with rounded corners\nRound Rectangle"},
    {32774, "Draw an ellipse\nEllipse"},
    {32775, "Choose the outline colour of the selected objects\nLine Color"},
    {32776, "Choose the fill colour of the selected objects\nFill Color"},
    {32777, "Bring the selected objects in front of all others\nMove to Front"},
    {32778, "Send the selected objects behind all others\nMove to Back"},
    {32779, "Bring the selected objects one step forward\nMove Forward"},
    {32780, "Send the selected objects one step backward\nMove Backward"},
    {32781, "Choose the colour of the paper\nPaper Color"},
    {32782, "Draw a polygon\nPolygon"},
    {32793, "Switch to another window\nSwitch Windows"},
    {32794, "Show or hide the Templates pane\nTemplates"},
    {32795, "Show or hide the Shapes pane\nShapes"},
    {32803, "Show or hide the Cliparts pane\nCliparts"},
    {32804, "Show or hide the output pane\nOutput"},
    {32813, "Show Windows dialog to manage opend windows\nManage opened windows"},
    {32818, "Activate the Blue application look\nBlue Look"},
    {32819, "Activate the Black application look\nBlack Look"},
    {32820, "Activate the Silver application look\nSilver Look"},
    {32821, "Activate the Aqua application look\nAqua Look"},
    {32822, "Activate the Scenic application look\nScenic Look"},
    {32831, "Total Number Of Objects\nObject Count"},
    {32832, "Total Number of Selected Objects\nSelected Object Count"},
    {32833, "X Coordinate\nCursor position"},
    {32834, "Y Coordinate\nCursor position"},
    {32840, "Choose the commands of the Quick Access Toolbar\nOptions"},
    {32841, "Draw an arc\nArc"},
    {32845, "Show or hide the Shapes, Cliparts and Templates panes\nResource View"},
    {32850, "Draw a pie\nPie"},
    {32851, "Draw a circle\nCircle"},
    {32852, "Draw a star\nStar"},
    {32853, "Write a text\nWord"},
    {32854, "Draw a Bezier curve\nBesier"},
    {32855, "Draw a free curve\nCurve"},
    {32856, "Draw a pentagon\nPentagon"},
    {32857, "Draw a complex star\nComplex Star"},
    {32858, "Draw a spiral\nSpiral"},
    {32859, "Save the logo as a picture file\nExport Logo"},
    {32867, "Rotate the selected objects a quarter turn counter-clockwise\nRotate 90\xC2\xB0" "CCW"},
    {32868, "Rotate the selected objects a quarter turn clockwise\nRotate 90\xC2\xB0" "CW"},
    {32869, "Flip the selected objects from left to right.\nHorizontal Mirror"},
    {32870, "Flip the selected objects from to to bottom.\nVertical Mirror"},
    {32871, "Align the left edges of the selected objects\nAlign Lefts"},
    {32872, "Align the right edges of the selected objects\nAlign Rights"},
    {32873, "Align the top edges of the selected objects\nAlign Tops"},
    {32874, "Align the bottom edges of the selected objects\nAlign Bottoms"},
    {32875, "Centre the selected objects on one vertical line\nAlign Centers"},
    {32876, "Centre the selected objects on one horizontal line\nAlign Middles"},
    {32877, "Group objects together as a signle object.\nGroup"},
    {32878, "Break the selected group into its objects\nUngroup"},
    {32885, "Zoom the page\nZoom"},
    {32886, "Choose the add or delete anchor drawing tool\nAnchor Tool"},
    {32888, "Import the pages of an XPS file as drawing objects\nImport"},
    {32892, "Break the selected objects into lines and curves\nExplode"},
    {32893, "Break a line or curve at a point\nBreak"},
    {32894, "Join the end points of two lines or curves\nJoin"},
    {32897, "Choose the colour of the grid lines\nGrid Line Color"},
    {32900, "Snap objects to the grid\nSnap to Grid"},
    {32901, "Snap objects to the edges of other objects\nSnap to Edge Alignment"},
    {32902, "Snap objects to the centres of other objects\nSnap to Center Alignment"},
    {32906, "Choose the dash style of the selected objects' outlines\nDash Styles"},
    {32907, "Launch dialog box to specify Dash Style\nMore Dash Styles"},
    {32916, "pixels \nDrawing Units"},
    {32918, "inches \nDrawing Units"},
    {32920, "millimeters \nDrawing Units"},
    {32937, "Select the objects that are not selected, and deselect the others\nSelect Inverse"},
    {32972, "Give the selected objects a shadow\nShadow"},
    {32973, "Give the selected objects a glow\nGlow"},
    {32974, "Give the selected objects a reflection\nReflection"},
    {32975, "Lay the selected text along a curve\nText"},
    {32976, "Set the transparency of the reflection's far end\nEnd Transparency"},
    {32977, "Set the transparency of the reflection's near end\nStart Transparency"},
    {32978, "Set how much of the object the reflection shows, in percent\nShown"},
    {32979, "Set the direction of the shadow, in degrees\nShadow Direction"},
    {32980, "Choose the shadow colour of the selected objects\nShadow Color"},
    {32981, "Choose the glow colour of the selected objects\nGlow Color"},
    {32982, "Choose the font of the selected text\nFont"},
    {32983, "Set the text of the selected text object\nText"},
    {32984, "\nNo Fill"},
    {32985, "Choose the outline weight of the selected objects\nLine Weight"},
    {32986, "Set the outline weight of the selected objects in points\nMore Lines"},
    {32987, "Edit the properties of the selected object\nProperties"},
    {32988, "\nNo Line"},
    {32989, "Give the selected objects a ready-made fill and outline\nStyles"},
    {32992, "Open the help\nHelp"},
    {32993, "Convert a set of drawing files to picture files\nBatch Convert"},
    {57345, "Ready"},
    {57600, "Create a new document\nNew"},
    {57601, "Open an existing document\nOpen"},
    {57602, "Close the active document\nClose"},
    {57603, "Save the active document\nSave"},
    {57604, "Save the active document with a new name\nSave As"},
    {57607, "Print the active document\nPrint"},
    {57608, "Print the document on the default printer without changes\nQuick Print"},
    {57609, "Preview and make changes to pages before printing\nPrint Preview"},
    {57612, "Send the active document by e-mail\nSend"},
    {57616, "Open this document\nRecent Document"},
    {57617, "Open this document\nRecent Document"},
    {57618, "Open this document\nRecent Document"},
    {57619, "Open this document\nRecent Document"},
    {57632, "Delete the selected objects\nDelete"},
    {57634, "Copy the selected objects to the clipboard\nCopy"},
    {57635, "Cut the selected objects to the clipboard\nCut"},
    {57637, "Paste the contents of the clipboard\nPaste"},
    {57642, "Select all objects\nSelect All"},
    {57643, "Undo the last action\nUndo"},
    {57644, "Redo the previously undone action\nRedo"},
    {57648, "Open another window for the active document\nNew Window"},
    {57664, "Display program information, version number and copyright\nAbout"},
    {57665, "Quit the application; prompts to save documents\nExit"},
    {61445, "Close print preview mode\nCancel Preview"},
};

} // namespace

std::string_view CommandPromptText(int command)
{
    const auto it = std::lower_bound(std::begin(kPrompts), std::end(kPrompts), command,
                                     [](const auto& entry, int id) { return entry.first < id; });
    if (it == std::end(kPrompts) || it->first != command)
        return {};
    return it->second;
}

CommandPrompt GetCommandPrompt(int command)
{
    const std::string_view text = CommandPromptText(command);
    const size_t newline = text.find('\n');
    if (newline == std::string_view::npos)
        return {std::string(text), {}};
    return {std::string(text.substr(0, newline)), std::string(text.substr(newline + 1))};
}

} // namespace kelmora
