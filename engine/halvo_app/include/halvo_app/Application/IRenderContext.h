#pragma once
// The graphics context the render thread draws into. Every operation is
// called by the render thread only and returns 0 on success.
#include <cstdint>

namespace hlv_app {

class IRenderContext {
public:
    virtual ~IRenderContext() = default;

    // Makes the context current on the calling thread.
    virtual std::uint32_t MakeCurrent() = 0;
    // Releases the context from the calling thread.
    virtual std::uint32_t DoneCurrent() = 0;
    virtual std::uint32_t SwapBuffers() = 0;
    // Fills the colour buffer with the colour shown while rendering is halted.
    virtual std::uint32_t Clear() = 0;
};

}  // namespace hlv_app
