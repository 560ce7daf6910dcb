#pragma once
// What the update thread shares with the application.
#include <atomic>
#include <memory>
#include <mutex>

#include <halvo_app/Application/CApplicationContext.h>

namespace hlv_app {

struct update_thread_state {
    explicit update_thread_state(std::unique_ptr<CApplicationContext> applicationContext);

    // Set by StopThreads (or by a render thread that cannot start).
    void RequestStop() { stop.store(true); }
    // The update thread's loop has ended.
    void MarkFinished();
    bool IsFinished() const;

    // Front ends, scene graph and application; owned.
    std::unique_ptr<CApplicationContext> context;
    std::atomic<bool> stop{false};

private:
    bool m_finished = false;
    mutable std::mutex m_mutex;
};

}  // namespace hlv_app
