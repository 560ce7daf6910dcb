#pragma once
// The few GL calls of the Qt glue, kept in one source that includes GLEW and
// no Qt header (GLEW must come before any other GL header). All of them act
// on the context current on the calling thread.
#include <string>

namespace hlv_app::gl {

// Empty on success, else GLEW's error text.
std::string InitialiseGlew();
// GL_VERSION and GL_RENDERER of the current context, for the start-up line.
std::string VersionText();
// Reads and drops every pending GL error.
void DrainErrors();
// Fills the colour buffer with the colour shown while rendering is halted.
void ClearWithHaltColour();

}  // namespace hlv_app::gl
