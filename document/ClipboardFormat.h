#pragma once
// The program's own clipboard and drag-and-drop data: the selected drawing objects as one
// archive record, so that a copy pasted into any document (of this or another running
// program) gives back the same objects.
//
// Record (no archive header before it, nothing after it): an object list in the archive's
// form, that is the count and then every object as an object reference (class on first
// use, then the object's own record), in selection order, exactly as a document's
// "Contents" stream holds its object list.
//
// The record an embedded object carries names its item, not the item's data: an embedded
// object pasted from another program's record has nothing to show or save. Only the
// program that copied it can give it its data back (see ClipboardItems).
//
// Reading treats the data as hostile: it comes from whichever program last owned the
// clipboard. The whole record is read into objects of their own before anything uses it.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kelmora {

class CDrawItem;
class CDrawObj;

// The name the format is registered under, for the clipboard and for drag and drop.
inline constexpr std::string_view kClipboardFormatName = "Vantorel Logo Designer";

// The most objects one record may bring. A drawing of that many objects is far beyond
// anything drawn by hand (a large traced logo holds a few thousand paths); a count above
// it is a damaged or hostile record, refused before anything is made.
inline constexpr uint32_t kMaxClipboardObjects = 100000;

// The record of the objects, in the given order. Throws ArchiveException when an object
// cannot be stored (nested deeper than the archive allows).
std::vector<uint8_t> WriteClipboardObjects(std::span<CDrawObj* const> objects);

// What reading a record gave: every object, or none and the reason.
struct ClipboardObjects {
    std::vector<std::unique_ptr<CDrawObj>> objects;   // in record order; empty on failure
    std::string error;                                // empty on success

    explicit operator bool() const { return error.empty(); }
};

// Reads a record written by WriteClipboardObjects. Refused, with the reason and no
// objects, when it is truncated or damaged, holds no objects or more than
// kMaxClipboardObjects, an empty entry, an object of a class that is no drawing object,
// the same object twice, or anything after the last object. Never throws.
ClipboardObjects ReadClipboardObjects(std::span<const uint8_t> record);

// The embedded objects' data of the last record this program wrote, kept so that pasting
// that record gives each embedded object its data back. One per process; UI thread only.
class ClipboardItems {
public:
    // Keeps the data of the items the objects carry (in record order) for `record`.
    static void Remember(std::span<const uint8_t> record, std::span<CDrawObj* const> objects);
    // Gives the items of `objects` (read from `record`) the data kept for it. False,
    // changing nothing, when an item has no data and none is kept for this record: the
    // record came from another program, or its data is gone.
    static bool Restore(std::span<const uint8_t> record, std::span<const std::unique_ptr<CDrawObj>> objects);
    // Forgets what is kept.
    static void Forget();
};

} // namespace kelmora
