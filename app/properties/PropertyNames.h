#pragma once
// The vocabulary the property lists and their write-back share: the group names, the
// names of shape and fill kinds, and the option lists whose texts stand for stored codes.
// A row is recognised by its group's name, its own name and, for option rows, the chosen
// text, all compared exactly, so every text here is kept as the user has always seen it,
// odd spellings included ("Stroken", "Ecllipse").

#include "model/BrushMan.h"
#include "model/ShapeType.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace kelmora {

namespace group {
inline constexpr std::string_view kGeneral = "General";
inline constexpr std::string_view kText = "Text";
inline constexpr std::string_view kFill = "Fill";
inline constexpr std::string_view kStroke = "Stroken";
inline constexpr std::string_view kGlow = "Glow";
inline constexpr std::string_view kShadow = "Shadow";
inline constexpr std::string_view kReflection = "Reflection";
inline constexpr std::string_view kDocument = "Document";
inline constexpr std::string_view kSummary = "Summary";
inline constexpr std::string_view kStatistics = "Statistics";
} // namespace group

// The text of the object list's first entry, which stands for the document.
inline constexpr std::string_view kDocumentEntry = "Document";
// The value text of the two rows whose button opens a style editor.
inline constexpr std::string_view kAdvancedText = "Advanced...";
// The fill-kind option that switches the fill off.
inline constexpr std::string_view kNoFillText = "None";

// One option of an option row: its text and the code it stands for. An option that does
// not store is offered and shown but leaves the field alone when chosen (a custom line cap
// is made in the outline pen dialog, not by picking its name).
struct OptionEntry {
    std::string_view text;
    int32_t code = 0;
    bool stores = true;
};

struct OptionTable {
    std::span<const OptionEntry> entries;   // in the order the row offers them
    size_t shownForOther = 0;               // entry shown for a code no entry has
    std::optional<int32_t> codeForOther;    // stored for a text no entry has; none: left alone
};

// The text shown for a stored code.
std::string_view OptionText(const OptionTable& table, int32_t code);
// The code a chosen text stores; none when the field is to be left as it is.
std::optional<int32_t> OptionCode(const OptionTable& table, std::string_view text);

extern const OptionTable kDashCapOptions;
extern const OptionTable kLineCapOptions;
extern const OptionTable kLineJoinOptions;
extern const OptionTable kAlignmentOptions;
extern const OptionTable kCornerTypeOptions;
extern const OptionTable kTextStyleOptions;
// The fill kinds offered for an object's fill ("None" first) and for a pen's fill.
extern const OptionTable kObjectFillOptions;
extern const OptionTable kPenFillOptions;

// "Rectangle", "RoundRectangle", …; "custom" (lower case) for a code outside 0..19.
std::string_view GetShapeTypeName(ShapeType type);
// "Solid Color", "Hatch", "Texture", "Gradient" for both gradient kinds, else "None".
std::string_view GetFillKindName(BrushKind kind);
// The kind a fill-kind text chooses; none for "None" and for a text no kind has.
std::optional<BrushKind> FillKindFromText(std::string_view text);

} // namespace kelmora
