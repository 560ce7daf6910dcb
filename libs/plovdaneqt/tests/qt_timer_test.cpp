// The playback clock driven by a hand-moved time source.
#include <PlovdaneQt/QtTimer.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include <hlv_testing/watchdog.h>

#include "fake_clock.h"

using hlv_testing::CWatchdog;
using pld_qt::QtTimer;

namespace {

// Records the timer's signals in the order they arrive.
struct SignalLog {
    explicit SignalLog(QtTimer& timer)
    {
        QObject::connect(
            &timer, &QtTimer::timeDeltaValueChanged, &timer, [this] { events.push_back("delta"); },
            Qt::DirectConnection);
        QObject::connect(
            &timer, &QtTimer::timeValueChanged, &timer, [this] { events.push_back("value"); }, Qt::DirectConnection);
        QObject::connect(
            &timer, &QtTimer::timerStoped, &timer, [this] { events.push_back("stoped"); }, Qt::DirectConnection);
    }
    int Count(const std::string& name) const
    {
        return static_cast<int>(std::count(events.begin(), events.end(), name));
    }
    std::vector<std::string> events;
};

struct QtTimerTest : ::testing::Test {
    std::shared_ptr<FakeClock> clock = std::make_shared<FakeClock>();
    QtTimer timer{clock};

    void Playing(std::uint64_t end)
    {
        timer.setEndTime(end);
        timer.play();
    }
    void TickAfter(double milliseconds)
    {
        clock->AdvanceMs(milliseconds);
        timer.Tick();
    }
};

TEST_F(QtTimerTest, StartsStoppedAtZero)
{
    EXPECT_EQ(timer.state(), pld_qt::QTS_STOPPED);
    EXPECT_EQ(timer.startTime(), 0u);
    EXPECT_EQ(timer.endTime(), 0u);
    EXPECT_EQ(timer.currentTime(), 0u);
    EXPECT_EQ(timer.deltaTime(), 0u);
}

TEST_F(QtTimerTest, FractionsOfMillisecondsAreCarriedNotDropped)
{
    Playing(1000000);
    std::uint64_t sum = 0;
    for (int i = 0; i < 1000; ++i) {
        TickAfter(16.6);
        sum += timer.deltaTime();
        // Each tick hands out 16 or 17 whole milliseconds.
        ASSERT_GE(timer.deltaTime(), 16u);
        ASSERT_LE(timer.deltaTime(), 17u);
    }
    EXPECT_NEAR(static_cast<double>(timer.currentTime()), 16600.0, 1.0);
    EXPECT_EQ(sum, timer.currentTime());
}

TEST_F(QtTimerTest, TickPastTheEndStopsAtTheEnd)
{
    Playing(1000);
    timer.timeChangeEvent(990);
    SignalLog log(timer);
    TickAfter(20);
    EXPECT_EQ(timer.state(), pld_qt::QTS_STOPPED);
    EXPECT_EQ(timer.currentTime(), 1000u);
    EXPECT_EQ(log.events, (std::vector<std::string>{"delta", "stoped"}));
}

TEST_F(QtTimerTest, TickOntoTheEndExactlyKeepsPlaying)
{
    Playing(1000);
    timer.timeChangeEvent(990);
    SignalLog log(timer);
    TickAfter(10);
    EXPECT_EQ(timer.state(), pld_qt::QTS_PLAYING);
    EXPECT_EQ(timer.currentTime(), 1000u);
    EXPECT_EQ(log.events, (std::vector<std::string>{"delta", "value"}));
}

TEST_F(QtTimerTest, ExactlyOneStopAtTheEndOfPlayback)
{
    Playing(3000);
    SignalLog log(timer);
    for (int i = 0; i < 400; ++i) TickAfter(16.6);
    EXPECT_EQ(log.Count("stoped"), 1);
    EXPECT_EQ(log.Count("delta"), 400);
    EXPECT_EQ(timer.currentTime(), 3000u);
    EXPECT_EQ(timer.state(), pld_qt::QTS_STOPPED);
    // Every tick announces its delta first; value changes stop with the end.
    ASSERT_FALSE(log.events.empty());
    EXPECT_EQ(log.events.front(), "delta");
    const auto stop = std::find(log.events.begin(), log.events.end(), "stoped");
    EXPECT_EQ(*(stop - 1), "delta");
    EXPECT_EQ(std::count(stop, log.events.end(), "value"), 0);
}

TEST_F(QtTimerTest, ScrubClampsToTheEndAndAnnounces)
{
    timer.setEndTime(3000);
    SignalLog log(timer);
    timer.timeChangeEvent(5000);
    EXPECT_EQ(timer.currentTime(), 3000u);
    timer.timeChangeEvent(1200);
    EXPECT_EQ(timer.currentTime(), 1200u);
    EXPECT_EQ(log.events, (std::vector<std::string>{"value", "value"}));
}

TEST_F(QtTimerTest, PausedTickOnlyAnnouncesItsDelta)
{
    Playing(10000);
    TickAfter(100);
    timer.pause();
    SignalLog log(timer);
    TickAfter(50);
    EXPECT_EQ(timer.currentTime(), 100u);
    EXPECT_EQ(timer.deltaTime(), 50u);
    EXPECT_EQ(log.events, (std::vector<std::string>{"delta"}));
}

TEST_F(QtTimerTest, ResumingAddsOnlyTheTimeSinceTheLastTick)
{
    Playing(100000);
    TickAfter(100);
    timer.pause();
    for (int i = 0; i < 60; ++i) TickAfter(16.6);  // a second of pause, ticked through
    timer.play();
    TickAfter(20);
    EXPECT_EQ(timer.currentTime(), 120u);
}

TEST_F(QtTimerTest, PlayingCountsFromTheMomentItStarts)
{
    // Paused time between the last tick and play() is not played time: at a
    // few frames a second it would put the clock ahead of the music it was
    // started with.
    Playing(100000);
    TickAfter(100);
    timer.pause();
    TickAfter(50);
    clock->AdvanceMs(300);
    timer.play();
    TickAfter(20);
    EXPECT_EQ(timer.currentTime(), 120u);
}

TEST_F(QtTimerTest, TwoTicksInOneMillisecondStillAnnounceTheTime)
{
    Playing(1000);
    TickAfter(5.4);
    SignalLog log(timer);
    TickAfter(0.3);
    EXPECT_EQ(timer.deltaTime(), 0u);
    EXPECT_EQ(timer.currentTime(), 5u);
    EXPECT_EQ(log.events, (std::vector<std::string>{"delta", "value"}));
    TickAfter(0.3);  // the carried 0.7 ms completes a millisecond
    EXPECT_EQ(timer.deltaTime(), 1u);
    EXPECT_EQ(timer.currentTime(), 6u);
}

TEST_F(QtTimerTest, StopAnnouncesEveryTime)
{
    Playing(1000);
    SignalLog log(timer);
    timer.stop();
    EXPECT_EQ(timer.state(), pld_qt::QTS_STOPPED);
    TickAfter(100);
    EXPECT_EQ(timer.currentTime(), 0u);
    timer.stop();
    EXPECT_EQ(log.events, (std::vector<std::string>{"stoped", "delta", "stoped"}));
}

TEST_F(QtTimerTest, OwnerSettingsEmitNothing)
{
    SignalLog log(timer);
    timer.setStartTime(10);
    timer.setEndTime(2000);
    timer.setState(pld_qt::QTS_PAUSED);
    timer.play();
    timer.pause();
    EXPECT_EQ(timer.startTime(), 10u);
    EXPECT_EQ(timer.endTime(), 2000u);
    EXPECT_EQ(timer.state(), pld_qt::QTS_PAUSED);
    EXPECT_TRUE(log.events.empty());
}

TEST_F(QtTimerTest, TimeRunningBackwardsGivesNoDelta)
{
    Playing(1000);
    TickAfter(10);
    clock->Advance(-5000000);
    timer.Tick();
    EXPECT_EQ(timer.deltaTime(), 0u);
    EXPECT_EQ(timer.currentTime(), 10u);
    TickAfter(7);  // the 5 ms taken back are made up before time advances again
    EXPECT_EQ(timer.currentTime(), 12u);
}

TEST(QtTimerScrub, ScrubFromAnotherThreadIsNeverLost)
{
    CWatchdog watchdog(std::chrono::seconds(30), "ScrubFromAnotherThreadIsNeverLost");
    auto clock = std::make_shared<FakeClock>();
    QtTimer timer(clock);
    timer.setEndTime(1000000);
    timer.play();

    std::atomic<bool> scrubbing{true};
    std::thread updateThread([&] {
        while (scrubbing.load()) {
            clock->Advance(1000000);
            timer.Tick();
        }
    });
    int lost = 0;
    for (int i = 0; i < 5000; ++i) {
        // Far forwards and far backwards, so a tick writing back a time it
        // read before the scrub lands outside the window.
        const unsigned long target = (i % 2 == 0) ? 900000 : 100000;
        const std::int64_t before = clock->Milliseconds();
        timer.timeChangeEvent(target);
        const std::uint64_t now = timer.currentTime();
        const std::int64_t after = clock->Milliseconds();
        // One tick that read the clock before the scrub may still add its
        // millisecond afterwards.
        if (now < target || now > target + static_cast<std::uint64_t>(after - before) + 2) {
            if (++lost <= 5) ADD_FAILURE() << "scrub to " << target << " left the time at " << now;
        }
    }
    scrubbing = false;
    updateThread.join();
    EXPECT_EQ(lost, 0);
}

}  // namespace
