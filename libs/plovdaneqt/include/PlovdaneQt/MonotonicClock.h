#pragma once
// The time source the playback clock measures against.
#include <cstdint>
#include <memory>

#include <QElapsedTimer>

namespace pld_qt {

// A clock that only ever runs forwards, read in nanoseconds since an
// arbitrary origin. Reads may come from any thread.
class IMonotonicClock {
public:
    virtual ~IMonotonicClock() = default;
    virtual std::int64_t Nanoseconds() const = 0;
};

// The process's monotonic clock through a QElapsedTimer started once at
// construction and never restarted.
class CElapsedTimerClock : public IMonotonicClock {
public:
    CElapsedTimerClock();
    std::int64_t Nanoseconds() const override;

private:
    QElapsedTimer m_timer;
};

std::shared_ptr<const IMonotonicClock> DefaultMonotonicClock();

}  // namespace pld_qt
