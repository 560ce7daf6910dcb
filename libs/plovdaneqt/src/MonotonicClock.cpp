#include <PlovdaneQt/MonotonicClock.h>

namespace pld_qt {

CElapsedTimerClock::CElapsedTimerClock() { m_timer.start(); }

std::int64_t CElapsedTimerClock::Nanoseconds() const { return m_timer.nsecsElapsed(); }

std::shared_ptr<const IMonotonicClock> DefaultMonotonicClock() { return std::make_shared<CElapsedTimerClock>(); }

}  // namespace pld_qt
