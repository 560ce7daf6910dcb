#pragma once
// The demo application: the Qt main window with the OpenGL view and the
// engine application with its named context "Local Context". Start-up loads
// the demo's assets, makes its GPU data, attaches its controllers and builds
// its scenes; playback keeps the music channel and the playback clock
// together under the player controls and the keys; the end of the track, the
// stop button and Escape end the program through the event loop.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <string>

#include <QEvent>

#include <halvo_app/Application/IFrameHandler.h>
#include <halvo_app/Application/QtTimer.h>
#include <halvo_app/Context/CFullModuledHalvoApplication.h>
#include <halvo_app/Qt/QtGLApplication.h>
#include <halvo_core/handle.h>
#include <tidal_knots/KeyframeAnimationStore.h>
#include <tidal_knots/SceneBuild.h>
#include <tidal_knots/track_clock.h>

class QLabel;
class QTextEdit;
class QKeyEvent;
class QResizeEvent;
namespace FMOD {
class Channel;
class Sound;
class System;
}  // namespace FMOD
namespace hlv_io {
class CCerrCompilerListener;
class CCerrLinkerListener;
class CCerrPrinter;
}  // namespace hlv_io
namespace pld_qt {
class QtPlayerWidget;
class QtTimeLineWidget;
class QtTimer;
}  // namespace pld_qt

namespace dmo_nimra {

class CSlotUpdateController;

class QtSampleApp : public hlv_app::QtGLApplication,
                    public hlv_app::CFullModuledHalvoApplication,
                    private hlv_app::IFrameHandler {
    Q_OBJECT

public:
    explicit QtSampleApp(QApplication* application);
    // Stops the threads if they still run, releases the sound system.
    ~QtSampleApp() override;

    void UserInit() override;
    void UserShutdown() override;
    void UserStart() override;
    void OnThreadsStopped() override;
    void OnRendererHalted(const std::list<std::string>& messages) override;
    void OnRendererHalted(const std::string& message) override;

    // Start-up could not load or build what the demo needs (the reason is on
    // the standard error stream): the program ends with status 1.
    bool Failed() const { return m_failed; }

    // The loading and building steps of start-up, in order. Each returns
    // false when the demo cannot go on.
    virtual bool LoadAllData();
    virtual bool CreateAllData();
    virtual bool CreateControllersAndScenes();
    // Loads one keyframe file into the animation tables; with a controller, a
    // replaced camera record is swapped out of its bindings first.
    bool LoadKeyframeAnimation(const std::string& path, CSlotUpdateController* controller);
    // Reloads the four camera files (the F5 key).
    void ReloadCameraKeyframes();

    hlv_app::CManagedContext* GetLocalContext();
    CKeyframeAnimationStore& GetAnimations() { return m_animations; }
    pld_qt::QtTimer& GetPlaybackTimer() { return m_timer.GetQtTimer(); }
    FMOD::Channel* GetChannel() const { return m_channel; }
    QLabel* GetTimeLabel() const { return m_timeLabel.get(); }
    pld_qt::QtPlayerWidget* GetPlayerWidget() const { return m_playerWidget.get(); }

    // "MM:SS:mmm" of a music position in milliseconds (minutes wrap at 60).
    static QString FormatPosition(unsigned int milliseconds);

signals:
    void signalRendererHalted();
    void signalCompilerMessage();
    void signalLinkerMessage();

public slots:
    void slotRendererHalted();
    void slotCompilerMessage();
    void slotLinkerMessage();
    void handlePlayerButtonEvents(int button, QEvent::Type type);
    void handleTimelineValueClicked(unsigned long milliseconds);
    void handleTimerEvents(const pld_qt::QtTimer* timer);
    void handleTimerStoped(const pld_qt::QtTimer* timer);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct MessageQueue {
        std::mutex mutex;
        std::list<std::string> messages;
    };

    // Update thread, before the scene graph: applies a recorded window size
    // to "Screen Viewport".
    void OnFrame() override;
    // Reports the failed step; start-up stops and the program ends with 1.
    void Fail();
    bool InitializeSound();
    void InitializeViewports();
    void BuildPlayerControls();
    // The channel ended: the track is started again, paused at its start.
    void RestartEndedChannel();
    void DrainInto(MessageQueue& queue, QTextEdit* pane);

    QTextEdit* m_rendererPane = nullptr;  // not created by the demo
    QTextEdit* m_compilerPane = nullptr;
    std::unique_ptr<pld_qt::QtPlayerWidget> m_playerWidget;
    std::unique_ptr<pld_qt::QtTimeLineWidget> m_timeLineWidget;
    MessageQueue m_rendererMessages;
    MessageQueue m_compilerMessages;
    MessageQueue m_linkerMessages;

    std::string m_objectDirectory;
    std::string m_shaderLibraryDirectory;
    std::string m_localShaderDirectory;
    std::string m_imageDirectory;
    std::string m_textureDirectory;
    std::string m_iconDirectory;
    std::string m_localDataDirectory;
    std::string m_keyframeDirectory;
    std::string m_contextName;

    FMOD::System* m_soundSystem = nullptr;
    FMOD::Sound* m_sound = nullptr;
    FMOD::Channel* m_channel = nullptr;
    std::unique_ptr<QLabel> m_timeLabel;

    hlv_core::CResourceHandle<hlv_io::CCerrPrinter> m_printer;
    hlv_core::CResourceHandle<hlv_io::CCerrLinkerListener> m_linkerListener;
    hlv_core::CResourceHandle<hlv_io::CCerrCompilerListener> m_compilerListener;

    CKeyframeAnimationStore m_animations;
    CSlotUpdateController* m_slotUpdateController = nullptr;
    CControllerStore m_controllers;
    // The playback clock keeps time with the sound system's output.
    std::shared_ptr<CTrackClock> m_trackClock = std::make_shared<CTrackClock>();
    hlv_app::QtTimer m_timer{m_trackClock};

    // A window size recorded on the GUI thread for the update thread: width
    // in the high, height in the low 32 bits; 0 when nothing is pending.
    std::atomic<std::uint64_t> m_pendingScreenSize{0};
    bool m_failed = false;
    // Where playback began: for the summary printed when it ends.
    std::chrono::steady_clock::time_point m_playbackStart;
    std::uint64_t m_framesAtStart = 0;
};

}  // namespace dmo_nimra
