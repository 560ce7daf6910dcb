#pragma once
// Stand-in for the OpenGL renderer until it is available: clears with GL,
// records every other call.
#include <cstdint>

#include <recording_renderer.h>

namespace hlv_app_window {

class CGlClearRenderer : public hlv_gfx_test::CRecordingRenderer {
public:
    CGlClearRenderer() : CRecordingRenderer("GL clear renderer") {}

    std::uint32_t SetClearColor(float red, float green, float blue, float alpha) override;
    std::uint32_t Clear(std::uint32_t mask) override;
};

}  // namespace hlv_app_window
