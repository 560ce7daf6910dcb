#pragma once
// The GL error check of the OpenGL renderer's operations: one glGetError,
// and a report to the renderer's listeners when it holds an error.
#include <GL/glew.h>

#include <halvo_gfx/ogl/ogl_renderer.h>

namespace hlv_gfx::ogl {

// True (after the report under message) when GL holds an error.
inline bool GlFailed(const COglRenderer& renderer, const char* message)
{
    const GLenum error = glGetError();
    if (error == GL_NO_ERROR) return false;
    renderer.ReportGlError(message, error);
    return true;
}

}  // namespace hlv_gfx::ogl
