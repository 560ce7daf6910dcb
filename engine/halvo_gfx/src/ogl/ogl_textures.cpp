// The OpenGL graphics system: texture names of textures, depth and cube-map
// textures, and the texture and buffer names of texture memory.
#include <GL/glew.h>

#include <halvo_gfx/ogl/ogl_system.h>

#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/ogl/api_objects.h>

#include "ogl/gl_errors.h"

namespace hlv_gfx {
namespace {

// Makes a depth or cube-map texture (a new T for an empty handle) take the
// API object of a new texture name; the previous API object is dropped
// without deleting its name.
template <typename T>
std::uint32_t CreateDerivedTexture(COglSystem& system, hlv_core::CResourceHandle<T>& texture)
{
    if (!texture) texture = hlv_core::Adopt(new T("A depth Texture"));
    hlv_core::CResourceHandle<CTexture> named;
    if (const auto r = system.CreateTexture(named)) return r;
    texture->apiObject = named->apiObject;
    return GFXR_OK;
}

// Deletes the texture name of a depth or cube-map texture through a
// temporary texture that shares its API object (so a texture still held
// elsewhere is released too).
template <typename T>
std::uint32_t ReleaseDerivedTexture(COglSystem& system, hlv_core::CResourceHandle<T>& texture)
{
    if (!texture) return GFXR_INVALID_ARGUMENT;
    auto temporary = hlv_core::Adopt(new CTexture("Temp texture"));
    temporary->apiObject = texture->apiObject;
    return system.ReleaseTexture(temporary);
}

}  // namespace

std::uint32_t COglSystem::CreateTexture(Handle<CTexture>& texture)
{
    if (!texture) texture = hlv_core::Adopt(new CTexture("A ogl texture"));
    if (!texture->apiObject) texture->apiObject = hlv_core::Adopt(new oglCTexture_ApiSpecific("Ogl Texture"));
    const Handle<IApiSpecific> keep = texture->apiObject;
    auto* apiObject = OglApiObject<oglCTexture_ApiSpecific>(keep);
    if (!apiObject) return GFXR_INVALID_API_SPECIFIC;
    if (apiObject->texture != 0) return GFXR_OK;

    GLuint name = 0;
    ogl::DiscardPendingGlErrors();
    glGenTextures(1, &name);
    if (const auto r = CheckGlError("COglSystem::CreateTexture: Couldnt't get texture id from GL.", GFXR_FAIL))
        return r;
    apiObject->texture = name;
    return GFXR_OK;
}

std::uint32_t COglSystem::CreateDepthTexture(Handle<CDepthTexture>& texture)
{
    return CreateDerivedTexture(*this, texture);
}

std::uint32_t COglSystem::CreateCubeMapTexture(Handle<CCubeMapTexture>& texture)
{
    return CreateDerivedTexture(*this, texture);
}

std::uint32_t COglSystem::ReleaseTexture(Handle<CTexture>& texture)
{
    if (!texture) return GFXR_INVALID_ARGUMENT;
    // Still shared: another holder may draw with it.
    if (texture->GetRefCount() > 1) return GFXR_MULTI_REF;
    const Handle<IApiSpecific> keep = texture->apiObject;
    auto* apiObject = OglApiObject<oglCTexture_ApiSpecific>(keep);
    if (!apiObject) return GFXR_INVALID_ARGUMENT;
    if (apiObject->texture == 0) return GFXR_OK;

    ogl::DiscardPendingGlErrors();
    glDeleteTextures(1, &apiObject->texture);
    if (const auto r = CheckGlError("COglSystem::ReleaseTexture: GL texture id couldn't be deleted.", GFXR_FAIL))
        return r;
    apiObject->texture = 0;
    return GFXR_OK;
}

std::uint32_t COglSystem::ReleaseDepthTexture(Handle<CDepthTexture>& texture)
{
    return ReleaseDerivedTexture(*this, texture);
}

std::uint32_t COglSystem::ReleaseCubeMapTexture(Handle<CCubeMapTexture>& texture)
{
    return ReleaseDerivedTexture(*this, texture);
}

std::uint32_t COglSystem::CreateTextureMemory(Handle<CTextureBuffer>& buffer)
{
    if (!buffer) buffer = hlv_core::Adopt(new CTextureBuffer("Texture Memory"));

    if (!buffer->textureApiObject)
        buffer->textureApiObject = hlv_core::Adopt(new oglCTexture_ApiSpecific("Texture APIS"));
    const Handle<IApiSpecific> textureKeep = buffer->textureApiObject;
    auto* texture = OglApiObject<oglCTexture_ApiSpecific>(textureKeep);
    if (!texture) return GFXR_INVALID_API_SPECIFIC;
    if (texture->texture != 0) return GFXR_OK;
    ogl::DiscardPendingGlErrors();
    GLuint textureName = 0;
    glGenTextures(1, &textureName);
    if (const auto r = CheckGlError("COglSystem::CreateTextureMemory: Couldn't create ogl texture id.", GFXR_FAIL))
        return r;
    texture->texture = textureName;

    if (!buffer->bufferApiObject) buffer->bufferApiObject = hlv_core::Adopt(new oglCBuffer_ApiSpecific("Buffer APIS"));
    const Handle<IApiSpecific> bufferKeep = buffer->bufferApiObject;
    auto* storage = OglApiObject<oglCBuffer_ApiSpecific>(bufferKeep);
    if (!storage) return GFXR_INVALID_API_SPECIFIC;
    if (storage->buffer != 0) return GFXR_OK;
    GLuint bufferName = 0;
    glGenBuffers(1, &bufferName);
    if (const auto r = CheckGlError("COglSystem::CreateTextureMemory: Couldn't create ogl buffer id.", GFXR_FAIL))
        return r;
    storage->buffer = bufferName;
    return GFXR_OK;
}

std::uint32_t COglSystem::ReleaseTextureMemory(Handle<CTextureBuffer>& buffer)
{
    if (!buffer) return GFXR_INVALID_ARGUMENT;
    const Handle<IApiSpecific> textureKeep = buffer->textureApiObject;
    auto* texture = OglApiObject<oglCTexture_ApiSpecific>(textureKeep);
    if (!texture) return GFXR_INVALID_ARGUMENT;
    // The names are zeroed once deleted: GL hands them out again for other
    // objects, which this buffer must not reach.
    if (texture->texture != 0) {
        glDeleteTextures(1, &texture->texture);
        texture->texture = 0;
    }
    const Handle<IApiSpecific> bufferKeep = buffer->bufferApiObject;
    auto* storage = OglApiObject<oglCBuffer_ApiSpecific>(bufferKeep);
    if (!storage) return GFXR_INVALID_ARGUMENT;
    if (storage->buffer != 0) {
        glDeleteBuffers(1, &storage->buffer);
        storage->buffer = 0;
    }
    // Deleting a mapped buffer unmaps it: the memory forgets the mapping.
    // Marked changed, a buffer created again uploads its data again.
    if (storage->mapped) {
        buffer->WriteData([](CBuffer& memory) { memory.DetachMappedMemory(); });
        storage->mapped = 0;
    }
    buffer->MarkChanged();
    return GFXR_OK;
}

}  // namespace hlv_gfx
