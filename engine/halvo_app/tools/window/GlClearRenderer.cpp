#include <GL/glew.h>

#include "GlClearRenderer.h"

#include <halvo_gfx/gfx_types.h>

namespace hlv_app_window {

std::uint32_t CGlClearRenderer::SetClearColor(float red, float green, float blue, float alpha)
{
    glClearColor(red, green, blue, alpha);
    return 0;
}

std::uint32_t CGlClearRenderer::Clear(std::uint32_t mask)
{
    GLbitfield bits = 0;
    if (mask & hlv_gfx::CLM_COLOR_BUFFER) bits |= GL_COLOR_BUFFER_BIT;
    if (mask & hlv_gfx::CLM_DEPTH_BUFFER) bits |= GL_DEPTH_BUFFER_BIT;
    if (mask & hlv_gfx::CLM_STENCIL_BUFFER) bits |= GL_STENCIL_BUFFER_BIT;
    glClear(bits);
    return 0;
}

}  // namespace hlv_app_window
