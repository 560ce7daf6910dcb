#pragma once
// The render context over the GL widget's own context, used by the render
// thread only.
//
// The widget's context object belongs to no thread while no thread renders:
// MakeCurrent takes it over to the calling thread and makes it current there;
// DoneCurrent releases it and hands the object back to the GUI thread, where
// the widget destroys it.
#include <cstdint>

#include <halvo_app/Application/IRenderContext.h>

class QGLWidget;
class QThread;

namespace hlv_app {

class oglQtRenderContext : public IRenderContext {
public:
    // The widget must exist; its context must have been released by the GUI
    // thread (PrepareForRenderThread).
    explicit oglQtRenderContext(QGLWidget* widget);

    // GUI thread, once the context is released: lets the render thread take
    // the context object over.
    void PrepareForRenderThread();

    // Non-zero when the context could not be made current.
    std::uint32_t MakeCurrent() override;
    std::uint32_t DoneCurrent() override;
    std::uint32_t SwapBuffers() override;
    // The colour shown while rendering is halted.
    std::uint32_t Clear() override;

    QGLWidget* GetWidget() const { return m_widget; }

private:
    QGLWidget* m_widget;
    QThread* m_guiThread;
};

}  // namespace hlv_app
