// Scene 2 through the real demo application, read back from the screen: at
// 40 s its cubes cover a clear share of the frame (the sharp edges of lit
// cubes against the blurred sky), and the frame at 85 s is another picture.
//
// With DMO_SCENE2_IMAGES naming a folder, both frames are written there.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include <QImage>
#include <QRect>

#include <gtest/gtest.h>

#include <halvo_app/APP_RESULT.h>

#include "support/demo_harness.h"
#include "support/image_measures.h"

namespace {

using dmo_nimra_test::CDemoHarness;

// Share of the image's 8 x 8 blocks outside `excluded` that hold a sharp
// edge: two neighbouring pixels whose luminance differs by more than `step`
// levels. The blurred sky and the soft sprites have none; film grain stays
// far below the step; the lit faces of cubes against their gaps and the sky
// have many.
double SharpBlockShare(const QImage& image, const QRect& excluded, int step)
{
    auto luma = [&image](int x, int y) {
        const QRgb p = image.pixel(x, y);
        return (qRed(p) * 299 + qGreen(p) * 587 + qBlue(p) * 114) / 1000;
    };
    constexpr int kBlock = 8;
    int blocks = 0;
    int sharp = 0;
    for (int by = 0; by + kBlock < image.height(); by += kBlock) {
        for (int bx = 0; bx + kBlock < image.width(); bx += kBlock) {
            if (excluded.intersects(QRect(bx, by, kBlock, kBlock))) continue;
            ++blocks;
            bool found = false;
            for (int y = by; y < by + kBlock && !found; ++y)
                for (int x = bx; x < bx + kBlock && !found; ++x)
                    found = std::abs(luma(x + 1, y) - luma(x, y)) > step ||
                            std::abs(luma(x, y + 1) - luma(x, y)) > step;
            sharp += found ? 1 : 0;
        }
    }
    return blocks != 0 ? static_cast<double>(sharp) / blocks : 0.0;
}

void Save(const QImage& image, const std::string& name)
{
    if (const char* folder = std::getenv("DMO_SCENE2_IMAGES"))
        image.save(QString::fromStdString(std::string(folder) + "/" + name + ".png"));
}

TEST(Scene2Frame, CubesCoverTheFrameAt40SecondsAndTheFrameAt85SecondsDiffers)
{
    CDemoHarness demo(DMO_DATA_DIR);
    ASSERT_EQ(demo.Start(), hlv_app::APPR_OK);

    demo.SeekPaused(40000);
    ASSERT_TRUE(demo.WaitFrames(3));
    const QImage calm = demo.GrabScreen();
    demo.SeekPaused(85000);
    ASSERT_TRUE(demo.WaitFrames(3));
    const QImage climax = demo.GrabScreen();
    Save(calm, "frame_40s");
    Save(climax, "frame_85s");
    ASSERT_EQ(calm.size(), climax.size());
    ASSERT_GE(calm.width(), 640);

    // Everything but the player's controls in the upper left corner.
    const QRect controls(0, 0, calm.width() * 4 / 10, calm.height() * 15 / 100);
    const double cubes = SharpBlockShare(calm, controls, 40);
    EXPECT_GT(cubes, 0.025) << "at 85 s: " << SharpBlockShare(climax, controls, 40);
    EXPECT_GT(dmo_nimra_test::DifferingFraction(calm, climax), 0.3);
}

}  // namespace
