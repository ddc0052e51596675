#include "platform/base/WorkProgress.h"

#include <algorithm>

namespace kelmora {

namespace {

thread_local ScopedWorkProgress* t_progress = nullptr;

} // namespace

ScopedWorkProgress::ScopedWorkProgress(std::function<void(double)> listener)
    : m_listener(std::move(listener)), m_outer(t_progress)
{
    t_progress = this;
}

ScopedWorkProgress::~ScopedWorkProgress()
{
    t_progress = m_outer;
}

WorkStage::WorkStage(double begin, double end)
{
    ScopedWorkProgress* progress = t_progress;
    if (!progress)
        return;
    m_savedBegin = progress->m_begin;
    m_savedEnd = progress->m_end;
    const double span = m_savedEnd - m_savedBegin;
    progress->m_begin = m_savedBegin + span * std::clamp(begin, 0.0, 1.0);
    progress->m_end = m_savedBegin + span * std::clamp(end, 0.0, 1.0);
    ReportWorkProgress(0, 1);
}

WorkStage::~WorkStage()
{
    if (ScopedWorkProgress* progress = t_progress) {
        progress->m_begin = m_savedBegin;
        progress->m_end = m_savedEnd;
    }
}

bool WorkInProgress()
{
    return t_progress != nullptr;
}

void ReportWorkProgress(std::uint64_t done, std::uint64_t total)
{
    ScopedWorkProgress* progress = t_progress;
    if (!progress || !progress->m_listener)
        return;
    const double share = total == 0 ? 1.0 : double(std::min(done, total)) / double(total);
    progress->m_listener(progress->m_begin + (progress->m_end - progress->m_begin) * share);
}

} // namespace kelmora
