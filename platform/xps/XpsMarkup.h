#pragma once
// Helpers the package and page readers share: local element names without a namespace
// prefix, and loading a part's markup into pugixml.

#include "platform/xps/XpsPackageSource.h"

#include <pugixml.hpp>
#include <string>
#include <string_view>

namespace kelmora::xpsmarkup {

// The element's name without its prefix ("x:Key" → "Key").
inline std::string_view LocalName(const pugi::xml_node& node)
{
    std::string_view name = node.name();
    size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

// Reads `partName` from `source` and parses it. False when the part is missing, too
// large or not well-formed markup.
inline bool LoadPart(XpsPackageSource& source, const std::string& partName, size_t maxSize, pugi::xml_document& document)
{
    auto bytes = source.ReadPart(partName, maxSize);
    if (!bytes)
        return false;
    // No DOCTYPE handling: pugixml does not expand entities beyond the predefined ones.
    pugi::xml_parse_result result = document.load_buffer(bytes->data(), bytes->size(), pugi::parse_default);
    return bool(result);
}

} // namespace kelmora::xpsmarkup
