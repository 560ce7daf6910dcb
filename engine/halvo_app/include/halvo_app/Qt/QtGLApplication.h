#pragma once
// The Qt main window as the concrete engine application with the OpenGL back
// end: a splash screen during start-up, the OpenGL view, GLEW initialised on
// its context, the render context the render thread draws into, and the
// OpenGL renderer and graphics system under the multithreaded front ends.
//
// Before the QApplication exists, main calls PreparePlatform, then
// CheckDisplay (QtDisplayCheck.h).
#include <list>
#include <memory>
#include <string>

#include <halvo_app/Application/QtBackwardsApplication.h>
#include <halvo_app/Qt/QtApplication.h>

class QApplication;
class QGLWidget;

namespace hlv_app {

class QtGLWidget;
class oglQtRenderContext;

class QtGLApplication : public QtApplication, public QtBackwardsApplication {
    Q_OBJECT

public:
    explicit QtGLApplication(QApplication* application);
    // Stops and joins the threads first: the render thread draws into the
    // context that goes here.
    ~QtGLApplication() override;

    // The platform the GL glue needs (xcb with GLX, so that GLEW finds its
    // entry points), unless the environment chose already. Before the
    // QApplication is constructed.
    static void PreparePlatform();

    // Shows the text on the splash screen while there is one.
    void ShowMessage(const std::string& message) override;
    void CloseSplashScreen() override;
    IRenderContext* GetRenderContext() override;

    // The GL view changed its size (GUI thread).
    virtual void OnGLWidgetResized();

    QtGLWidget* GetGLWidget() const { return m_glWidget; }
    oglQtRenderContext* GetQtRenderContext() const { return m_renderContext.get(); }

private:
    QtGLWidget* m_glWidget = nullptr;  // owned by Qt as the central widget
    std::unique_ptr<oglQtRenderContext> m_renderContext;
    // A top-level GL widget that is never shown nor used for rendering.
    std::unique_ptr<QGLWidget> m_hiddenWidget;
};

}  // namespace hlv_app
