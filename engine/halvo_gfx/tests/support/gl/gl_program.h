#pragma once
// Raw-GL program building for tests that check the back end against GL
// itself. Needs a current context.
#include <GL/glew.h>

#include <string>

namespace hlv_gl_test {

// The text of a file, or an empty string when it cannot be read.
std::string ReadFileText(const std::string& path);

// Compiles and links a vertex and a fragment shader from source text. Returns
// the program, or 0 with the compile or link log in log.
GLuint BuildProgram(const std::string& vertexSource, const std::string& fragmentSource, std::string& log);
// The same from two files.
GLuint BuildProgramFromFiles(const std::string& vertexPath, const std::string& fragmentPath, std::string& log);

}  // namespace hlv_gl_test
