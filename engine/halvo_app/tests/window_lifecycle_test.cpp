// The engine in a real window, as a separate program run 20 times: each run
// starts, renders at least 30 frames, stops, and the process ends with
// status 0 within a second of the stop.
#include <chrono>
#include <string>

#include <gtest/gtest.h>

#include "support/child_process.h"

using namespace std::chrono_literals;

TEST(WindowLifecycle, TwentyRunsRenderStopAndExitCleanly)
{
    for (int run = 0; run < 20; ++run) {
        const hlv_app_test::CHILD_RESULT child =
            hlv_app_test::RunChild(HLV_APP_WINDOW_PROGRAM, {"--size", "320x240", "--frames", "30", "--times"}, 60s);
        ASSERT_TRUE(child.started) << "run " << run;
        ASSERT_FALSE(child.timedOut) << "run " << run << " hung; output so far:\n" << child.output;
        ASSERT_TRUE(child.exited) << "run " << run << " ended by a signal";
        EXPECT_EQ(child.status, 0) << "run " << run << "\n" << child.output;
        EXPECT_GE(hlv_app_test::FindValue(child.output, "frames"), 30) << child.output;
        EXPECT_NE(child.output.find("All threads are stoped.\n"), std::string::npos) << child.output;

        const std::int64_t stop = hlv_app_test::FindValue(child.output, "stop");
        ASSERT_GT(stop, 0) << child.output;
        EXPECT_LT(child.endNanoseconds - stop, std::chrono::nanoseconds(1s).count())
            << "run " << run << " took " << (child.endNanoseconds - stop) / 1000000 << " ms to end after its stop";
    }
}

TEST(WindowLifecycle, EscapeEndsTheProgramWithStatusZero)
{
    const hlv_app_test::CHILD_RESULT child =
        hlv_app_test::RunChild(HLV_APP_WINDOW_PROGRAM, {"--size", "320x240", "--escape-after", "5", "--times"}, 60s);
    ASSERT_TRUE(child.started);
    ASSERT_FALSE(child.timedOut) << child.output;
    ASSERT_TRUE(child.exited);
    EXPECT_EQ(child.status, 0);
    const std::int64_t escape = hlv_app_test::FindValue(child.output, "escape");
    const std::int64_t stop = hlv_app_test::FindValue(child.output, "stop");
    ASSERT_GT(escape, 0) << child.output;
    EXPECT_GE(stop, escape);
}
