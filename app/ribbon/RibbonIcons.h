#pragma once
// The ribbon's pictures, drawn by the program with cairo when the ribbon is built: one
// vector drawing per command, made at 16 x 16 for small buttons, menus and toolbars and
// at 32 x 32 for large buttons. Each drawing is laid out on a 16-unit grid with its lines
// on half units, so that one-unit strokes land on whole pixels at both sizes.

#include <wx/bitmap.h>

namespace kelmora {

enum class Icon {
    // File
    New, Open, Save, SaveAs, ExportLogo, Print, QuickPrint, PrintPreview, Send, SummaryInfo, Close, Options, Exit,
    AppLogo,
    // Commands the ribbon shows nowhere, for the Quick Access Toolbar
    Import, BatchConvert,
    // Home
    Paste, Cut, Copy, Delete, SelectAll, SelectInverse, CopyFormat, Explode, Group, Ungroup, ToCustom,
    MirrorHorizontal, MirrorVertical, RotateClockwise, RotateCounterClockwise, Select, Anchor, Break, Join, Line,
    Rectangle, RoundRectangle, Ellipse, Polygon, Arc, Pie, Circle, Pentagon, Star, ComplexStar, Spiral, Bezier,
    Curve, Word, InsertImage, Undo, Redo,
    // Format
    Styles, LineColor, NoLine, LineWeight, DashStyles, FillColor, NoFill, Shadow, Glow, Reflection, TextEffect, Bold,
    Italic, Underline, Strikeout,
    // Layout
    AlignLefts, AlignRights, AlignTops, AlignBottoms, AlignMiddles, AlignCenters, MoveToFront, MoveForward,
    MoveBackward, MoveToBack,
    // View
    PaperColor, GridLineColor, ZoomIn, ZoomOut, ZoomFit, ActualSize, NewWindow, SwitchWindows, GridLines,
    ResourceView, PropertiesView, Snap,
    // Help
    HomePage, Help, About,
};

// The picture at `size` pixels a side (16 or 32; other sizes scale the same drawing).
wxBitmap IconBitmap(Icon icon, int size);

// The collapsed-panel and tab-row pictures, 16 x 16, by their number in the panel strip.
wxBitmap PanelImage(int index);

} // namespace kelmora
