#pragma once
// Which item of an open palette or gallery the pointer rests on, told to a listener for
// live preview. The listener hears the index of each new item under the pointer and
// exactly one -1 when the pointer leaves the items or the popup ends, so that a preview
// it applied is always taken back once and never twice.

#include <functional>

namespace kelmora {

class HighlightTracker {
public:
    using Listener = std::function<void(int index)>;

    explicit HighlightTracker(Listener listener) : m_listener(std::move(listener)) { }

    // The pointer is over item `index` (>= 0); a negative index counts as leaving.
    void Hover(int index);
    // The pointer left the items, or the popup ends: -1 once if an item was highlighted.
    void Leave();
    // The item under the pointer, -1 for none.
    int Current() const { return m_current; }

private:
    Listener m_listener;
    int m_current = -1;
};

} // namespace kelmora
