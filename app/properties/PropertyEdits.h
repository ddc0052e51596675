#pragma once
// What an edit in the properties pane writes: the table that maps a row, recognised by its
// group's name and its own name, to the field it changes and the objects it reaches, and
// the functions that check and apply one edit. The pane reads the edited row's value out
// of the grid, files the undo step and calls these; nothing here needs a window.
//
// Lengths arrive in document units (1/300 inch), already converted from the shown unit;
// angles in degrees; colours as COLORREF values (0x00BBGGRR), kNoColor for "Default".

#include "document/ColorRef.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace kelmora {

class Bitmap;
class BrushMan;
class CDocSummaryInfo;
class CDrawDoc;
class CDrawObj;
class PenMan;

// How the edited row's value is read.
enum class EditReading { Text, Bool, Int, Length, Colour, Degrees, Button };

// Whom an object edit reaches: the shown object alone, or every selected object (the
// shown one alone when only it is selected).
enum class EditTarget { Shown, All };

enum class EditField {
    // General
    ShapeName, Locked, Left, Top, Width, Height, CornerType, CornerRadius, RadiusX, RadiusY, StartAngle,
    SweepAngle, Sides, Radius, InnerRadius, SpiralStyle, Delta, Step, Closed, Tension, UseGroupSettings,
    Connected, ColorKey, ImageTransparency,
    // Reflection
    Reflection, ReflectionStart, ReflectionEnd, ReflectionShown, ReflectionDistance,
    // Text
    Text, Font, FontSize, Bold, Italic, Underline, Strikeout, TextStyle,
    // Fill, Stroken, Shadow and Glow: the group decides which brush and switch
    UseGroupStyle, FillKind, Color, Transparency, HatchStyle, ForeColor, BackColor, ForeTransparency,
    BackTransparency, TextureStyle, ImageFile, GradientStyle, EnableStroke, Weight, DashStyle, DashCap,
    StartCap, EndCap, LineJoin, Alignment, Glow, InnerGlow, GlowRadius, DropShadow, Direction, ShadowDepth,
    BlurRadius, ShadowScaleX, ShadowScaleY, FillAdvanced, StrokeAdvanced,
    // Document and summary
    Author, Keywords, Subject, Comments, Title, PageColor, PageWidth, PageHeight, GridColor, GridWidth,
    GridHeight,
};

// The group of a rule that matches the row in any of the style groups Fill, Stroken,
// Shadow and Glow.
inline constexpr std::string_view kAnyStyleGroup = "*";

// What the user is told when a number row holds something that is no number.
inline constexpr char kNotANumberMessage[] = "Please enter a number.";

struct EditRule {
    std::string_view group;
    std::string_view label;
    EditReading reading;
    EditTarget target;
    EditField field;
};

// Every rule, object rules first.
std::span<const EditRule> EditRules();
// The rule for a row: the document groups match by the row's name alone; the object
// groups by group and name, the style groups also by the rules for any style group. Null
// when no rule lists the row.
const EditRule* FindEditRule(std::string_view group, std::string_view label);
bool IsDocumentGroup(std::string_view group);
bool IsStyleGroup(std::string_view group);

// The edited value as its reading has it: text, bool, a whole number, a length in document
// units, degrees, or a COLORREF.
using EditValue = std::variant<std::monostate, std::string, bool, int64_t, float, double, COLORREF>;

struct EditInput {
    EditValue value;
    // The values of the rows named "Transparency" and "Color" in the edited row's group,
    // when the group has them; a colour and its transparency are written together.
    std::optional<int64_t> groupTransparency;
    std::optional<COLORREF> groupColor;
    // "Image File": the picture, loaded by PrepareObjectEdit.
    std::shared_ptr<const Bitmap> texture;
    // The Advanced rows: the copy the style editor changed; it is copied to every target.
    const BrushMan* editedBrush = nullptr;
    const PenMan* editedPen = nullptr;
};

// What the pane has to do to its grid after an edit.
enum class EditFollowUp {
    None,
    RebuildFillGroup,   // the group's fill rows follow the new fill kind
    RebuildList,        // the whole list is built again for the shown object
};

// Checks an object edit before anything changes and loads what it needs (the texture
// picture); the message to show when the edit is refused.
std::optional<std::string> PrepareObjectEdit(const EditRule& rule, std::string_view group, EditInput& input,
                                             CDrawObj& shown);
// Applies a prepared object edit to the shown object and, for EditTarget::All, to every
// object of `selection` (the shown one alone when it is empty). Files no undo step and
// refreshes nothing: the pane does both.
EditFollowUp ApplyObjectEdit(const EditRule& rule, std::string_view group, const EditInput& input, CDrawObj& shown,
                             std::span<CDrawObj* const> selection);

// The same for the document's rows. `summary` may be null (then the summary rows change
// nothing). Every change marks the document modified.
std::optional<std::string> CheckDocumentEdit(const EditRule& rule, const EditInput& input);
void ApplyDocumentEdit(const EditRule& rule, const EditInput& input, CDrawDoc& document, CDocSummaryInfo* summary);

} // namespace kelmora
