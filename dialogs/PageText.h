#pragma once
// Conversions between the UTF-8 texts of the summary information and the texts of the
// property pages' controls.

#include <wx/string.h>

#include <string>
#include <string_view>

namespace kelmora {

// The UTF-8 text as a wxString; a text that is not valid UTF-8 shows as empty.
wxString ToControlText(std::string_view utf8);
std::string FromControlText(const wxString& text);

// A stored multi-line text (CR LF line breaks) as an edit control holds it (LF).
wxString ToMultiLineControlText(std::string_view utf8);
// An edit control's multi-line text (LF, or CR LF) with CR LF line breaks.
std::string FromMultiLineControlText(const wxString& text);

} // namespace kelmora
