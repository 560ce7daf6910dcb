#include "gl/gl_queries.h"

namespace hlv_gl_test {

std::vector<GLenum> DrainGlErrors()
{
    std::vector<GLenum> errors;
    // A lost context keeps answering; the bound stops the loop.
    for (int i = 0; i < 64; ++i) {
        const GLenum error = glGetError();
        if (error == GL_NO_ERROR) break;
        errors.push_back(error);
    }
    return errors;
}

GLint GetInteger(GLenum name)
{
    GLint value = 0;
    glGetIntegerv(name, &value);
    return value;
}

std::vector<GLint> GetIntegers(GLenum name, std::size_t count)
{
    std::vector<GLint> values(count < 16 ? 16 : count, 0);
    glGetIntegerv(name, values.data());
    values.resize(count);
    return values;
}

std::vector<GLfloat> GetFloats(GLenum name, std::size_t count)
{
    std::vector<GLfloat> values(count < 16 ? 16 : count, 0.0f);
    glGetFloatv(name, values.data());
    values.resize(count);
    return values;
}

bool IsEnabled(GLenum capability) { return glIsEnabled(capability) == GL_TRUE; }

std::vector<std::uint8_t> ReadPixels(GLint x, GLint y, GLsizei width, GLsizei height)
{
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 4);
    const GLint alignment = GetInteger(GL_PACK_ALIGNMENT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glPixelStorei(GL_PACK_ALIGNMENT, alignment);
    return pixels;
}

Rgba8 ReadPixel(GLint x, GLint y)
{
    const auto pixels = ReadPixels(x, y, 1, 1);
    return {pixels[0], pixels[1], pixels[2], pixels[3]};
}

RgbaF ReadPixelFloat(GLint x, GLint y)
{
    RgbaF pixel{};
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_FLOAT, pixel.data());
    return pixel;
}

namespace {

GLenum BindingOf(GLenum target)
{
    switch (target) {
    case GL_TEXTURE_1D: return GL_TEXTURE_BINDING_1D;
    case GL_TEXTURE_3D: return GL_TEXTURE_BINDING_3D;
    case GL_TEXTURE_CUBE_MAP:
    case GL_TEXTURE_CUBE_MAP_POSITIVE_X:
    case GL_TEXTURE_CUBE_MAP_NEGATIVE_X:
    case GL_TEXTURE_CUBE_MAP_POSITIVE_Y:
    case GL_TEXTURE_CUBE_MAP_NEGATIVE_Y:
    case GL_TEXTURE_CUBE_MAP_POSITIVE_Z:
    case GL_TEXTURE_CUBE_MAP_NEGATIVE_Z: return GL_TEXTURE_BINDING_CUBE_MAP;
    case GL_TEXTURE_BUFFER: return GL_TEXTURE_BINDING_BUFFER;
    default: return GL_TEXTURE_BINDING_2D;
    }
}

GLenum BindTargetOf(GLenum target)
{
    return BindingOf(target) == GL_TEXTURE_BINDING_CUBE_MAP ? GL_TEXTURE_CUBE_MAP : target;
}

// Runs read with the texture bound to target, then rebinds what was bound.
template <typename Read>
auto WithTexture(GLenum target, GLuint texture, Read read)
{
    const GLint previous = GetInteger(BindingOf(target));
    glBindTexture(BindTargetOf(target), texture);
    auto result = read();
    glBindTexture(BindTargetOf(target), static_cast<GLuint>(previous));
    return result;
}

template <typename T>
std::vector<T> ReadTexture(GLenum target, GLuint texture, GLenum type)
{
    return WithTexture(target, texture, [&] {
        GLint width = 0, height = 0;
        glGetTexLevelParameteriv(target, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(target, 0, GL_TEXTURE_HEIGHT, &height);
        std::vector<T> texels(static_cast<std::size_t>(width) * (height > 0 ? height : 1) * 4);
        if (!texels.empty()) {
            const GLint alignment = GetInteger(GL_PACK_ALIGNMENT);
            glPixelStorei(GL_PACK_ALIGNMENT, 1);
            glGetTexImage(target, 0, GL_RGBA, type, texels.data());
            glPixelStorei(GL_PACK_ALIGNMENT, alignment);
        }
        return texels;
    });
}

}  // namespace

std::vector<std::uint8_t> ReadTextureRgba8(GLenum target, GLuint texture)
{
    return ReadTexture<std::uint8_t>(target, texture, GL_UNSIGNED_BYTE);
}

std::vector<float> ReadTextureRgbaF(GLenum target, GLuint texture)
{
    return ReadTexture<float>(target, texture, GL_FLOAT);
}

GLint GetTextureLevelParameter(GLenum target, GLuint texture, GLenum name)
{
    return WithTexture(target, texture, [&] {
        GLint value = 0;
        glGetTexLevelParameteriv(target, 0, name, &value);
        return value;
    });
}

CTestFramebuffer::CTestFramebuffer(GLsizei width, GLsizei height)
{
    m_previousFramebuffer = GetInteger(GL_FRAMEBUFFER_BINDING);
    glGetIntegerv(GL_VIEWPORT, m_previousViewport.data());
    const GLint previousTexture = GetInteger(GL_TEXTURE_BINDING_2D);

    glGenTextures(1, &m_color);
    glBindTexture(GL_TEXTURE_2D, m_color);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(previousTexture));

    glGenRenderbuffers(1, &m_depth);
    glBindRenderbuffer(GL_RENDERBUFFER, m_depth);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);

    glGenFramebuffers(1, &m_framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, m_framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, m_color, 0);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, m_depth);
    glDrawBuffer(GL_COLOR_ATTACHMENT0);
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    m_complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glViewport(0, 0, width, height);
}

CTestFramebuffer::~CTestFramebuffer()
{
    glBindFramebuffer(GL_FRAMEBUFFER, static_cast<GLuint>(m_previousFramebuffer));
    glViewport(m_previousViewport[0], m_previousViewport[1], m_previousViewport[2], m_previousViewport[3]);
    glDeleteFramebuffers(1, &m_framebuffer);
    glDeleteRenderbuffers(1, &m_depth);
    glDeleteTextures(1, &m_color);
}

}  // namespace hlv_gl_test
