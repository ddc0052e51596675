#include "platform/graphics/PictureCache.h"

#include "platform/base/MainThread.h"
#include "platform/imaging/Bitmap.h"

namespace kelmora {

PictureCache::PictureCache(size_t budget) : m_budget(budget) { }

PictureCache::~PictureCache()
{
    Clear();
}

PictureCache* PictureCache::ForCurrentThread()
{
    if (!IsMainThread())
        return nullptr;
    static PictureCache s_cache;
    return &s_cache;
}

cairo_surface_t* PictureCache::Find(const Bitmap& picture, const std::vector<float>& settings)
{
    if (picture.ContentId() == 0)
        return nullptr;
    const auto [first, last] = m_byContent.equal_range(picture.ContentId());
    for (auto it = first; it != last; ++it) {
        const Entries::iterator entry = it->second;
        if (entry->settings != settings)
            continue;
        m_entries.splice(m_entries.begin(), m_entries, entry);
        return cairo_surface_reference(entry->surface);
    }
    return nullptr;
}

void PictureCache::Keep(const Bitmap& picture, std::vector<float> settings, cairo_surface_t* surface)
{
    if (picture.ContentId() == 0 || !surface || cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE)
        return;
    const size_t bytes =
        size_t(cairo_image_surface_get_stride(surface)) * size_t(cairo_image_surface_get_height(surface));
    if (bytes > m_budget)
        return;
    DropExpired();
    m_entries.push_front(
        Entry{picture.ContentId(), picture.Lifetime(), std::move(settings), cairo_surface_reference(surface), bytes});
    m_byContent.emplace(picture.ContentId(), m_entries.begin());
    m_bytes += bytes;
    EvictBeyond(m_budget);
}

void PictureCache::Clear()
{
    while (!m_entries.empty())
        Erase(m_entries.begin());
}

void PictureCache::SetBudget(size_t budget)
{
    m_budget = budget;
    EvictBeyond(m_budget);
}

void PictureCache::Erase(Entries::iterator entry)
{
    const auto [first, last] = m_byContent.equal_range(entry->contentId);
    for (auto it = first; it != last; ++it) {
        if (it->second == entry) {
            m_byContent.erase(it);
            break;
        }
    }
    m_bytes -= entry->bytes;
    cairo_surface_destroy(entry->surface);
    m_entries.erase(entry);
}

// The surfaces of bitmaps that are gone can never be found again.
void PictureCache::DropExpired()
{
    for (auto entry = m_entries.begin(); entry != m_entries.end();) {
        const auto next = std::next(entry);
        if (entry->lifetime.expired())
            Erase(entry);
        entry = next;
    }
}

void PictureCache::EvictBeyond(size_t budget)
{
    while (m_bytes > budget && !m_entries.empty())
        Erase(std::prev(m_entries.end()));
}

} // namespace kelmora
