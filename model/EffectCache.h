#pragma once
// The finished effect layers of drawing objects (blurred shadows, glows, faded
// reflections) kept between paints, so that a repaint that changes nothing of an object
// paints its layers instead of making them again.
//
// An object's layers belong to one fingerprint: the bytes of everything they are made
// from (DrawObjEffectCache.cpp). A paint finds only layers of the very fingerprint it
// brings, so none is shown for a state it was not made for: every edit, undo and redo
// included, changes the object's record or its outline. An object keeps the layers of its
// kStatesPerObject latest fingerprints, so that a view and a preview showing it at two
// sizes do not remake each other's, and an undo finds the layers of the state it brings
// back; older ones are dropped. Layers are held within a budget of bytes, the least
// recently painted going first; a destroyed object's go with it.
//
// Threads: one cache serves the UI thread (the process's main thread); other threads find
// none, and the thumbnail workers make every effect afresh. Printing never uses it. A
// cache object itself is not thread-safe.

#include "model/EffectLayer.h"

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace kelmora {

class CDrawObj;

class EffectCache {
public:
    // 256 MiB, as for pictures: the shadows and glows of a few hundred logo-sized objects
    // at a high zoom.
    static constexpr size_t kDefaultBudget = size_t(256) << 20;

    // Two: the object as one view shows it and as another does, or as it was before the
    // last edit.
    static constexpr size_t kStatesPerObject = 2;

    enum class LayerKind : uint8_t { Shadow, Glow, Reflection };

    explicit EffectCache(size_t budget = kDefaultBudget);
    EffectCache(const EffectCache&) = delete;
    EffectCache& operator=(const EffectCache&) = delete;
    ~EffectCache();

    // The process's cache on the main thread; null on every other thread.
    static EffectCache* ForCurrentThread();

    // Makes `fingerprint` the object's current state: the one whose layers Find and Keep
    // deal in until the next Begin.
    void Begin(const CDrawObj* object, std::vector<uint8_t> fingerprint);
    // The object's layer of that kind and variant for its current state, or null.
    std::shared_ptr<const EffectLayer> Find(const CDrawObj* object, LayerKind kind, uint32_t variant);
    // Keeps a finished layer for the object's current state (after Begin), replacing one
    // of the same kind and variant, then evicts beyond the budget. A layer larger than
    // the whole budget is not kept.
    void Keep(const CDrawObj* object, LayerKind kind, uint32_t variant, std::shared_ptr<const EffectLayer> layer);
    // Drops the object's layers: it is going away.
    void Forget(const CDrawObj* object);

    void Clear();
    // A smaller budget evicts at once.
    void SetBudget(size_t budget);
    size_t BytesHeld() const { return m_bytes; }
    size_t ObjectCount() const { return m_objects.size(); }
    size_t LayerCount() const;

private:
    struct Layer {
        LayerKind kind;
        uint32_t variant;
        std::shared_ptr<const EffectLayer> layer;
        size_t bytes;
    };
    struct Entry {
        const CDrawObj* object;
        std::vector<uint8_t> fingerprint;
        std::vector<Layer> layers;
        size_t bytes = 0;
    };
    using Entries = std::list<Entry>;
    struct ObjectStates {
        std::vector<Entries::iterator> states; // least recently begun first
        std::optional<Entries::iterator> current;
    };

    // The object's current state, when it has one.
    std::optional<Entries::iterator> Current(const CDrawObj* object);
    void Erase(Entries::iterator entry);
    void EvictBeyond(size_t budget);

    size_t m_budget;
    size_t m_bytes = 0;
    Entries m_entries; // most recently painted first
    std::unordered_map<const CDrawObj*, ObjectStates> m_objects;
};

} // namespace kelmora
