#include <halvo_app/Qt/QtGLApplication.h>

#include <iostream>

#include <QApplication>
#include <QGLContext>
#include <QGLFormat>
#include <QGLWidget>
#include <QMetaObject>
#include <QThread>

#include <halvo_app/Qt/QtGLWidget.h>
#include <halvo_app/Qt/QtSplashScreen.h>
#include <halvo_app/Qt/oglQtRenderContext.h>
#include <halvo_core/fatal.h>
#include <halvo_gfx/ogl/ogl_renderer.h>
#include <halvo_gfx/ogl/ogl_system.h>

#include "gl_calls.h"

// The library's resources are linked statically: register them before use
// (outside any namespace, as Qt requires).
static void InitialiseApplicationResources()
{
    Q_INIT_RESOURCE(halvo_app);
}

namespace hlv_app {

namespace {

constexpr const char* kSplashImage = ":/halvo_app/splash.png";

// A compatibility-profile context (the renderer uses the fixed-function
// stacks). No version is asked for: Qt's GLX integration turns a request for
// 3.2 or later into a core context; the default request gets the driver's
// newest compatibility context.
QGLFormat ViewFormat()
{
    QGLFormat format;
    format.setProfile(QGLFormat::CompatibilityProfile);
    format.setDoubleBuffer(true);
    format.setDepth(true);
    format.setDepthBufferSize(24);
    format.setStencil(true);
    format.setStencilBufferSize(8);
    format.setAlpha(true);
    return format;
}

}  // namespace

void QtGLApplication::PreparePlatform()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "xcb");
    if (qEnvironmentVariableIsEmpty("QT_XCB_GL_INTEGRATION")) qputenv("QT_XCB_GL_INTEGRATION", "xcb_glx");
}

QtGLApplication::QtGLApplication(QApplication* application) : QtApplication(application)
{
    InitialiseApplicationResources();
    m_splashScreen = new QtSplashScreen(kSplashImage);
    m_splashScreen->show();

    ShowMessage("Create QtGLWidget");
    m_glWidget = new QtGLWidget(ViewFormat(), this, this);
    if (!m_glWidget->isValid()) {
        std::cerr << "QtGLApplication: Couldn't create a gl widget. new simply failed." << std::endl;
        HLV_FATAL("QtGLApplication: Couldn't create a gl widget. new simply failed.");
    }

    // The only time the GUI thread holds the context: GLEW needs a current one.
    m_glWidget->makeCurrent();
    ShowMessage("Initialize Glew");
    const std::string glewError = gl::InitialiseGlew();
    if (!glewError.empty()) {
        std::cerr << "QtGLApplication: Glew did not initialize. App can not start." << std::endl;
        std::cerr << glewError << std::endl;
        HLV_FATAL("err == GLEW_OK");
    }
    std::cerr << "OpenGL " << gl::VersionText() << std::endl;
    m_glWidget->doneCurrent();

    ShowMessage("Create New Render Context");
    // No second context is made on the GL widget: creating one there makes Qt
    // destroy and recreate the widget's native window under its context.
    m_hiddenWidget = std::make_unique<QGLWidget>();
    m_renderContext = std::make_unique<oglQtRenderContext>(m_glWidget);
    m_renderContext->PrepareForRenderThread();

    // The OpenGL back end under the multithreaded front ends.
    const hlv_core::CResourceHandle<hlv_gfx::COglRenderer> renderer =
        hlv_core::Adopt(new hlv_gfx::COglRenderer("A OpenGL Renderer"));
    const hlv_core::CResourceHandle<hlv_gfx::COglSystem> gfxSystem =
        hlv_core::Adopt(new hlv_gfx::COglSystem("A OpenGL Gfx System"));
    setGfxSystem(gfxSystem);
    setRenderer(renderer);

    setCentralWidget(m_glWidget);
    ShowMessage("New Render Context Created");
}

QtGLApplication::~QtGLApplication()
{
    HaltThreads();
    delete m_splashScreen;
    m_splashScreen = nullptr;
    m_hiddenWidget.reset();
    m_renderContext.reset();
}

void QtGLApplication::ShowMessage(const std::string& message)
{
    if (QThread::currentThread() != thread()) {
        // Widgets belong to the GUI thread.
        QMetaObject::invokeMethod(this, [this, message] { ShowMessage(message); }, Qt::QueuedConnection);
        return;
    }
    if (m_splashScreen) m_splashScreen->ShowText(QString::fromStdString(message));
}

void QtGLApplication::CloseSplashScreen()
{
    if (!m_splashScreen) return;
    m_splashScreen->close();
    delete m_splashScreen;
    m_splashScreen = nullptr;
}

IRenderContext* QtGLApplication::GetRenderContext()
{
    return m_renderContext.get();
}

void QtGLApplication::OnGLWidgetResized() {}

}  // namespace hlv_app
