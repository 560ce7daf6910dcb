#pragma once
// Whether the driver offers an OpenGL extension.
#include <GL/glew.h>

namespace hlv_gfx::ogl {

// True when the current context lists the extension (e.g.
// "GL_ARB_geometry_shader4"). Asks the driver's own list: GLEW's flags are
// also set when glewExperimental found entry points for an extension the
// driver does not offer (Mesa resolves every name to a stub).
bool HasGlExtension(const char* name);

}  // namespace hlv_gfx::ogl
