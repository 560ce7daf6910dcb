#include <GL/glew.h>

#include "gl/glew_setup.h"

#include "gl/gl_context.h"
#include "gl/gl_queries.h"

namespace hlv_gl_test {

std::string InitialiseGlew()
{
    // Without it GLEW skips entry points of extensions the driver does not
    // list by name.
    glewExperimental = GL_TRUE;
    const GLenum result = glewInit();
    if (result != GLEW_OK) {
        return std::string("glewInit failed: ") + reinterpret_cast<const char*>(glewGetErrorString(result));
    }
    DrainGlErrors();
    return {};
}

GL_CONTEXT_INFO GetGlContextInfo()
{
    auto text = [](GLenum name) {
        const GLubyte* s = glGetString(name);
        return s ? std::string(reinterpret_cast<const char*>(s)) : std::string();
    };
    return {text(GL_VERSION), text(GL_RENDERER), text(GL_SHADING_LANGUAGE_VERSION)};
}

}  // namespace hlv_gl_test
