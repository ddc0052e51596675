#pragma once
// The premultiplied cairo surfaces of pictures, kept between draws so that a picture is
// converted once and not at every repaint.
//
// An entry belongs to one state of a bitmap's pixels (Bitmap::ContentId) and one set of
// image attributes (ImageAttributes::BitmapSettings): a change of either is a different
// entry, so nothing stale is ever found. Entries of bitmaps that no longer exist are
// dropped when the next entry is kept; the rest are held within a budget of bytes, the
// least recently used going first when it is exceeded.
//
// Threads: the drawing of the UI thread (the process's main thread) goes through one
// process-wide cache; other threads, the thumbnail workers among them, find none and
// draw every picture afresh. A cache object itself is not thread-safe.

#include <cairo.h>

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <unordered_map>
#include <vector>

namespace kelmora {

class Bitmap;

class PictureCache {
public:
    // 256 MiB: the converted pictures of a busy logo page (a few dozen photographs of a
    // few megapixels) with room to spare, and little next to the memory of the machines
    // the program runs on.
    static constexpr size_t kDefaultBudget = size_t(256) << 20;

    explicit PictureCache(size_t budget = kDefaultBudget);
    PictureCache(const PictureCache&) = delete;
    PictureCache& operator=(const PictureCache&) = delete;
    ~PictureCache();

    // The process's cache on the main thread; null on every other thread.
    static PictureCache* ForCurrentThread();

    // A new reference to the surface kept for the picture's pixels with these settings
    // (the caller destroys it), or null when none is kept.
    cairo_surface_t* Find(const Bitmap& picture, const std::vector<float>& settings);
    // Keeps the surface (taking a reference of its own) for the picture's pixels with
    // these settings, then evicts least recently used entries beyond the budget. A
    // surface larger than the whole budget, or of a bitmap without pixels, is not kept.
    void Keep(const Bitmap& picture, std::vector<float> settings, cairo_surface_t* surface);

    void Clear();
    // A smaller budget evicts at once.
    void SetBudget(size_t budget);
    size_t Budget() const { return m_budget; }
    size_t BytesHeld() const { return m_bytes; }
    size_t EntryCount() const { return m_entries.size(); }

private:
    struct Entry {
        uint64_t contentId;
        std::weak_ptr<const void> lifetime;
        std::vector<float> settings;
        cairo_surface_t* surface;
        size_t bytes;
    };
    using Entries = std::list<Entry>;

    void Erase(Entries::iterator entry);
    void DropExpired();
    void EvictBeyond(size_t budget);

    size_t m_budget;
    size_t m_bytes = 0;
    Entries m_entries; // most recently used first
    std::unordered_multimap<uint64_t, Entries::iterator> m_byContent;
};

} // namespace kelmora
