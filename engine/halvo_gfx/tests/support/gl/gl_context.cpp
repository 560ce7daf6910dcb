// Qt side of the GL test context. Only Qt headers here: GLEW is set up in
// glew_setup.cpp, because glew.h and Qt's GL headers exclude each other.
#include "gl/gl_context.h"

#include <memory>

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QSurfaceFormat>

#include "gl/glew_setup.h"

namespace hlv_gl_test {
namespace {

struct CContextState {
    std::unique_ptr<QGuiApplication> application;
    std::unique_ptr<QOffscreenSurface> surface;
    std::unique_ptr<QOpenGLContext> context;
    std::string error;
    bool attempted = false;
};

// Never destroyed: Qt's own globals go before the static objects of a test
// program, and a QGuiApplication torn down after them crashes at exit.
CContextState& State()
{
    static CContextState* state = new CContextState;
    return *state;
}

std::string Create(CContextState& state)
{
    // GLEW resolves its entry points through GLX, so Qt must use xcb with GLX
    // (the GL tests' environment says so; this covers a run by hand).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "xcb");
    if (qEnvironmentVariableIsEmpty("QT_XCB_GL_INTEGRATION")) qputenv("QT_XCB_GL_INTEGRATION", "xcb_glx");

    if (!QGuiApplication::instance()) {
        static int argc = 1;
        static char name[] = "hlv_gl_test";
        static char* argv[] = {name, nullptr};
        state.application = std::make_unique<QGuiApplication>(argc, argv);
    }

    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    // No version: asking Qt's GLX integration for 3.2 or later gets a core
    // context even with the compatibility profile set; the default request
    // gets the driver's newest compatibility context.
    format.setDepthBufferSize(24);
    format.setStencilBufferSize(8);

    state.surface = std::make_unique<QOffscreenSurface>();
    state.surface->setFormat(format);
    state.surface->create();
    if (!state.surface->isValid()) return "the offscreen surface could not be created";

    state.context = std::make_unique<QOpenGLContext>();
    state.context->setFormat(format);
    if (!state.context->create()) return "the OpenGL context could not be created";
    if (state.context->format().profile() == QSurfaceFormat::CoreProfile)
        return "the context has the core profile, not the compatibility profile";
    if (state.context->format().version() < qMakePair(3, 2)) return "the context is older than OpenGL 3.2";
    if (!state.context->makeCurrent(state.surface.get())) return "the OpenGL context could not be made current";
    return InitialiseGlew();
}

}  // namespace

std::string EnsureGlContext()
{
    CContextState& state = State();
    if (!state.attempted) {
        state.attempted = true;
        state.error = Create(state);
        return state.error;
    }
    if (!state.error.empty()) return state.error;
    if (QOpenGLContext::currentContext() != state.context.get() && !state.context->makeCurrent(state.surface.get()))
        return "the OpenGL context could not be made current";
    return {};
}

}  // namespace hlv_gl_test
