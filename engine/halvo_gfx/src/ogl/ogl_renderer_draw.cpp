// Indexed draws of the OpenGL renderer: the client-array set-up from a
// vertex layout, the index buffer, and plain and instanced draws.
//
// A GL buffer is filled from its main-memory copy on its first draw; later
// draws only bind, point the arrays and draw.
#include "ogl/gl_tables.h"

#include <halvo_gfx/ogl/ogl_renderer.h>

#include <initializer_list>
#include <limits>

#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_gfx/index_buffer.h>
#include <halvo_gfx/ogl/api_objects.h>
#include <halvo_gfx/value_sizes.h>
#include <halvo_gfx/vertex_buffer.h>

namespace hlv_gfx {

namespace {

// One client array of a vertex layout.
struct CLIENT_ARRAY {
    GLenum state = 0;
    ogl::VertexPointerFunction pointer = nullptr;
    GLint components = 0;
    GLenum type = 0;
};

// The array of element i with semantic semantic; state 0 when the element
// feeds no array (no semantic, tangents, binormals, further texture
// coordinates, which have no array of their own). False for values GL has no
// counterpart for.
bool ResolveArray(std::uint32_t semantic, const BUFFER_LAYOUT_ELEMENT& element, CLIENT_ARRAY& array)
{
    array = {};
    if (semantic == VBL_UNKNOWN || (semantic >= VBL_TEXCOOD1 && semantic < VERTEX_BUFFER_LAYOUT_SEMANTIC_COUNT))
        return true;
    if (ogl::CLIENT_ARRAY_STATE.Get(semantic, array.state) != GFXR_OK) return false;
    if (array.state == 0) return true;
    if (ogl::GetVertexPointerFunction(semantic, array.pointer) != GFXR_OK || !array.pointer) return false;
    const std::uint32_t components = StructureComponents(element.structure);
    if (components == 0) return false;
    array.components = static_cast<GLint>(components);
    return ogl::DATA_TYPE.Get(element.dataType, array.type) == GFXR_OK && array.type != 0;
}

// GL index types: unsigned bytes, shorts and ints.
bool ResolveIndexType(std::uint32_t valueType, GLenum& type)
{
    if (ogl::DATA_TYPE.Get(valueType, type) != GFXR_OK) return false;
    return type == GL_UNSIGNED_BYTE || type == GL_UNSIGNED_SHORT || type == GL_UNSIGNED_INT;
}

}  // namespace

std::uint32_t COglRenderer::EnableVertexArrays(CVertexBuffer& vertices)
{
    const auto layout = vertices.GetVertexBufferLayout();
    if (!layout->HasElements()) return GFXR_INVALID_ARGUMENT;
    const auto* api = OglApiObject<oglCBuffer_ApiSpecific>(vertices.apiObject);
    if (!api || api->buffer == 0) return GFXR_INVALID_ARGUMENT;
    if (layout->GetStride() > static_cast<std::uint64_t>(std::numeric_limits<GLsizei>::max()))
        return GFXR_INVALID_ARGUMENT;
    const auto& elements = layout->GetElements();
    const auto& semantics = layout->GetSemantics();
    auto semanticOf = [&](std::size_t i) { return i < semantics.size() ? semantics[i] : 0u; };

    // Every element is checked before the first GL call.
    CLIENT_ARRAY array;
    for (std::size_t i = 0; i < elements.size(); ++i)
        if (!ResolveArray(semanticOf(i), elements[i], array)) return GFXR_INVALID_ARGUMENT;

    glBindBuffer(GL_ARRAY_BUFFER, api->buffer);
    if (CheckGlError("COglRenderer::Render: Failed to bind vertex buffer.")) return GFXR_API_FAIL;
    GLint64 size = 0;
    glGetBufferParameteri64v(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
    if (size == 0 && LoadBufferData(Handle<CVertexBuffer>(&vertices), MH_STATIC_DRAW) != GFXR_OK) return GFXR_FAIL;

    // Each element starts where the ones before it end.
    const auto stride = static_cast<GLsizei>(layout->GetStride());
    std::uint64_t offset = 0;
    for (std::size_t i = 0; i < elements.size(); offset += elements[i].byteSize, ++i) {
        ResolveArray(semanticOf(i), elements[i], array);
        if (array.state == 0) continue;
        glEnableClientState(array.state);
        array.pointer(array.components, array.type, stride, reinterpret_cast<const void*>(offset));
    }
    return GFXR_OK;
}

std::uint32_t COglRenderer::BindIndexBuffer(CIndexBuffer& indices, std::uint64_t& glSize)
{
    const auto* api = OglApiObject<oglCBuffer_ApiSpecific>(indices.apiObject);
    if (!api || api->buffer == 0) return GFXR_INVALID_ARGUMENT;
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, api->buffer);
    if (CheckGlError("COglRenderer::Render: Failed to bind index buffer.")) return GFXR_API_FAIL;
    GLint64 size = 0;
    glGetBufferParameteri64v(GL_ELEMENT_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
    if (size == 0) {
        if (LoadBufferData(Handle<CIndexBuffer>(&indices), MH_STATIC_DRAW) != GFXR_OK) return GFXR_FAIL;
        glGetBufferParameteri64v(GL_ELEMENT_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
    }
    glSize = static_cast<std::uint64_t>(size);
    return GFXR_OK;
}

void COglRenderer::DisableVertexArrays()
{
    for (GLenum array :
         std::initializer_list<GLenum>{GL_VERTEX_ARRAY, GL_COLOR_ARRAY, GL_SECONDARY_COLOR_ARRAY, GL_INDEX_ARRAY,
                                       GL_NORMAL_ARRAY, GL_FOG_COORD_ARRAY, GL_TEXTURE_COORD_ARRAY})
        glDisableClientState(array);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
}

std::uint32_t COglRenderer::Render(std::uint32_t primitive, const Handle<CVertexBuffer>& vertices,
                                   const Handle<CIndexBuffer>& indices)
{
    return Draw(primitive, vertices, indices, false, 0);
}

std::uint32_t COglRenderer::RenderInstanced(std::uint32_t primitive, const Handle<CVertexBuffer>& vertices,
                                            const Handle<CIndexBuffer>& indices, std::uint32_t instances)
{
    return Draw(primitive, vertices, indices, true, instances);
}

std::uint32_t COglRenderer::Draw(std::uint32_t primitive, const Handle<CVertexBuffer>& vertices,
                                 const Handle<CIndexBuffer>& indices, bool instanced, std::uint32_t instances)
{
    GLenum mode = 0;
    if (ogl::PRIMITIVE_MODE.Get(primitive, mode) != GFXR_OK) return GFXR_INVALID_ARGUMENT;
    if (instances > static_cast<std::uint32_t>(std::numeric_limits<GLsizei>::max())) return GFXR_INVALID_ARGUMENT;
    // An instanced draw answers any failure of its set-up with GFXR_FAIL.
    auto setUpFailed = [&](std::uint32_t result) { return instanced ? GFXR_FAIL : result; };

    if (!vertices) return setUpFailed(GFXR_INVALID_ARGUMENT);
    if (const std::uint32_t r = EnableVertexArrays(*vertices); r != GFXR_OK) return setUpFailed(r);
    GLenum indexType = 0;
    std::uint64_t glSize = 0;
    std::uint32_t result = GFXR_OK;
    if (!indices || !ResolveIndexType(indices->GetIndexType(), indexType))
        result = GFXR_INVALID_ARGUMENT;
    else
        result = BindIndexBuffer(*indices, glSize);
    if (result != GFXR_OK) {
        DisableVertexArrays();
        return setUpFailed(result);
    }

    // GL reads the indices from its own buffer: no more than it holds.
    const std::uint64_t count = indices->GetElementCount();
    if (count > static_cast<std::uint64_t>(std::numeric_limits<GLsizei>::max()) ||
        count * ValueTypeSize(indices->GetIndexType()) > glSize) {
        DisableVertexArrays();
        return setUpFailed(GFXR_INVALID_ARGUMENT);
    }

    if (instanced) {
        glDrawElementsInstanced(mode, static_cast<GLsizei>(count), indexType, nullptr, static_cast<GLsizei>(instances));
        if (CheckGlError("COglRenderer::RenderInstanced: Failed to render instanced geometry.")) return GFXR_API_FAIL;
    } else {
        glDrawElements(mode, static_cast<GLsizei>(count), indexType, nullptr);
        if (CheckGlError("COglRenderer::Render: Failed to render geometry.")) return GFXR_API_FAIL;
    }
    DisableVertexArrays();
    return GFXR_OK;
}

}  // namespace hlv_gfx
