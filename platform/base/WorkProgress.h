#pragma once
// How far a long piece of work on this thread has come, for whoever shows it. The UI
// installs a listener around work that can take seconds (saving a large drawing); the
// work reports at the points where it can tell how much of a stage it has done. Stages
// split the whole into parts, so that code which reports its own share from 0 to 1 need
// not know what runs around it. Without a listener a report costs a check of one
// thread-local pointer.
//
// Listeners run on the working thread, inside the work: they may show the progress and
// repaint windows, and must not change what the work is working on.

#include <cstdint>
#include <functional>

namespace kelmora {

class ScopedWorkProgress {
public:
    // `listener` gets fractions of the whole, 0 to 1, rising, while this object lives;
    // 1 says that the work is over.
    explicit ScopedWorkProgress(std::function<void(double fraction)> listener);
    ~ScopedWorkProgress();
    ScopedWorkProgress(const ScopedWorkProgress&) = delete;
    ScopedWorkProgress& operator=(const ScopedWorkProgress&) = delete;

private:
    std::function<void(double)> m_listener;
    ScopedWorkProgress* m_outer;
    double m_begin = 0.0;
    double m_end = 1.0;
    friend class WorkStage;
    friend void ReportWorkProgress(std::uint64_t, std::uint64_t);
};

// The part [begin, end) of the enclosing stage (of the whole work at the outside); reports
// made while it lives fall in that part. Reports that it began.
class WorkStage {
public:
    WorkStage(double begin, double end);
    ~WorkStage();
    WorkStage(const WorkStage&) = delete;
    WorkStage& operator=(const WorkStage&) = delete;

private:
    double m_savedBegin = 0.0;
    double m_savedEnd = 1.0;
};

// `done` of `total` of the current stage is done.
void ReportWorkProgress(std::uint64_t done, std::uint64_t total);

// Whether a work that reports its progress is under way on this thread: its progress
// window lets timers run, and what they start must not write beside it.
bool WorkInProgress();

} // namespace kelmora
