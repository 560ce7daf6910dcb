#pragma once
// The playback clock of the player controls: a current time in milliseconds
// between a start and an end time that advances by measured time on every
// tick while playing and announces its changes through Qt signals.
//
// Tick runs on the update thread, the slots on the main thread; every field
// is guarded by one mutex, and signals are emitted after it is released so
// that directly connected receivers may read the timer. Signals emitted on
// another thread reach main-thread receivers as queued calls.
#include <cstdint>
#include <memory>
#include <mutex>

#include <QMetaType>
#include <QObject>

#include <PlovdaneQt/MonotonicClock.h>

namespace pld_qt {

enum QtTimerState : std::uint32_t { QTS_PLAYING = 0, QTS_STOPPED = 1, QTS_PAUSED = 2 };

class QtTimer : public QObject {
    Q_OBJECT

public:
    explicit QtTimer(QObject* parent = nullptr);
    explicit QtTimer(std::shared_ptr<const IMonotonicClock> clock, QObject* parent = nullptr);
    ~QtTimer() override;

    // Takes the time measured since the previous tick, in whole milliseconds
    // (the fraction is carried to the next tick), as its delta, and adds it
    // to the current time while playing (only the part since playing started,
    // when that was after the previous tick). Emits timeDeltaValueChanged, then timeValueChanged,
    // or timerStoped when the end was passed (the time then rests at the end).
    virtual void Tick();

    QtTimerState state() const;
    std::uint64_t startTime() const;
    std::uint64_t endTime() const;
    std::uint64_t currentTime() const;
    // Milliseconds measured by the last tick, whatever the state.
    std::uint64_t deltaTime() const;

    // Owner settings; none of them emits a signal.
    void setState(QtTimerState state);
    void setStartTime(std::uint64_t milliseconds);
    void setEndTime(std::uint64_t milliseconds);

public slots:
    void play();
    void stop();
    void pause();
    // Moves the current time to the given milliseconds, at most the end.
    void timeChangeEvent(unsigned long milliseconds);

signals:
    void timeValueChanged(const QtTimer* timer);
    void timeDeltaValueChanged(const QtTimer* timer);
    void timerStoped(const QtTimer* timer);

private:
    mutable std::mutex m_mutex;
    QtTimerState m_state = QTS_STOPPED;
    std::uint64_t m_start = 0;
    std::uint64_t m_end = 0;
    std::uint64_t m_current = 0;
    std::uint64_t m_delta = 0;
    std::shared_ptr<const IMonotonicClock> m_clock;
    // Clock reading up to which measured time has been handed out; it moves
    // by whole milliseconds only, so no fraction is ever dropped.
    std::int64_t m_accountedNs = 0;
    // Clock reading at which playing last started.
    std::int64_t m_playingSinceNs = 0;
};

}  // namespace pld_qt

Q_DECLARE_METATYPE(const pld_qt::QtTimer*)
