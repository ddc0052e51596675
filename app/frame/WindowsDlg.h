#pragma once
// The Windows dialog: the open document windows of the main frame in a list, with
// buttons to activate, save or close the chosen ones.

#include <wx/dialog.h>

#include <vector>

class wxListBox;

namespace kelmora {

class CMainFrame;

class CWindowsDlg : public wxDialog {
public:
    explicit CWindowsDlg(CMainFrame* frame);

    wxListBox* GetList() const { return m_list; }
    // Lists the frame's document windows again, in tab order.
    void Refill();

    // Brings the (first) chosen window forward and ends the dialog.
    void ActivateSelected();
    // Saves the documents of the chosen windows.
    void SaveSelected();
    // Closes the chosen windows, asking about unsaved changes where a document's last
    // window closes.
    void CloseSelected();

private:
    std::vector<wxWindow*> SelectedWindows() const;
    void UpdateButtons();

    CMainFrame* m_frame;
    wxListBox* m_list = nullptr;
    std::vector<wxWindow*> m_windows;
};

} // namespace kelmora
