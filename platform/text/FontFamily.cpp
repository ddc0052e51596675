#include "platform/text/FontFamily.h"

#include "platform/base/TextEncoding.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>

namespace kelmora {

namespace {

// fontconfig's weight of a semi-bold face; faces at or above it count as bold, as the
// renderer's bold request picks them.
constexpr int kBoldWeight = FC_WEIGHT_DEMIBOLD;

// Bits of FontFamily's style mask.
constexpr uint8_t kRegularBit = 1 << 0;
constexpr uint8_t kBoldBit = 1 << 1;
constexpr uint8_t kItalicBit = 1 << 2;
constexpr uint8_t kBoldItalicBit = 1 << 3;
constexpr uint8_t kAllStyles = kRegularBit | kBoldBit | kItalicBit | kBoldItalicBit;

// Windows family names that a document is likely to store; each one that fontconfig
// resolves through a metric alias joins the installed-family list under its own name.
constexpr const char* kWindowsFamilyNames[] = {
    "Arial", "Arial Narrow", "Book Antiqua", "Calibri", "Cambria", "Century Gothic",
    "Comic Sans MS", "Courier New", "Garamond", "Georgia", "Impact", "Lucida Console",
    "Microsoft Sans Serif", "Palatino Linotype", "Segoe UI", "Symbol", "Tahoma",
    "Times New Roman", "Trebuchet MS", "Verdana",
};

struct PatternDeleter {
    void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
struct FontSetDeleter {
    void operator()(FcFontSet* s) const { FcFontSetDestroy(s); }
};
struct ObjectSetDeleter {
    void operator()(FcObjectSet* s) const { FcObjectSetDestroy(s); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;
using FontSetPtr = std::unique_ptr<FcFontSet, FontSetDeleter>;
using ObjectSetPtr = std::unique_ptr<FcObjectSet, ObjectSetDeleter>;

const FcChar8* Fc(const std::string& s)
{
    return reinterpret_cast<const FcChar8*>(s.c_str());
}

bool SameName(const char* a, const char* b)
{
    return FcStrCmpIgnoreCase(reinterpret_cast<const FcChar8*>(a),
                              reinterpret_cast<const FcChar8*>(b)) == 0;
}

// The range of a weight or slant value: fixed faces give one number, variable faces a
// range.
struct ValueRange {
    double low = 0;
    double high = 0;
};

std::optional<ValueRange> GetRange(FcPattern* pattern, const char* object)
{
    FcValue value;
    if (FcPatternGet(pattern, object, 0, &value) != FcResultMatch)
        return std::nullopt;
    switch (value.type) {
    case FcTypeInteger:
        return ValueRange{double(value.u.i), double(value.u.i)};
    case FcTypeDouble:
        return ValueRange{value.u.d, value.u.d};
    case FcTypeRange: {
        double low = 0, high = 0;
        if (FcRangeGetDouble(value.u.r, &low, &high))
            return ValueRange{low, high};
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

// The installed styles of one face as mask bits: which of the four plain styles it
// serves directly.
uint8_t FaceStyles(FcPattern* face)
{
    ValueRange weight = GetRange(face, FC_WEIGHT).value_or(ValueRange{FC_WEIGHT_REGULAR, FC_WEIGHT_REGULAR});
    ValueRange slant = GetRange(face, FC_SLANT).value_or(ValueRange{FC_SLANT_ROMAN, FC_SLANT_ROMAN});
    bool regularWeight = weight.low < kBoldWeight;
    bool boldWeight = weight.high >= kBoldWeight;
    bool upright = slant.low <= FC_SLANT_ROMAN;
    bool slanted = slant.high > FC_SLANT_ROMAN;
    uint8_t mask = 0;
    if (regularWeight && upright)
        mask |= kRegularBit;
    if (boldWeight && upright)
        mask |= kBoldBit;
    if (regularWeight && slanted)
        mask |= kItalicBit;
    if (boldWeight && slanted)
        mask |= kBoldItalicBit;
    return mask;
}

// The styles text can be built in, given the installed ones: the renderer makes bold
// from a lighter face and italic from an upright one, never the other way round.
uint8_t AvailableStyles(uint8_t installed)
{
    uint8_t available = installed;
    if (installed & kRegularBit)
        available |= kBoldBit | kItalicBit | kBoldItalicBit;
    if (installed & kBoldBit)
        available |= kBoldItalicBit;
    if (installed & kItalicBit)
        available |= kBoldItalicBit;
    return available;
}

// The available styles of the installed family named exactly `family`.
uint8_t FamilyStyles(const std::string& family)
{
    PatternPtr pattern(FcPatternCreate());
    ObjectSetPtr objects(FcObjectSetBuild(FC_WEIGHT, FC_SLANT, static_cast<char*>(nullptr)));
    if (!pattern || !objects)
        return 0;
    FcPatternAddString(pattern.get(), FC_FAMILY, Fc(family));
    FontSetPtr faces(FcFontList(nullptr, pattern.get(), objects.get()));
    if (!faces)
        return 0;
    uint8_t installed = 0;
    for (int i = 0; i < faces->nfont; ++i)
        installed |= FaceStyles(faces->fonts[i]);
    return AvailableStyles(installed);
}

struct Resolved {
    std::string name;
    std::string installedName;
};

// fontconfig's answer for `name` after its substitutions, and the family names that the
// substitutions bound strongly to it: the name itself and its metric aliases.
struct MatchResult {
    PatternPtr match;
    std::vector<std::string> strongNames;
};

std::optional<MatchResult> Match(const std::string& name)
{
    PatternPtr pattern(FcPatternCreate());
    if (!pattern)
        return std::nullopt;
    FcPatternAddString(pattern.get(), FC_FAMILY, Fc(name));
    if (!FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern))
        return std::nullopt;
    FcDefaultSubstitute(pattern.get());

    MatchResult result;
    FcValue value;
    FcValueBinding binding;
    for (int i = 0; FcPatternGetWithBinding(pattern.get(), FC_FAMILY, i, &value, &binding) == FcResultMatch; ++i) {
        if (value.type == FcTypeString && binding == FcValueBindingStrong)
            result.strongNames.emplace_back(reinterpret_cast<const char*>(value.u.s));
    }
    FcResult status;
    result.match.reset(FcFontMatch(nullptr, pattern.get(), &status));
    if (!result.match)
        return std::nullopt;
    return result;
}

std::vector<std::string> FamilyNames(FcPattern* face)
{
    std::vector<std::string> names;
    FcChar8* value = nullptr;
    for (int i = 0; FcPatternGetString(face, FC_FAMILY, i, &value) == FcResultMatch; ++i)
        names.emplace_back(reinterpret_cast<const char*>(value));
    return names;
}

// Resolves a name the way FontFamily::Create describes.
std::optional<Resolved> Resolve(const std::string& name)
{
    std::optional<MatchResult> match = Match(name);
    if (!match)
        return std::nullopt;
    std::vector<std::string> faceNames = FamilyNames(match->match.get());
    for (const std::string& faceName : faceNames) {
        if (SameName(faceName.c_str(), name.c_str()))
            return Resolved{faceName, faceName};
    }
    for (const std::string& faceName : faceNames) {
        for (const std::string& strong : match->strongNames) {
            if (SameName(faceName.c_str(), strong.c_str()))
                return Resolved{name, faceName};
        }
    }
    return std::nullopt;
}

// What fontconfig answers for a generic name, whatever the binding.
Resolved ResolveGeneric(const char* generic, const char* lastResort)
{
    if (std::optional<MatchResult> match = Match(generic)) {
        std::vector<std::string> names = FamilyNames(match->match.get());
        if (!names.empty())
            return Resolved{names.front(), names.front()};
    }
    return Resolved{lastResort, lastResort};
}

// Remembered lookups. Entries are small; the number of distinct names a session asks
// for is bounded by the documents it opens, and the table is cleared when it grows past
// kCacheLimit anyway.
constexpr size_t kCacheLimit = 4096;

struct CacheEntry {
    std::optional<Resolved> resolved;
    uint8_t styles = 0;
};

std::mutex g_cacheMutex;
std::map<std::string, CacheEntry>& Cache()
{
    static std::map<std::string, CacheEntry> cache;
    return cache;
}

std::string FoldCase(std::string_view name)
{
    std::string folded(name);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    return folded;
}

} // namespace

FontFamily::FontFamily(std::string name, std::string installedName, uint8_t styleMask)
    : m_name(std::move(name))
    , m_installedName(std::move(installedName))
    , m_styleMask(styleMask)
{
}

std::optional<FontFamily> FontFamily::Create(std::string_view name)
{
    if (name.empty() || name.find('\0') != std::string_view::npos || !IsValidUtf8(name))
        return std::nullopt;

    std::string key = FoldCase(name);
    {
        std::lock_guard lock(g_cacheMutex);
        auto it = Cache().find(key);
        if (it != Cache().end()) {
            if (!it->second.resolved)
                return std::nullopt;
            // Remembered under the folded name: answer with the spelling asked for when
            // the family was found through an alias, as a fresh lookup would.
            const Resolved& r = *it->second.resolved;
            bool byAlias = r.name != r.installedName;
            return FontFamily(byAlias ? std::string(name) : r.name, r.installedName, it->second.styles);
        }
    }

    // fontconfig calls are made outside the lock; two threads racing on a new name
    // both resolve it and store the same answer.
    CacheEntry entry;
    entry.resolved = Resolve(std::string(name));
    if (entry.resolved)
        entry.styles = FamilyStyles(entry.resolved->installedName);
    {
        std::lock_guard lock(g_cacheMutex);
        if (Cache().size() >= kCacheLimit)
            Cache().clear();
        Cache()[key] = entry;
    }
    if (!entry.resolved)
        return std::nullopt;
    return FontFamily(entry.resolved->name, entry.resolved->installedName, entry.styles);
}

FontFamily FontFamily::GenericSansSerif()
{
    Resolved r = ResolveGeneric("sans-serif", "Sans");
    return FontFamily(r.name, r.installedName, FamilyStyles(r.installedName));
}

FontFamily FontFamily::GenericSerif()
{
    Resolved r = ResolveGeneric("serif", "Serif");
    return FontFamily(r.name, r.installedName, FamilyStyles(r.installedName));
}

FontFamily FontFamily::GenericMonospace()
{
    Resolved r = ResolveGeneric("monospace", "Monospace");
    return FontFamily(r.name, r.installedName, FamilyStyles(r.installedName));
}

bool FontFamily::IsStyleAvailable(FontStyle style) const
{
    int plain = int32_t(style) & int32_t(FontStyle::BoldItalic);
    return (m_styleMask & (1u << plain)) != 0;
}

std::vector<std::string> InstalledFontFamilies()
{
    return InstalledFontFamilies(FamilyStyleFilter::All);
}

std::vector<std::string> InstalledFontFamilies(FamilyStyleFilter styles)
{
    const auto admitted = [styles](uint8_t available) {
        return styles == FamilyStyleFilter::All ? available == kAllStyles : available != 0;
    };
    PatternPtr pattern(FcPatternCreate());
    ObjectSetPtr objects(FcObjectSetBuild(FC_FAMILY, FC_FAMILYLANG, FC_WEIGHT, FC_SLANT,
                                          static_cast<char*>(nullptr)));
    if (!pattern || !objects)
        return {};
    FontSetPtr faces(FcFontList(nullptr, pattern.get(), objects.get()));
    if (!faces)
        return {};

    // Installed styles per family, keyed by the folded name; the first spelling seen is
    // the one listed.
    struct Family {
        std::string name;
        uint8_t installed = 0;
    };
    std::map<std::string, Family> families;
    for (int i = 0; i < faces->nfont; ++i) {
        FcPattern* face = faces->fonts[i];
        uint8_t styles = FaceStyles(face);
        // A face carries its family name in several languages; the English names are
        // the ones a document stores, the first name stands in when none is English.
        std::vector<std::string> names;
        std::string firstName;
        FcChar8* family = nullptr;
        FcChar8* lang = nullptr;
        for (int k = 0; FcPatternGetString(face, FC_FAMILY, k, &family) == FcResultMatch; ++k) {
            if (k == 0)
                firstName = reinterpret_cast<const char*>(family);
            if (FcPatternGetString(face, FC_FAMILYLANG, k, &lang) == FcResultMatch
                && SameName(reinterpret_cast<const char*>(lang), "en"))
                names.emplace_back(reinterpret_cast<const char*>(family));
        }
        if (names.empty())
            names.push_back(firstName);
        for (const std::string& name : names) {
            if (name.empty() || !IsValidUtf8(name))
                continue;
            Family& entry = families[FoldCase(name)];
            if (entry.name.empty())
                entry.name = name;
            entry.installed |= styles;
        }
    }

    std::vector<std::string> list;
    for (const auto& [key, family] : families) {
        if (admitted(AvailableStyles(family.installed)))
            list.push_back(family.name);
    }
    for (const char* windowsName : kWindowsFamilyNames) {
        if (families.count(FoldCase(windowsName)))
            continue;
        std::optional<FontFamily> alias = FontFamily::Create(windowsName);
        if (!alias || alias->Name() == alias->InstalledName())
            continue;
        uint8_t available = 0;
        for (FontStyle style : {FontStyle::Regular, FontStyle::Bold, FontStyle::Italic, FontStyle::BoldItalic}) {
            if (alias->IsStyleAvailable(style))
                available |= uint8_t(1u << uint32_t(style));
        }
        if (admitted(available))
            list.emplace_back(windowsName);
    }
    std::sort(list.begin(), list.end(), [](const std::string& a, const std::string& b) {
        return FoldCase(a) < FoldCase(b);
    });
    return list;
}

} // namespace kelmora
