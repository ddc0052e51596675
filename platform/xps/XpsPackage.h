#pragma once
// Reading an XPS package: the package relationships lead to the fixed document sequence,
// that to its fixed documents, and those to their pages in order. Pages are read and
// parsed one at a time on request (GetPage), into the object tree of XpsObjects.h.
//
// Every part is treated as hostile: parts are read only up to kMaxXpsPartSize, markup is
// parsed by pugixml without entity expansion, nesting of canvases, brushes and resource
// references is bounded by kMaxXpsNesting, a page holds at most kMaxXpsVisuals visuals,
// and numbers, colours and path data are parsed strictly. A page whose markup is broken
// or too deep yields nothing; a visual whose own attributes are malformed is left out of
// its page.

#include "platform/xps/XpsObjects.h"
#include "platform/xps/XpsPackageSource.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kelmora {

inline constexpr size_t kMaxXpsPartSize = size_t(64) << 20;
inline constexpr int kMaxXpsNesting = 32;
inline constexpr size_t kMaxXpsVisuals = 100000;
inline constexpr size_t kMaxXpsDocuments = 1000;
inline constexpr size_t kMaxXpsPages = 100000;

class XpsPackage {
public:
    // Reads the package's start relationships, the document sequence and every fixed
    // document's page list. Null, with `error` set when given, when the package holds no
    // readable fixed document sequence. The source must outlive the package.
    static std::unique_ptr<XpsPackage> Open(XpsPackageSource& source, std::string* error = nullptr);

    size_t GetDocumentCount() const { return m_pages.size(); }
    size_t GetPageCount(size_t document) const { return document < m_pages.size() ? m_pages[document].size() : 0; }
    // The part name of a page; empty when out of range.
    std::string GetPageName(size_t document, size_t page) const;

    // Reads and parses one page. Null, with `error` set when given, when the page part
    // cannot be read or its markup is not a fixed page.
    std::unique_ptr<XpsPage> GetPage(size_t document, size_t page, std::string* error = nullptr) const;

private:
    explicit XpsPackage(XpsPackageSource& source) : m_source(source) { }

    XpsPackageSource& m_source;
    std::vector<std::vector<std::string>> m_pages;   // page part names per document
};

// The absolute part name that `reference` (a relative or absolute URI in markup) names,
// seen from the part `basePart`. A fragment ("#...") is dropped, "." and ".." segments
// are resolved (never above the root) and "%XX" escapes decoded. Empty for a reference
// with a scheme ("http:") or one that is empty.
std::string ResolveXpsPartName(std::string_view basePart, std::string_view reference);

// Parses the page markup `markup` of the part `partName`; images and remote resource
// dictionaries are read from `source`. Used by XpsPackage::GetPage.
std::unique_ptr<XpsPage> ParseXpsFixedPage(std::string_view markup, const std::string& partName,
                                           XpsPackageSource& source, std::string* error = nullptr);

// Parses a colour of the markup: "#RRGGBB", "#AARRGGBB", "sc#R,G,B", "sc#A,R,G,B" or a
// "ContextColor" value (kept as its type only).
bool ParseXpsColor(std::string_view text, XpsColor& color);

// Parses "m11,m12,m21,m22,offsetX,offsetY".
bool ParseXpsMatrix(std::string_view text, Matrix& matrix);

} // namespace kelmora
