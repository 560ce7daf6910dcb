#pragma once
// Stopwatch over a high-resolution performance counter.
#include <cstdint>
#include <memory>

namespace pld_timer {

enum TimeUnit { HOURS = 0, MINUTES = 1, SECONDS = 2, MILLISECONDS = 3, MICROSECONDS = 4 };

// The counter a stopwatch reads: a monotonic count and its rate per second.
class IPerfCounter {
public:
    virtual ~IPerfCounter() = default;
    virtual std::int64_t Count() const = 0;
    virtual std::int64_t Frequency() const = 0;
};

// The process's monotonic clock (std::chrono::steady_clock).
class CSteadyClockCounter : public IPerfCounter {
public:
    std::int64_t Count() const override;
    std::int64_t Frequency() const override;
};

std::shared_ptr<const IPerfCounter> DefaultPerfCounter();

class CPerfTimer {
public:
    explicit CPerfTimer(double speed_factor = 1.0) : m_speedFactor(speed_factor) {}
    virtual ~CPerfTimer() = default;

    virtual bool IsSupported() const = 0;
    virtual bool IsRunning() const = 0;
    virtual void Start() = 0;
    virtual void Stop() = 0;
    virtual std::int64_t GetElapsedTicks() const = 0;
    virtual std::int64_t GetElapsed(TimeUnit unit) const = 0;
    virtual double GetElapsedDouble(TimeUnit unit) const = 0;
    virtual float GetElapsedFloat(TimeUnit unit) const = 0;
    virtual std::int64_t GetElapsedFraction(TimeUnit unit) const = 0;

    double GetSpeedFactor() const { return m_speedFactor; }
    void SetSpeedFactor(double factor) { m_speedFactor = factor; }

protected:
    double m_speedFactor;
    bool m_running = false;
    std::int64_t m_startCount = 0;
    std::int64_t m_elapsedCount = 0;
};

// The stopwatch on a performance counter, by default the steady clock; tests
// hand in a counter of their own to drive time.
class win_CPerfTimer : public CPerfTimer {
public:
    explicit win_CPerfTimer(double speed_factor = 1.0,
                            std::shared_ptr<const IPerfCounter> counter = DefaultPerfCounter());

    bool IsSupported() const override;
    bool IsRunning() const override;
    void Start() override;
    void Stop() override;
    std::int64_t GetElapsedTicks() const override;
    std::int64_t GetElapsed(TimeUnit unit) const override;
    double GetElapsedDouble(TimeUnit unit) const override;
    float GetElapsedFloat(TimeUnit unit) const override;
    std::int64_t GetElapsedFraction(TimeUnit unit) const override;

private:
    std::shared_ptr<const IPerfCounter> m_counter;
};

}  // namespace pld_timer
