// The demo program as a user starts it, on the virtual screen with the
// silent audio driver, from a copy of its data folder.
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "support/data_folder.h"

using dmo_nimra_test::CDataFolder;
using dmo_nimra_test::RunCaptured;

namespace {

int RunDemo(const CDataFolder& folder, std::string& output, std::chrono::milliseconds* took = nullptr)
{
    const auto start = std::chrono::steady_clock::now();
    const int status = RunCaptured("SOUND_LAYER_SILENT=1 timeout -s KILL 60 '" DMO_PROGRAM "'", folder.Path(), output);
    if (took) *took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
    return status;
}

}  // namespace

TEST(DemoProgram, PlaysAShortTrackToItsEndAndExitsWithZero)
{
    CDataFolder folder(DMO_DATA_DIR);
    folder.WriteShortTrack(3.0);
    std::string output;
    std::chrono::milliseconds took{};
    EXPECT_EQ(RunDemo(folder, output, &took), 0) << output;
    EXPECT_GE(took.count(), 3000) << "ended before the track did";
    EXPECT_LT(took.count(), 20000);
    EXPECT_EQ(output.find("Renderer Halted"), std::string::npos) << output;
    EXPECT_NE(output.find("All threads are stoped."), std::string::npos) << output;
}

TEST(DemoProgram, NamesAMissingImageOrABrokenShaderAndExitsWithOne)
{
    CDataFolder folder(DMO_DATA_DIR);
    folder.WriteShortTrack(1.0);
    std::string output;

    const auto image = folder.Path() / "LocalData" / "gn.png";
    std::filesystem::rename(image, folder.Path() / "gn.png");
    EXPECT_EQ(RunDemo(folder, output), 1) << output;
    EXPECT_NE(output.find("Failed to load an image."), std::string::npos) << output;
    EXPECT_NE(output.find("LocalData/gn.png"), std::string::npos) << output;
    std::filesystem::rename(folder.Path() / "gn.png", image);

    std::ofstream(folder.Path() / "LocalShader" / "Post Process" / "post_ssao.ps.glsl", std::ios::app)
        << "\nthis is not GLSL\n";
    EXPECT_EQ(RunDemo(folder, output), 1) << output;
    EXPECT_NE(output.find("Effect key: PostSSAO1"), std::string::npos) << output;
    EXPECT_NE(output.find("Post Process/post_ssao.ps.glsl"), std::string::npos) << output;
}

TEST(DemoProgram, WithoutADisplaySaysSoAndExitsWithOne)
{
    // Refused before anything is loaded: no data folder needed.
    std::string output;
    EXPECT_EQ(RunCaptured("env -u DISPLAY -u QT_QPA_PLATFORM '" DMO_PROGRAM "'", std::filesystem::temp_directory_path(),
                          output),
              1)
        << output;
    EXPECT_NE(output.find("tidal_knots: no display (DISPLAY is not set); set DISPLAY or run under xvfb-run\n"),
              std::string::npos)
        << output;
}
