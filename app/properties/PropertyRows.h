#pragma once
// The rows of the properties pane as data: for each group, the rows in the order they are
// shown, each with its name, the kind of value, its description, how it reads its value
// and when it is shown. The pane turns them into grid properties; nothing here needs a
// window, so the lists can be checked without one.
//
// Lengths are read in document units (1/300 inch) and converted for display by the pane;
// angles are read in degrees; colours as ARGB.

#include "app/properties/PropertyNames.h"
#include "model/Argb.h"
#include "model/ShapeType.h"
#include "platform/geometry/RectF.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace kelmora {

class BrushMan;
class CDocSummaryInfo;
class CDrawDoc;
class CDrawObj;

enum class RowKind {
    Text,         // typed text
    Bool,
    Int,
    Length,       // shown in the pane's unit
    Angle,        // degrees
    Option,       // one of the texts of `options`, not typed
    Font,         // one of the installed families, not typed
    Colour,       // with a transparency row when `transparencyLabel` is set
    IconList,     // an index into one of the pane's image lists
    File,         // the texture picture's file
    BrushButton,  // opens the gradient editor on the fill of `fill`
    PenButton,    // opens the outline pen dialog on the object's pen
    FillRows,     // not a row: the rows of the fill of `fill`, by its kind
};

enum class IconSet { Hatch, Gradient, Dash, Texture };

// Which fill a fill-related row works on.
enum class FillSource { Object, Pen };

struct Length {
    float units = 0.0f;   // document units
};
struct Degrees {
    float value = 0.0f;
};

// A row's value; monostate when the object is not of the class the row reads, and the
// row is then left out.
using RowValue = std::variant<std::monostate, std::string, bool, int64_t, Length, Degrees, ARGB>;

// What the rows read from: the shown object (object rows), the brush of a fill sub-list
// (fill rows), the document and its summary information (document rows).
struct RowSource {
    const CDrawObj* object = nullptr;
    const BrushMan* brush = nullptr;
    const CDrawDoc* document = nullptr;
    const CDocSummaryInfo* summary = nullptr;
    // The object's path bounds, worked out for the first row that reads them and kept for
    // the others: a group's path is all its children's.
    mutable std::optional<RectF> pathBounds;
};

struct SpinRange {
    bool on = false;
    int min = 0;
    int max = 0;   // min == max: a spin without a range of its own
};

struct RowDef {
    std::string_view label{};
    RowKind kind = RowKind::Text;
    std::string_view description{};
    RowValue (*read)(const RowSource&) = nullptr;
    bool (*shown)(const RowSource&) = nullptr;   // null: always shown
    const OptionTable* options = nullptr;
    IconSet icons = IconSet::Hatch;
    SpinRange spin{};
    std::string_view transparencyLabel{};
    std::string_view transparencyDescription{};
    bool editable = true;
    FillSource fill = FillSource::Object;
};

struct GroupDef {
    std::string_view name;
    std::span<const RowDef> rows;
};

// The object groups in the order they are shown: General, Fill, Stroken, Glow, Shadow,
// Reflection. The Text group (text objects only, after General) and the shape rows (at
// the end of General) come from their own tables.
std::span<const GroupDef> ObjectGroups();
const GroupDef& TextGroup();
// The rows a shape kind appends to General; empty for kinds without any.
std::span<const RowDef> ShapeRows(ShapeType type);
// The detail rows of a fill of that kind; empty for kinds the pane does not edit.
std::span<const RowDef> FillRows(BrushKind kind);
// Document, Summary and Statistics, in that order.
std::span<const GroupDef> DocumentGroups();

// The brush a fill row of `source` works on for an object.
const BrushMan& FillOf(const CDrawObj& object, FillSource source);

} // namespace kelmora
