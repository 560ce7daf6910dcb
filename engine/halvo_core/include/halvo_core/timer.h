#pragma once
// The application clock the update thread reads once per frame.
#include <cstdint>
#include <memory>

#include <plovdane/perf_timer.h>

namespace hlv_core {

class ITimer {
public:
    virtual ~ITimer() = default;
    virtual void Start() = 0;
    virtual void Stop() = 0;
    virtual std::uint64_t GetMilliseconds() = 0;
    virtual double GetSeconds() = 0;
    virtual void Tick() = 0;
};

// Stopwatch clock on the performance counter; Tick does nothing, as the
// stopwatch advances by itself.
class CWin32PerfTimer : public ITimer {
public:
    explicit CWin32PerfTimer(std::shared_ptr<const pld_timer::IPerfCounter> counter = pld_timer::DefaultPerfCounter())
        : m_timer(1.0, std::move(counter))
    {
    }

    void Start() override { m_timer.Start(); }
    void Stop() override { m_timer.Stop(); }
    std::uint64_t GetMilliseconds() override
    {
        return static_cast<std::uint64_t>(m_timer.GetElapsed(pld_timer::MILLISECONDS));
    }
    double GetSeconds() override { return m_timer.GetElapsedDouble(pld_timer::SECONDS); }
    void Tick() override {}

    pld_timer::win_CPerfTimer& Stopwatch() { return m_timer; }

private:
    pld_timer::win_CPerfTimer m_timer;
};

}  // namespace hlv_core
