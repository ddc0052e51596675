#include "app/properties/ObjectListEntries.h"

#include "app/properties/PropertyNames.h"
#include "model/DrawObj.h"

#include <algorithm>

namespace kelmora {

bool ObjectListEntries::KeyLess::operator()(const Key& a, const Key& b) const
{
    const int order = a.folded.compare(b.folded);
    return order != 0 ? order < 0 : a.serial < b.serial;
}

std::string ObjectListEntries::NameOf(const CDrawObj* object)
{
    return object ? object->GetName() : std::string(kDocumentEntry);
}

std::string ObjectListEntries::Fold(std::string_view name)
{
    // Letters of the basic Latin alphabet without regard to case; other characters by
    // their UTF-8 bytes, which orders them by code point.
    std::string folded(name);
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    return folded;
}

int ObjectListEntries::Insert(CDrawObj* object, std::string name)
{
    Key key{Fold(name), m_nextSerial++};
    const int index = int(m_entries.order_of_key(key));
    m_keys.emplace(object, key);
    m_entries.insert({std::move(key), Entry{std::move(name), object}});
    return index;
}

int ObjectListEntries::Add(CDrawObj* object)
{
    if (const int index = IndexOf(object); index >= 0)
        return index;
    return Insert(object, NameOf(object));
}

bool ObjectListEntries::Remove(const CDrawObj* object)
{
    auto found = m_keys.find(object);
    if (found == m_keys.end())
        return false;
    m_entries.erase(found->second);
    m_keys.erase(found);
    return true;
}

bool ObjectListEntries::Rename(CDrawObj* object)
{
    auto found = m_keys.find(object);
    if (found == m_keys.end())
        return false;
    std::string name = NameOf(object);
    auto entry = m_entries.find(found->second);
    if (entry != m_entries.end() && entry->second.name == name)
        return true;
    Remove(object);
    Insert(object, std::move(name));
    return true;
}

void ObjectListEntries::RenameChanged()
{
    std::vector<CDrawObj*> renamed;
    for (const auto& [key, entry] : m_entries) {
        if (entry.object && entry.object->GetName() != entry.name)
            renamed.push_back(entry.object);
    }
    for (CDrawObj* object : renamed)
        Rename(object);
}

void ObjectListEntries::Clear()
{
    m_entries.clear();
    m_keys.clear();
}

int ObjectListEntries::IndexOf(const CDrawObj* object) const
{
    auto found = m_keys.find(object);
    return found == m_keys.end() ? -1 : int(m_entries.order_of_key(found->second));
}

CDrawObj* ObjectListEntries::ObjectAt(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return m_entries.find_by_order(size_t(index))->second.object;
}

std::string_view ObjectListEntries::NameAt(int index) const
{
    if (index < 0 || index >= Count())
        return {};
    return m_entries.find_by_order(size_t(index))->second.name;
}

int ObjectListEntries::FindPrefix(std::string_view prefix, int from) const
{
    // Names that begin alike stand together: the run starts where the prefix itself
    // would be sorted in.
    const std::string folded = Fold(prefix);
    auto beginsWithPrefix = [&](int index) {
        return index >= 0 && index < Count()
            && std::string_view(m_entries.find_by_order(size_t(index))->first.folded).starts_with(folded);
    };
    const int first = int(m_entries.order_of_key(Key{folded, 0}));
    if (!beginsWithPrefix(first))
        return -1;
    return from > first && beginsWithPrefix(from) ? from : first;
}

} // namespace kelmora
