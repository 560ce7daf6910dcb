// The OpenGL graphics system: buffer names of vertex and index buffers. Data
// reaches the GPU later, when the renderer first draws with a buffer.
#include <GL/glew.h>

#include <halvo_gfx/ogl/ogl_system.h>

#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/ogl/api_objects.h>

#include "ogl/gl_errors.h"

namespace hlv_gfx {
namespace {

// What tells the vertex-buffer and index-buffer operations apart.
struct BUFFER_KIND {
    const char* resourceName;  // of a buffer made for an empty handle
    const char* apiObjectName;
    const char* createFailure;
    std::uint32_t createResult;
    const char* deleteFailure;
};

constexpr BUFFER_KIND VERTEX_BUFFER{"A Vertex Buffer", "A Ogl Vertex Buffer Module",
                                    "COglSystem::CreateVertexBuffer: Could not create a Vertex Buffer.",
                                    GFXR_VERTEXBUFFER_CREATION_FAILED,
                                    "COglSystem::DeleteBuffer: Couldnt delete ogl vertex buffer identifier."};
constexpr BUFFER_KIND INDEX_BUFFER{
    "A Index Buffer", "A Ogl Index Buffer Module", "COglSystem::CreateIndexBuffer: Could not create a Index Buffer.",
    GFXR_INDEXBUFFER_CREATION_FAILED, "COglSystem::DeleteBuffer: Couldnt delete ogl index buffer identifier."};

}  // namespace

IGfxSystem::Handle<IApiSpecific> COglSystem::NewBufferName(Handle<IApiSpecific> existing, const std::string& name,
                                                           const std::string& failureText, std::uint32_t failure)
{
    // A buffer deleted before keeps its API object, which takes the new name.
    Handle<oglCBuffer_ApiSpecific> apiObject;
    if (auto* reused = OglApiObject<oglCBuffer_ApiSpecific>(existing))
        apiObject = Handle<oglCBuffer_ApiSpecific>(reused);
    else
        apiObject = hlv_core::Adopt(new oglCBuffer_ApiSpecific(name));
    GLuint buffer = 0;
    ogl::DiscardPendingGlErrors();
    glGenBuffers(1, &buffer);
    if (CheckGlError(failureText, failure) != GFXR_OK) return {};
    apiObject->buffer = buffer;
    apiObject->mapped = 0;
    return Handle<IApiSpecific>(std::move(apiObject));
}

#define HLV_OGL_BUFFER_OPERATIONS(Create, Class, kind)                                                  \
    std::uint32_t COglSystem::Create(Handle<Class>& buffer)                                             \
    {                                                                                                   \
        const Handle<IApiSpecific> existing = buffer ? buffer->apiObject : Handle<IApiSpecific>();      \
        if (const auto* named = OglApiObject<oglCBuffer_ApiSpecific>(existing); named && named->buffer) \
            return GFXR_OK;                                                                             \
        const Handle<IApiSpecific> apiObject =                                                          \
            NewBufferName(existing, kind.apiObjectName, kind.createFailure, kind.createResult);         \
        if (!apiObject) return kind.createResult;                                                       \
        if (!buffer) buffer = hlv_core::Adopt(new Class(kind.resourceName));                            \
        if (buffer->apiObject.get() != apiObject.get()) buffer->apiObject = apiObject;                  \
        return GFXR_OK;                                                                                 \
    }                                                                                                   \
                                                                                                        \
    std::uint32_t COglSystem::DeleteBuffer(Handle<Class>& buffer)                                       \
    {                                                                                                   \
        if (!buffer) return GFXR_INVALID_ARGUMENT;                                                      \
        const Handle<IApiSpecific> keep = buffer->apiObject;                                            \
        auto* apiObject = OglApiObject<oglCBuffer_ApiSpecific>(keep);                                   \
        if (!apiObject) return GFXR_INVALID_ARGUMENT;                                                   \
        ogl::DiscardPendingGlErrors();                                                                  \
        glDeleteBuffers(1, &apiObject->buffer);                                                         \
        if (const auto r = CheckGlError(kind.deleteFailure, GFXR_FAIL)) return r;                       \
        apiObject->buffer = 0;                                                                          \
        /* Deleting a mapped buffer unmaps it: forget the mapped memory. */                             \
        if (apiObject->mapped) buffer->DetachMappedMemory();                                            \
        apiObject->mapped = 0;                                                                          \
        return GFXR_OK;                                                                                 \
    }

HLV_OGL_BUFFER_OPERATIONS(CreateVertexBuffer, CVertexBuffer, VERTEX_BUFFER)
HLV_OGL_BUFFER_OPERATIONS(CreateIndexBuffer, CIndexBuffer, INDEX_BUFFER)
#undef HLV_OGL_BUFFER_OPERATIONS

}  // namespace hlv_gfx
