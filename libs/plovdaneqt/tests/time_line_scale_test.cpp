// Time and pixel conversions, tick placement and the zoom fit of the timeline.
#include <PlovdaneQt/TimeLineScale.h>

#include <cmath>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

using namespace pld_qt;

TEST(TimeLineScale, MillisecondsAndPixelsRoundTrip)
{
    EXPECT_FLOAT_EQ(MillisecondsToPixels(3000, 1000.0f), 3000.0f);
    EXPECT_FLOAT_EQ(MillisecondsToPixels(1500, 200.0f), 300.0f);
    EXPECT_EQ(PixelsToMilliseconds(300.0f, 200.0f), 1500u);
    // A track of a few minutes survives the float round trip to the millisecond.
    EXPECT_EQ(PixelsToMilliseconds(MillisecondsToPixels(215347, 1000.0f), 1000.0f), 215347u);
    EXPECT_EQ(PixelsToMilliseconds(0.4999f, 1000.0f), 0u);
    EXPECT_EQ(PixelsToMilliseconds(0.5001f, 1000.0f), 1u);
}

TEST(TimeLineScale, MeaninglessPixelsGiveZeroMilliseconds)
{
    EXPECT_EQ(PixelsToMilliseconds(-20.0f, 1000.0f), 0u);
    EXPECT_EQ(PixelsToMilliseconds(20.0f, 0.0f), 0u);
    EXPECT_EQ(PixelsToMilliseconds(std::numeric_limits<float>::quiet_NaN(), 1000.0f), 0u);
}

TEST(TimeLineScale, TicksStartAtTheMultipleAtOrBeforeTheDisplayPosition)
{
    EXPECT_EQ(TickPositions(20.0f, 0.0f, 100.0f), (std::vector<float>{0, 20, 40, 60, 80, 100}));
    EXPECT_EQ(TickPositions(20.0f, 30.0f, 50.0f), (std::vector<float>{20, 40, 60, 80}));
    EXPECT_EQ(TickPositions(100.0f, 250.0f, 600.0f), (std::vector<float>{200, 300, 400, 500, 600, 700, 800}));
}

TEST(TimeLineScale, DegenerateStepsDrawNoTicks)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_TRUE(TickPositions(0.0f, 0.0f, 600.0f).empty());  // zero-length ruler
    EXPECT_TRUE(TickPositions(nan, 0.0f, 600.0f).empty());   // 0 / 0
    EXPECT_TRUE(TickPositions(inf, 0.0f, 600.0f).empty());   // no ticks counted
    EXPECT_TRUE(TickPositions(-5.0f, 0.0f, 600.0f).empty());
    EXPECT_TRUE(TickPositions(20.0f, nan, 600.0f).empty());
    EXPECT_TRUE(TickPositions(1e-6f, 0.0f, 600.0f).empty());  // denser than two per pixel
    EXPECT_EQ(TickPositions(0.5f, 0.0f, 2.0f).size(), 5u);
}

TEST(TimeLineScale, ZoomFitFillsTheVisibleWidth)
{
    // 300 pixels of ruler in 600 pixels of view with labels 20 wide.
    const float zoom = FittedZoom(300.0f, 1.0f, 600.0f, 20.0f);
    EXPECT_FLOAT_EQ(zoom, 300.0f / 540.0f);
    EXPECT_FLOAT_EQ(300.0f / zoom - 600.0f + 3 * 20.0f, 0.0f);
    // A ruler longer than the view keeps its zoom.
    EXPECT_FLOAT_EQ(FittedZoom(3000.0f, 1.0f, 600.0f, 20.0f), 1.0f);
}

TEST(TimeLineScale, ZoomFitNeverDividesByNothing)
{
    EXPECT_FLOAT_EQ(FittedZoom(0.0f, 1.0f, 600.0f, 20.0f), 1.0f);  // empty ruler
    EXPECT_FLOAT_EQ(FittedZoom(0.0f, 1.0f, 60.0f, 20.0f), 1.0f);   // and no room: 0 / 0
    EXPECT_FLOAT_EQ(FittedZoom(30.0f, 1.0f, 50.0f, 20.0f), 1.0f);  // labels wider than the view
    EXPECT_FLOAT_EQ(FittedZoom(std::numeric_limits<float>::quiet_NaN(), 1.0f, 600.0f, 20.0f), 1.0f);
    EXPECT_TRUE(std::isfinite(FittedZoom(1e-30f, 1.0f, 600.0f, 20.0f)));
}
