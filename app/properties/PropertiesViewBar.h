#pragma once
// CPropertiesViewBar: the properties pane. From top to bottom it holds the object list
// ("Document" and the objects of the active document by name), the unit toolbar and a
// property grid that shows either the document or one drawing object. Edits in the grid
// are written back with one undo step each (PropertiesViewBarEdit.cpp); the lists the grid
// shows are the tables of PropertyRows.h (PropertiesViewBarLists.cpp).
//
// The frame creates the pane, docks it and hands it what it shows: the selection of the
// active view, the objects a document gains and loses, the unit of a new document. The
// pane reaches the active view and document only through its host.
//
// UI thread only.

#include "app/properties/LengthUnits.h"
#include "app/properties/PropertiesPane.h"
#include "app/properties/PropertyEdits.h"
#include "app/properties/PropertyImages.h"
#include "app/properties/PropertyRows.h"
#include "app/properties/StyleEditors.h"
#include "document/DrawUnit.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include <wx/panel.h>

class wxCommandEvent;
class wxPGProperty;
class wxPropertyCategory;
class wxPropertyGridEvent;
class wxPropertyGridManager;
class wxUpdateUIEvent;

namespace kelmora {

class CDrawDoc;
class CDrawObj;
class CObjectCombo;
class CPropertiesToolBar;
class PropertiesPaneHost;

class CPropertiesViewBar : public wxPanel, public PropertiesPane {
public:
    static constexpr int kObjectComboId = 1;
    static constexpr int kGridId = 2;
    // The height of the box under the grid that describes the selected row: a title and
    // about four lines of text.
    static constexpr int kDescriptionHeight = 95;
    // The caption of the pane.
    static constexpr char kCaption[] = "Properties";

    // Needs a parent; `host` must outlive the pane.
    CPropertiesViewBar(wxWindow* parent, PropertiesPaneHost& host, wxWindowID id = wxID_ANY);
    ~CPropertiesViewBar() override;

    wxWindow* GetWindow() override { return this; }

    // ---- The object list
    // The entry that carries the object, added (by name) when there is none; its index.
    // −1 for null.
    int AddObject(CDrawObj* object) override;
    // Deletes the object's entry; the grid is emptied when it shows that object, and the
    // object leaves the multi-selection.
    void RemoveObject(CDrawObj* object) override;
    // Adds "Document" (made current) and every live object of the list. Does not empty
    // the list first.
    void FillComboFromDocument(const std::vector<std::unique_ptr<CDrawObj>>& objects);
    void FillComboFromDocument(CDrawDoc& document) override;
    // Adds the entry of every object of the list that has none.
    void AddObjects(const std::vector<CDrawObj*>& objects) override;

    // ---- What the grid shows
    // Shows the selection: the document when it is empty, its first object otherwise;
    // with several objects, edits marked for all reach every one.
    void SetSelection(const std::vector<CDrawObj*>& selection) override;
    // Makes entry `index` current and shows it: a live object's list, else the active
    // document's (a deleted object's entry is dropped). The entry's object, null for the
    // document or an index out of range.
    CDrawObj* ShowCurrentItem(int index);
    // The same for the entry of a listed object (null: the document).
    CDrawObj* ShowCurrentObject(CDrawObj* object);
    // Rebuilds the grid for what it shows (after a unit change, for example); nothing
    // while it is empty.
    void RefreshProperties() override;
    // Empties the object list, the grid and the multi-selection.
    void ClearAll() override;
    // The document list for `document`; null leaves the grid as it is.
    void FillDocumentProperties(CDrawDoc* document);
    void FillDocumentProperties(CDrawDoc& document) override { FillDocumentProperties(&document); }
    // The object list for `object`.
    void FillObjectProperties(CDrawObj* object);

    // ---- Units
    DrawUnit GetUnit() const override { return m_nUnit; }
    // Changes the unit only; RefreshProperties shows it.
    void SetUnit(DrawUnit unit) override { m_nUnit = unit; }
    // A length as the pane shows it (also for the status bar's cursor position).
    LengthValue MakeLengthValue(float length) const;
    // The document length of a length row's value. Pixels are at the screen's pixels per
    // inch, asked at each conversion.
    float LengthFromValue(const wxVariant& value) const;

    // ---- Parts, for the frame and for tests
    CObjectCombo* GetObjectCombo() const { return m_comboObjects; }
    CPropertiesToolBar* GetUnitToolBar() const { return m_toolbarUnits; }
    wxPropertyGridManager* GetGrid() const { return m_gridProps; }
    StyleEditors& Editors() { return m_editors; }
    const PropertyImageLists& ImageLists() const { return m_images; }
    // The internal name of a row: unique in the grid, made of its group's and its own name.
    static wxString RowName(std::string_view group, std::string_view label);
    CDrawObj* ShownObject() const { return m_pShownObject; }
    // The text of the description box below the grid.
    wxString DescriptionText() const;
    bool ShowsDocument() const { return m_pShownDocument != nullptr; }

private:
    struct PendingEdit {
        wxPGProperty* property = nullptr;
        EditInput input;
    };

    // ---- Lists (PropertiesViewBarLists.cpp)
    wxPropertyCategory* AddGroup(std::string_view name, void* item);
    void AddRows(wxPGProperty* group, std::string_view groupName, std::span<const RowDef> rows,
                 const RowSource& source);
    void AddFillRows(wxPGProperty* group, std::string_view groupName, const BrushMan& brush, CDrawObj* object);
    wxPGProperty* MakeRow(const RowDef& def, const RowValue& value, std::string_view groupName,
                          const RowSource& source);
    wxPGProperty* MakeLengthRow(const wxString& label, const wxString& name, float length);
    wxPGProperty* MakeOptionRow(const wxString& label, const wxString& name, const std::vector<std::string>& options,
                                const std::string& value);
    void AddColorRows(wxPGProperty* group, const RowDef& def, ARGB color, std::string_view groupName);
    const wxImageList& ImageList(IconSet set) const;
    const std::vector<std::string>& FontNames();
    // Removes the fill rows of the group below its "Fill" row and adds those of the
    // fill's present kind (none for "None").
    void RebuildFillGroup(std::string_view groupName, const std::string& fillText);

    // ---- Edits (PropertiesViewBarEdit.cpp)
    void OnPropertyChanging(wxPropertyGridEvent& event);
    void OnPropertyChanged(wxPropertyGridEvent& event);
    // The value of a row read as the rule reads it, with the sibling values it needs.
    EditInput ReadInput(const EditRule& rule, wxPGProperty* property, const wxVariant& value,
                        std::string_view groupName) const;
    // Why the edit is refused, or nothing.
    std::optional<std::string> CheckEdit(const EditRule& rule, std::string_view groupName, EditInput& input);
    void ApplyEdit(const EditRule& rule, wxPGProperty* property, std::string_view groupName, EditInput& input);
    // Every row of the object shown again after an edit of it.
    void ShowEditedObject(CDrawObj* shown);
    void ReportMessage(const wxString& text);

    // ---- The pane's own events
    void OnObjectSelChange(wxCommandEvent& event);
    void OnUnit(DrawUnit unit);
    void OnUpdateUnit(wxUpdateUIEvent& event, DrawUnit unit);
    // The multi-selection without the objects that have left the drawing.
    const std::vector<CDrawObj*>& MultiSelection();
    void SetMultiSelection(std::vector<CDrawObj*> objects);
    void UpdateGridFont();
    // Forgets what the grid shows and empties it.
    void ClearGrid();
    // After a list was built for `shown` (the object or the document).
    void FinishFill(const void* shown);
    // The name column as wide as the longest name shown.
    void FitNameColumn();
    // Moves the editors the grid has let go of (hidden until they are deleted) out of it.
    void SetAsideDiscardedEditors();

    PropertiesPaneHost& m_host;
    CObjectCombo* m_comboObjects = nullptr;
    CPropertiesToolBar* m_toolbarUnits = nullptr;
    wxPropertyGridManager* m_gridProps = nullptr;
    PropertyImageLists m_images;
    // The selection of the active view while more than one object is selected; empty
    // otherwise. A copy: the pane never points into a list that may go away. Objects that
    // leave the drawing meanwhile are noted in m_multiSelGone and dropped from the copy
    // when it is next read (MultiSelection): a Delete of thousands removes them one by one.
    std::vector<CDrawObj*> m_multiSel;
    std::unordered_set<const CDrawObj*> m_multiSelGone;
    DrawUnit m_nUnit = DrawUnit::Inches;
    StyleEditors m_editors;

    CDrawObj* m_pShownObject = nullptr;
    CDrawDoc* m_pShownDocument = nullptr;
    std::optional<PendingEdit> m_pending;
    std::optional<std::vector<std::string>> m_fontNames;
    // What the last list was built for, the row selected when it was emptied, and whether
    // the user has dragged the name column since.
    const void* m_pFilledFor = nullptr;
    wxString m_strSelectedRow;
    bool m_bSplitterMoved = false;
};

} // namespace kelmora
