#include "app/properties/ObjectListEntries.h"

#include "app/properties/PropertyNames.h"
#include "model/DrawObj.h"
#include "platform/base/PointerMap.h"

#include <ext/pb_ds/assoc_container.hpp>
#include <ext/pb_ds/tree_policy.hpp>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

namespace kelmora {

namespace {

struct Key {
    // The name folded for sorting.
    std::string folded;
    // Tells equal names apart in the order they came.
    uint64_t serial = 0;
};

struct KeyLess {
    bool operator()(const Key& a, const Key& b) const
    {
        const int order = a.folded.compare(b.folded);
        return order != 0 ? order < 0 : a.serial < b.serial;
    }
};

struct Entry {
    std::string name;
    CDrawObj* object = nullptr;
};

// An order-statistics tree: the position of a key and the entry at a position are found
// in logarithmic time.
using Tree = __gnu_pbds::tree<Key, Entry, KeyLess, __gnu_pbds::rb_tree_tag,
                              __gnu_pbds::tree_order_statistics_node_update>;

std::string NameOf(const CDrawObj* object)
{
    return object ? object->GetName() : std::string(kDocumentEntry);
}

std::string Fold(std::string_view name)
{
    // Letters of the basic Latin alphabet without regard to case; other characters by
    // their UTF-8 bytes, which orders them by code point.
    std::string folded(name);
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    return folded;
}

} // namespace

struct ObjectListEntries::Impl {
    Tree entries;
    // The entry of every listed object, in a flat table: an insertion of thousands of
    // objects asks it for each. The document's entry (null) is kept apart, as the table
    // has no null key.
    PointerMap<CDrawObj, Tree::iterator> objects;
    std::optional<Tree::iterator> document;
    uint64_t nextSerial = 1;

    Tree::iterator* Find(const CDrawObj* object)
    {
        if (!object)
            return document ? &*document : nullptr;
        return objects.find(object);
    }
};

ObjectListEntries::ObjectListEntries() : m_impl(std::make_unique<Impl>())
{
}

ObjectListEntries::~ObjectListEntries() = default;

bool ObjectListEntries::Contains(const CDrawObj* object) const
{
    return m_impl->Find(object) != nullptr;
}

int ObjectListEntries::Count() const
{
    return int(m_impl->entries.size());
}

int ObjectListEntries::Insert(CDrawObj* object, std::string name)
{
    Place(object, std::move(name));
    return IndexOf(object);
}

void ObjectListEntries::Place(CDrawObj* object, std::string name)
{
    Key key{Fold(name), m_impl->nextSerial++};
    const Tree::iterator entry = m_impl->entries.insert({std::move(key), Entry{std::move(name), object}}).first;
    if (object)
        m_impl->objects.insert(object, entry);
    else
        m_impl->document = entry;
}

int ObjectListEntries::Add(CDrawObj* object)
{
    if (const int index = IndexOf(object); index >= 0)
        return index;
    return Insert(object, NameOf(object));
}

bool ObjectListEntries::Include(CDrawObj* object)
{
    if (Contains(object))
        return false;
    Place(object, NameOf(object));
    return true;
}

bool ObjectListEntries::Remove(const CDrawObj* object)
{
    Tree::iterator* found = m_impl->Find(object);
    if (!found)
        return false;
    m_impl->entries.erase(*found);
    if (object)
        m_impl->objects.erase(object);
    else
        m_impl->document.reset();
    return true;
}

bool ObjectListEntries::Rename(CDrawObj* object)
{
    Tree::iterator* found = m_impl->Find(object);
    if (!found)
        return false;
    std::string name = NameOf(object);
    if ((*found)->second.name == name)
        return true;
    Remove(object);
    Insert(object, std::move(name));
    return true;
}

void ObjectListEntries::RenameChanged()
{
    std::vector<CDrawObj*> renamed;
    for (const auto& [key, entry] : m_impl->entries) {
        if (entry.object && entry.object->GetName() != entry.name)
            renamed.push_back(entry.object);
    }
    for (CDrawObj* object : renamed)
        Rename(object);
}

void ObjectListEntries::Clear()
{
    m_impl->entries.clear();
    m_impl->objects.clear();
    m_impl->document.reset();
}

int ObjectListEntries::IndexOf(const CDrawObj* object) const
{
    const Tree::iterator* found = m_impl->Find(object);
    return found ? int(m_impl->entries.order_of_key((*found)->first)) : -1;
}

CDrawObj* ObjectListEntries::ObjectAt(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return m_impl->entries.find_by_order(size_t(index))->second.object;
}

std::string_view ObjectListEntries::NameAt(int index) const
{
    if (index < 0 || index >= Count())
        return {};
    return m_impl->entries.find_by_order(size_t(index))->second.name;
}

int ObjectListEntries::FindPrefix(std::string_view prefix, int from) const
{
    // Names that begin alike stand together: the run starts where the prefix itself
    // would be sorted in.
    const std::string folded = Fold(prefix);
    auto beginsWithPrefix = [&](int index) {
        return index >= 0 && index < Count()
            && std::string_view(m_impl->entries.find_by_order(size_t(index))->first.folded).starts_with(folded);
    };
    const int first = int(m_impl->entries.order_of_key(Key{folded, 0}));
    if (!beginsWithPrefix(first))
        return -1;
    return from > first && beginsWithPrefix(from) ? from : first;
}

} // namespace kelmora
