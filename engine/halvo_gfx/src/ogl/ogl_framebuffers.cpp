// The OpenGL graphics system: framebuffer objects and their validation.
#include <GL/glew.h>

#include <halvo_gfx/ogl/ogl_system.h>

#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/ogl/api_objects.h>
#include <halvo_gfx/ogl/ogl_renderer.h>

#include "ogl/gl_errors.h"
#include "ogl/gl_tables.h"

namespace hlv_gfx {
namespace {

constexpr const char* kIncomplete = "COglSystem::ValidateFramebuffer: Failed validating the framebuffer.";

bool IsComplete() { return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE; }

// Rebinds the framebuffer that was bound when validation began, on every way
// out of it.
class CFramebufferBindingGuard {
public:
    CFramebufferBindingGuard()
    {
        GLint bound = 0;
        glGetIntegerv(GL_FRAMEBUFFER_BINDING, &bound);
        m_previous = static_cast<GLuint>(bound);
    }
    ~CFramebufferBindingGuard() { glBindFramebuffer(GL_FRAMEBUFFER, m_previous); }
    CFramebufferBindingGuard(const CFramebufferBindingGuard&) = delete;
    CFramebufferBindingGuard& operator=(const CFramebufferBindingGuard&) = delete;

private:
    GLuint m_previous = 0;
};

GLuint TextureName(const hlv_core::CResourceHandle<CTexture>& texture)
{
    const hlv_core::CResourceHandle<IApiSpecific> keep = texture->apiObject;
    const auto* apiObject = OglApiObject<oglCTexture_ApiSpecific>(keep);
    return apiObject ? apiObject->texture : 0;
}

}  // namespace

std::uint32_t COglSystem::CreateFramebuffer(Handle<CFramebuffer>& framebuffer)
{
    if (!framebuffer) framebuffer = hlv_core::Adopt(new CFramebuffer("FB"));
    if (!framebuffer->apiObject) framebuffer->apiObject = hlv_core::Adopt(new oglCFramebuffer_ApiSpecific("FB apis"));
    const Handle<IApiSpecific> keep = framebuffer->apiObject;
    auto* apiObject = OglApiObject<oglCFramebuffer_ApiSpecific>(keep);
    if (!apiObject) return GFXR_INVALID_API_SPECIFIC;
    if (apiObject->framebuffer != 0) return GFXR_OK;

    GLuint name = 0;
    ogl::DiscardPendingGlErrors();
    glGenFramebuffers(1, &name);
    if (const auto r = CheckGlError("COglSystem::CreateFramebuffer: Couldn't create frame buffer id.", GFXR_FAIL))
        return r;
    apiObject->framebuffer = name;
    return GFXR_OK;
}

std::uint32_t COglSystem::ReleaseFramebuffer(Handle<CFramebuffer>& framebuffer)
{
    if (!framebuffer) return GFXR_INVALID_ARGUMENT;
    const Handle<IApiSpecific> keep = framebuffer->apiObject;
    auto* apiObject = OglApiObject<oglCFramebuffer_ApiSpecific>(keep);
    if (!apiObject) return GFXR_INVALID_ARGUMENT;
    if (apiObject->framebuffer != 0) {
        glDeleteFramebuffers(1, &apiObject->framebuffer);
        apiObject->framebuffer = 0;
    }
    return GFXR_OK;
}

std::uint32_t COglSystem::ValidateFramebuffer(Handle<CFramebuffer> framebuffer)
{
    if (!framebuffer) return GFXR_INVALID_ARGUMENT;
    const Handle<IApiSpecific> keep = framebuffer->apiObject;
    const auto* apiObject = OglApiObject<oglCFramebuffer_ApiSpecific>(keep);
    if (!apiObject) return GFXR_INVALID_ARGUMENT;
    if (!framebuffer->validationPending) return GFXR_OK;
    if (apiObject->framebuffer == 0) return GFXR_INVALID_ARGUMENT;

    const CFramebufferBindingGuard restoreBinding;
    ogl::DiscardPendingGlErrors();
    glBindFramebuffer(GL_FRAMEBUFFER, apiObject->framebuffer);
    if (const auto r = CheckGlError("COglSystem::ValidateFramebuffer: Couldn't bind the framebuffer.", GFXR_FAIL))
        return r;
    // An empty framebuffer is not complete yet: told, not failed.
    if (!IsComplete()) BroadcastMessage(kIncomplete);

    // Colour attachments, each given its storage by the renderer first.
    const auto colorAttachments = framebuffer->colorAttachments;
    if (colorAttachments.empty()) {
        glDrawBuffer(GL_NONE);
    } else {
        glDrawBuffer(GL_COLOR_ATTACHMENT0);
        for (std::size_t i = 0; i < colorAttachments.size(); ++i) {
            const Handle<CTexture>& attachment = colorAttachments[i];
            GLenum attachmentPoint = 0;
            if (!attachment || ogl::COLOR_ATTACHMENT.Get(i, attachmentPoint) != GFXR_OK || attachmentPoint == 0)
                return GFXR_INVALID_ARGUMENT;
            if (m_renderer->LoadTexture(attachment) != GFXR_OK) return GFXR_FAIL;
            ogl::DiscardPendingGlErrors();
            glFramebufferTexture2D(GL_FRAMEBUFFER, attachmentPoint, GL_TEXTURE_2D, TextureName(attachment), 0);
            if (const auto r =
                    CheckGlError("COglSystem::ValidateFramebuffer: Failure in attaching a color buffer.", GFXR_FAIL))
                return r;
            if (!IsComplete()) BroadcastMessage(kIncomplete);
        }
    }

    // Depth attachment: a depth texture, or none (detached).
    const Handle<CTexture> depth = framebuffer->depthAttachment;
    if (!depth) {
        ogl::DiscardPendingGlErrors();
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, 0, 0);
        if (const auto r =
                CheckGlError("COglSystem::ValidateFramebuffer: Failure in detaching the depth buffer.", GFXR_FAIL))
            return r;
    } else {
        if (!hlv_core::IsKindOf<CDepthTexture>(depth.get())) return GFXR_INVALID_ARGUMENT;
        const Handle<CDepthTexture> depthTexture(static_cast<CDepthTexture*>(depth.get()));
        if (m_renderer->LoadTexture(depthTexture) != GFXR_OK) {
            if (const auto r =
                    CheckGlError("COglSystem::ValidateFramebuffer: Unable to load depth texture.", GFXR_FAIL))
                return r;
            return GFXR_FAIL;
        }
        ogl::DiscardPendingGlErrors();
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, TextureName(depth), 0);
        if (const auto r =
                CheckGlError("COglSystem::ValidateFramebuffer: Failure in attaching the depth buffer.", GFXR_FAIL))
            return r;
        if (!IsComplete()) {
            BroadcastMessage(kIncomplete);
            return GFXR_FAIL;
        }
    }

    // Stencil attachment: a texture uploaded from its image here, or none.
    const Handle<CTexture> stencil = framebuffer->stencilAttachment;
    if (!stencil) {
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_STENCIL_ATTACHMENT, GL_TEXTURE_2D, 0, 0);
    } else {
        const GLuint name = TextureName(stencil);
        const Handle<CImage> image = stencil->GetImage();
        GLenum target = 0, internalFormat = 0, pixelFormat = 0, dataType = 0;
        if (name == 0 || !image || ogl::TEXTURE_TARGET.Get(stencil->textureType, target) != GFXR_OK || target == 0 ||
            ogl::INTERNAL_FORMAT.Get(stencil->textureFormat, internalFormat) != GFXR_OK ||
            ogl::PIXEL_FORMAT.Get(image->GetFormat(), pixelFormat) != GFXR_OK ||
            ogl::DATA_TYPE.Get(image->GetType(), dataType) != GFXR_OK)
            return GFXR_INVALID_ARGUMENT;
        const Handle<CPixelBuffer> pixels = image->GetPixelBuffer();
        ogl::DiscardPendingGlErrors();
        glBindTexture(target, name);
        ogl::TexImageByType(stencil->textureType, target, static_cast<GLint>(internalFormat),
                            static_cast<GLsizei>(stencil->width), static_cast<GLsizei>(stencil->height), 0, pixelFormat,
                            dataType, pixels ? pixels->GetData() : nullptr);
        if (const auto r = CheckGlError("", GFXR_API_FAIL)) return r;
        glBindTexture(target, 0);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_STENCIL_ATTACHMENT, GL_TEXTURE_2D, name, 0);
        if (const auto r =
                CheckGlError("COglSystem::ValidateFramebuffer: Failure in attaching the stencil buffer.", GFXR_FAIL))
            return r;
    }

    if (!IsComplete()) BroadcastMessage(kIncomplete);
    framebuffer->validationPending = 0;
    return GFXR_OK;
}

}  // namespace hlv_gfx
