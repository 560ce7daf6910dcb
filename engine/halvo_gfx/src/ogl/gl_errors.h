#pragma once
// Reading OpenGL errors in the graphics system.
#include <GL/glew.h>

namespace hlv_gfx::ogl {

// Reads and drops the errors that earlier calls (context creation, another
// component) left pending, so that the check after a call sees only that
// call's error. Some drivers keep one error flag and drop later errors until
// it is read, so a stale error would otherwise also hide the new one.
void DiscardPendingGlErrors();

}  // namespace hlv_gfx::ogl
