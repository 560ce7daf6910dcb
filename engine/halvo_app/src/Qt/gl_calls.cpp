#include <GL/glew.h>

#include "gl_calls.h"

namespace hlv_app::gl {

namespace {
std::string Text(GLenum name)
{
    const GLubyte* text = glGetString(name);
    return text ? reinterpret_cast<const char*>(text) : "";
}
}  // namespace

std::string InitialiseGlew()
{
    const GLenum err = glewInit();
    if (err != GLEW_OK) return reinterpret_cast<const char*>(glewGetErrorString(err));
    // glewInit itself may leave an error behind on some drivers.
    DrainErrors();
    return {};
}

std::string VersionText() { return Text(GL_VERSION) + " (" + Text(GL_RENDERER) + ")"; }

void DrainErrors()
{
    for (int i = 0; i < 32 && glGetError() != GL_NO_ERROR; ++i) {
    }
}

void ClearWithHaltColour()
{
    glClearColor(0.861f, 0.23454f, 0.521238f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

}  // namespace hlv_app::gl
