#include "model/EffectCache.h"

#include "platform/base/MainThread.h"

#include <algorithm>

namespace kelmora {

namespace {

size_t LayerBytes(const EffectLayer& layer)
{
    const ImageSurface& surface = layer.Surface();
    return size_t(cairo_image_surface_get_stride(surface.CairoSurface())) * size_t(surface.Height());
}

} // namespace

EffectCache::EffectCache(size_t budget) : m_budget(budget) { }

EffectCache::~EffectCache() = default;

EffectCache* EffectCache::ForCurrentThread()
{
    if (!IsMainThread())
        return nullptr;
    // Never destroyed: objects destroyed while the program exits still tell it.
    static EffectCache* s_cache = new EffectCache;
    return s_cache;
}

void EffectCache::Begin(const CDrawObj* object, std::vector<uint8_t> fingerprint)
{
    ObjectStates& found = m_objects[object];
    std::vector<Entries::iterator>& states = found.states;
    auto same = std::find_if(states.begin(), states.end(),
                             [&](Entries::iterator state) { return state->fingerprint == fingerprint; });
    Entries::iterator entry;
    if (same != states.end()) {
        entry = *same;
        states.erase(same);
        m_entries.splice(m_entries.begin(), m_entries, entry);
    } else {
        m_entries.push_front(Entry{object, std::move(fingerprint), {}, 0});
        entry = m_entries.begin();
    }
    states.push_back(entry);
    found.current = entry;
    if (states.size() > kStatesPerObject)
        Erase(states.front());
}

std::optional<EffectCache::Entries::iterator> EffectCache::Current(const CDrawObj* object)
{
    auto found = m_objects.find(object);
    if (found == m_objects.end())
        return std::nullopt;
    return found->second.current;
}

std::shared_ptr<const EffectLayer> EffectCache::Find(const CDrawObj* object, LayerKind kind, uint32_t variant)
{
    const std::optional<Entries::iterator> entry = Current(object);
    if (!entry)
        return nullptr;
    for (const Layer& layer : (*entry)->layers) {
        if (layer.kind == kind && layer.variant == variant)
            return layer.layer;
    }
    return nullptr;
}

void EffectCache::Keep(const CDrawObj* object, LayerKind kind, uint32_t variant, std::shared_ptr<const EffectLayer> layer)
{
    const std::optional<Entries::iterator> current = Current(object);
    if (!layer || !current)
        return;
    const Entries::iterator entry = *current;
    const size_t bytes = LayerBytes(*layer);
    if (bytes > m_budget)
        return;
    std::vector<Layer>& layers = entry->layers;
    auto same = std::find_if(layers.begin(), layers.end(),
                             [&](const Layer& kept) { return kept.kind == kind && kept.variant == variant; });
    if (same != layers.end()) {
        entry->bytes -= same->bytes;
        m_bytes -= same->bytes;
        layers.erase(same);
    }
    layers.push_back(Layer{kind, variant, std::move(layer), bytes});
    entry->bytes += bytes;
    m_bytes += bytes;
    m_entries.splice(m_entries.begin(), m_entries, entry);
    EvictBeyond(m_budget);
}

void EffectCache::Forget(const CDrawObj* object)
{
    auto found = m_objects.find(object);
    if (found == m_objects.end())
        return;
    const std::vector<Entries::iterator> states = found->second.states;
    for (Entries::iterator state : states)
        Erase(state);
}

void EffectCache::Clear()
{
    while (!m_entries.empty())
        Erase(m_entries.begin());
}

void EffectCache::SetBudget(size_t budget)
{
    m_budget = budget;
    EvictBeyond(m_budget);
}

size_t EffectCache::LayerCount() const
{
    size_t count = 0;
    for (const Entry& entry : m_entries)
        count += entry.layers.size();
    return count;
}

void EffectCache::Erase(Entries::iterator entry)
{
    auto found = m_objects.find(entry->object);
    if (found != m_objects.end()) {
        ObjectStates& object = found->second;
        std::erase(object.states, entry);
        if (object.current == entry)
            object.current.reset();
        if (object.states.empty())
            m_objects.erase(found);
    }
    m_bytes -= entry->bytes;
    m_entries.erase(entry);
}

// Objects without layers cost nothing against the budget and stay: they are
// fingerprints waiting for the layers of their next paint.
void EffectCache::EvictBeyond(size_t budget)
{
    auto next = m_entries.end();
    while (m_bytes > budget && next != m_entries.begin()) {
        const auto victim = std::prev(next);
        if (victim->bytes == 0)
            next = victim;
        else
            Erase(victim);
    }
}

} // namespace kelmora
