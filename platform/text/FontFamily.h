#pragma once
// Font families as the system finds them installed.
//
// A family counts as installed when fontconfig matches its name to an installed face
// either by that name (case ignored) or through one of the family's metric aliases: the
// faces that fontconfig binds strongly to a name because they share its glyph widths.
// With the Liberation faces installed, "Arial", "Times New Roman" and "Courier New" are
// installed in this sense, while a name fontconfig only answers with its general
// sans-serif fallback is not.
//
// Lookups go through fontconfig once per name and are remembered for the life of the
// process (a mutex guards the memory), so they may be made from any thread.

#include "platform/text/FontStyle.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelmora {

class FontFamily {
public:
    // The installed family of that name, or nothing when no installed face answers to
    // it by name or metric alias (an empty name, invalid UTF-8 or a NUL included).
    static std::optional<FontFamily> Create(std::string_view name);

    // The families fontconfig gives for its generic names; always present (when no font
    // is installed at all they still name what fontconfig would substitute).
    static FontFamily GenericSansSerif();
    static FontFamily GenericSerif();
    static FontFamily GenericMonospace();

    // The name the family answers to: the installed spelling when it matched by name,
    // the name asked for when it matched through a metric alias.
    const std::string& Name() const { return m_name; }
    // The installed family that provides the glyphs ("Liberation Sans" for "Arial").
    const std::string& InstalledName() const { return m_installedName; }

    // Whether text in that style can be built from this family: regular needs an
    // upright face of regular weight; bold and italic are available where the face of
    // that style is installed or can be made from the regular face by emboldening or
    // slanting, as the text renderer does. Underline and strikeout bits are ignored.
    bool IsStyleAvailable(FontStyle style) const;

    friend bool operator==(const FontFamily&, const FontFamily&) = default;

private:
    FontFamily(std::string name, std::string installedName, uint8_t styleMask);

    std::string m_name;
    std::string m_installedName;
    uint8_t m_styleMask = 0; // bit n: style n (0 regular .. 3 bold italic) available
};

// The names of the installed families whose regular, bold, italic and bold-italic styles
// are all available, sorted by name with case ignored, each once. Besides the families'
// own names the list holds the common Windows family names ("Arial", "Times New Roman",
// "Courier New" and the like) that are installed through a metric alias, so that a
// chooser can show the name a document stores. Empty when no font is installed.
std::vector<std::string> InstalledFontFamilies();

// Which families a listing admits: those with all four styles, or those with at least one.
enum class FamilyStyleFilter { All, Any };
// As above, with the families admitted by `styles`.
std::vector<std::string> InstalledFontFamilies(FamilyStyleFilter styles);

} // namespace kelmora
