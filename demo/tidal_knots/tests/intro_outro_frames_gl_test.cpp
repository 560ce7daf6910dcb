// The whole demo from its committed data, taken from the screen at fixed
// demo times: the post-processing chain puts the intro, the main scene and
// the outro on the screen as the timeline says. With DMO_LOOK_DIR set to a
// folder, the frames are kept there as PNG files to look at.
#include <cstdlib>
#include <string>

#include <QRect>

#include <gtest/gtest.h>

#include <halvo_app/APP_RESULT.h>

#include "support/demo_harness.h"
#include "support/image_measures.h"

namespace dmo_nimra_test {
namespace {

// Where the builders place logo, title and credits, in fractions of the
// screen's width and height, top row first.
struct Region {
    double left, top, right, bottom;

    QRect On(const QImage& image) const
    {
        return QRect(
            QPoint(static_cast<int>(left * image.width()), static_cast<int>(top * image.height())),
            QPoint(static_cast<int>(right * image.width()) - 1, static_cast<int>(bottom * image.height()) - 1));
    }
};

constexpr Region kIntroLogo{0.42, 0.18, 0.58, 0.42};
constexpr Region kIntroTitle{0.30, 0.71, 0.70, 0.77};
constexpr Region kOutroLogo{0.10, 0.25, 0.33, 0.66};
constexpr Region kOutroTitleRow{0.50, 0.11, 0.87, 0.17};
constexpr Region kOutroMiddleRow{0.50, 0.34, 0.87, 0.39};
constexpr Region kOutroCoder{0.62, 0.33, 0.75, 0.385};
constexpr Region kOutroMusician{0.56, 0.49, 0.81, 0.54};
constexpr Region kOutroGreetings{0.58, 0.65, 0.79, 0.90};

// Near white (sum of the channels): the cores of letters and logo.
constexpr int kWhite = 600;

class DemoFrames {
public:
    DemoFrames() : m_demo(DMO_DATA_DIR) {}
    std::uint32_t Start() { return m_demo.Start(); }

    QImage At(std::uint64_t milliseconds)
    {
        m_demo.SeekPaused(milliseconds);
        QImage screen = m_demo.GrabScreen();
        if (const char* folder = std::getenv("DMO_LOOK_DIR"))
            screen.save(QString::fromStdString(std::string(folder) + "/demo_" + std::to_string(milliseconds) + ".png"));
        return screen;
    }

private:
    CDemoHarness m_demo;
};

double White(const QImage& image, const Region& region) { return BrightFraction(image, region.On(image), kWhite); }

double Differing(const QImage& a, const QImage& b, const Region& region)
{
    return DifferingFraction(a.copy(region.On(a)), b.copy(region.On(b)));
}

TEST(IntroOutroFrames, ChainShowsIntroMainSceneAndOutroAsTheTimelineSays)
{
    DemoFrames frames;
    ASSERT_EQ(frames.Start(), hlv_app::APPR_OK);

    // The intro: the logo comes up over the sea in the first six seconds,
    // the title from the third.
    const QImage start = frames.At(0);
    const QImage early = frames.At(2000);
    const QImage intro = frames.At(7000);
    EXPECT_EQ(White(start, kIntroLogo), 0.0);
    EXPECT_GT(Differing(start, early, kIntroLogo), 0.2);
    EXPECT_GT(White(intro, kIntroLogo), 0.1);
    EXPECT_LT(Differing(start, early, kIntroTitle), 0.01);
    EXPECT_GT(White(intro, kIntroTitle), 0.1);

    // From the intro into the main scene over 10-11 s.
    const QImage crossing = frames.At(10500);
    const QImage main = frames.At(40000);
    EXPECT_GT(Differing(crossing, intro, kIntroLogo), 0.2);
    EXPECT_GT(Differing(crossing, main, kIntroLogo), 0.2);
    EXPECT_GT(DifferingFraction(intro, main), 0.3);

    // The outro: group name, then title over coder and musician, then the
    // greetings, the logo fully up at the end.
    const QImage group = frames.At(83000);
    EXPECT_GT(White(group, kOutroMiddleRow), 0.05);
    EXPECT_EQ(White(group, kOutroTitleRow), 0.0);
    const QImage credits = frames.At(90000);
    EXPECT_GT(White(credits, kOutroTitleRow), 0.05);
    EXPECT_GT(White(credits, kOutroCoder), 0.05);
    EXPECT_GT(White(credits, kOutroMusician), 0.05);
    EXPECT_EQ(White(credits, kOutroGreetings), 0.0);
    const QImage greetings = frames.At(100000);
    EXPECT_GT(White(greetings, kOutroGreetings), 0.02);
    EXPECT_EQ(White(greetings, kOutroCoder), 0.0);
    EXPECT_EQ(White(greetings, kOutroTitleRow), 0.0);
    const QImage end = frames.At(110000);
    EXPECT_GT(White(end, kOutroLogo), White(credits, kOutroLogo));
    EXPECT_GT(White(end, kOutroLogo), 0.1);

    // The final pass's picture is no flat field at any time.
    for (const QImage* frame : {&start, &intro, &crossing, &main, &group, &credits, &greetings, &end})
        EXPECT_GT(ColourSpread(*frame), 40);
}

}  // namespace
}  // namespace dmo_nimra_test
