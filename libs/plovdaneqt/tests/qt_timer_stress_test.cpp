// The update thread ticks the playback clock while the main thread plays,
// pauses and scrubs it: no scrub may be lost, the time never passes the end,
// and every measured millisecond is handed out exactly once.
#include <PlovdaneQt/QtTimer.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <random>
#include <thread>

#include <gtest/gtest.h>

#include <hlv_testing/watchdog.h>

#include "fake_clock.h"

using hlv_testing::CWatchdog;
using pld_qt::QtTimer;

TEST(QtTimerStress, TicksRaceWithPlayPauseAndScrubs)
{
    constexpr int kTicks = 1000000;
    constexpr std::int64_t kTickNs = 1300000;  // 1.3 ms: every tick carries a fraction
    constexpr std::uint64_t kEnd = 60000;
    // A tick that read the clock before the scrub may still add its delta
    // plus the carried fraction after it.
    constexpr std::uint64_t kSlackMs = 3;

    CWatchdog watchdog(std::chrono::seconds(120), "TicksRaceWithPlayPauseAndScrubs");
    auto clock = std::make_shared<FakeClock>();
    QtTimer timer(clock);
    timer.setEndTime(kEnd);
    timer.play();

    std::atomic<long> deltaSignals{0};
    std::atomic<long> valueSignals{0};
    QObject::connect(
        &timer, &QtTimer::timeDeltaValueChanged, &timer, [&] { ++deltaSignals; }, Qt::DirectConnection);
    QObject::connect(
        &timer, &QtTimer::timeValueChanged, &timer, [&] { ++valueSignals; }, Qt::DirectConnection);

    std::atomic<bool> ticking{true};
    std::uint64_t handedOut = 0;
    std::thread updateThread([&] {
        for (int i = 0; i < kTicks; ++i) {
            clock->Advance(kTickNs);
            timer.Tick();
            handedOut += timer.deltaTime();  // only this thread writes the delta
            const std::uint64_t now = timer.currentTime();
            if (now > kEnd) ADD_FAILURE() << "time passed the end: " << now;
        }
        ticking = false;
    });

    std::mt19937 random(12345);
    std::uniform_int_distribution<int> operation(0, 9);
    std::uniform_int_distribution<unsigned long> target(0, kEnd + 5000);
    std::uint64_t floor = 0;
    long scrubs = 0;
    long violations = 0;
    while (ticking) {
        const int op = operation(random);
        if (op < 2) {
            timer.pause();
        } else if (op < 5) {
            timer.play();
        } else if (op < 8) {
            const unsigned long to = target(random);
            const std::int64_t before = clock->Milliseconds();
            timer.timeChangeEvent(to);
            const std::uint64_t now = timer.currentTime();
            const std::int64_t after = clock->Milliseconds();
            const std::uint64_t landed = std::min<std::uint64_t>(to, kEnd);
            const std::uint64_t ceiling = landed + static_cast<std::uint64_t>(after - before) + kSlackMs;
            if (now < landed || now > ceiling) {
                if (++violations < 10)
                    ADD_FAILURE() << "scrub to " << to << " lost: time " << now << ", allowed " << landed << ".."
                                  << ceiling;
            }
            floor = now;
            ++scrubs;
            continue;
        }
        // Between scrubs the time only moves forwards, and never past the end.
        const std::uint64_t now = timer.currentTime();
        if (now < floor || now > kEnd) {
            if (++violations < 10) ADD_FAILURE() << "time went from " << floor << " to " << now;
        }
        floor = now;
    }
    updateThread.join();

    EXPECT_EQ(violations, 0);
    EXPECT_GT(scrubs, 0);
    EXPECT_EQ(deltaSignals.load(), kTicks);
    EXPECT_GE(valueSignals.load(), scrubs);
    // Whole milliseconds handed out equal the time measured, to the millisecond.
    const std::int64_t measuredMs = (kTicks * kTickNs) / 1000000;
    EXPECT_EQ(handedOut, static_cast<std::uint64_t>(measuredMs));
}
