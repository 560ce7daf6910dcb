#pragma once
// Tables of the OpenGL renderer's texture loading: wrap coordinates and
// modes, filters, cube faces and texture-buffer formats.
#include "ogl/gl_tables.h"

#include <halvo_gfx/gfx_types.h>

namespace hlv_gfx::ogl {

// Wrap coordinates set by TEXTURE_TYPE (a cube map wraps s and t).
inline constexpr CMappingTable<std::uint32_t, 5> WRAP_COORDINATES{{0, 1, 2, 3, 2}};
static_assert(WRAP_COORDINATES.size() == TEXTURE_TYPE_COUNT);

// Wrap parameter by coordinate s, t, r.
inline constexpr CEnumTable<3> WRAP_PARAMETER{{GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T, GL_TEXTURE_WRAP_R}};

// Wrap mode by a texture's wrap value.
inline constexpr CEnumTable<4> WRAP_MODE{{GL_CLAMP, GL_REPEAT, GL_CLAMP_TO_BORDER, GL_CLAMP_TO_EDGE}};

// Filter by a texture's filter value (magnification and minification).
inline constexpr CEnumTable<2> FILTER{{GL_NEAREST, GL_LINEAR}};

// Cube faces in CUBE_FACE order, which is also the upload order.
// clang-format off
inline constexpr CEnumTable<6> CUBE_FACE_TARGET{{
    GL_TEXTURE_CUBE_MAP_POSITIVE_X, GL_TEXTURE_CUBE_MAP_NEGATIVE_X, GL_TEXTURE_CUBE_MAP_POSITIVE_Y,
    GL_TEXTURE_CUBE_MAP_NEGATIVE_Y, GL_TEXTURE_CUBE_MAP_POSITIVE_Z, GL_TEXTURE_CUBE_MAP_NEGATIVE_Z}};
// clang-format on
static_assert(CUBE_FACE_TARGET.size() == CUBE_FACE_COUNT);

// Internal format of a texture buffer by TEXTURE_MEMORY_FORMAT; 0 where GL
// has no buffer-texture format of that kind.
// clang-format off
inline constexpr CEnumTable<21> TEXTURE_BUFFER_FORMAT{{
    0, GL_INTENSITY8, GL_INTENSITY16, 0, 0, 0, 0, 0, 0, 0, 0,  //
    GL_RGBA8, GL_RGBA16, GL_RGBA16F, GL_RGBA32F, GL_RGBA8I, GL_RGBA16I, GL_RGBA32I, GL_RGBA8UI, GL_RGBA16UI,
    GL_RGBA32UI}};
// clang-format on
static_assert(TEXTURE_BUFFER_FORMAT.size() == TEXTURE_MEMORY_FORMAT_COUNT);

}  // namespace hlv_gfx::ogl
