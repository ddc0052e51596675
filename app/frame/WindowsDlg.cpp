#include "app/frame/WindowsDlg.h"

#include "app/documents/DrawDocument.h"
#include "app/documents/DrawFrameView.h"
#include "app/frame/MainFrame.h"

#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/sizer.h>

#include <algorithm>

namespace kelmora {

namespace {

constexpr int kActivateId = 1;
constexpr int kSaveId = 2;
constexpr int kCloseWindowId = 3;

} // namespace

CWindowsDlg::CWindowsDlg(CMainFrame* frame)
    : wxDialog(frame, wxID_ANY, "Windows", wxDefaultPosition, wxDefaultSize, wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      m_frame(frame)
{
    m_list = new wxListBox(this, wxID_ANY, wxDefaultPosition, wxSize(320, 220), 0, nullptr, wxLB_EXTENDED);
    auto* buttons = new wxBoxSizer(wxVERTICAL);
    buttons->Add(new wxButton(this, kActivateId, "&Activate"), 0, wxEXPAND | wxBOTTOM, 6);
    buttons->Add(new wxButton(this, wxID_OK, "OK"), 0, wxEXPAND | wxBOTTOM, 6);
    buttons->Add(new wxButton(this, kSaveId, "&Save"), 0, wxEXPAND | wxBOTTOM, 6);
    buttons->Add(new wxButton(this, kCloseWindowId, "&Close Window(s)"), 0, wxEXPAND);
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    sizer->Add(m_list, 1, wxEXPAND | wxALL, 10);
    sizer->Add(buttons, 0, wxTOP | wxRIGHT | wxBOTTOM, 10);
    SetSizerAndFit(sizer);

    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { ActivateSelected(); }, kActivateId);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { SaveSelected(); }, kSaveId);
    Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { CloseSelected(); }, kCloseWindowId);
    m_list->Bind(wxEVT_LISTBOX, [this](wxCommandEvent&) { UpdateButtons(); });
    m_list->Bind(wxEVT_LISTBOX_DCLICK, [this](wxCommandEvent&) { ActivateSelected(); });
    Refill();
    CentreOnParent();
}

void CWindowsDlg::Refill()
{
    // The windows chosen before stay chosen; with none of them left, the active one is.
    std::vector<wxWindow*> chosen = SelectedWindows();
    wxAuiMDIClientWindow* client = m_frame->GetClientWindow();
    const auto isPage = [client](wxWindow* window) { return client && client->GetPageIndex(window) != wxNOT_FOUND; };
    std::erase_if(chosen, [&](wxWindow* window) { return !isPage(window); });
    if (chosen.empty() && m_frame->GetActiveChild())
        chosen.push_back(m_frame->GetActiveChild());

    m_windows.clear();
    m_list->Clear();
    for (size_t i = 0; client && i < client->GetPageCount(); ++i) {
        wxWindow* page = client->GetPage(i);
        m_windows.push_back(page);
        m_list->Append(client->GetPageText(i));
        if (std::find(chosen.begin(), chosen.end(), page) != chosen.end())
            m_list->SetSelection(int(i));
    }
    UpdateButtons();
}

std::vector<wxWindow*> CWindowsDlg::SelectedWindows() const
{
    wxArrayInt selections;
    m_list->GetSelections(selections);
    std::vector<wxWindow*> windows;
    for (const int index : selections) {
        if (index >= 0 && size_t(index) < m_windows.size())
            windows.push_back(m_windows[size_t(index)]);
    }
    return windows;
}

void CWindowsDlg::UpdateButtons()
{
    const size_t chosen = SelectedWindows().size();
    FindWindow(kActivateId)->Enable(chosen == 1);
    FindWindow(kSaveId)->Enable(chosen > 0);
    FindWindow(kCloseWindowId)->Enable(chosen > 0);
}

void CWindowsDlg::ActivateSelected()
{
    const std::vector<wxWindow*> windows = SelectedWindows();
    if (windows.empty())
        return;
    if (auto* child = dynamic_cast<wxAuiMDIChildFrame*>(windows.front()))
        child->Activate();
    if (IsModal())
        EndModal(wxID_OK);
}

void CWindowsDlg::SaveSelected()
{
    for (wxWindow* window : SelectedWindows()) {
        if (CDrawFrameView* view = CDrawFrameView::Of(window); view && view->GetDocument())
            view->GetDocument()->Save();
    }
    Refill();
}

void CWindowsDlg::CloseSelected()
{
    for (wxWindow* window : SelectedWindows()) {
        // A window that another close took along meanwhile is no longer a page.
        wxAuiMDIClientWindow* client = m_frame->GetClientWindow();
        if (client && client->GetPageIndex(window) != wxNOT_FOUND && !window->Close())
            break;
    }
    Refill();
}

} // namespace kelmora
