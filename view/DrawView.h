#pragma once
// CDrawView: the scrolling editing view on one document. It shows the page ("paper") in
// the middle of a scroll area 35 pages wide and high, paints background, paper, grid and
// the document's objects off screen, keeps the zoom state (a level of ZoomTable and the
// exact factor in use) and converts between the three coordinate spaces:
//
// - document units: 1/300 inch, the page from (0, 0) to the document's page size;
// - zoomed logical units: document units times the zoom factor; 300 of them make one
//   inch on the screen, and logical (0, 0), the page's top-left corner, lies 17 zoomed
//   page sizes from the top-left of the scroll area;
// - client units: window pixels.
//
// A logical point L shows at client pixel round((L + origin) · ppi / 300) − scroll, where
// origin is the zoomed 17 page sizes, ppi the screen's pixels per inch and scroll the
// scroll position in pixels; client to logical is the inverse, rounded.
//
// UI thread only.

#include "dialogs/DialogHooks.h"
#include "document/StylePresets.h"
#include "model/Argb.h"
#include "model/HandleCursor.h"
#include "model/ViewServices.h"
#include "platform/geometry/CPoint.h"
#include "platform/geometry/CRect.h"
#include "platform/geometry/CSize.h"
#include "platform/geometry/RectF.h"
#include "platform/graphics/ImageSurface.h"
#include "platform/imaging/ImageStatus.h"
#include "view/DrawTool.h"
#include "view/PreviewState.h"
#include "view/PrintSystem.h"
#include "view/SaveTarget.h"
#include "view/StylePresets.h"
#include "view/ToolCursors.h"

#include <wx/dnd.h>
#include <wx/region.h>
#include <wx/scrolwin.h>

class wxMouseCaptureLostEvent;
class wxTextCtrl;

#include <array>
#include <cairo.h>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class wxPrintDialogData;
class wxPrintPreview;

namespace kelmora {

class CDrawDoc;
class CDrawItem;
class CDrawRect;
class CMyPreviewViewEx;
class DeviceContext;
class Graphics;

class CDrawView : public wxScrolledCanvas, public ViewServices {
public:
    // The zoom factors of levels 0 to 10.
    static constexpr std::array<float, 11> ZoomTable{0.1f, 0.2f, 0.4f, 0.6f, 0.8f, 1.0f,
                                                      1.5f, 2.0f, 4.0f, 5.0f, 10.0f};
    static constexpr int kMinZoomLevel = 0;
    static constexpr int kMaxZoomLevel = 10;
    static constexpr int kActualSizeLevel = 5;
    // The zoom slider runs from 0 to 100, ten steps a level.
    static constexpr int kSliderStepsPerLevel = 10;

    // Logical units per inch.
    static constexpr int kLogicalPerInch = 300;
    // The page's top-left corner lies this many page sizes into the scroll area, whose
    // extent is kScrollPages page sizes.
    static constexpr int kPageOffsetPages = 17;
    static constexpr int kScrollPages = 35;

    // Update hints.
    static constexpr int kHintRepaint = 0;
    static constexpr int kHintRepaintErase = 1;
    static constexpr int kHintChanged = 2;
    static constexpr int kHintRemoved = 3;
    static constexpr int kHintOleObjects = 4;

    // A view of `document` in `parent`; it attaches itself to the document and detaches
    // itself when destroyed.
    CDrawView(wxWindow* parent, CDrawDoc& document, wxWindowID id = wxID_ANY);
    ~CDrawView() override;

    CDrawView(const CDrawView&) = delete;
    CDrawView& operator=(const CDrawView&) = delete;

    CDrawDoc& GetDocument() const { return m_document; }
    // The screen's pixels per inch, horizontally and vertically, as the view uses them.
    CSize GetLogPixels() const { return m_logPixels; }
    // The scroll position in pixels, and the scroll area's extent.
    CPoint GetScrollPosition() const;
    CSize GetTotalSize() const { return m_totalSize; }
    // Scrolls so that the scroll area's pixel `position` is at the client's top-left,
    // held within the scroll range.
    void ScrollToPosition(CPoint position);

    // ---- Coordinate conversions
    // Client to zoomed logical; with `unzoom` on to document units.
    void ClientToDocPoint(bool unzoom, CPoint& pt) const;
    // Both corners client to zoomed logical (not unzoomed).
    void ClientToDocRect(CRect& rc) const;
    // Zoomed logical to client; with `zoom` the point is in document units and is zoomed
    // first, so that this inverts ClientToDocPoint with the same flag.
    void DocToClientPoint(bool zoom, CPoint& pt) const;
    // Both corners as DocToClientPoint, the result normalised.
    void DocToClientRect(bool zoom, CRect& rc) const;
    // The corners (X, Y) and (X + Width, Y + Height), truncated to integers, through
    // DocToClientRect.
    void DocToClientRectF(bool zoom, RectF& rc) const;
    // Document to zoomed logical, truncated toward zero. (UnzoomPoints, ZoomPointsF,
    // UnzoomPointsF and ZoomRectF are the ones every view has.)
    void ZoomPoints(std::span<CPoint> points) const;
    void ZoomRect(CRect& rc) const;
    void UnzoomRect(CRect& rc) const;
    void UnzoomRectF(RectF& rc) const;

    // ---- Zoom
    // Applies m_fZoom and keeps the document point under `client` where it is.
    void ZoomAtPoint(CPoint client);
    bool CanZoomIn() const { return m_nZoomLevel < kMaxZoomLevel; }
    bool CanZoomOut() const { return m_nZoomLevel > kMinZoomLevel; }
    void OnZoomIn();
    void OnZoomOut();
    void OnActualSize();
    // Fits the page into the client area; the factor is the exact fit, not a table value.
    void OnZoomFit();
    // The zoom slider's position, 0 to 100.
    void OnZoomSlider(int position);
    int GetSliderPosition() const { return m_nZoomLevel * kSliderStepsPerLevel; }
    // One wheel step about a client point: up (positive delta) zooms in, anything else out.
    void ZoomByWheel(int delta, CPoint client);
    // Toggles the frames of embedded objects in every view.
    void OnShowObjects();

    // ---- Painting
    // Paints the client rectangle `box` (background, paper, grid, objects) into a new
    // surface of its size; nothing when no such surface can be made.
    std::optional<ImageSurface> RenderClient(const CRect& box);
    // The picture of the whole client area as a full repaint would paint it now, brought
    // up to date over the client rectangle `box`: what it holds from earlier paints is
    // kept (moved along after a scroll) and only the rest of `box` is painted. Null when
    // no picture can be kept (no surface to be had, or tool feedback in client pixels on
    // screen); the caller then paints `box` itself.
    const ImageSurface* PaintBacking(const CRect& box);
    // Takes the rectangle (all of the client area without one) out of what the backing
    // picture holds before the window repaints it.
    void Refresh(bool eraseBackground = true, const wxRect* rect = nullptr) override;
    // Repaints the client rectangle where only the drag feedback changed: the backing
    // picture's scene there stays.
    void RefreshFeedback(const CRect& box);
    // Repaints the client rectangle where only the selected objects changed, as in a drag
    // step: what lies beneath them there stays.
    void RefreshSelectionArea(const CRect& box);
    // Paper, grid and objects into `g`, whose transform maps zoomed logical units to the
    // target. On a printer page: at factor 1 without paper, grid or selection marks, the
    // zoom put back afterwards.
    void OnDraw(Graphics& g, DeviceContext& dc);
    void DrawPaper(Graphics& g);
    void DrawGrid(Graphics& g);

    // ---- Export
    // Asks for a file and saves the page there as a picture at screen resolution; a name
    // without an extension gets that of the chosen type, and an existing file is replaced
    // only when the user agrees. A failure is told to the user.
    void OnExportLogo();

    // Activation by the frame: mouse input and selection marks only in the active view.
    void OnActivateView(bool activate);

    // ---- Selection, placement and undo (DrawViewSelect.cpp). Every change of the
    // selection puts a pending live preview back first and ends with the frame's
    // selection refresh.
    // Without `add` empties the selection first (a null object then just empties it),
    // repainting when anything was selected; appends the object unless it is already
    // selected and repaints.
    void Select(CDrawObj* object, bool add = false);
    // As Select, for a click or a choice that changes the selection and nothing else: only
    // where marks go and come is repainted, not the whole window.
    void ChangeSelection(CDrawObj* object, bool add);
    // Selects the live objects whose bounds overlap the client rectangle with a positive
    // area, back to front; without `add` replaces the selection. An object already
    // selected stays where it is. Where marks go and come is repainted, as for
    // ChangeSelection. `ctrlFlag` (Ctrl at mouse-up) is not used.
    void SelectWithinRect(CRect rect, bool add, unsigned ctrlFlag = 0);
    // Takes the object out of the selection and repaints where its marks were; nothing
    // when it is not selected.
    void Deselect(CDrawObj* object);
    // Takes the object out of the selection and clears its join end point, without a repaint.
    void RemoveFromSelection(CDrawObj* object);
    using ViewServices::IsJoinCandidate;
    using ViewServices::IsSelected;
    // An embedded item stands for the drawing object that shows it.
    bool IsSelected(const CDrawItem* item) const;
    bool IsJoinCandidate(const CDrawItem* item) const;
    // Moves the object (not repainting, filing no undo) so that its centre lies on the
    // document point under the client point; nothing for null.
    void PlaceObjectAt(CDrawObj* object, CPoint client);
    // The same at the point of the view under the centre of the screen.
    void PlaceObjectAtScreenCenter(CDrawObj* object);
    // Performs the newest undo (redo) step of the document; a failure is reported. The
    // view is repainted either way. False on failure. A drag under way is taken back
    // instead.
    bool OnEditUndo();
    bool OnEditRedo();

    // ---- ViewServices
    bool IsJoinToolActive() const override;
    // The desktop's selection highlight colour (wxSYS_COLOUR_HIGHLIGHT), made opaque.
    uint32_t HighlightColor() const override;
    void Invalidate(bool erase = true) override;
    // Sizes the scroll area for the page and centres it in the window.
    void OnInitialUpdate() override;
    void OnUpdate(ViewServices* sender, int hint, CDrawObj* object) override;
    void SelectObjects(const std::vector<CDrawObj*>& objects) override;
    int GetObjectZOrder(CDrawObj* object) override;
    void SetObjectZOrder(int position, CDrawObj* object) override;
    void ReapplyZoom() override;
    // Empties the selection, imports the XPS file into the document, files what it added
    // as one insertion and selects it; a file that cannot be imported is told to the user.
    void ImportXps(const std::string& path) override;

    // ---- State, in the roles' order
    bool m_bShowGrid = true;
    bool m_bSnapToGrid = true;
    bool m_bSnapToCenter = true;
    bool m_bSnapToEdge = true;
    int m_nZoomLevel = kActualSizeLevel;
    CPoint m_ptZoomCenter;                 // client units
    int m_nLayoutState = 0;                // 1 after OnInitialUpdate, 2 after the first size change
    std::optional<CPoint> m_ptLayoutScroll; // where the size changes' centring left the view

private:
    // Select and ChangeSelection: with `marksOnly` the marks are repainted where they go and
    // come, else the whole window.
    void SelectObject(CDrawObj* object, bool add, bool marksOnly);
    // Repaints where the selection marks of these objects are drawn, as they come or go.
    void RefreshMarksOf(const std::vector<CDrawObj*>& objects);
    // Empties the selection, tells the frame, and hands back what was selected.
    std::vector<CDrawObj*> TakeSelection();
    CSize ZoomedPageOffset() const;
    CPoint ClientToLogical(CPoint client) const;
    CPoint LogicalToClient(CPoint logical) const;
    CPoint ClientCenter() const;
    // Sets the scroll area's extent in pixels.
    void SetScrollSizes(CSize total);
    // Scrolls the scroll area's centre to the client centre.
    void CenterScrollArea();
    // Sets the level and the factor of that level, then zooms about the client centre.
    void ZoomToLevel(int level);
    // Paints the client rectangle `box` through `cr`, whose transform maps client pixels
    // to the target.
    void PaintInto(cairo_t* cr, const CRect& box);

    // Performs the newest undo (redo) step, reports a failure and repaints: where the
    // objects were and are for a step that only moves a few of them, else the whole window.
    // False on failure.
    bool PerformAndRepaint(bool undo);
    // Binds the undo and redo commands.
    void BindSelectionCommands();
    // Binds the zoom and Show Objects commands with their update handlers (the command
    // ids of res/CommandIds.h; the zoom slider's event carries its position).
    void BindViewCommands();
    // Shows the zoom level on the frame's zoom slider.
    void ShowSliderPosition();
    // Reports a failed undo or redo step.
    void ReportUndoFailure(const char* text);

    void OnPaint(wxPaintEvent& event);
    void OnMouseWheel(wxMouseEvent& event);
    void OnSize(wxSizeEvent& event);
    // The toolkit's scroll range follows the client's size; an empty client (a window
    // shrunk until its neighbours take all of its room) leaves range and position as they
    // were, where the toolkit would reset the position to the scroll area's corner.
    void AdjustScrollbars() override;
    // The desktop colours a paint uses besides the document's: workspace, page shadow and
    // selection highlight.
    std::array<uint32_t, 3> LookColours() const;

    CDrawDoc& m_document;
    CSize m_logPixels{96, 96};
    CSize m_totalSize{0, 0};

    // The backing picture of PaintBacking: the client area at scroll position `scroll`,
    // painted with the desktop colours `look`. `valid` holds the pixels that show what a
    // full repaint at that position would; Refresh takes out what it asks to repaint.
    // `scene` is the same picture without the drag feedback, valid over `sceneValid`:
    // where only the feedback changed (RefreshFeedback), the picture is that scene with
    // the feedback laid over it, and no object is drawn again.
    // `below` is the layer of the scene beneath a small selection: the paper, the grid and
    // the objects before list position `split` (the backmost selected one), valid over
    // `belowValid` for the list as of `listChanges`. Where only the selection changed (a
    // drag step), the scene is that layer with the selection and what lies above it drawn
    // over it, and nothing below the selection is drawn again.
    struct Backing {
        std::optional<ImageSurface> surface;
        std::optional<ImageSurface> scene;
        std::optional<ImageSurface> below;
        CPoint scroll;
        std::array<uint32_t, 3> look{};
        wxRegion valid;
        wxRegion sceneValid;
        wxRegion belowValid;
        size_t split = 0;
        uint64_t listChanges = 0;
    };
    Backing m_backing;
    // Whether the backing picture holds the whole client area at the present scroll
    // position: nothing is waiting to be repainted.
    bool PictureUpToDate() const;
    // Takes the client rectangle (at the present scroll position) out of what the backing
    // picture holds, and with `scene` out of its scene, and with `below` out of the layer
    // beneath the selection.
    void ForgetBacking(const wxRect& rect, bool scene, bool below);
    // The list position that splits the scene into the layer beneath the selection and the
    // rest; 0 when no such layer is kept (nothing or too much selected).
    size_t LayerSplit() const;
    // The scene over the client rectangle `box`, painted over the layer beneath the
    // selection (brought up to date there first) from list position `split` on.
    std::optional<ImageSurface> RenderOverBelow(const CRect& box, size_t split);
    // Paints the drag feedback of the client rectangle `box` through `cr`, whose transform
    // is client pixels, over what the target holds there.
    void PaintFeedbackInto(cairo_t* cr, const CRect& box);
    // Runs `draw` on `cr` (client pixels) under the page's transform: logical units at the
    // view's zoom, scrolled, the page at its offset; the transform is put back afterwards.
    void DrawOnPage(cairo_t* cr, const std::function<void(Graphics&)>& draw);

    // ==== Drawing tools: mouse and key dispatch, drag repaint, tool commands ============
    // (DrawViewTools.cpp). The view hands the left button, double-clicks and mouse moves
    // of the active view to the current tool and the keys to the select tool. It holds the
    // mouse only from a button-down to its button-up, and a drag repaints only what it
    // changes.
public:
    // A client point in logical (zoomed document) units.
    CPoint ToLogical(CPoint client) const;
    // The selected object when exactly one is selected and it is still in the drawing.
    CDrawObj* SingleSelected() const;
    // Takes the mouse unless the view holds it already.
    void CaptureToolMouse();
    // Gives the mouse back, whichever editing view holds it; nothing when none does.
    static void ReleaseToolMouse();
    void SetToolCursor(ToolCursor cursor);
    void SetHandleCursor(HandleCursor cursor);
    // The rubber band of a selection drag (client units, any two corners), drawn by the
    // view's own painting.
    void SetRubberBand(const CRect& band);
    void ClearRubberBand();
    std::optional<CRect> GetRubberBand() const { return m_rcRubberBand; }
    // Typing in place over a new text object. When the entry closes, with the typed text
    // (unless `keepTyped` is false or nothing was typed), the object is filed as one
    // insertion. An object that is not a text object is filed at once.
    void BeginTextEntry(CDrawObj* object);
    void EndTextEntry(bool keepTyped);
    wxTextCtrl* GetTextEntry() const { return m_pTextObject ? m_pTextEntry : nullptr; }
    // The client rectangle a repaint of the object must cover now: what it painted last,
    // where it lies now with the room its outline and effects took then, and, when it is
    // selected, its selection marks.
    CRect ObjectPaintBox(CDrawObj* object);
    // The client rectangle the object's selection marks take where they are drawn now.
    CRect MarksPaintBox(CDrawObj* object);
    // The client rectangle of what the object painted (document units), shifted by `shift`
    // (document units), and of its marks where they are drawn now when it is selected.
    CRect MovedPaintBox(CDrawObj* object, RectF painted, PointF shift);
    // Asks for a repaint of where the snap marks and edge guides show now.
    void RefreshSnapFeedback();

    // ---- Tool, edit and view toggle commands
    // Makes `kind` current; what the tool in use has under way is taken back first.
    void OnChooseTool(ToolKind kind);
    void OnCopyFormat();
    void OnSelectAll();
    void OnSelectInverse();
    // Removes the selection as one undoable step.
    void OnEditClear();
    void OnGridLines();
    void OnSnapToGrid();
    void OnSnapToEdge();
    void OnSnapToCenter();
    // Escape: the current tool ends what it has under way (a drag is taken back, a
    // half-drawn poly object kept as far as it was clicked); the select tool is current.
    void OnCancelTool();

private:
    void BindToolCommands();
    void OnToolMouse(wxMouseEvent& event);
    void OnToolCaptureLost(wxMouseCaptureLostEvent& event);
    void OnToolKey(wxKeyEvent& event);
    // What a drag step repaints of the drawing: the selected objects and the rubber band.
    CRect DragPaintBox();
    // What a drag step repaints of the feedback drawn over the drawing: the edge guides
    // and the snap mark.
    std::vector<CRect> FeedbackPaintBoxes();
    // The client rectangles the edge guides cover: the guides of one column (or row) of
    // the window as one rectangle each. Guides reach far across a large drawing; a box
    // around them all would take in most of the window.
    std::vector<CRect> GuidePaintBoxes();
    // Repaints `box`, where only the selected objects change, and, where only the drag
    // feedback changes, the `feedback` rectangles.
    void RefreshBoxes(const CRect& box, const std::vector<CRect>& feedback);
    // Repaints the edges of a rubber band (client units) as feedback.
    void RefreshBandFrame(const CRect& band);
    // The rubber band, over everything else (client units).
    void PaintToolFeedback(cairo_t* cr);
    // After a paint during a drag: dragged objects that painted beyond the repainted area
    // (an estimate that fell short) have the rest repainted.
    void RepaintOverflow(const CRect& painted);
    // The view closes or goes inactive: its drag and its construction end.
    void ForgetToolState();
    // Undo and Redo while a drag or a construction runs in the view take that back instead
    // (the drag's own step is not filed yet). True when there was one.
    bool CancelToolWork();
    // A poly object under construction in the view goes whole, with nothing filed (Undo
    // and Delete in the middle of it).
    void TakeBackConstruction();

    // The room an object's outline and effects took around its bounds at its last drawing
    // before the drag began (document units).
    struct PaintMargins {
        CDrawObj* object = nullptr;
        float left = 0, top = 0, right = 0, bottom = 0;
        float width = 0, height = 0;   // the bounds then
        size_t index = 0;              // where the document last had its painted area
    };
    PaintMargins& MarginsOf(CDrawObj* object);

    std::optional<CRect> m_rcRubberBand;   // client units, normalised
    wxTextCtrl* m_pTextEntry = nullptr;    // a child of the view while text is typed
    CDrawRect* m_pTextObject = nullptr;    // the text object being typed into
    int m_nRepaintDeferral = 0;            // > 0: Invalidate only notes the request
    bool m_bRepaintDeferred = false;
    std::vector<PaintMargins> m_dragMargins;

    // ==== Editing commands: styles and live preview, effects and text, arrange and group,
    // insert and import, clipboard, drag and drop and the object menu ====================
    // (DrawViewStyle.cpp, DrawViewEffects.cpp, DrawViewArrange.cpp, DrawViewInsert.cpp,
    // DrawViewClipboard.cpp). Each command acts on the selection: it reads its value
    // (from the ribbon through the frame, or from a dialog) first, and with no value it
    // changes nothing and files nothing; otherwise it files one undo step (structural
    // commands one parent step), changes the objects, marks the document modified,
    // refreshes the frame's panes and repaints. A pending live preview is put back, quietly,
    // before any command, selection change or change of the document, so that undo always
    // returns to the drawing without it.
public:
    using XPreviewStateItem = PreviewState::XPreviewStateItem;

    // What the commands ask of the user in windows of their own; tests answer in the
    // user's place.
    struct CommandPrompts {
        // Modal dialogs (line weight, outline pen, batch convert, dash style) and the
        // object menu.
        DialogHooks dialogs;
        // An existing file chosen through the wildcard filter; nothing when cancelled.
        std::function<std::optional<std::string>(const std::string& filter)> openFile;
        // A file to save to, chosen through the wildcard filter with the dialog offering
        // `offered` (no file when its path is empty); nothing when cancelled. The dialog
        // does not ask before a file is replaced: the command asks about the file it writes.
        std::function<std::optional<SaveTarget>(const std::string& filter, const SaveTarget& offered)> saveFile;
        CommandPrompts();
    };
    CommandPrompts m_prompts;

    // ---- Live preview, called by the frame while the pointer is over a gallery or palette
    // Keeps the state of the selected objects, each once per preview.
    void SavePreviewState();
    // Puts the kept state back, repaints and ends the preview; nothing when none is pending.
    void RestorePreviewState();
    // Forgets the kept state; the objects stay as they are.
    void ClearPreviewState();
    bool IsPreviewPending() const { return m_previewStates.IsPending(); }
    void DropPreview() override { RestorePreviewState(); }
    // The appliers change the selection without undo, modified flag or frame refresh; each
    // keeps the selection's state first when nothing is kept yet.
    void ApplyFillColor(ARGB color);
    void ApplyLineColor(ARGB color);
    // A line weight in points (the Line Weight gallery's item + 1).
    void ApplyLineWeight(int weight);
    void ApplyDashStyle(int index);
    void ApplyQuickStyle(QuickStyle row);
    void ApplyShadowPreset(int index);
    void ApplyGlowPreset(int index);
    void ApplyReflectionPreset(int index);
    void ApplyTextEffect(int index);
    void ApplyShadowColor(ARGB color);
    void ApplyGlowColor(ARGB color);

    // ---- Style commands
    void OnFillColor();
    void OnNoFill();
    void OnLineColor();
    void OnNoLine();
    void OnLineWeight();
    void OnMoreLines();
    void OnDashStyles();
    void OnMoreDashStyles();
    // The outline pen dialog on the one selected object's pen.
    void OnPenProperties();
    void OnQuickStyle();
    // Where the outline pen dialog finds its line-cap presets; the frame sets it when it
    // makes its panes (those of the properties pane's pen dialog).
    static inline PresetFolders s_capPresetFolders;
    // The colour behind the page (0xRRGGBB), shared by all views; the frame sets it from
    // the application look. Unset, the desktop's workspace colour is used.
    static inline std::optional<uint32_t> s_workspaceColour;

    // ---- Effect and text commands
    void OnShadowGallery();
    void OnGlowGallery();
    void OnReflectionGallery();
    void OnTextGallery();
    void OnShadowDirection();
    void OnShadowColor();
    void OnGlowColor();
    void OnReflectionShown();
    void OnReflectionStart();
    void OnReflectionEnd();
    void OnTextContent();
    void OnTextFont();
    void OnTextSize();
    // Toggles one font-style bit (1 bold, 2 italic, 4 underline, 8 strikeout) of the
    // selected text objects.
    void OnTextStyle(int32_t bit);
    // The one selected object when it is a text object.
    CDrawRect* SingleTextObject() const;

    // ---- Arrange, group and convert commands
    enum class ZOrderMove { Back, Forward, ToBack, ToFront };
    void OnZOrder(ZOrderMove move);
    void OnRotate90(bool clockwise);
    void OnMirror(bool horizontal);
    // Mode 0 lefts, 1 rights, 2 tops, 3 bottoms, 4 centres, 5 middles.
    void OnAlign(int mode);
    void OnGroup();
    void OnUngroup();
    void OnExplode();
    void OnConvertToCustom();
    // The object menu at a client point: the view's window is activated first; the object
    // there is selected (alone, unless it is selected already) and the menu shown; no
    // object, no menu. True when shown.
    bool ShowObjectMenu(CPoint client);
    // Makes the document window that holds the view the active one, and the view its
    // active pane.
    void ActivateFrame();

    // ---- Insert and import commands
    void OnInsertImage();
    void OnImport();
    void OnBatchConvert();
    // A new image object of the picture file, named "Image - %d", added, selected alone
    // and filed as one insertion; with `client` centred there. Null, with the user told
    // why, when the file holds no picture that can be read.
    CDrawObj* InsertImageFile(const std::string& path, std::optional<CPoint> client = std::nullopt);

    // ---- Clipboard, drag and drop
    // Puts the selection on the clipboard as the program's own record and as a PNG
    // picture; false (the user told why) when the clipboard did not take it.
    bool OnEditCopy();
    // Copy, then, only once the clipboard holds the data, the Delete command.
    void OnEditCut();
    // Pastes the program's own record, or else a picture, as new objects; nothing changes
    // when the clipboard holds neither or its data is refused.
    void OnEditPaste();
    // Whether the clipboard offers something to paste, as last heard from the clipboard;
    // asking never waits for the clipboard's owner.
    bool CanPaste() const;
    // Adds the objects of a record of the program's own format, all or none, as one
    // insertion, selected; with `client` their bounds are centred there. False, with the
    // user told why and nothing selected, when the record is refused.
    bool PasteObjects(std::span<const uint8_t> record, std::optional<CPoint> client = std::nullopt);
    // Adds an image object of encoded picture bytes as one insertion (nothing, the user
    // told why, for bytes that are no picture).
    CDrawObj* PastePicture(std::span<const uint8_t> bytes, std::optional<CPoint> client = std::nullopt);
    // Inserts dropped files at a client point: pictures as image objects, drawing files
    // (.MZF) as their objects; one insertion for all. The files that could not be read are
    // named to the user. True when anything was inserted.
    bool DropFiles(const std::vector<std::string>& paths, CPoint client);
    // Drags the selection out of the view (to another view or window of this or another
    // running program, or as a picture to other programs) as the program's own record and
    // a picture; when it is moved elsewhere the selection is deleted here. The effect the
    // drop had.
    int StartSelectionDrag();

    // ---- Drag feedback
    // While data is dragged over the view, a dotted rectangle the size of what is dragged
    // follows the mouse, the mouse at its centre; it is erased when the drag leaves or
    // drops. A drag enters with the size of what it carries in document units ((0, 0)
    // when unknown, as for data from other programs: then no rectangle shows and the
    // mouse point alone is tested).
    void OnDragEnter(float width, float height);
    // The effect a drop at `client` would have, with the rectangle moved there: none when
    // the rectangle lies wholly outside the scroll area or Ctrl and Shift are both held;
    // copy with Ctrl, or when the data cannot be moved; move otherwise.
    wxDragResult OnDragOver(CPoint client, bool ctrl, bool shift, bool movable);
    void OnDragLeave();

    // Client pixels: top-left of the rectangle shown last, size of the dragged data and
    // the mouse's offset inside it; the effect shown last (none: no rectangle is shown).
    CPoint m_ptDragPos;
    CSize m_szDragObject;
    CSize m_szDragOffset;
    wxDragResult m_nLastDropEffect = wxDragNone;

private:
    // Repaints where the drag rectangle at `position` is, or was.
    void RefreshDragRect(CPoint position);
    void BindEditingCommands();
    void BindEffectCommands();
    void BindArrangeCommands();
    void BindInsertCommands();
    void BindClipboardCommands();
    // Binds a command of the editing commands; the handler runs after the pending preview
    // was put back, and nothing it throws escapes to the event loop.
    void OnEditingCommand(int command, std::function<void()> handler);
    void EnableWhen(int command, std::function<bool()> enabled);
    // The command sequence over the whole selection: one change unit, `change` on every
    // selected object, the modified flag, the frame's refresh and a repaint. False for an
    // empty selection.
    bool CommitToSelection(const std::function<void(CDrawObj&)>& change);
    // The ribbon colour button's colour as opaque ARGB; nothing when it has none.
    std::optional<ARGB> RibbonColor(int button) const;
    // The selected item of a ribbon gallery, -1 for none.
    int GallerySelection(int gallery) const;
    // A reflection edit: the ribbon edit's integer, held within [low, high], into `field`.
    void CommitReflectionEdit(int command, int low, int high, uint32_t CDrawObj::*field);
    // The appliers' sequence: the state kept, `change` on every selected object, a repaint.
    void PreviewOnSelection(const std::function<void(CDrawObj&)>& change);
    // Repaints every view of the document.
    void RepaintViews();
    // Refreshes the frame's status counts and panes.
    void RefreshFrame();
    // Tells the user of a failed command.
    void TellUser(std::string_view text);
    // Files the objects as one insertion, selects them and refreshes.
    void FileInsertion(const std::vector<CDrawObj*>& objects);
    // A new image object of the decoded picture (of the picture file), outline off, named
    // "Image - %d", not yet added; null when it did not decode.
    std::unique_ptr<CDrawObj> MakeImageObject(std::span<const uint8_t> bytes);
    std::unique_ptr<CDrawObj> LoadImageObject(const std::string& path, ImageStatus* status = nullptr);
    // Adds the image object, centred at `client` when given, and files it as one insertion.
    CDrawObj* AddImageObject(std::unique_ptr<CDrawObj> image, std::optional<CPoint> client);
    // Moves the objects so that the centre of their common bounds lies on the document
    // point under the client point.
    void CentreObjectsAt(const std::vector<CDrawObj*>& objects, CPoint client);
    // Explode and Convert: each selected object is replaced by the objects `turn` makes
    // of it (under one parent step); one that turns into nothing stays, selected.
    void ReplaceSelection(const std::function<void(CDrawObj&, std::vector<std::unique_ptr<CDrawObj>>&)>& turn);
    // The objects by their stacking order, back to front.
    std::vector<CDrawObj*> InStackingOrder(std::vector<CDrawObj*> objects) const;
    // Keeps what the clipboard offers up to date from its change notices.
    void WatchClipboard();
    // Turns a move dragged onto another editing view into a drag of the selection.
    void WatchSelectionDrags();
    // The Import command's import: the objects it added (nothing when it failed, the user
    // told why).
    std::vector<CDrawObj*> ImportXpsObjects(const std::string& path);

    PreviewState m_previewStates;

    // ==== Printing (DrawViewPrint.cpp) ==================================================
public:
    // The drawing prints as one page, the document at its actual size.
    // Print (with the print dialog) and Quick Print (without it, to the setup's printer;
    // with no printer known there is nothing to print to without asking, so the dialog
    // comes up). The job runs with the session's setup, which keeps what a printed job's
    // dialog chose.
    void OnFilePrint(bool prompt);
    // Print Preview: opens the preview frame, or brings an open one to the front. When no
    // preview can be made it says so and leaves the panes as they were.
    void OnFilePrintPreview();
    // Sent by the child frame while the preview is shown: print from it, close it.
    void OnPreviewPrint();
    void OnPreviewClose();
    // One print job of the page with `setup`, after the print dialog when `prompt`. Only
    // a printed job records the time in the summary information; a failed one is told to
    // the user; nothing else of the document changes.
    PrintResult PrintPage(wxPrintDialogData& setup, bool prompt);
    // Around a preview the frame hides its panes and the child frame shows the preview
    // state; afterwards both are put back. A print job needs neither.
    void OnBeginPrinting(bool preview);
    void OnEndPrinting(bool preview);
    // Draws the page onto `cr`, one document unit being scaleX by scaleY units of the
    // context: at factor 1, without paper, grid, selection or snap marks. For a printer
    // (not the preview) the printing flag is set meanwhile, so that effects reach it
    // through image files.
    void OnPrint(cairo_t* cr, double scaleX, double scaleY, bool preview);
    // A preview of the page with `setup`; null, the user told, when the print system
    // cannot make one.
    std::unique_ptr<wxPrintPreview> CreatePrintPreview(const wxPrintDialogData& setup);
    // The open preview frame; null while none is open.
    CMyPreviewViewEx* GetPrintPreviewFrame() const { return m_pPreviewFrame; }
    // The preview frame has closed.
    void OnPreviewClosed();

private:
    // Binds Print, Quick Print, Print Preview and the preview's print and close commands.
    void BindPrintCommands();
    // The view goes while its preview is open: the preview closes without calling back.
    void ClosePrintPreviewOnDestroy();
    CMyPreviewViewEx* m_pPreviewFrame = nullptr;
    // ==== end of printing ================================================================
};

// The PNG picture that the clipboard and a drag offer other programs: the objects drawn
// back to front on a transparent ground at screen resolution, cut to what they paint (at
// most 4096 pixels a side). Empty when they paint nothing.
std::vector<uint8_t> PictureOfObjects(const std::vector<CDrawObj*>& objects);

} // namespace kelmora
