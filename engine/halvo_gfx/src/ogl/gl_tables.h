#pragma once
// Engine enumerations turned into OpenGL enumerants and entry points, shared
// by the OpenGL renderer and the OpenGL graphics system.
//
// Every table is indexed by the numeric engine value and read through a
// bounds-checked look-up: a value outside the table gives
// GFXR_INVALID_ARGUMENT and leaves the output untouched, so the caller makes
// no GL call with it. An entry of 0 (or a null function) means the value has
// no OpenGL counterpart.
//
// Function tables hold adapters of our own, which call the GLEW entry point
// when they run; nothing here reads a GLEW pointer before glewInit.
#include <GL/glew.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include <halvo_core/property/PropertyTypes.h>
#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/gfx_types.h>

namespace hlv_gfx::ogl {

template <typename T, std::size_t N>
struct CMappingTable {
    std::array<T, N> entries;

    static constexpr std::size_t size() { return N; }

    // GFXR_OK with the entry of value, or GFXR_INVALID_ARGUMENT and out unchanged.
    std::uint32_t Get(std::uint64_t value, T& out) const
    {
        if (value >= N) return GFXR_INVALID_ARGUMENT;
        out = entries[static_cast<std::size_t>(value)];
        return GFXR_OK;
    }

    constexpr std::optional<T> Find(std::uint64_t value) const
    {
        if (value >= N) return std::nullopt;
        return entries[static_cast<std::size_t>(value)];
    }
};

template <std::size_t N>
using CEnumTable = CMappingTable<GLenum, N>;

// Buffer usage by MEMORY_HINT.
// clang-format off
inline constexpr CEnumTable<10> BUFFER_USAGE{{
    0, GL_STREAM_DRAW, GL_STREAM_READ, GL_STREAM_COPY, GL_STATIC_DRAW, GL_STATIC_READ, GL_STATIC_COPY,
    GL_DYNAMIC_DRAW, GL_DYNAMIC_READ, GL_DYNAMIC_COPY}};
static_assert(BUFFER_USAGE.size() == MEMORY_HINT_COUNT);

// Client-array state by VERTEX_BUFFER_LAYOUT_SEMANTIC, VBL_UNKNOWN to
// VBL_TEXCOOD0 (the further texture coordinates have no entry).
inline constexpr CEnumTable<8> CLIENT_ARRAY_STATE{{
    0, GL_VERTEX_ARRAY, GL_NORMAL_ARRAY, 0, 0, GL_COLOR_ARRAY, GL_SECONDARY_COLOR_ARRAY, GL_TEXTURE_COORD_ARRAY}};
static_assert(CLIENT_ARRAY_STATE.size() == VBL_TEXCOOD0 + 1);

// Array-pointer call of a semantic, always (component count, data type,
// stride, pointer); the normal adapter drops the count. Same index as
// CLIENT_ARRAY_STATE; null where the semantic has no array.
using VertexPointerFunction = void (*)(GLint components, GLenum type, GLsizei stride, const void* pointer);
std::uint32_t GetVertexPointerFunction(std::uint32_t semantic, VertexPointerFunction& out);

// GL data type by VALUE_TYPE.
inline constexpr CEnumTable<10> DATA_TYPE{{
    0, GL_BYTE, GL_UNSIGNED_BYTE, GL_SHORT, GL_UNSIGNED_SHORT, GL_INT, GL_UNSIGNED_INT, GL_FLOAT, GL_DOUBLE,
    GL_BOOL}};
static_assert(DATA_TYPE.size() == hlv_core::VALUE_TYPE_COUNT);

// Primitive mode by PRIMITIVE_TYPE; PT_UNDEFINED draws points (0 is GL_POINTS).
inline constexpr CEnumTable<10> PRIMITIVE_MODE{{
    0, GL_POINTS, GL_POINT_SPRITE, GL_LINES, GL_LINE_STRIP, GL_LINE_LOOP, GL_TRIANGLES, GL_TRIANGLE_STRIP,
    GL_TRIANGLE_FAN, GL_PATCHES}};
static_assert(PRIMITIVE_MODE.size() == PRIMITIVE_TYPE_COUNT);

// Capability by RENDER_STATE (only culling, blending and depth test have one).
inline constexpr CEnumTable<8> CAPABILITY{{0, 0, GL_CULL_FACE, 0, 0, GL_BLEND, GL_DEPTH_TEST, 0}};
static_assert(CAPABILITY.size() == RENDER_STATE_COUNT);

// Face by face code: 0 front, 1 back, 2 both.
inline constexpr CEnumTable<3> FACE{{GL_FRONT, GL_BACK, GL_FRONT_AND_BACK}};

// Winding by front-face code: 0 clockwise, 1 counter-clockwise.
inline constexpr CEnumTable<2> WINDING{{GL_CW, GL_CCW}};

// Polygon mode by fill-mode code: 0 points, 1 lines, 2 fill.
inline constexpr CEnumTable<3> POLYGON_MODE{{GL_POINT, GL_LINE, GL_FILL}};

// Blend equation by blend-equation code.
inline constexpr CEnumTable<6> BLEND_EQUATION_MODE{{
    GL_FUNC_ADD, GL_FUNC_SUBTRACT, GL_FUNC_REVERSE_SUBTRACT, GL_MIN, GL_MAX, GL_LOGIC_OP}};

// Blend factor by blend-factor code; destination colour (4, 5) comes before
// source alpha (6, 7).
inline constexpr CEnumTable<15> BLEND_FACTOR_MODE{{
    GL_ZERO, GL_ONE, GL_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR, GL_DST_COLOR, GL_ONE_MINUS_DST_COLOR, GL_SRC_ALPHA,
    GL_ONE_MINUS_SRC_ALPHA, GL_DST_ALPHA, GL_ONE_MINUS_DST_ALPHA, GL_CONSTANT_COLOR,
    GL_ONE_MINUS_CONSTANT_COLOR, GL_CONSTANT_ALPHA, GL_ONE_MINUS_CONSTANT_ALPHA, GL_SRC_ALPHA_SATURATE}};

// Uniform upload by SHADER_VARIABLE_TYPE, from the variable's value bytes:
// one float by value, vectors and matrices through the array forms with
// count 1 (matrices transposed: the engine stores them row-major), samplers
// as the texture unit held in their 8 bytes. Null for SVT_UNDEFINED and the
// bool types, which are not uploaded.
using UniformSetter = void (*)(GLint location, const void* value);
std::uint32_t GetUniformSetter(std::uint32_t type, UniformSetter& out);

// Internal format by TEXTURE_FORMAT.
inline constexpr CEnumTable<52> INTERNAL_FORMAT{{
    0, GL_ALPHA, GL_ALPHA4, GL_ALPHA8, GL_ALPHA12, GL_ALPHA16, GL_COMPRESSED_ALPHA, GL_COMPRESSED_LUMINANCE,
    GL_COMPRESSED_LUMINANCE_ALPHA, GL_COMPRESSED_INTENSITY, GL_COMPRESSED_RGB, GL_COMPRESSED_RGBA,
    GL_DEPTH_COMPONENT, GL_DEPTH_COMPONENT16, GL_DEPTH_COMPONENT24, GL_DEPTH_COMPONENT32, GL_DEPTH24_STENCIL8,
    GL_LUMINANCE, GL_LUMINANCE4, GL_LUMINANCE8, GL_LUMINANCE12, GL_LUMINANCE16, GL_INTENSITY, GL_INTENSITY4,
    GL_INTENSITY8, GL_INTENSITY12, GL_INTENSITY16, GL_RGB, GL_RGB4, GL_RGB5, GL_RGB8, GL_RGB10, GL_RGB12,
    GL_RGB16, GL_RGBA, GL_RGBA2, GL_RGBA4, GL_RGBA8, GL_RGBA12, GL_RGBA16, GL_RGBA32F_ARB, GL_RGB32F_ARB,
    GL_ALPHA32F_ARB, GL_INTENSITY32F_ARB, GL_LUMINANCE32F_ARB, GL_LUMINANCE_ALPHA32F_ARB, GL_RGBA16F_ARB,
    GL_RGB16F_ARB, GL_ALPHA16F_ARB, GL_INTENSITY16F_ARB, GL_LUMINANCE16F_ARB, GL_LUMINANCE_ALPHA16F_ARB}};
static_assert(INTERNAL_FORMAT.size() == TEXTURE_FORMAT_COUNT);

// Texture target by TEXTURE_TYPE.
inline constexpr CEnumTable<5> TEXTURE_TARGET{{
    0, GL_TEXTURE_1D, GL_TEXTURE_2D, GL_TEXTURE_3D, GL_TEXTURE_CUBE_MAP}};
static_assert(TEXTURE_TARGET.size() == TEXTURE_TYPE_COUNT);

// Texture-image call by TEXTURE_TYPE, level 0 and depth 0: the 1D, 2D or 3D
// image call with the arguments it takes. False, with no GL call, for
// TT_UNDEFINED, TT_TEXTURE_CUBE (faces are uploaded one by one) and values
// outside the enumeration.
bool TexImageByType(std::uint32_t textureType, GLenum target, GLint internalFormat, GLsizei width,
                    GLsizei height, GLint border, GLenum pixelFormat, GLenum dataType, const void* pixels);

// Pixel format by COLOR_TYPE.
inline constexpr CEnumTable<7> PIXEL_FORMAT{{0, GL_RGB, GL_RGBA, GL_INTENSITY, GL_LUMINANCE, GL_BGR, GL_BGRA}};
static_assert(PIXEL_FORMAT.size() == COLOR_TYPE_COUNT);

// Colour attachment by attachment number 0 to 15; numbers 16 and 17 have no
// attachment (0, GL_NONE as a draw buffer). A USED_BUFFER_MASK value v from 1
// to 17 reads entry v - 1.
inline constexpr CEnumTable<18> COLOR_ATTACHMENT{{
    GL_COLOR_ATTACHMENT0, GL_COLOR_ATTACHMENT1, GL_COLOR_ATTACHMENT2, GL_COLOR_ATTACHMENT3,
    GL_COLOR_ATTACHMENT4, GL_COLOR_ATTACHMENT5, GL_COLOR_ATTACHMENT6, GL_COLOR_ATTACHMENT7,
    GL_COLOR_ATTACHMENT8, GL_COLOR_ATTACHMENT9, GL_COLOR_ATTACHMENT10, GL_COLOR_ATTACHMENT11,
    GL_COLOR_ATTACHMENT12, GL_COLOR_ATTACHMENT13, GL_COLOR_ATTACHMENT14, GL_COLOR_ATTACHMENT15, 0, 0}};

// The colour attachment of an attachment number: the table's entry below 17,
// the first colour attachment for any larger number.
constexpr GLenum ColorAttachmentOf(std::uint64_t number)
{
    return number < 17 ? COLOR_ATTACHMENT.entries[static_cast<std::size_t>(number)]
                       : GLenum{GL_COLOR_ATTACHMENT0};
}

// Access mode by ACCESS_TYPE.
inline constexpr CEnumTable<4> ACCESS_MODE{{0, GL_READ_ONLY, GL_WRITE_ONLY, GL_READ_WRITE}};
static_assert(ACCESS_MODE.size() == ACCESS_TYPE_COUNT);

// Matrix stack by MATRIX_MODE.
inline constexpr CEnumTable<4> MATRIX_STACK{{0, GL_MODELVIEW, GL_PROJECTION, GL_TEXTURE}};
static_assert(MATRIX_STACK.size() == MATRIX_MODE_COUNT);

// Shader tables.

// The uniform type a linked program reports, by SHADER_VARIABLE_TYPE.
inline constexpr CEnumTable<23> UNIFORM_TYPE{{
    0, GL_FLOAT, GL_FLOAT_VEC2, GL_FLOAT_VEC3, GL_FLOAT_VEC4, GL_INT, GL_INT_VEC2, GL_INT_VEC3, GL_INT_VEC4,
    GL_BOOL, GL_BOOL_VEC2, GL_BOOL_VEC3, GL_BOOL_VEC4, GL_FLOAT_MAT2, GL_FLOAT_MAT3, GL_FLOAT_MAT4,
    GL_SAMPLER_1D, GL_SAMPLER_2D, GL_SAMPLER_3D, GL_SAMPLER_CUBE, GL_SAMPLER_1D_SHADOW, GL_SAMPLER_2D_SHADOW,
    GL_SAMPLER_BUFFER}};
static_assert(UNIFORM_TYPE.size() == SHADER_VARIABLE_TYPE_COUNT);

// The SHADER_VARIABLE_TYPE of a uniform type (read backwards from
// UNIFORM_TYPE); SVT_UNDEFINED for a type the engine does not map.
std::uint32_t ShaderVariableTypeOfUniform(GLenum uniformType);

// Geometry-shader input primitive by SHADER_INPUT_TYPE.
inline constexpr CEnumTable<6> GEOMETRY_INPUT{{
    0, GL_POINTS, GL_LINES, GL_LINES_ADJACENCY, GL_TRIANGLES, GL_TRIANGLES_ADJACENCY}};
// clang-format on
static_assert(GEOMETRY_INPUT.size() == SHADER_INPUT_TYPE_COUNT);

// Geometry-shader output primitive by SHADER_OUTPUT_TYPE.
inline constexpr CEnumTable<4> GEOMETRY_OUTPUT{{0, GL_POINTS, GL_LINE_STRIP, GL_TRIANGLE_STRIP}};
static_assert(GEOMETRY_OUTPUT.size() == SHADER_OUTPUT_TYPE_COUNT);

}  // namespace hlv_gfx::ogl
