#pragma once
// The body of the render thread: owns the graphics context while it runs,
// executes the creation commands and each frame's render commands, presents
// the frames and counts them.
//
// If it cannot start (no render context, no renderer, renderer
// initialisation failed) it prints why to the standard output stream, stops
// both threads' loops and releases every wait of both front ends, so neither
// start-up nor the stop routine waits for it.
#include <halvo_app/Application/IRenderContext.h>
#include <halvo_app/Application/render_thread_state.h>
#include <halvo_app/Application/update_thread_state.h>

namespace hlv_app {

class render_thread {
public:
    render_thread(render_thread_state* state, update_thread_state* updateState, IRenderContext* context)
        : m_state(state), m_updateState(updateState), m_context(context)
    {
    }

    void operator()();

private:
    void FailStart(const char* message);
    void RenderLoop();

    render_thread_state* m_state;
    update_thread_state* m_updateState;
    IRenderContext* m_context;
};

}  // namespace hlv_app
