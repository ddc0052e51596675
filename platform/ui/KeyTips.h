#pragma once
// Key tips: the keys that reach a ribbon element from the keyboard once the user asked
// for them (Alt or F10). Each element of a level shows its tip beside it; typing the tip's
// keys acts on the element.
//
// The tips of one level are upper case and prefix-free, so that typing can act as soon as
// the typed keys are a whole tip: an element keeps a tip given to it, else takes the
// mnemonic of its caption, else the first free letter of its caption, else the first free
// letter. With more elements than free letters, the letters left over lead to two-letter
// tips. UI thread only (the badge); AssignKeyTips is plain logic.

#include <wx/popupwin.h>

#include <string>
#include <vector>

class wxDC;

namespace kelmora {

struct KeyTipRequest {
    std::string caption;     // may carry a mnemonic mark ("&Home")
    std::string fixed;       // a tip of its own ("1", "P"); empty: chosen from the caption
};

// One tip per request, in the same order.
std::vector<std::string> AssignKeyTips(const std::vector<KeyTipRequest>& requests);

// A tip's keys in its badge, centred on `centre`; a disabled element's tip is greyed.
wxSize KeyTipBadgeSize(wxDC& dc, const wxString& keys);
void PaintKeyTip(wxDC& dc, const wxString& keys, const wxPoint& centre, bool enabled);

// A tip shown over another window: a small window of its own that takes no input.
class KeyTipBadge : public wxPopupWindow {
public:
    // `centre` in screen coordinates.
    KeyTipBadge(wxWindow* parent, const wxString& keys, const wxPoint& centre, bool enabled);

private:
    wxString m_keys;
    bool m_enabled;
};

} // namespace kelmora
