// The demo application playing its committed data: the player bindings keep
// the music and the playback clock together, the time label shows the music,
// a window resize reaches the screen viewport through the update thread, F5
// reloads the camera files while playing, and the stop button ends the event
// loop with status 0.
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QResizeEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include <PlovdaneQt/QtTimer.h>
#include <halvo_app/APP_RESULT.h>
#include <halvo_app/Context/CManagedContext.h>
#include <sound/fmod_api.h>
#include <tidal_knots/QtSampleApp.h>

#include "support/demo_harness.h"

using dmo_nimra::QtSampleApp;
using dmo_nimra_test::CDemoHarness;
using namespace std::chrono_literals;

namespace {

unsigned int ChannelPosition(QtSampleApp& app)
{
    unsigned int position = 0;
    app.GetChannel()->getPosition(&position, FMOD_TIMEUNIT_MS);
    return position;
}

bool ChannelPaused(QtSampleApp& app)
{
    bool paused = false;
    app.GetChannel()->getPaused(&paused);
    return paused;
}

// The playback clock advances once per frame (the update thread ticks it),
// the music continuously: they agree within a frame's time, plus the audio
// buffer being played.
double ClockTolerance(CDemoHarness& demo)
{
    const auto start = std::chrono::steady_clock::now();
    demo.WaitFrames(3);
    const double frame = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() /
                         3.0;
    return frame * 1.5 + 50.0;
}

}  // namespace

TEST(DemoPlayback, PlayerBindingsKeepMusicAndClockTogether)
{
    EXPECT_EQ(QtSampleApp::FormatPosition(83456), "01:23:456");
    EXPECT_EQ(QtSampleApp::FormatPosition(3600000), "00:00:000");

    CDemoHarness demo(DMO_DATA_DIR);
    ASSERT_EQ(demo.Start(), hlv_app::APPR_OK);
    QtSampleApp& app = demo.App();
    pld_qt::QtTimer& timer = app.GetPlaybackTimer();
    EXPECT_GT(timer.endTime(), 115000u);
    demo.Pump(500ms);
    EXPECT_EQ(timer.state(), pld_qt::QTS_PLAYING);
    EXPECT_FALSE(ChannelPaused(app));
    double tolerance = ClockTolerance(demo);
    EXPECT_NEAR(static_cast<double>(timer.currentTime()), ChannelPosition(app), tolerance);

    // Pause holds both where they are.
    demo.Press(6);
    EXPECT_EQ(timer.state(), pld_qt::QTS_PAUSED);
    EXPECT_TRUE(ChannelPaused(app));
    const std::uint64_t clockAtPause = timer.currentTime();
    const unsigned int musicAtPause = ChannelPosition(app);
    demo.Pump(400ms);
    EXPECT_EQ(timer.currentTime(), clockAtPause);
    EXPECT_EQ(ChannelPosition(app), musicAtPause);

    // The timeline moves both; the label shows the music's position.
    app.handleTimelineValueClicked(83456);
    timer.timeChangeEvent(83456);
    demo.Pump(100ms);
    EXPECT_EQ(ChannelPosition(app), 83456u);
    EXPECT_EQ(timer.currentTime(), 83456u);
    EXPECT_EQ(app.GetTimeLabel()->text(), "01:23:456");

    // Play resumes both from there, together.
    // The clock moves a frame at a time: on a loaded machine a frame takes
    // half a second, so wait for the clock rather than for a fixed time.
    demo.Press(3);
    demo.Pump(600ms);
    for (int round = 0; round < 100 && timer.currentTime() <= 83456u + 300u; ++round) demo.Pump(100ms);
    EXPECT_EQ(timer.state(), pld_qt::QTS_PLAYING);
    EXPECT_GT(timer.currentTime(), 83456u + 300u);
    tolerance = ClockTolerance(demo);
    EXPECT_NEAR(static_cast<double>(timer.currentTime()), ChannelPosition(app), tolerance);

    // A window size reaches "Screen Viewport" through the update thread.
    QResizeEvent resize(QSize(1280, 720), app.size());
    QCoreApplication::sendEvent(&app, &resize);
    ASSERT_TRUE(demo.WaitFrames(2));
    const auto* screen = app.GetLocalContext()->viewportSlotManager.GetSlot("Screen Viewport");
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->GetValue().width, 1280u);
    EXPECT_EQ(screen->GetValue().height, 720u);

    // F5 while playing: the camera records are replaced, the demo goes on.
    auto* camera = app.GetAnimations().FindVector("Main Camera Position");
    ASSERT_NE(camera, nullptr);
    QKeyEvent f5(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
    QCoreApplication::sendEvent(&app, &f5);
    EXPECT_NE(app.GetAnimations().FindVector("Main Camera Position"), camera);
    EXPECT_TRUE(demo.WaitFrames(3));

    // The stop button ends the event loop with status 0.
    QTimer::singleShot(50, &app, [&demo] { demo.Press(5); });
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_EQ(timer.currentTime(), 0u);
    EXPECT_TRUE(ChannelPaused(app));
}
