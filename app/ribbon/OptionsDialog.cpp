#include "app/ribbon/OptionsDialog.h"

#include "platform/ui/RibbonElement.h"
#include "res/CommandIds.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/imaglist.h>
#include <wx/listbox.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <algorithm>

namespace kelmora {

namespace {

const std::vector<int> kPopularCommands{cmd::kFileNew,          cmd::kFileOpen,         cmd::kFileSave,
                                        cmd::kImportXps,        cmd::kExportLogo,       cmd::kBatchConvert,
                                        cmd::kFilePrintPreview, cmd::kFilePrintDirect,  cmd::kEditUndo,
                                        cmd::kEditRedo};

// Each command once, and only those a toolbar button can stand for.
std::vector<int> Usable(const RibbonElementSet& elements, const std::vector<int>& ids)
{
    std::vector<int> usable;
    for (int id : ids) {
        const RibbonElement* element = elements.Find(id);
        if (element && element->CanSitOnQuickAccess() && std::find(usable.begin(), usable.end(), id) == usable.end())
            usable.push_back(id);
    }
    return usable;
}

} // namespace

COptionsDialog::COptionsDialog(wxWindow* parent, const RibbonElementSet& elements, std::vector<int> hiddenCommands,
                               std::vector<int> allCommands, std::vector<QuickAccessEntry> entries,
                               std::vector<QuickAccessEntry> defaults)
    : wxDialog(parent, wxID_ANY, "Options", wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_elements(elements), m_model(std::move(defaults))
{
    m_model.Assign(std::move(entries));
    m_categories = {Usable(elements, kPopularCommands), Usable(elements, hiddenCommands), Usable(elements, allCommands)};

    auto* pages = new wxListBox(this, wxID_ANY, wxDefaultPosition, wxSize(kPageListWidth, -1));
    pages->Append("Customize");
    pages->SetSelection(0);

    auto* page = new wxBoxSizer(wxVERTICAL);
    page->Add(new wxStaticText(this, wxID_ANY, "Customize the Quick Access Toolbar."), 0, wxBOTTOM, 8);
    auto* chooser = new wxBoxSizer(wxHORIZONTAL);
    chooser->Add(new wxStaticText(this, wxID_ANY, "&Choose commands from:"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
    m_category = new wxChoice(this, wxID_ANY);
    m_category->Append("Popular Commands");
    m_category->Append("Commands not in the Ribbon");
    m_category->Append("All Commands");
    chooser->Add(m_category, 1);
    page->Add(chooser, 0, wxEXPAND | wxBOTTOM, 6);

    auto* images = new wxImageList(16, 16, true);
    for (const RibbonElement* element : elements.All()) {
        if (element->smallImage.IsOk())
            images->Add(element->smallImage);
    }
    const auto makeList = [this](wxImageList* list) {
        auto* view = new wxListView(this, wxID_ANY, wxDefaultPosition, wxSize(220, 300),
                                    wxLC_REPORT | wxLC_NO_HEADER | wxLC_SINGLE_SEL);
        view->AppendColumn(wxString(), wxLIST_FORMAT_LEFT, 200);
        view->SetImageList(list, wxIMAGE_LIST_SMALL);
        return view;
    };
    m_commands = makeList(images);
    m_toolbar = makeList(images);
    // Both lists share the picture list; the dialog keeps it.
    Bind(wxEVT_DESTROY, [images, this](wxWindowDestroyEvent& event) {
        if (event.GetWindow() == this)
            delete images;
        event.Skip();
    });

    m_add = new wxButton(this, wxID_ANY, "&Add >>");
    m_remove = new wxButton(this, wxID_ANY, "<< &Remove");
    auto* middle = new wxBoxSizer(wxVERTICAL);
    middle->AddStretchSpacer();
    middle->Add(m_add, 0, wxEXPAND | wxBOTTOM, 6);
    middle->Add(m_remove, 0, wxEXPAND);
    middle->AddStretchSpacer();

    // Each as narrow as its arrow and the theme's padding allow: narrower, the arrow is not
    // drawn at all.
    m_up = new wxButton(this, wxID_ANY, wxString::FromUTF8("\xE2\x96\xB2"), wxDefaultPosition, wxDefaultSize,
                        wxBU_EXACTFIT);
    m_down = new wxButton(this, wxID_ANY, wxString::FromUTF8("\xE2\x96\xBC"), wxDefaultPosition, wxDefaultSize,
                          wxBU_EXACTFIT);
    m_up->SetToolTip("Move Up");
    m_down->SetToolTip("Move Down");
    auto* order = new wxBoxSizer(wxVERTICAL);
    order->AddStretchSpacer();
    order->Add(m_up, 0, wxBOTTOM, 6);
    order->Add(m_down, 0);
    order->AddStretchSpacer();

    auto* lists = new wxBoxSizer(wxHORIZONTAL);
    lists->Add(m_commands, 1, wxEXPAND);
    lists->Add(middle, 0, wxEXPAND | wxLEFT | wxRIGHT, 8);
    lists->Add(m_toolbar, 1, wxEXPAND);
    lists->Add(order, 0, wxEXPAND | wxLEFT, 6);
    page->Add(lists, 1, wxEXPAND);
    auto* reset = new wxButton(this, wxID_ANY, "R&eset");
    page->Add(reset, 0, wxALIGN_RIGHT | wxTOP, 6);

    auto* body = new wxBoxSizer(wxHORIZONTAL);
    body->Add(pages, 0, wxEXPAND | wxRIGHT, 10);
    body->Add(page, 1, wxEXPAND);
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(body, 1, wxEXPAND | wxALL, 10);
    top->Add(CreateSeparatedButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizerAndFit(top);

    m_category->Bind(wxEVT_CHOICE, [this](wxCommandEvent& event) { ShowCategory(event.GetSelection()); });
    m_add->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        if (const int index = SelectedCommand(); index >= 0)
            AddCommand(size_t(index));
    });
    m_commands->Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent& event) { AddCommand(size_t(event.GetIndex())); });
    m_remove->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        if (const int index = SelectedEntry(); index >= 0)
            RemoveEntry(size_t(index));
    });
    m_up->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        if (const int index = SelectedEntry(); index >= 0)
            MoveEntry(size_t(index), -1);
    });
    m_down->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        if (const int index = SelectedEntry(); index >= 0)
            MoveEntry(size_t(index), 1);
    });
    reset->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { ResetEntries(); });
    for (wxListView* list : {m_commands, m_toolbar}) {
        list->Bind(wxEVT_LIST_ITEM_SELECTED, [this](wxListEvent& event) {
            UpdateButtons();
            event.Skip();
        });
        list->Bind(wxEVT_LIST_ITEM_DESELECTED, [this](wxListEvent& event) {
            UpdateButtons();
            event.Skip();
        });
    }

    ShowCategory(0);
    FillEntries(-1);
}

namespace {

int ImageIndex(const RibbonElementSet& elements, int id)
{
    int index = 0;
    for (const RibbonElement* element : elements.All()) {
        if (!element->smallImage.IsOk())
            continue;
        if (element->Id() == id)
            return index;
        ++index;
    }
    return -1;
}

} // namespace

void COptionsDialog::ShowCategory(int category)
{
    if (category < 0 || size_t(category) >= m_categories.size())
        return;
    m_category->SetSelection(category);
    m_listed = m_categories[size_t(category)];
    FillCommands();
}

void COptionsDialog::FillCommands()
{
    m_commands->DeleteAllItems();
    for (size_t i = 0; i < m_listed.size(); ++i) {
        const RibbonElement* element = m_elements.Find(m_listed[i]);
        m_commands->InsertItem(long(i), wxString::FromUTF8(element->Title()), ImageIndex(m_elements, m_listed[i]));
    }
    UpdateButtons();
}

std::vector<size_t> COptionsDialog::ShownEntries() const
{
    const std::vector<QuickAccessEntry>& entries = m_model.Entries();
    std::vector<size_t> shown;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].shown && m_elements.Find(entries[i].id))
            shown.push_back(i);
    }
    return shown;
}

void COptionsDialog::FillEntries(int select)
{
    m_toolbar->DeleteAllItems();
    long row = 0;
    for (size_t i : ShownEntries()) {
        const int id = m_model.Entries()[i].id;
        m_toolbar->InsertItem(row++, wxString::FromUTF8(m_elements.Find(id)->Title()), ImageIndex(m_elements, id));
    }
    if (select >= 0 && select < m_toolbar->GetItemCount())
        m_toolbar->Select(select);
    UpdateButtons();
}

int COptionsDialog::SelectedCommand() const
{
    return int(m_commands->GetFirstSelected());
}

int COptionsDialog::SelectedEntry() const
{
    return int(m_toolbar->GetFirstSelected());
}

void COptionsDialog::UpdateButtons()
{
    m_add->Enable(SelectedCommand() >= 0);
    const int entry = SelectedEntry();
    m_remove->Enable(entry >= 0);
    m_up->Enable(entry > 0);
    m_down->Enable(entry >= 0 && size_t(entry) + 1 < ShownEntries().size());
}

void COptionsDialog::AddCommand(size_t index)
{
    if (index >= m_listed.size())
        return;
    const int id = m_listed[index];
    m_model.Add(id);
    const std::vector<size_t> shown = ShownEntries();
    for (size_t row = 0; row < shown.size(); ++row) {
        if (m_model.Entries()[shown[row]].id == id)
            FillEntries(int(row));
    }
}

void COptionsDialog::RemoveEntry(size_t index)
{
    const std::vector<size_t> shown = ShownEntries();
    if (index >= shown.size())
        return;
    // An entry of the defaults stays in the toolbar's menu, hidden; one the user added goes.
    const int id = m_model.Entries()[shown[index]].id;
    const std::vector<QuickAccessEntry>& defaults = m_model.Defaults();
    if (std::any_of(defaults.begin(), defaults.end(), [id](const QuickAccessEntry& e) { return e.id == id; }))
        m_model.SetShown(id, false);
    else
        m_model.Remove(id);
    FillEntries(std::min(int(index), int(shown.size()) - 2));
}

void COptionsDialog::MoveEntry(size_t index, int delta)
{
    const std::vector<size_t> shown = ShownEntries();
    const long target = long(index) + delta;
    if (index >= shown.size() || target < 0 || size_t(target) >= shown.size())
        return;
    // The entry moves past its shown neighbour; the hidden entries keep their order.
    m_model.Move(shown[index], int(shown[size_t(target)]) - int(shown[index]));
    FillEntries(int(target));
}

void COptionsDialog::ResetEntries()
{
    m_model.Reset();
    FillEntries(-1);
}

} // namespace kelmora
