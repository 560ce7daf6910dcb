// Function tables of the OpenGL mapping: adapters that give every entry point
// of a table one call shape. Each adapter calls its GL entry point when it
// runs, after glewInit has filled the pointers.
#include "ogl/gl_tables.h"

#include <algorithm>
#include <cstring>

namespace hlv_gfx::ogl {
namespace {

template <typename T>
T ReadValue(const void* bytes)
{
    T value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

void VertexPointer(GLint components, GLenum type, GLsizei stride, const void* pointer)
{
    glVertexPointer(components, type, stride, pointer);
}

void NormalPointer(GLint, GLenum type, GLsizei stride, const void* pointer) { glNormalPointer(type, stride, pointer); }

void ColorPointer(GLint components, GLenum type, GLsizei stride, const void* pointer)
{
    glColorPointer(components, type, stride, pointer);
}

void SecondaryColorPointer(GLint components, GLenum type, GLsizei stride, const void* pointer)
{
    glSecondaryColorPointer(components, type, stride, pointer);
}

void TexCoordPointer(GLint components, GLenum type, GLsizei stride, const void* pointer)
{
    glTexCoordPointer(components, type, stride, pointer);
}

// clang-format off
constexpr CMappingTable<VertexPointerFunction, 8> VERTEX_POINTER{{
    nullptr, VertexPointer, NormalPointer, nullptr, nullptr, ColorPointer, SecondaryColorPointer,
    TexCoordPointer}};
// clang-format on
static_assert(VERTEX_POINTER.size() == CLIENT_ARRAY_STATE.size());

void Uniform1f(GLint location, const void* value) { glUniform1f(location, ReadValue<GLfloat>(value)); }
void Uniform2fv(GLint location, const void* value) { glUniform2fv(location, 1, static_cast<const GLfloat*>(value)); }
void Uniform3fv(GLint location, const void* value) { glUniform3fv(location, 1, static_cast<const GLfloat*>(value)); }
void Uniform4fv(GLint location, const void* value) { glUniform4fv(location, 1, static_cast<const GLfloat*>(value)); }
void Uniform1iv(GLint location, const void* value) { glUniform1iv(location, 1, static_cast<const GLint*>(value)); }
void Uniform2iv(GLint location, const void* value) { glUniform2iv(location, 1, static_cast<const GLint*>(value)); }
void Uniform3iv(GLint location, const void* value) { glUniform3iv(location, 1, static_cast<const GLint*>(value)); }
void Uniform4iv(GLint location, const void* value) { glUniform4iv(location, 1, static_cast<const GLint*>(value)); }

void UniformMatrix2fv(GLint location, const void* value)
{
    glUniformMatrix2fv(location, 1, GL_TRUE, static_cast<const GLfloat*>(value));
}

void UniformMatrix3fv(GLint location, const void* value)
{
    glUniformMatrix3fv(location, 1, GL_TRUE, static_cast<const GLfloat*>(value));
}

void UniformMatrix4fv(GLint location, const void* value)
{
    glUniformMatrix4fv(location, 1, GL_TRUE, static_cast<const GLfloat*>(value));
}

// A sampler's 8 bytes hold its texture unit.
void UniformSampler(GLint location, const void* value)
{
    glUniform1i(location, static_cast<GLint>(ReadValue<std::uint64_t>(value)));
}

// clang-format off
constexpr CMappingTable<UniformSetter, 23> UNIFORM_SETTER{{
    nullptr,                                                        // undefined
    Uniform1f, Uniform2fv, Uniform3fv, Uniform4fv,                  // float, vec2-4
    Uniform1iv, Uniform2iv, Uniform3iv, Uniform4iv,                 // int, ivec2-4
    nullptr, nullptr, nullptr, nullptr,                             // bool, bvec2-4
    UniformMatrix2fv, UniformMatrix3fv, UniformMatrix4fv,           // mat2-4
    UniformSampler, UniformSampler, UniformSampler, UniformSampler, // 1D, 2D, 3D, cube
    UniformSampler, UniformSampler, UniformSampler}};               // 1D/2D shadow, buffer
// clang-format on
static_assert(UNIFORM_SETTER.size() == SHADER_VARIABLE_TYPE_COUNT);

}  // namespace

std::uint32_t GetVertexPointerFunction(std::uint32_t semantic, VertexPointerFunction& out)
{
    return VERTEX_POINTER.Get(semantic, out);
}

std::uint32_t GetUniformSetter(std::uint32_t type, UniformSetter& out) { return UNIFORM_SETTER.Get(type, out); }

bool TexImageByType(std::uint32_t textureType, GLenum target, GLint internalFormat, GLsizei width, GLsizei height,
                    GLint border, GLenum pixelFormat, GLenum dataType, const void* pixels)
{
    switch (textureType) {
    case TT_TEXTURE_1D:
        glTexImage1D(target, 0, internalFormat, width, border, pixelFormat, dataType, pixels);
        return true;
    case TT_TEXTURE_2D:
        glTexImage2D(target, 0, internalFormat, width, height, border, pixelFormat, dataType, pixels);
        return true;
    case TT_TEXTURE_3D:
        glTexImage3D(target, 0, internalFormat, width, height, 0, border, pixelFormat, dataType, pixels);
        return true;
    default: return false;
    }
}

std::uint32_t ShaderVariableTypeOfUniform(GLenum uniformType)
{
    // Entry 0 (no type) never matches a type a program reports.
    const auto& types = UNIFORM_TYPE.entries;
    const auto found = std::find(types.begin() + 1, types.end(), uniformType);
    return found == types.end() ? static_cast<std::uint32_t>(SVT_UNDEFINED)
                                : static_cast<std::uint32_t>(found - types.begin());
}

}  // namespace hlv_gfx::ogl
