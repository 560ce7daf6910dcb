#pragma once
// State queries and pixel read-back for GL tests. Needs a current context
// (EnsureGlContext). Includes GL/glew.h: include it before any other GL header.
#include <GL/glew.h>

#include <array>
#include <cstdint>
#include <vector>

namespace hlv_gl_test {

// Reads glGetError until it reports no error; returns the codes read, oldest
// first.
std::vector<GLenum> DrainGlErrors();

GLint GetInteger(GLenum name);
std::vector<GLint> GetIntegers(GLenum name, std::size_t count);
std::vector<GLfloat> GetFloats(GLenum name, std::size_t count);
bool IsEnabled(GLenum capability);

using Rgba8 = std::array<std::uint8_t, 4>;
using RgbaF = std::array<float, 4>;

// Pixels of the read framebuffer's read buffer, rows bottom to top, RGBA.
std::vector<std::uint8_t> ReadPixels(GLint x, GLint y, GLsizei width, GLsizei height);
Rgba8 ReadPixel(GLint x, GLint y);
RgbaF ReadPixelFloat(GLint x, GLint y);

// Level 0 of a texture bound to target on the active unit (restored
// afterwards), as RGBA bytes or floats; empty when the texture has no image.
std::vector<std::uint8_t> ReadTextureRgba8(GLenum target, GLuint texture);
std::vector<float> ReadTextureRgbaF(GLenum target, GLuint texture);
// Level-0 parameter of a texture (GL_TEXTURE_WIDTH, GL_TEXTURE_INTERNAL_FORMAT, ...).
GLint GetTextureLevelParameter(GLenum target, GLuint texture, GLenum name);

// A framebuffer object with an RGBA8 colour texture and a 24-bit depth
// renderbuffer, bound for drawing and reading while it lives, with the
// viewport covering it. The previous framebuffer binding and viewport come
// back when it goes.
class CTestFramebuffer {
public:
    CTestFramebuffer(GLsizei width, GLsizei height);
    ~CTestFramebuffer();
    CTestFramebuffer(const CTestFramebuffer&) = delete;
    CTestFramebuffer& operator=(const CTestFramebuffer&) = delete;

    bool IsComplete() const { return m_complete; }
    GLuint Name() const { return m_framebuffer; }
    GLuint ColorTexture() const { return m_color; }

private:
    GLuint m_framebuffer = 0;
    GLuint m_color = 0;
    GLuint m_depth = 0;
    GLint m_previousFramebuffer = 0;
    std::array<GLint, 4> m_previousViewport{};
    bool m_complete = false;
};

}  // namespace hlv_gl_test
