#pragma once
// The playback clock as the application timer: the update thread ticks it
// and reads its time through ITimer, so pausing, stopping and scrubbing the
// player move the time the scene sees.
#include <cstdint>

#include <PlovdaneQt/QtTimer.h>
#include <halvo_core/timer.h>

namespace hlv_app {

class QtTimer : public hlv_core::ITimer {
public:
    QtTimer() = default;
    // For tests: a playback clock on another time source.
    explicit QtTimer(std::shared_ptr<const pld_qt::IMonotonicClock> clock) : m_timer(std::move(clock)) {}

    // Playing; no signal.
    void Start() override { m_timer.play(); }
    // Stopped; the playback clock emits timerStoped.
    void Stop() override { m_timer.stop(); }
    std::uint64_t GetMilliseconds() override { return m_timer.currentTime(); }
    double GetSeconds() override { return static_cast<double>(m_timer.currentTime()) / 1000.0; }
    void Tick() override { m_timer.Tick(); }

    pld_qt::QtTimer& GetQtTimer() { return m_timer; }
    const pld_qt::QtTimer& GetQtTimer() const { return m_timer; }

private:
    pld_qt::QtTimer m_timer;
};

}  // namespace hlv_app
