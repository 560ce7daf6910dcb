#include "demo_harness.h"

#include <cstdlib>
#include <thread>

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include <PlovdaneQt/QtTimer.h>
#include <halvo_app/Application/AHalvoApplication.h>
#include <halvo_app/Qt/QtGLApplication.h>
#include <halvo_app/Qt/oglQtRenderContext.h>
#include <tidal_knots/QtSampleApp.h>

namespace dmo_nimra_test {

namespace {

QApplication& TestApplication()
{
    static QApplication* application = [] {
        hlv_app::QtGLApplication::PreparePlatform();
        static int argc = 1;
        static char name[] = "tidal_knots_test";
        static char* argv[] = {name, nullptr};
        return new QApplication(argc, argv);
    }();
    return *application;
}

}  // namespace

CDemoHarness::CDemoHarness(const std::filesystem::path& dataFolder)
{
    setenv("SOUND_LAYER_SILENT", "1", 1);
    std::filesystem::current_path(dataFolder);
    m_app = std::make_unique<dmo_nimra::QtSampleApp>(&TestApplication());
}

CDemoHarness::~CDemoHarness()
{
    if (!m_app) return;
    m_app->StopThreads();
    m_app.reset();
    hlv_app::g_application = nullptr;
}

std::uint32_t CDemoHarness::Start()
{
    hlv_app::g_application = m_app.get();
    return hlv_app::StartApplication();
}

void CDemoHarness::Pump(std::chrono::milliseconds duration)
{
    const auto end = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < end) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

void CDemoHarness::Press(int button) { m_app->handlePlayerButtonEvents(button, QEvent::MouseButtonRelease); }

void CDemoHarness::SeekPaused(std::uint64_t milliseconds)
{
    Press(6);  // pause
    m_app->handleTimelineValueClicked(milliseconds);
    m_app->GetPlaybackTimer().timeChangeEvent(milliseconds);
    // A frame in flight may still show the time before the seek.
    WaitFrames(3);
}

bool CDemoHarness::WaitFrames(std::uint64_t frames, std::chrono::milliseconds limit)
{
    const auto* context = m_app->GetQtRenderContext();
    const std::uint64_t target = context->GetPresentedFrames() + frames;
    const auto end = std::chrono::steady_clock::now() + limit;
    while (context->GetPresentedFrames() < target) {
        if (std::chrono::steady_clock::now() > end) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

QImage CDemoHarness::GrabScreen() const
{
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace dmo_nimra_test
