#include <tidal_knots/QtSampleApp.h>

#include <chrono>
#include <iostream>

#include <QApplication>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPoint>
#include <QResizeEvent>
#include <QScreen>
#include <QTextEdit>

#include <PlovdaneQt/QtPlayer.h>
#include <PlovdaneQt/QtTimeLineWidget.h>
#include <halvo_app/Context/CManagedContext.h>
#include <halvo_app/Qt/oglQtRenderContext.h>
#include <halvo_io/cerr_compiler_listener.h>
#include <halvo_io/cerr_linker_listener.h>
#include <halvo_io/cerr_printer.h>
#include <sound/fmod_api.h>
#include <sound/fmod_check.h>

namespace dmo_nimra {

namespace {

constexpr const char* kLocalContextName = "Local Context";

std::uint64_t PackSize(int width, int height)
{
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(width)) << 32) | static_cast<std::uint32_t>(height);
}

}  // namespace

QtSampleApp::QtSampleApp(QApplication* application) : QtGLApplication(application)
{
    setWindowTitle("Tidal Knots");
    // The directories of the demo's data, relative to the working directory.
    m_objectDirectory = "LocalData/";
    m_shaderLibraryDirectory = "LocalShader/";
    m_localShaderDirectory = "LocalShader/";
    m_imageDirectory = "LocalData/";
    m_textureDirectory = "LocalData/";
    m_iconDirectory = "LocalData/Icons";
    m_localDataDirectory = "LocalData/";
    m_keyframeDirectory = "LocalData/Keyframes/";

    m_printer = hlv_core::Adopt(new hlv_io::CCerrPrinter("A default std::cerr printer"));
    m_linkerListener = hlv_core::Adopt(new hlv_io::CCerrLinkerListener("A std::cerr linker listener"));
    m_compilerListener = hlv_core::Adopt(new hlv_io::CCerrCompilerListener("A std::cerr compiler listener"));
    m_linkerListener->SetPrinter(m_printer);
    m_compilerListener->SetPrinter(m_printer);
    if (auto system = getGfxSystem()) {
        system->AddLinkerListener(m_linkerListener.get());
        system->AddCompilerListener(m_compilerListener.get());
    }

    pld_qt::QtTimer& timer = m_timer.GetQtTimer();
    timer.setStartTime(0);
    timer.timeChangeEvent(0);
    timer.setEndTime(1000);
    timer.setState(pld_qt::QTS_PAUSED);
    setTimer(&m_timer, false);
    AddFrameHandler(this);
    connect(this, &QtSampleApp::signalRendererHalted, this, &QtSampleApp::slotRendererHalted);
}

QtSampleApp::~QtSampleApp()
{
    // The update thread runs the controllers and reads the timer that go here.
    HaltThreads();
    m_trackClock->SetSystem(nullptr);
    if (m_soundSystem) m_soundSystem->release();
}

hlv_app::CManagedContext* QtSampleApp::GetLocalContext()
{
    return GetContextModule().GetContext(GetContextModule().GetContextId(m_contextName));
}

void QtSampleApp::Fail()
{
    m_failed = true;
    StopThreads();
}

void QtSampleApp::UserInit()
{
    ShowMessage("Begin initialization");
    ShowMessage("Initialize FMOD System");
    if (!InitializeSound()) return Fail();

    ShowMessage("Initialize Module System");
    if (!InitModules(this)) {
        std::cerr << "Modules initialization failed!" << std::endl;
        return Fail();
    }

    ShowMessage("Initialize Context");
    m_contextName = kLocalContextName;
    GetContextModule().CreateContext(m_contextName);

    ShowMessage("Initialize Viewports");
    InitializeViewports();
    // The render thread serves each batch of creation commands as it is
    // flushed until start-up ends its stay.
    getMTGfxSystem()->Flush(1);

    ShowMessage("Initialize User Loading Functions");
    if (!LoadAllData() || !CreateAllData() || !CreateControllersAndScenes()) return Fail();

    unsigned int length = 0;
    if (m_sound->getLength(&length, FMOD_TIMEUNIT_MS) != FMOD_OK) {
        std::cerr << "Fmod error." << '\n' << "The track's length is unknown." << std::endl;
        return Fail();
    }
    pld_qt::QtTimer& timer = m_timer.GetQtTimer();
    timer.setEndTime(length);
    timer.setState(pld_qt::QTS_PAUSED);

    BuildPlayerControls();
    ShowMessage("Initialization done");
    // Without a window manager the full-screen state alone does not size the
    // window.
    setGeometry(QGuiApplication::primaryScreen()->geometry());
    showFullScreen();
}

bool QtSampleApp::InitializeSound()
{
    FMOD_RESULT result = FMOD_System_Create(&m_soundSystem);
    if (result == FMOD_OK) result = m_soundSystem->init(100, FMOD_INIT_NORMAL, nullptr);
    if (result == FMOD_OK) {
        m_trackClock->SetSystem(m_soundSystem);
        return true;
    }
    std::cerr << "Fmod error." << '\n'
              << "The sound system did not start: " << sound::ResultName(result) << ' ' << sound::LastErrorDetail()
              << std::endl;
    return false;
}

void QtSampleApp::InitializeViewports()
{
    hlv_app::CManagedContext& context = *GetLocalContext();
    auto& floats = context.VariantSlots<float>();
    auto addViewport = [&context](const char* name, std::uint64_t width, std::uint64_t height) {
        auto* slot = new hlv_slot::CViewportOutputSlot();
        context.viewportSlotManager.InsertSlot(name, slot);
        slot->SetValue(hlv_gfx::VIEWPORT{0, 0, width, height});
    };
    const std::uint64_t width = 1920;
    const std::uint64_t height = 1080;
    addViewport("Backplane Viewport", width, height);
    floats.AddSlot("Backplane Width", static_cast<float>(width));
    floats.AddSlot("Backplane Height", static_cast<float>(height));
    floats.AddSlot("Backplane Width Recip", 1.0f / static_cast<float>(width));
    floats.AddSlot("Backplane Height Recip", 1.0f / static_cast<float>(height));

    addViewport("Screen Viewport", 800, 600);

    const float halfWidth = static_cast<float>(width) * 0.5f;
    const float halfHeight = static_cast<float>(height) * 0.5f;
    addViewport("Backplane Viewport Half", static_cast<std::uint64_t>(halfWidth),
                static_cast<std::uint64_t>(halfHeight));
    floats.AddSlot("Backplane Width Half", halfWidth);
    floats.AddSlot("Backplane Height Half", halfHeight);
    floats.AddSlot("Backplane Width Half Recip", 1.0f / halfWidth);
    floats.AddSlot("Backplane Height Half Recip", 1.0f / halfHeight);

    addViewport("Backplane Viewport Quater", static_cast<std::uint64_t>(static_cast<float>(width) * 0.25f),
                static_cast<std::uint64_t>(static_cast<float>(height) * 0.25f));
}

void QtSampleApp::BuildPlayerControls()
{
    m_playerWidget = std::make_unique<pld_qt::QtPlayerWidget>();
    using Player = pld_qt::QtPlayerWidget;
    for (const int button : {Player::BUTTON_PLAY, Player::BUTTON_STOP, Player::BUTTON_PAUSE, Player::BUTTON_REWIND,
                             Player::BUTTON_FASTFORWARD, Player::BUTTON_REPEAT, Player::BUTTON_START,
                             Player::BUTTON_END, Player::BUTTON_RECORD}) {
        const QString base = QString::fromStdString(m_iconDirectory) + "/control_" + Player::buttonName(button);
        m_playerWidget->setButtonIcon(button, QIcon(base + ".png"));
        m_playerWidget->setButtonHighlightIcon(button, QIcon(base + "_blue.png"));
    }
    connect(m_playerWidget.get(), &Player::buttonClicked, this, &QtSampleApp::handlePlayerButtonEvents);
    m_playerWidget->show();

    pld_qt::QtTimer& timer = m_timer.GetQtTimer();
    m_timeLineWidget = std::make_unique<pld_qt::QtTimeLineWidget>();
    m_timeLineWidget->timerRangeEvent(&timer);
    connect(m_timeLineWidget.get(), &pld_qt::QtTimeLineWidget::timeValueClicked, this,
            &QtSampleApp::handleTimelineValueClicked);
    connect(m_timeLineWidget.get(), &pld_qt::QtTimeLineWidget::timeValueClicked, &timer,
            &pld_qt::QtTimer::timeChangeEvent);
    connect(&timer, &pld_qt::QtTimer::timeValueChanged, m_timeLineWidget.get(),
            qOverload<const pld_qt::QtTimer*>(&pld_qt::QtTimeLineWidget::timerEvent));
    m_timeLineWidget->setGeometry(50, 50, 600, 80);
    m_timeLineWidget->show();

    connect(&timer, &pld_qt::QtTimer::timeValueChanged, this, &QtSampleApp::handleTimerEvents);
    // Sized to its text when shown, beside the player rather than over it.
    m_timeLabel = std::make_unique<QLabel>(FormatPosition(0));
    m_timeLabel->move(m_playerWidget->geometry().topRight() + QPoint(1, 0));
    m_timeLabel->show();
    setCursor(Qt::BlankCursor);
}

void QtSampleApp::UserShutdown() {}

void QtSampleApp::UserStart()
{
    pld_qt::QtTimer& timer = m_timer.GetQtTimer();
    timer.setStartTime(0);
    timer.setState(pld_qt::QTS_PLAYING);
    FMOD_CHECK(m_channel->setPaused(false));
    FMOD_CHECK(m_channel->setPosition(0, FMOD_TIMEUNIT_MS));
    connect(&timer, &pld_qt::QtTimer::timerStoped, this, &QtSampleApp::handleTimerStoped);
    m_framesAtStart = GetQtRenderContext()->GetPresentedFrames();
    m_playbackStart = std::chrono::steady_clock::now();
    std::cout << "Playback started" << std::endl;
}

void QtSampleApp::OnThreadsStopped() { std::cout << "All threads are stoped." << std::endl; }

void QtSampleApp::OnRendererHalted(const std::list<std::string>& messages)
{
    {
        std::lock_guard<std::mutex> lock(m_rendererMessages.mutex);
        for (const std::string& message : messages) {
            m_rendererMessages.messages.push_back(message);
            std::cerr << message << '\n';
        }
        m_rendererMessages.messages.push_back("Renderer Halted");
        std::cerr << "Renderer Halted" << std::endl;
    }
    Q_EMIT signalRendererHalted();
}

void QtSampleApp::OnRendererHalted(const std::string& message) { OnRendererHalted(std::list<std::string>{message}); }

void QtSampleApp::DrainInto(MessageQueue& queue, QTextEdit* pane)
{
    std::lock_guard<std::mutex> lock(queue.mutex);
    if (pane) {
        for (const std::string& message : queue.messages) pane->append(QString::fromStdString(message));
    }
    queue.messages.clear();
}

void QtSampleApp::slotRendererHalted() { DrainInto(m_rendererMessages, m_rendererPane); }

void QtSampleApp::slotCompilerMessage() { DrainInto(m_compilerMessages, m_compilerPane); }

void QtSampleApp::slotLinkerMessage() { DrainInto(m_linkerMessages, m_compilerPane); }

void QtSampleApp::RestartEndedChannel()
{
    FMOD_CHECK(m_soundSystem->playSound(FMOD_CHANNEL_FREE, m_sound, true, &m_channel));
}

void QtSampleApp::handlePlayerButtonEvents(int button, QEvent::Type)
{
    bool playing = false;
    const FMOD_RESULT state = m_channel->isPlaying(&playing);
    if (state == FMOD_ERR_INVALID_HANDLE) {
        RestartEndedChannel();
    } else {
        FMOD_CHECK(state);
    }
    bool paused = false;
    FMOD_CHECK(m_channel->getPaused(&paused));

    pld_qt::QtTimer& timer = m_timer.GetQtTimer();
    switch (button) {
    case pld_qt::QtPlayerWidget::BUTTON_PLAY:
        if (paused) {
            timer.setState(pld_qt::QTS_PLAYING);
            FMOD_CHECK(m_channel->setPaused(false));
        }
        break;
    case pld_qt::QtPlayerWidget::BUTTON_STOP:
        // The timer's stop signal ends the program (handleTimerStoped).
        timer.stop();
        timer.timeChangeEvent(0);
        FMOD_CHECK(m_channel->setPaused(true));
        FMOD_CHECK(m_channel->setPosition(0, FMOD_TIMEUNIT_MS));
        break;
    case pld_qt::QtPlayerWidget::BUTTON_PAUSE:
        timer.pause();
        FMOD_CHECK(m_channel->setPaused(true));
        break;
    default: break;
    }
}

void QtSampleApp::handleTimelineValueClicked(unsigned long milliseconds)
{
    FMOD_CHECK(m_channel->setPosition(static_cast<unsigned int>(milliseconds), FMOD_TIMEUNIT_MS));
}

QString QtSampleApp::FormatPosition(unsigned int milliseconds)
{
    return QString("%1:%2:%3")
        .arg(milliseconds / 60000 % 60, 2, 10, QChar('0'))
        .arg(milliseconds / 1000 % 60, 2, 10, QChar('0'))
        .arg(milliseconds % 1000, 3, 10, QChar('0'));
}

void QtSampleApp::handleTimerEvents(const pld_qt::QtTimer*)
{
    unsigned int position = 0;
    m_channel->getPosition(&position, FMOD_TIMEUNIT_MS);
    if (m_timeLabel) m_timeLabel->setText(FormatPosition(position));
}

void QtSampleApp::handleTimerStoped(const pld_qt::QtTimer* timer)
{
    unsigned int music = 0;
    m_channel->getPosition(&music, FMOD_TIMEUNIT_MS);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - m_playbackStart).count();
    const std::uint64_t frames = GetQtRenderContext()->GetPresentedFrames() - m_framesAtStart;
    std::cout << "Playback ended: scene time " << timer->currentTime() << " ms, music position " << music << " ms, "
              << frames << " frames in " << seconds << " s (" << (seconds > 0 ? frames / seconds : 0.0)
              << " frames per second)" << std::endl;
    QCoreApplication::exit(0);
}

void QtSampleApp::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        close();
        QCoreApplication::exit(0);
        return;
    case Qt::Key_F5: ReloadCameraKeyframes(); return;
    default: QtGLApplication::keyPressEvent(event);
    }
}

void QtSampleApp::resizeEvent(QResizeEvent* event)
{
    QtGLApplication::resizeEvent(event);
    // Before the context exists there is no viewport to follow the window.
    if (m_contextName.empty() || !GetLocalContext()) return;
    const QSize size = event->size();
    if (size.width() <= 0 || size.height() <= 0) return;
    m_pendingScreenSize.store(PackSize(size.width(), size.height()), std::memory_order_release);
}

void QtSampleApp::OnFrame()
{
    const std::uint64_t size = m_pendingScreenSize.exchange(0, std::memory_order_acq_rel);
    if (size == 0) return;
    hlv_app::CManagedContext* context = GetLocalContext();
    hlv_slot::CViewportOutputSlot* screen = context ? context->viewportSlotManager.GetSlot("Screen Viewport") : nullptr;
    if (screen) screen->SetValue(hlv_gfx::VIEWPORT{0, 0, size >> 32, size & 0xffffffffu});
}

}  // namespace dmo_nimra
