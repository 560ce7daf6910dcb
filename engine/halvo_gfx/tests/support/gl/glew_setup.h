#pragma once
// GLEW side of the GL test context (no GL or Qt headers in this header).
#include <string>

namespace hlv_gl_test {

// With a context current: glewInit with every entry point the driver offers,
// then drains the GL errors that context creation and glewInit left behind.
// Empty on success, else GLEW's error text.
std::string InitialiseGlew();

}  // namespace hlv_gl_test
