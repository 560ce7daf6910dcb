#include <PlovdaneQt/QtTimer.h>

#include <algorithm>
#include <utility>

namespace pld_qt {

namespace {

constexpr std::int64_t kNanosecondsPerMillisecond = 1000000;

// Queued delivery looks argument types up by the name written in the signal,
// with and without the namespace.
void RegisterTimerPointerType()
{
    static const bool registered = [] {
        qRegisterMetaType<const QtTimer*>();
        qRegisterMetaType<const QtTimer*>("const QtTimer*");
        return true;
    }();
    (void)registered;
}

}  // namespace

QtTimer::QtTimer(QObject* parent) : QtTimer(DefaultMonotonicClock(), parent) {}

QtTimer::QtTimer(std::shared_ptr<const IMonotonicClock> clock, QObject* parent)
    : QObject(parent), m_clock(std::move(clock))
{
    RegisterTimerPointerType();
    if (!m_clock) m_clock = DefaultMonotonicClock();
    m_accountedNs = m_clock->Nanoseconds();
}

QtTimer::~QtTimer() = default;

void QtTimer::Tick()
{
    bool advanced = false;
    bool stopped = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const std::int64_t now = m_clock->Nanoseconds();
        const std::int64_t elapsed = now - m_accountedNs;
        const std::int64_t wholeMs = elapsed > 0 ? elapsed / kNanosecondsPerMillisecond : 0;
        // Of the measured time, what passed before playing started (after the
        // previous tick) was not played.
        const std::int64_t played =
            m_playingSinceNs > m_accountedNs
                ? std::min(wholeMs, std::max<std::int64_t>(0, now - m_playingSinceNs) / kNanosecondsPerMillisecond)
                : wholeMs;
        m_accountedNs += wholeMs * kNanosecondsPerMillisecond;
        m_delta = static_cast<std::uint64_t>(wholeMs);

        if (m_state == QTS_PLAYING) {
            const std::uint64_t next = m_current + static_cast<std::uint64_t>(played);
            if (next <= m_end) {
                m_current = next;
                advanced = true;
            } else {
                m_state = QTS_STOPPED;
                m_current = m_end;
                stopped = true;
            }
        }
    }
    emit timeDeltaValueChanged(this);
    if (advanced) emit timeValueChanged(this);
    if (stopped) emit timerStoped(this);
}

QtTimerState QtTimer::state() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_state;
}

std::uint64_t QtTimer::startTime() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_start;
}

std::uint64_t QtTimer::endTime() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_end;
}

std::uint64_t QtTimer::currentTime() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_current;
}

std::uint64_t QtTimer::deltaTime() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_delta;
}

void QtTimer::setState(QtTimerState state)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    // Playing counts from now: the time since the last tick was not played.
    if (state == QTS_PLAYING && m_state != QTS_PLAYING) m_playingSinceNs = m_clock->Nanoseconds();
    m_state = state;
}

void QtTimer::setStartTime(std::uint64_t milliseconds)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_start = milliseconds;
}

void QtTimer::setEndTime(std::uint64_t milliseconds)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_end = milliseconds;
}

void QtTimer::play() { setState(QTS_PLAYING); }

void QtTimer::pause() { setState(QTS_PAUSED); }

void QtTimer::stop()
{
    setState(QTS_STOPPED);
    emit timerStoped(this);
}

void QtTimer::timeChangeEvent(unsigned long milliseconds)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_current = std::min<std::uint64_t>(milliseconds, m_end);
    }
    emit timeValueChanged(this);
}

}  // namespace pld_qt
