#pragma once
// The one OpenGL context of a GL test program: a compatibility-profile
// context on an offscreen surface of the xcb platform with GLX, current on
// the thread that created it, with GLEW initialised and the GL errors left
// over from its creation drained.
//
// Free of GL and Qt headers, so tests include it beside GL/glew.h.
#include <string>

namespace hlv_gl_test {

struct GL_CONTEXT_INFO {
    std::string version;      // GL_VERSION
    std::string renderer;     // GL_RENDERER
    std::string glslVersion;  // GL_SHADING_LANGUAGE_VERSION
};

// Creates the context on the first call (with the Qt application it needs)
// and makes it current on the calling thread. Returns an empty string on
// success, else what failed. The context lives until the program ends.
std::string EnsureGlContext();

// What the current context reports; empty strings before EnsureGlContext.
GL_CONTEXT_INFO GetGlContextInfo();

}  // namespace hlv_gl_test
