#include <halvo_app/Application/CFrameTimeBuilder.h>

#include <cstdint>

#include <gtest/gtest.h>

using hlv_app::CFrameTimeBuilder;

TEST(FrameTime, FirstFrameMeasuresFromZero)
{
    CFrameTimeBuilder builder;
    const auto& record = builder.Next(2.5, 2500);
    EXPECT_EQ(record.frameNumber, 0u);
    EXPECT_DOUBLE_EQ(record.seconds, 2.5);
    EXPECT_EQ(record.milliseconds, 2500u);
    EXPECT_FLOAT_EQ(record.deltaSeconds, 2.5f);
    EXPECT_EQ(record.absDeltaMilliseconds, 2500u);
    EXPECT_EQ(record.deltaMilliseconds, 2500);
    EXPECT_EQ(record.backwards, 0u);
}

TEST(FrameTime, ForwardFramesCountAndMeasureTheStep)
{
    CFrameTimeBuilder builder;
    builder.Next(1.0, 1000);
    const auto& record = builder.Next(1.016, 1016);
    EXPECT_EQ(record.frameNumber, 1u);
    EXPECT_NEAR(record.deltaSeconds, 0.016f, 1e-6f);
    EXPECT_EQ(record.absDeltaMilliseconds, 16u);
    EXPECT_EQ(record.deltaMilliseconds, 16);
    EXPECT_EQ(record.backwards, 0u);
    EXPECT_EQ(builder.Next(1.032, 1032).frameNumber, 2u);
}

TEST(FrameTime, ABackwardsJumpIsFlaggedWithANegativeSignedDelta)
{
    CFrameTimeBuilder builder;
    builder.Next(5.0, 5000);
    const auto& record = builder.Next(1.25, 1250);
    EXPECT_EQ(record.backwards, 1u);
    EXPECT_EQ(record.absDeltaMilliseconds, 3750u);
    EXPECT_EQ(record.deltaMilliseconds, -3750);
    EXPECT_FLOAT_EQ(record.deltaSeconds, 3.75f);
    EXPECT_EQ(record.milliseconds, 1250u);

    // The next forward step measures from the new position.
    const auto& next = builder.Next(1.5, 1500);
    EXPECT_EQ(next.backwards, 0u);
    EXPECT_EQ(next.deltaMilliseconds, 250);
}

TEST(FrameTime, AnUnchangedTimerGivesZeroDeltas)
{
    CFrameTimeBuilder builder;
    builder.Next(3.0, 3000);
    const auto& record = builder.Next(3.0, 3000);
    EXPECT_EQ(record.deltaSeconds, 0.0f);
    EXPECT_EQ(record.absDeltaMilliseconds, 0u);
    EXPECT_EQ(record.deltaMilliseconds, 0);
    EXPECT_EQ(record.backwards, 0u);
    EXPECT_EQ(record.frameNumber, 1u);
}

TEST(FrameTime, TheSignedDeltaCrossesA32BitWrap)
{
    constexpr std::uint64_t kWrap = std::uint64_t{1} << 32;
    CFrameTimeBuilder builder;
    builder.Next(static_cast<double>(kWrap - 10) / 1000.0, kWrap - 10);
    const auto& forward = builder.Next(static_cast<double>(kWrap + 5) / 1000.0, kWrap + 5);
    EXPECT_EQ(forward.deltaMilliseconds, 15);
    EXPECT_EQ(forward.absDeltaMilliseconds, 15u);
    EXPECT_EQ(forward.backwards, 0u);
    EXPECT_EQ(forward.milliseconds, kWrap + 5);

    const auto& back = builder.Next(static_cast<double>(kWrap - 20) / 1000.0, kWrap - 20);
    EXPECT_EQ(back.deltaMilliseconds, -25);
    EXPECT_EQ(back.absDeltaMilliseconds, 25u);
    EXPECT_EQ(back.backwards, 1u);
}
