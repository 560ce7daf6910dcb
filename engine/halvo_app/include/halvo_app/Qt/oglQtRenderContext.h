#pragma once
// The render context over the GL widget's own context, used by the render
// thread only.
//
// The widget's context object belongs to no thread while no thread renders:
// MakeCurrent takes it over to the calling thread and makes it current there;
// DoneCurrent releases it and hands the object back to the GUI thread, where
// the widget destroys it.
//
// Buffers are swapped only while the view's window is exposed (before it is
// shown there is nothing to present to); the GUI thread keeps the exposure
// state for the render thread.
#include <atomic>
#include <cstdint>
#include <memory>

#include <halvo_app/Application/IRenderContext.h>

class QGLWidget;
class QObject;
class QThread;

namespace hlv_app {

class oglQtRenderContext : public IRenderContext {
public:
    // The widget must exist; its context must have been released by the GUI
    // thread (PrepareForRenderThread).
    explicit oglQtRenderContext(QGLWidget* widget);
    ~oglQtRenderContext() override;

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
    // Buffer swaps that presented a frame.
    std::uint64_t GetPresentedFrames() const { return m_presented.load(); }
    bool IsExposed() const { return m_exposed.load(); }

private:
    QGLWidget* m_widget;
    QThread* m_guiThread;
    std::atomic<bool> m_exposed{false};
    std::atomic<std::uint64_t> m_presented{0};
    std::unique_ptr<QObject> m_exposureWatch;
};

}  // namespace hlv_app
