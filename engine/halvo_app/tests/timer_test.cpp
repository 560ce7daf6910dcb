// The application timer: the default performance-counter timer and the
// playback clock behind the timer interface.
#include <halvo_app/Application/QtTimer.h>

#include <atomic>
#include <cstdint>
#include <memory>

#include <gtest/gtest.h>

#include "support/fake_application.h"

namespace {

class CManualClock : public pld_qt::IMonotonicClock {
public:
    std::int64_t Nanoseconds() const override { return now.load(); }
    std::atomic<std::int64_t> now{0};
};

class CCountingTimer : public hlv_core::ITimer {
public:
    explicit CCountingTimer(int* destroyed) : m_destroyed(destroyed) {}
    ~CCountingTimer() override { ++*m_destroyed; }
    void Start() override {}
    void Stop() override {}
    std::uint64_t GetMilliseconds() override { return 0; }
    double GetSeconds() override { return 0.0; }
    void Tick() override {}

private:
    int* m_destroyed;
};

}  // namespace

TEST(ApplicationTimer, ADefaultTimerIsInstalledAndReplaced)
{
    hlv_app_test::CFakeApplication app;
    hlv_core::ITimer* first = app.GetTimer();
    ASSERT_NE(first, nullptr);
    EXPECT_NE(dynamic_cast<hlv_core::CWin32PerfTimer*>(first), nullptr);
    app.setTimer();
    EXPECT_NE(app.GetTimer(), nullptr);
    EXPECT_NE(dynamic_cast<hlv_core::CWin32PerfTimer*>(app.GetTimer()), nullptr);
}

TEST(ApplicationTimer, OnlyOwnedTimersAreDeleted)
{
    int destroyed = 0;
    CCountingTimer kept(&destroyed);
    {
        hlv_app_test::CFakeApplication app;
        app.setTimer(new CCountingTimer(&destroyed), true);
        app.setTimer(&kept, false);
        EXPECT_EQ(destroyed, 1);
        EXPECT_EQ(app.GetTimer(), &kept);
    }
    EXPECT_EQ(destroyed, 1);

    {
        hlv_app_test::CFakeApplication app;
        app.setTimer(new CCountingTimer(&destroyed), true);
    }
    EXPECT_EQ(destroyed, 2);
}

TEST(PlaybackTimer, ReadsTheCurrentTimeInMillisecondsAndSeconds)
{
    hlv_app::QtTimer timer;
    pld_qt::QtTimer& clock = timer.GetQtTimer();
    EXPECT_EQ(clock.state(), pld_qt::QTS_STOPPED);
    EXPECT_EQ(timer.GetMilliseconds(), 0u);
    clock.setEndTime(3000);
    clock.timeChangeEvent(1500);
    EXPECT_EQ(timer.GetMilliseconds(), 1500u);
    EXPECT_DOUBLE_EQ(timer.GetSeconds(), 1.5);
}

TEST(PlaybackTimer, StartPlaysWithoutASignalAndStopAnnouncesIt)
{
    hlv_app::QtTimer timer;
    pld_qt::QtTimer& clock = timer.GetQtTimer();
    int stopped = 0;
    int changed = 0;
    QObject::connect(&clock, &pld_qt::QtTimer::timerStoped, [&](const pld_qt::QtTimer* sender) {
        EXPECT_EQ(sender, &clock);
        ++stopped;
    });
    QObject::connect(&clock, &pld_qt::QtTimer::timeValueChanged, [&](const pld_qt::QtTimer*) { ++changed; });

    timer.Start();
    EXPECT_EQ(clock.state(), pld_qt::QTS_PLAYING);
    EXPECT_EQ(stopped + changed, 0);
    timer.Stop();
    EXPECT_EQ(clock.state(), pld_qt::QTS_STOPPED);
    EXPECT_EQ(stopped, 1);
}

TEST(PlaybackTimer, TheTimeMovesOnlyInTicksWhilePlaying)
{
    auto source = std::make_shared<CManualClock>();
    hlv_app::QtTimer timer(source);
    pld_qt::QtTimer& clock = timer.GetQtTimer();
    clock.setEndTime(10000);
    timer.Start();

    source->now += 16'600'000;  // 16.6 ms
    EXPECT_EQ(timer.GetMilliseconds(), 0u);
    timer.Tick();
    EXPECT_EQ(timer.GetMilliseconds(), 16u);
    EXPECT_EQ(timer.GetMilliseconds(), 16u);

    clock.pause();
    source->now += 500'000'000;
    timer.Tick();
    EXPECT_EQ(timer.GetMilliseconds(), 16u);
}
