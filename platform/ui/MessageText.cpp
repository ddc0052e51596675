#include "platform/ui/MessageText.h"

#include <wx/display.h>
#include <wx/settings.h>
#include <wx/window.h>

#include <algorithm>

namespace kelmora {

namespace {

bool IsBlank(wxUniChar c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

} // namespace

wxString BreakLongWords(const wxString& text, size_t maxChars)
{
    if (maxChars == 0)
        return text;
    wxString result;
    result.reserve(text.length());
    size_t run = 0;            // characters since the last blank or break
    size_t lastSeparator = 0;  // position in `result` just after the last separator of the run, 0 for none
    for (wxUniChar c : text) {
        if (IsBlank(c)) {
            result += c;
            run = 0;
            lastSeparator = 0;
            continue;
        }
        if (run == maxChars) {
            // The line is full: break it after its last separator, or here.
            if (lastSeparator != 0) {
                result.insert(lastSeparator, "\n");
                run = result.length() - (lastSeparator + 1);
            } else {
                result += '\n';
                run = 0;
            }
            lastSeparator = 0;
        }
        result += c;
        ++run;
        if (c == '/' || c == '\\')
            lastSeparator = result.length();
    }
    return result;
}

wxString FitMessageToScreen(const wxString& text, const wxWindow* window)
{
    const int index = window ? wxDisplay::GetFromWindow(window) : wxNOT_FOUND;
    const wxRect area = wxDisplay(index == wxNOT_FOUND ? 0u : unsigned(index)).GetClientArea();
    // Two thirds of the width, counting each character at one and a half times the average
    // width: letters of file names are wider than the average of the font.
    const int charWidth = std::max(1, (window ? window->GetCharWidth() : 8) * 3 / 2);
    return BreakLongWords(text, size_t(std::max(20, area.width * 2 / 3 / charWidth)));
}

} // namespace kelmora
