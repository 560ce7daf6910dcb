#include <plovdane/perf_timer.h>

#include <chrono>

namespace pld_timer {

namespace {

// Seconds per unit as an exact fraction, so that whole units come out whole
// (one second of ticks is exactly 1000 ms). Unknown units count seconds.
struct UnitRatio {
    double seconds;  // numerator
    double per;      // denominator
};

UnitRatio RatioOf(TimeUnit unit)
{
    switch (unit) {
    case HOURS: return {3600.0, 1.0};
    case MINUTES: return {60.0, 1.0};
    case MILLISECONDS: return {1.0, 1000.0};
    case MICROSECONDS: return {1.0, 1000000.0};
    case SECONDS:
    default: return {1.0, 1.0};
    }
}

}  // namespace

std::int64_t CSteadyClockCounter::Count() const { return std::chrono::steady_clock::now().time_since_epoch().count(); }

std::int64_t CSteadyClockCounter::Frequency() const
{
    using period = std::chrono::steady_clock::period;
    return period::den / period::num;
}

std::shared_ptr<const IPerfCounter> DefaultPerfCounter()
{
    static const auto counter = std::make_shared<const CSteadyClockCounter>();
    return counter;
}

win_CPerfTimer::win_CPerfTimer(double speed_factor, std::shared_ptr<const IPerfCounter> counter)
    : CPerfTimer(speed_factor), m_counter(std::move(counter))
{
}

bool win_CPerfTimer::IsSupported() const { return m_counter->Frequency() != 0; }

bool win_CPerfTimer::IsRunning() const { return m_running; }

void win_CPerfTimer::Start()
{
    m_running = true;
    m_startCount = m_counter->Count();
}

void win_CPerfTimer::Stop()
{
    if (!m_running) return;
    m_running = false;
    m_elapsedCount = m_counter->Count() - m_startCount;
}

std::int64_t win_CPerfTimer::GetElapsedTicks() const
{
    return m_running ? m_counter->Count() - m_startCount : m_elapsedCount;
}

double win_CPerfTimer::GetElapsedDouble(TimeUnit unit) const
{
    const UnitRatio r = RatioOf(unit);
    const double frequency = static_cast<double>(m_counter->Frequency());
    return static_cast<double>(GetElapsedTicks()) * r.per / (frequency * r.seconds) * m_speedFactor;
}

std::int64_t win_CPerfTimer::GetElapsed(TimeUnit unit) const
{
    return static_cast<std::int64_t>(GetElapsedDouble(unit));
}

float win_CPerfTimer::GetElapsedFloat(TimeUnit unit) const
{
    const UnitRatio r = RatioOf(unit);
    const float frequency = static_cast<float>(m_counter->Frequency());
    return static_cast<float>(GetElapsedTicks()) * static_cast<float>(r.per) /
           (frequency * static_cast<float>(r.seconds)) * static_cast<float>(m_speedFactor);
}

std::int64_t win_CPerfTimer::GetElapsedFraction(TimeUnit unit) const
{
    switch (unit) {
    case MILLISECONDS: return GetElapsed(MILLISECONDS) - 1000 * GetElapsed(SECONDS);
    case MICROSECONDS: return GetElapsed(MICROSECONDS) - 1000000 * GetElapsed(SECONDS);
    default: return GetElapsed(MILLISECONDS);
    }
}

}  // namespace pld_timer
