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
    auto found = m_byObject.find(object);
    if (found == m_byObject.end()) {
        m_entries.push_front(Entry{object, std::move(fingerprint), {}, 0});
        m_byObject.emplace(object, m_entries.begin());
        return;
    }
    Entries::iterator entry = found->second;
    m_entries.splice(m_entries.begin(), m_entries, entry);
    if (entry->fingerprint == fingerprint)
        return;
    entry->fingerprint = std::move(fingerprint);
    entry->layers.clear();
    m_bytes -= entry->bytes;
    entry->bytes = 0;
}

std::shared_ptr<const EffectLayer> EffectCache::Find(const CDrawObj* object, LayerKind kind, uint32_t variant)
{
    auto found = m_byObject.find(object);
    if (found == m_byObject.end())
        return nullptr;
    for (const Layer& layer : found->second->layers) {
        if (layer.kind == kind && layer.variant == variant)
            return layer.layer;
    }
    return nullptr;
}

void EffectCache::Keep(const CDrawObj* object, LayerKind kind, uint32_t variant, std::shared_ptr<const EffectLayer> layer)
{
    auto found = m_byObject.find(object);
    if (!layer || found == m_byObject.end())
        return;
    const size_t bytes = LayerBytes(*layer);
    if (bytes > m_budget)
        return;
    Entries::iterator entry = found->second;
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
    auto found = m_byObject.find(object);
    if (found != m_byObject.end())
        Erase(found->second);
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
    m_bytes -= entry->bytes;
    m_byObject.erase(entry->object);
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
