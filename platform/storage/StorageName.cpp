#include "platform/storage/StorageName.h"

#include "platform/base/TextEncoding.h"

#include <glib.h>

namespace kelmora {

bool IsValidStorageName(std::string_view name)
{
    if (name.empty() || !IsValidUtf8(name))
        return false;
    if (name.find_first_of("/\\:!") != std::string_view::npos)
        return false;
    return Utf8ToUtf16(name).size() <= kMaxStorageNameLength;
}

bool StorageNamesEqual(std::string_view a, std::string_view b)
{
    std::u16string ua = Utf8ToUtf16(a);
    std::u16string ub = Utf8ToUtf16(b);
    if (ua.size() != ub.size())
        return false;
    for (size_t i = 0; i < ua.size(); ++i) {
        if (ua[i] == ub[i])
            continue;
        // Surrogates compare as they stand; every name character of the Basic
        // Multilingual Plane compares by its simple upper-case mapping.
        if (g_unichar_toupper(ua[i]) != g_unichar_toupper(ub[i]))
            return false;
    }
    return true;
}

} // namespace kelmora
