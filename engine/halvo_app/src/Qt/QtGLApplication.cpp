#include <halvo_app/Qt/QtGLApplication.h>

#include <iostream>

#include <QApplication>
#include <QGLContext>
#include <QGLFormat>
#include <QGLWidget>
#include <QMetaObject>
#include <QThread>
#include <QWindow>

#include <halvo_app/Qt/QtGLWidget.h>
#include <halvo_app/Qt/QtSplashScreen.h>
#include <halvo_app/Qt/oglQtRenderContext.h>
#include <halvo_core/fatal.h>
#include <halvo_gfx/ogl/ogl_renderer.h>
#include <halvo_gfx/ogl/ogl_system.h>

#include "gl_calls.h"

// The library's resources are linked statically: register them before use
// (outside any namespace, as Qt requires).
static void InitialiseApplicationResources() { Q_INIT_RESOURCE(halvo_app); }

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
    // No alpha in the window: with one, X gives the view a 32-bit visual
    // that a compositing desktop blends with what lies behind the window
    // wherever a frame's alpha is below 1.
    format.setAlpha(false);
    return format;
}

// Qt's GLX integration gives every window the GLX visual of its format, and
// one colormap per visual: the plain top-level widgets an application shows
// (player controls, labels) share one visual and colormap. Screen grabbers
// that read a screen of several visuals per visual and colormap (xwd,
// ImageMagick's import) read such a widget lying within a larger window of
// its own visual from that larger window, where the X server blanks what
// other windows cover: black rectangles. So the main window and the splash
// screen, the large windows under them, take the view's visual instead.
// Before the widget's native window is made.
void UseViewVisual(QWidget& widget)
{
    // A native widget has its QWindow before the native window exists.
    widget.setAttribute(Qt::WA_NativeWindow);
    if (QWindow* window = widget.windowHandle()) window->setFormat(QGLFormat::toSurfaceFormat(ViewFormat()));
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
    UseViewVisual(*m_splashScreen);
    m_splashScreen->show();

    ShowMessage("Create QtGLWidget");
    // The view, a native child, makes the main window's native window.
    UseViewVisual(*this);
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
        QMetaObject::invokeMethod(
            this, [this, message] { ShowMessage(message); }, Qt::QueuedConnection);
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

IRenderContext* QtGLApplication::GetRenderContext() { return m_renderContext.get(); }

void QtGLApplication::OnGLWidgetResized() {}

}  // namespace hlv_app
