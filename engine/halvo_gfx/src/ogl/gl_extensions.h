#pragma once
// What the driver offers: single extensions, and the features the renderer
// cannot do without.
#include <GL/glew.h>

#include <string>
#include <vector>

namespace hlv_gfx::ogl {

// True when the current context lists the extension (e.g.
// "GL_ARB_geometry_shader4"). Asks the driver's own list: GLEW's flags are
// also set when glewExperimental found entry points for an extension the
// driver does not offer (Mesa resolves every name to a stub).
bool HasGlExtension(const char* name);

// With a context current and GLEW initialised on it: one line per feature
// the renderer uses that the context lacks, naming the context's version and
// what would provide the feature, e.g. "OpenGL 1.4 Mesa 22.3.6 lacks vertex
// array objects (GL_ARB_vertex_array_object)". Empty when it has them all.
// The renderer calls these features' entry points through GLEW without
// looking first, and GLEW leaves the entry points of a missing feature null.
// May leave GL errors pending (an old context refuses the newer queries).
std::vector<std::string> MissingGlFeatures();

}  // namespace hlv_gfx::ogl
