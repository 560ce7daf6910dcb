#pragma once
// The body of the update thread: once per frame, one frame ahead of the
// render thread, it ticks the application timer, builds the frame time
// record, calls the per-frame handlers, runs the scene graph on the record
// and hands the frame's render commands to the render thread.
#include <halvo_app/Application/update_thread_state.h>

namespace hlv_app {

class update_thread {
public:
    explicit update_thread(update_thread_state* state) : m_state(state) {}

    void operator()();

private:
    update_thread_state* m_state;
};

}  // namespace hlv_app
