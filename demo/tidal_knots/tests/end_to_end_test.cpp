// The whole demo as run.sh plays it without a display: from the committed
// data, on a virtual screen with the silent audio driver, from the start to
// the end of the track, with screenshots at five demo times.
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include <QImage>

#include <gtest/gtest.h>
#include <unistd.h>

#include "support/data_folder.h"
#include "support/image_measures.h"

using namespace dmo_nimra_test;

TEST(DemoEndToEnd, PlaysTheWholeDemoAndEndsWithZero)
{
    const std::filesystem::path shots = std::filesystem::temp_directory_path() /
                                        ("tidal_knots_shots_" + std::to_string(::getpid()));
    std::filesystem::remove_all(shots);
    std::string output;
    const int status =
        RunCaptured("'" DMO_PLAY_HEADLESS "' '" DMO_PROGRAM "' '" + shots.string() + "'", DMO_DATA_DIR, output);
    EXPECT_EQ(status, 0) << output;

    // No renderer halt, no shader, link or GL error on the way.
    for (const char* bad : {"Renderer Halted", "error", "Error", "did not compile", "did not link", "OpenGL error"})
        EXPECT_EQ(output.find(bad), std::string::npos) << bad << " in:\n" << output;

    // The playback clock follows the track to its end.
    std::smatch ended;
    const std::regex summary("Playback ended: scene time ([0-9]+) ms, music position ([0-9]+) ms");
    ASSERT_TRUE(std::regex_search(output, ended, summary)) << output;
    const long scene = std::stol(ended[1]);
    const long music = std::stol(ended[2]);
    EXPECT_GT(scene, 115000);
    EXPECT_LE(std::abs(scene - music), 50) << output;

    // Five different, non-blank pictures: intro, Scene 2, Scene 2 later,
    // climax, outro.
    std::vector<QImage> images;
    for (int t : {2, 30, 60, 90, 105}) {
        char name[32];
        std::snprintf(name, sizeof(name), "demo_%03ds.png", t);
        QImage image((shots / name).string().c_str());
        ASSERT_FALSE(image.isNull()) << name << "\n" << output;
        image = image.convertToFormat(QImage::Format_RGB32);
        EXPECT_GT(ColourSpread(image), 40) << name << " looks blank";
        images.push_back(image);
    }
    for (std::size_t a = 0; a < images.size(); ++a) {
        for (std::size_t b = a + 1; b < images.size(); ++b)
            EXPECT_GT(DifferingFraction(images[a], images[b]), 0.05) << "screenshots " << a << " and " << b;
    }
    std::filesystem::remove_all(shots);
}
