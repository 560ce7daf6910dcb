#pragma once
// The real demo application inside a test process (under Xvfb, with the
// silent audio driver), started from a data folder as the program starts.
// One per process: the application is the process's g_application.
//
// Frames are taken from the X screen, as a user would see them; seeking
// pauses the music and the playback clock and moves both to the time, so
// the scene stands still there while the render thread keeps drawing it.
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include <QImage>

#include "image_measures.h"

namespace dmo_nimra {
class QtSampleApp;
}

namespace dmo_nimra_test {

class CDemoHarness {
public:
    // Changes the working directory to dataFolder for the rest of the process.
    explicit CDemoHarness(const std::filesystem::path& dataFolder);
    ~CDemoHarness();
    CDemoHarness(const CDemoHarness&) = delete;
    CDemoHarness& operator=(const CDemoHarness&) = delete;

    // Start-up as main runs it; the engine's start result (APPR_OK when the
    // demo plays).
    std::uint32_t Start();
    dmo_nimra::QtSampleApp& App() { return *m_app; }

    // Runs the Qt event loop for a while (queued signals reach the window).
    void Pump(std::chrono::milliseconds duration);
    // Presses a player button as a click releases it.
    void Press(int button);
    // Pauses playback and moves music and clock to the time, then waits
    // until the frames drawn at that time are on the screen.
    void SeekPaused(std::uint64_t milliseconds);
    // Waits until `frames` more frames were presented.
    bool WaitFrames(std::uint64_t frames, std::chrono::milliseconds limit = std::chrono::seconds(30));
    // The screen as it is shown.
    QImage GrabScreen() const;

private:
    std::unique_ptr<dmo_nimra::QtSampleApp> m_app;
};

}  // namespace dmo_nimra_test
