#include "gl/gl_program.h"

#include <fstream>
#include <sstream>
#include <vector>

namespace hlv_gl_test {
namespace {

std::string ShaderLog(GLuint shader)
{
    GLint length = 0;
    glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
    std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
    if (length > 0) glGetShaderInfoLog(shader, length, nullptr, text.data());
    return text.data();
}

GLuint CompileShader(GLenum type, const std::string& source, std::string& log)
{
    const GLuint shader = glCreateShader(type);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_TRUE) {
        log = ShaderLog(shader);
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

}  // namespace

std::string ReadFileText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

GLuint BuildProgram(const std::string& vertexSource, const std::string& fragmentSource, std::string& log)
{
    log.clear();
    const GLuint vertex = CompileShader(GL_VERTEX_SHADER, vertexSource, log);
    if (!vertex) return 0;
    const GLuint fragment = CompileShader(GL_FRAGMENT_SHADER, fragmentSource, log);
    if (!fragment) {
        glDeleteShader(vertex);
        return 0;
    }
    GLuint program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glLinkProgram(program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        GLint length = 0;
        glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
        std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
        if (length > 0) glGetProgramInfoLog(program, length, nullptr, text.data());
        log = text.data();
        glDeleteProgram(program);
        program = 0;
    }
    return program;
}

GLuint BuildProgramFromFiles(const std::string& vertexPath, const std::string& fragmentPath, std::string& log)
{
    const std::string vertex = ReadFileText(vertexPath);
    const std::string fragment = ReadFileText(fragmentPath);
    if (vertex.empty() || fragment.empty()) {
        log = "cannot read " + (vertex.empty() ? vertexPath : fragmentPath);
        return 0;
    }
    return BuildProgram(vertex, fragment, log);
}

}  // namespace hlv_gl_test
