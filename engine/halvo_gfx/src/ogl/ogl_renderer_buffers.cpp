// Buffer transfers of the OpenGL renderer: full upload, partial update and
// mapping of vertex, index and texture buffers.
//
// The three kinds differ only in their GL target, where their API object
// and contents live, the size of one element and their messages; BufferKind
// says that for each, and one template per operation does the rest. A texture
// buffer's contents are reached under its own lock (AccessData), never past
// it.
#include "ogl/gl_tables.h"
#include "ogl/ogl_error_check.h"

#include <halvo_gfx/ogl/ogl_renderer.h>

#include <limits>

#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/index_buffer.h>
#include <halvo_gfx/ogl/api_objects.h>
#include <halvo_gfx/texture_buffer.h>
#include <halvo_gfx/value_sizes.h>
#include <halvo_gfx/vertex_buffer.h>

namespace hlv_gfx {

namespace {

struct MAP_MESSAGES {
    const char* mapBind;
    const char* map;
    const char* unmapBind;
    const char* unmap;
};

constexpr MAP_MESSAGES kBufferMapMessages{
    "COglRenderer::MapBuffer: Bind failed.", "COglRenderer::MapBuffer: Buffer mapping failed.",
    "COglRenderer::MapBuffer: Bind failed.", "COglRenderer::MapBuffer: Buffer unmapping failed."};

template <typename Buffer>
struct BufferKind;

template <>
struct BufferKind<CVertexBuffer> {
    static constexpr GLenum kTarget = GL_ARRAY_BUFFER;
    static constexpr const MAP_MESSAGES& kMessages = kBufferMapMessages;
    static oglCBuffer_ApiSpecific* Api(const CVertexBuffer& b)
    {
        return OglApiObject<oglCBuffer_ApiSpecific>(b.apiObject);
    }
    static std::uint64_t ElementSize(const CVertexBuffer& b) { return b.GetVertexBufferLayout()->GetStride(); }
    template <typename F>
    static decltype(auto) WithData(CVertexBuffer& b, F&& f)
    {
        return f(static_cast<CBuffer&>(b));
    }
};

template <>
struct BufferKind<CIndexBuffer> {
    static constexpr GLenum kTarget = GL_ELEMENT_ARRAY_BUFFER;
    static constexpr const MAP_MESSAGES& kMessages = kBufferMapMessages;
    static oglCBuffer_ApiSpecific* Api(const CIndexBuffer& b)
    {
        return OglApiObject<oglCBuffer_ApiSpecific>(b.apiObject);
    }
    static std::uint64_t ElementSize(const CIndexBuffer& b) { return ValueTypeSize(b.GetIndexType()); }
    template <typename F>
    static decltype(auto) WithData(CIndexBuffer& b, F&& f)
    {
        return f(static_cast<CBuffer&>(b));
    }
};

constexpr MAP_MESSAGES kTextureBufferMapMessages{"COglRenderer::MapBuffer: Bind texture buffer failed.",
                                                 "COglRenderer::MapBuffer: Texture buffer mapping failed.",
                                                 "COglRenderer::UnmapBuffer: Bind texture buffer failed.",
                                                 "COglRenderer::UnmapBuffer: Texture buffer unmapping failed."};

template <>
struct BufferKind<CTextureBuffer> {
    static constexpr GLenum kTarget = GL_TEXTURE_BUFFER;
    static constexpr const MAP_MESSAGES& kMessages = kTextureBufferMapMessages;
    static oglCBuffer_ApiSpecific* Api(const CTextureBuffer& b)
    {
        return OglApiObject<oglCBuffer_ApiSpecific>(b.bufferApiObject);
    }
    static std::uint64_t ElementSize(const CBuffer& memory) { return memory.GetLayout()->GetStride(); }
    template <typename F>
    static decltype(auto) WithData(CTextureBuffer& b, F&& f)
    {
        return b.AccessData(std::forward<F>(f));
    }
};

template <typename Buffer>
std::uint32_t LoadBuffer(Buffer& buffer, std::uint32_t hint, const COglRenderer& renderer)
{
    using Kind = BufferKind<Buffer>;
    const auto* api = Kind::Api(buffer);
    if (!api || api->buffer == 0) return GFXR_INVALID_ARGUMENT;
    GLenum usage = 0;
    if (ogl::BUFFER_USAGE.Get(hint, usage) != GFXR_OK || usage == 0) return GFXR_INVALID_ARGUMENT;
    glBindBuffer(Kind::kTarget, api->buffer);
    if (ogl::GlFailed(renderer, "COglRenderer::LoadBufferData: Bind failed.")) return GFXR_API_FAIL;
    glBufferData(Kind::kTarget, static_cast<GLsizeiptr>(buffer.GetDataSize()), buffer.GetData(), usage);
    return ogl::GlFailed(renderer, "COglRenderer::LoadBufferData: Loading buffer data failed.") ? GFXR_API_FAIL
                                                                                                : GFXR_OK;
}

// Elements [first, first + count) of the main-memory copy go to the same
// elements of the GL buffer; a range beyond either is refused.
template <typename Buffer>
std::uint32_t UpdateBuffer(Buffer& buffer, std::int32_t first, std::int32_t count, const COglRenderer& renderer)
{
    using Kind = BufferKind<Buffer>;
    auto* api = Kind::Api(buffer);
    if (!api || api->buffer == 0) return GFXR_INVALID_ARGUMENT;
    if (first < 0 || count < 0) return GFXR_INVALID_ARGUMENT;
    if (api->mapped) return GFXR_MAPPING_FAILED;
    return Kind::WithData(buffer, [&](CBuffer& data) -> std::uint32_t {
        std::uint64_t size = 0;
        if constexpr (std::is_same_v<Buffer, CTextureBuffer>)
            size = Kind::ElementSize(data);
        else
            size = Kind::ElementSize(buffer);
        if (size == 0) return GFXR_INVALID_ARGUMENT;
        const std::uint64_t offset = static_cast<std::uint64_t>(first) * size;
        const std::uint64_t bytes = static_cast<std::uint64_t>(count) * size;
        if (offset + bytes > data.GetDataSize()) return GFXR_INVALID_ARGUMENT;

        glBindBuffer(Kind::kTarget, api->buffer);
        if (ogl::GlFailed(renderer, "COglRenderer::UpdateBufferData: Bind failed.")) return GFXR_API_FAIL;
        GLint64 glSize = 0;
        glGetBufferParameteri64v(Kind::kTarget, GL_BUFFER_SIZE, &glSize);
        if (offset + bytes > static_cast<std::uint64_t>(glSize)) return GFXR_INVALID_ARGUMENT;
        glBufferSubData(Kind::kTarget, static_cast<GLintptr>(offset), static_cast<GLsizeiptr>(bytes),
                        data.GetData() + offset);
        return ogl::GlFailed(renderer, "COglRenderer::UpdateBufferData: Buffer update failed.") ? GFXR_API_FAIL
                                                                                                : GFXR_OK;
    });
}

template <typename Buffer>
std::uint32_t MapBufferOf(Buffer& buffer, std::uint32_t access, const COglRenderer& renderer)
{
    using Kind = BufferKind<Buffer>;
    return Kind::WithData(buffer, [&](CBuffer& data) -> std::uint32_t {
        // Mapping needs a buffer without main-memory copy.
        if (data.GetData()) return GFXR_MAPPING_FAILED;
        auto* api = Kind::Api(buffer);
        if (!api || api->buffer == 0) return GFXR_INVALID_ARGUMENT;
        if (api->mapped) return GFXR_OK;
        GLenum glAccess = 0;
        if (ogl::ACCESS_MODE.Get(access, glAccess) != GFXR_OK || glAccess == 0) return GFXR_INVALID_ARGUMENT;
        glBindBuffer(Kind::kTarget, api->buffer);
        if (ogl::GlFailed(renderer, Kind::kMessages.mapBind)) return GFXR_API_FAIL;
        void* memory = glMapBuffer(Kind::kTarget, glAccess);
        if (ogl::GlFailed(renderer, Kind::kMessages.map)) return GFXR_API_FAIL;
        // An empty GL buffer maps to nothing.
        if (!memory || !data.AttachMappedMemory(memory)) {
            if (memory) glUnmapBuffer(Kind::kTarget);
            return GFXR_MAPPING_FAILED;
        }
        api->mapped = 1;
        return GFXR_OK;
    });
}

template <typename Buffer>
std::uint32_t UnmapBufferOf(Buffer& buffer, const COglRenderer& renderer)
{
    using Kind = BufferKind<Buffer>;
    return Kind::WithData(buffer, [&](CBuffer& data) -> std::uint32_t {
        if (!data.GetData()) return GFXR_OK;
        auto* api = Kind::Api(buffer);
        if (!api || api->buffer == 0) return GFXR_INVALID_ARGUMENT;
        if (!api->mapped) return GFXR_OK;
        glBindBuffer(Kind::kTarget, api->buffer);
        if (ogl::GlFailed(renderer, Kind::kMessages.unmapBind)) return GFXR_API_FAIL;
        const GLboolean intact = glUnmapBuffer(Kind::kTarget);
        if (ogl::GlFailed(renderer, Kind::kMessages.unmap)) return GFXR_API_FAIL;
        // Unmapped either way: the pointer is no longer valid.
        api->mapped = 0;
        data.DetachMappedMemory();
        return intact ? GFXR_OK : GFXR_MAPPING_FAILED;
    });
}

}  // namespace

std::uint32_t COglRenderer::LoadBufferData(const Handle<CIndexBuffer>& buffer, std::uint32_t hint)
{
    return buffer ? LoadBuffer(*buffer, hint, *this) : GFXR_INVALID_ARGUMENT;
}

std::uint32_t COglRenderer::LoadBufferData(const Handle<CVertexBuffer>& buffer, std::uint32_t hint)
{
    return buffer ? LoadBuffer(*buffer, hint, *this) : GFXR_INVALID_ARGUMENT;
}

std::uint32_t COglRenderer::UpdateBufferData(const Handle<CTextureBuffer>& buffer, std::int32_t first,
                                             std::int32_t count)
{
    return buffer ? UpdateBuffer(*buffer, first, count, *this) : GFXR_INVALID_ARGUMENT;
}

std::uint32_t COglRenderer::UpdateBufferData(const Handle<CIndexBuffer>& buffer, std::int32_t first, std::int32_t count)
{
    return buffer ? UpdateBuffer(*buffer, first, count, *this) : GFXR_INVALID_ARGUMENT;
}

std::uint32_t COglRenderer::UpdateBufferData(const Handle<CVertexBuffer>& buffer, std::int32_t first,
                                             std::int32_t count)
{
    return buffer ? UpdateBuffer(*buffer, first, count, *this) : GFXR_INVALID_ARGUMENT;
}

std::uint32_t COglRenderer::MapBuffer(const Handle<CTextureBuffer>& buffer, std::uint32_t access)
{
    return buffer ? MapBufferOf(*buffer, access, *this) : GFXR_INVALID_ARGUMENT;
}

std::uint32_t COglRenderer::MapBuffer(const Handle<CIndexBuffer>& buffer, std::uint32_t access)
{
    return buffer ? MapBufferOf(*buffer, access, *this) : GFXR_INVALID_ARGUMENT;
}

std::uint32_t COglRenderer::MapBuffer(const Handle<CVertexBuffer>& buffer, std::uint32_t access)
{
    return buffer ? MapBufferOf(*buffer, access, *this) : GFXR_INVALID_ARGUMENT;
}

std::uint32_t COglRenderer::UnmapBuffer(const Handle<CTextureBuffer>& buffer)
{
    return buffer ? UnmapBufferOf(*buffer, *this) : GFXR_INVALID_ARGUMENT;
}

std::uint32_t COglRenderer::UnmapBuffer(const Handle<CIndexBuffer>& buffer)
{
    return buffer ? UnmapBufferOf(*buffer, *this) : GFXR_INVALID_ARGUMENT;
}

std::uint32_t COglRenderer::UnmapBuffer(const Handle<CVertexBuffer>& buffer)
{
    return buffer ? UnmapBufferOf(*buffer, *this) : GFXR_INVALID_ARGUMENT;
}

}  // namespace hlv_gfx
