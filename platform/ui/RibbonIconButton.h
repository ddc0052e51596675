#pragma once
// A small flat button of the ribbon kit: an icon, an optional text and an optional
// drop-down arrow, lit when the pointer is over it and when checked. It stands for
// commands on the Quick Access Toolbar, the tab row and the status bar. Its window id is
// the command's wx id, so the frame's update handlers enable and check it.

#include <wx/bitmap.h>
#include <wx/event.h>
#include <wx/window.h>

#include <functional>

namespace kelmora {

// Keeps `hot` true while the pointer is over the window, repainting it as that changes.
void TrackHover(wxWindow& window, bool& hot);

// Brings the hover state of `owner` and the windows around it up to date with where the
// pointer is now. A popup or menu holds the pointer while it is open, so the window that
// opened it never hears the pointer leave: whatever ends the popup calls this.
void SettleHover(wxWindow& owner);

// A kit window that shows a checked state; the frame's update handlers set it through the
// window id, which is the command's wx id.
class RibbonCheckableWindow : public wxWindow {
public:
    using wxWindow::wxWindow;

    bool IsChecked() const { return m_checked; }
    void SetChecked(bool checked);

protected:
    void DoUpdateWindowUI(wxUpdateUIEvent& event) override;

private:
    bool m_checked = false;
};

class RibbonIconButton : public RibbonCheckableWindow {
public:
    enum class Surface { TabRow, StatusBar, Menu };

    RibbonIconButton(wxWindow* parent, wxWindowID id, const wxBitmap& icon, const wxString& text = wxString(),
                     bool dropDown = false, Surface surface = Surface::TabRow);

    void SetIcon(const wxBitmap& icon);
    const wxBitmap& GetIcon() const { return m_icon; }

    // Runs when the button is clicked (and enabled).
    std::function<void()> onClick;
    // A click, as the mouse gives it.
    void Click();
    // Whether the button is lit for the pointer over it.
    bool IsHot() const { return m_hot; }

protected:
    wxSize DoGetBestClientSize() const override;

private:
    void OnPaint(wxPaintEvent& event);
    void OnTopLevelActivate(wxActivateEvent& event);

    wxBitmap m_icon;
    wxBitmap m_disabledIcon;
    wxString m_text;
    bool m_dropDown;
    Surface m_surface;
    bool m_hot = false;
    bool m_pressed = false;
};

} // namespace kelmora
