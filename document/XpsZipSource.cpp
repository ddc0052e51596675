#include "document/XpsZipSource.h"

#include "document/zip/ZipReader.h"

#include <set>

namespace kelmora {

namespace {

std::string LowerAscii(std::string text)
{
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    return text;
}

} // namespace

std::unique_ptr<XpsZipSource> XpsZipSource::Open(const std::filesystem::path& path)
{
    ZipHandle* handle = OpenZip(path);
    if (!handle)
        return nullptr;
    std::unique_ptr<XpsZipSource> source(new XpsZipSource(handle));
    std::vector<std::string> names;
    if (ListZipItems(handle, names) != ZipResult::Success)
        return nullptr;
    std::set<std::string> ambiguous;
    for (const std::string& name : names) {
        std::string key = LowerAscii("/" + name);
        if (!source->m_entries.emplace(key, name).second)
            ambiguous.insert(key);
    }
    for (const std::string& key : ambiguous)
        source->m_entries.erase(key);
    return source;
}

XpsZipSource::~XpsZipSource()
{
    CloseUnzip(m_handle);
}

std::optional<std::vector<uint8_t>> XpsZipSource::ReadPart(const std::string& partName, size_t maxSize)
{
    auto found = m_entries.find(LowerAscii(partName));
    if (found == m_entries.end())
        return std::nullopt;
    std::vector<uint8_t> data;
    if (ReadZipItem(m_handle, found->second, maxSize, data) != ZipResult::Success)
        return std::nullopt;
    return data;
}

} // namespace kelmora
