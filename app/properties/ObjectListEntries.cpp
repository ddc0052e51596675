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
    // Objects included and not sorted in yet, in the order they came, and where each one
    // last came in that order; one removed meanwhile has no place.
    std::vector<CDrawObj*> waiting;
    PointerMap<CDrawObj, size_t> waitingAt;

    Tree::iterator* Find(const CDrawObj* object)
    {
        if (!object)
            return document ? &*document : nullptr;
        return objects.find(object);
    }

    void Place(CDrawObj* object, std::string name)
    {
        Key key{Fold(name), nextSerial++};
        const Tree::iterator entry = entries.insert({std::move(key), Entry{std::move(name), object}}).first;
        if (object)
            objects.insert(object, entry);
        else
            document = entry;
    }
};

ObjectListEntries::ObjectListEntries() : m_impl(std::make_unique<Impl>())
{
}

ObjectListEntries::~ObjectListEntries() = default;

bool ObjectListEntries::Contains(const CDrawObj* object) const
{
    return m_impl->Find(object) != nullptr || m_impl->waitingAt.contains(object);
}

int ObjectListEntries::Count() const
{
    return int(m_impl->entries.size() + m_impl->waitingAt.size());
}

int ObjectListEntries::Insert(CDrawObj* object, std::string name)
{
    m_impl->Place(object, std::move(name));
    return IndexOf(object);
}

void ObjectListEntries::Settle() const
{
    Impl& impl = *m_impl;
    if (impl.waiting.empty())
        return;
    // Each comes under its present name, as RenameChanged would put it.
    for (size_t i = 0; i < impl.waiting.size(); ++i) {
        CDrawObj* object = impl.waiting[i];
        if (const size_t* at = impl.waitingAt.find(object); at && *at == i)
            impl.Place(object, NameOf(object));
    }
    impl.waiting.clear();
    impl.waitingAt.clear();
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
    if (!object) {
        m_impl->Place(object, NameOf(object));
        return true;
    }
    Impl& impl = *m_impl;
    // Objects included and removed again, over and over without a look at the list, leave
    // no more than as many places as there are objects waiting.
    if (impl.waiting.size() >= 2 * impl.waitingAt.size() + 1024) {
        std::vector<CDrawObj*> kept;
        kept.reserve(impl.waitingAt.size());
        for (size_t i = 0; i < impl.waiting.size(); ++i) {
            size_t* at = impl.waitingAt.find(impl.waiting[i]);
            if (at && *at == i) {
                *at = kept.size();
                kept.push_back(impl.waiting[i]);
            }
        }
        impl.waiting = std::move(kept);
    }
    impl.waitingAt.insert(object, impl.waiting.size());
    impl.waiting.push_back(object);
    return true;
}

std::optional<std::string> ObjectListEntries::ShownName(const CDrawObj* object) const
{
    if (const Tree::iterator* found = m_impl->Find(object))
        return (*found)->second.name;
    if (m_impl->waitingAt.contains(object))
        return NameOf(object);
    return std::nullopt;
}

bool ObjectListEntries::Remove(const CDrawObj* object)
{
    if (m_impl->waitingAt.erase(object))
        return true;
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
    // One still waiting takes its name when it is sorted in.
    if (m_impl->waitingAt.contains(object))
        return true;
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
    m_impl->waiting.clear();
    m_impl->waitingAt.clear();
    m_impl->entries.clear();
    m_impl->objects.clear();
    m_impl->document.reset();
}

int ObjectListEntries::IndexOf(const CDrawObj* object) const
{
    Settle();
    const Tree::iterator* found = m_impl->Find(object);
    return found ? int(m_impl->entries.order_of_key((*found)->first)) : -1;
}

CDrawObj* ObjectListEntries::ObjectAt(int index) const
{
    Settle();
    if (index < 0 || index >= Count())
        return nullptr;
    return m_impl->entries.find_by_order(size_t(index))->second.object;
}

std::string_view ObjectListEntries::NameAt(int index) const
{
    Settle();
    if (index < 0 || index >= Count())
        return {};
    return m_impl->entries.find_by_order(size_t(index))->second.name;
}

int ObjectListEntries::FindPrefix(std::string_view prefix, int from) const
{
    // Names that begin alike stand together: the run starts where the prefix itself
    // would be sorted in.
    Settle();
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
