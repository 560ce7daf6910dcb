#include <halvo_core/timer.h>

#include <memory>

#include <gtest/gtest.h>

using namespace pld_timer;

namespace {

class ManualCounter : public IPerfCounter {
public:
    explicit ManualCounter(std::int64_t ticks_per_second) : frequency(ticks_per_second) {}
    std::int64_t Count() const override { return now; }
    std::int64_t Frequency() const override { return frequency; }
    std::int64_t now = 0;
    std::int64_t frequency;
};

struct TimerFixture : ::testing::Test {
    std::shared_ptr<ManualCounter> counter = std::make_shared<ManualCounter>(1000000);
    win_CPerfTimer timer{1.0, counter};

    void RunFor(std::int64_t ticks)
    {
        counter->now = 777;
        timer.Start();
        counter->now += ticks;
    }
};

TEST_F(TimerFixture, ElapsedValuesInEveryUnit)
{
    RunFor(2500000);
    EXPECT_EQ(timer.GetElapsed(MILLISECONDS), 2500);
    EXPECT_EQ(timer.GetElapsed(SECONDS), 2);
    EXPECT_EQ(timer.GetElapsedFraction(MILLISECONDS), 500);
    EXPECT_EQ(timer.GetElapsedFraction(MICROSECONDS), 500000);
    EXPECT_DOUBLE_EQ(timer.GetElapsedDouble(MINUTES), 2.5 / 60);
    EXPECT_FLOAT_EQ(timer.GetElapsedFloat(SECONDS), 2.5f);
    EXPECT_EQ(timer.GetElapsed(HOURS), 0);
    EXPECT_EQ(timer.GetElapsedTicks(), 2500000);
}

TEST_F(TimerFixture, WholeSecondsComeOutWhole)
{
    for (std::int64_t frequency : {1000000LL, 3579545LL, 1000000000LL, 14318180LL}) {
        counter->frequency = frequency;
        RunFor(frequency);
        EXPECT_EQ(timer.GetElapsed(MILLISECONDS), 1000) << frequency;
        EXPECT_EQ(timer.GetElapsed(MICROSECONDS), 1000000) << frequency;
        EXPECT_EQ(timer.GetElapsed(SECONDS), 1) << frequency;
    }
}

TEST_F(TimerFixture, SpeedFactorScalesEveryValue)
{
    timer.SetSpeedFactor(2.0);
    RunFor(2500000);
    EXPECT_EQ(timer.GetElapsed(MILLISECONDS), 5000);
    EXPECT_DOUBLE_EQ(timer.GetElapsedDouble(SECONDS), 5.0);
    EXPECT_FLOAT_EQ(timer.GetElapsedFloat(MILLISECONDS), 5000.0f);
}

TEST_F(TimerFixture, StopFreezesTheValue)
{
    EXPECT_FALSE(timer.IsRunning());
    EXPECT_EQ(timer.GetElapsedTicks(), 0);
    timer.Stop();  // stopping a stopped timer changes nothing
    EXPECT_EQ(timer.GetElapsedTicks(), 0);
    RunFor(1500);
    EXPECT_TRUE(timer.IsRunning());
    timer.Stop();
    counter->now += 99999;
    EXPECT_FALSE(timer.IsRunning());
    EXPECT_EQ(timer.GetElapsed(MICROSECONDS), 1500);
    timer.Stop();
    EXPECT_EQ(timer.GetElapsed(MICROSECONDS), 1500);
}

TEST_F(TimerFixture, UnknownUnitCountsSeconds)
{
    RunFor(2500000);
    const auto unit = static_cast<TimeUnit>(7);
    EXPECT_EQ(timer.GetElapsed(unit), 2);
    EXPECT_DOUBLE_EQ(timer.GetElapsedDouble(unit), 2.5);
    EXPECT_FLOAT_EQ(timer.GetElapsedFloat(unit), 2.5f);
    EXPECT_EQ(timer.GetElapsedFraction(unit), 2500);
}

TEST_F(TimerFixture, SupportFollowsTheFrequency)
{
    EXPECT_TRUE(timer.IsSupported());
    counter->frequency = 0;
    EXPECT_FALSE(timer.IsSupported());
}

TEST(ApplicationClock, PerfTimerReadsMillisecondsAndSeconds)
{
    auto counter = std::make_shared<ManualCounter>(1000);
    hlv_core::CWin32PerfTimer clock(counter);
    hlv_core::ITimer& timer = clock;
    timer.Start();
    counter->now = 1234;
    timer.Tick();
    EXPECT_EQ(timer.GetMilliseconds(), 1234u);
    EXPECT_DOUBLE_EQ(timer.GetSeconds(), 1.234);
    timer.Stop();
    counter->now = 5000;
    EXPECT_EQ(timer.GetMilliseconds(), 1234u);
}

TEST(ApplicationClock, SteadyClockAdvances)
{
    hlv_core::CWin32PerfTimer clock;
    clock.Start();
    EXPECT_TRUE(clock.Stopwatch().IsSupported());
    const double first = clock.GetSeconds();
    while (clock.GetSeconds() == first) {
    }
    EXPECT_GT(clock.GetSeconds(), first);
}

}  // namespace
