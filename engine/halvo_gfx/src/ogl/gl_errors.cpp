#include "ogl/gl_errors.h"

namespace hlv_gfx::ogl {

void DiscardPendingGlErrors()
{
    // Bounded: without a current context glGetError may keep answering.
    for (int i = 0; i < 32 && glGetError() != GL_NO_ERROR; ++i) {
    }
}

}  // namespace hlv_gfx::ogl
