#include "platform/ui/HighlightTracker.h"

namespace kelmora {

void HighlightTracker::Hover(int index)
{
    if (index < 0) {
        Leave();
        return;
    }
    if (index == m_current)
        return;
    m_current = index;
    if (m_listener)
        m_listener(index);
}

void HighlightTracker::Leave()
{
    if (m_current < 0)
        return;
    m_current = -1;
    if (m_listener)
        m_listener(-1);
}

} // namespace kelmora
