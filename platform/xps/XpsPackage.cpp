#include "platform/xps/XpsPackage.h"

#include "platform/xps/XpsMarkup.h"

namespace kelmora {

using xpsmarkup::LocalName;

namespace {

// The relationship types of the fixed document sequence, in both package dialects.
bool IsFixedRepresentation(std::string_view type)
{
    return type == "http://schemas.microsoft.com/xps/2005/06/fixedrepresentation"
        || type == "http://schemas.openxps.org/oxps/v1.0/fixedrepresentation";
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The page part names of one fixed document, in order.
bool ReadFixedDocument(XpsPackageSource& source, const std::string& partName, std::vector<std::string>& pages)
{
    pugi::xml_document document;
    if (!xpsmarkup::LoadPart(source, partName, kMaxXpsPartSize, document))
        return false;
    pugi::xml_node root = document.document_element();
    if (LocalName(root) != "FixedDocument")
        return false;
    for (pugi::xml_node child : root.children()) {
        if (LocalName(child) != "PageContent")
            continue;
        std::string page = ResolveXpsPartName(partName, child.attribute("Source").value());
        if (page.empty())
            continue;
        if (pages.size() >= kMaxXpsPages)
            break;
        pages.push_back(std::move(page));
    }
    return true;
}

bool SetError(std::string* error, const char* message)
{
    if (error)
        *error = message;
    return false;
}

} // namespace

std::string ResolveXpsPartName(std::string_view basePart, std::string_view reference)
{
    size_t hash = reference.find('#');
    if (hash != std::string_view::npos)
        reference = reference.substr(0, hash);
    if (reference.empty())
        return {};
    // A scheme ("http:", "file:") points outside the package.
    size_t colon = reference.find(':');
    size_t slash = reference.find('/');
    if (colon != std::string_view::npos && (slash == std::string_view::npos || colon < slash))
        return {};

    std::string decoded;
    decoded.reserve(reference.size());
    for (size_t i = 0; i < reference.size(); ++i) {
        char c = reference[i];
        if (c == '%' && i + 2 < reference.size()) {
            int high = HexValue(reference[i + 1]);
            int low = HexValue(reference[i + 2]);
            if (high >= 0 && low >= 0) {
                decoded.push_back(char(high * 16 + low));
                i += 2;
                continue;
            }
        }
        decoded.push_back(c == '\\' ? '/' : c);
    }

    std::string combined;
    if (decoded.front() == '/') {
        combined = decoded;
    } else {
        size_t lastSlash = basePart.rfind('/');
        combined = std::string(lastSlash == std::string_view::npos ? std::string_view("/") : basePart.substr(0, lastSlash + 1));
        combined += decoded;
    }

    std::vector<std::string> segments;
    size_t start = 0;
    while (start <= combined.size()) {
        size_t end = combined.find('/', start);
        if (end == std::string::npos)
            end = combined.size();
        std::string segment = combined.substr(start, end - start);
        if (segment == "..") {
            if (!segments.empty())
                segments.pop_back();
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(std::move(segment));
        }
        start = end + 1;
    }
    if (segments.empty())
        return {};
    std::string result;
    for (const std::string& segment : segments)
        result += "/" + segment;
    return result;
}

std::unique_ptr<XpsPackage> XpsPackage::Open(XpsPackageSource& source, std::string* error)
{
    pugi::xml_document relationships;
    if (!xpsmarkup::LoadPart(source, "/_rels/.rels", kMaxXpsPartSize, relationships)) {
        SetError(error, "the package has no readable relationships part");
        return nullptr;
    }
    std::string sequenceName;
    for (pugi::xml_node child : relationships.document_element().children()) {
        if (LocalName(child) == "Relationship" && IsFixedRepresentation(child.attribute("Type").value())) {
            sequenceName = ResolveXpsPartName("/", child.attribute("Target").value());
            break;
        }
    }
    if (sequenceName.empty()) {
        SetError(error, "the package has no fixed document sequence");
        return nullptr;
    }
    pugi::xml_document sequence;
    if (!xpsmarkup::LoadPart(source, sequenceName, kMaxXpsPartSize, sequence)
        || LocalName(sequence.document_element()) != "FixedDocumentSequence") {
        SetError(error, "the fixed document sequence cannot be read");
        return nullptr;
    }
    std::unique_ptr<XpsPackage> package(new XpsPackage(source));
    for (pugi::xml_node child : sequence.document_element().children()) {
        if (LocalName(child) != "DocumentReference")
            continue;
        if (package->m_pages.size() >= kMaxXpsDocuments)
            break;
        std::string documentName = ResolveXpsPartName(sequenceName, child.attribute("Source").value());
        std::vector<std::string> pages;
        // A document that cannot be read contributes no pages.
        if (!documentName.empty())
            ReadFixedDocument(source, documentName, pages);
        package->m_pages.push_back(std::move(pages));
    }
    return package;
}

std::string XpsPackage::GetPageName(size_t document, size_t page) const
{
    if (document >= m_pages.size() || page >= m_pages[document].size())
        return {};
    return m_pages[document][page];
}

std::unique_ptr<XpsPage> XpsPackage::GetPage(size_t document, size_t page, std::string* error) const
{
    std::string name = GetPageName(document, page);
    if (name.empty()) {
        SetError(error, "no such page");
        return nullptr;
    }
    auto bytes = m_source.ReadPart(name, kMaxXpsPartSize);
    if (!bytes) {
        SetError(error, "the page part cannot be read");
        return nullptr;
    }
    return ParseXpsFixedPage(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()), name,
                             m_source, error);
}

} // namespace kelmora
