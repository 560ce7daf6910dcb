// Framebuffers and render targets of the OpenGL renderer.
//
// Binding a framebuffer pushes one attribute group (colour and viewport,
// depth and stencil when it has such attachments) and leaving it pops that
// group again. The renderer remembers whether it really pushed, so a bind
// that failed before its push is never answered by a pop of somebody else's
// group.
#include "ogl/gl_tables.h"

#include <halvo_gfx/ogl/ogl_renderer.h>

#include <array>

#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/depth_texture.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_gfx/ogl/api_objects.h>

namespace hlv_gfx {

namespace {

constexpr char kBindFailed[] = "COglRenderer::UseFramebuffer: Failed to bind framebuffer.";
constexpr std::size_t kMaxDrawBuffers = 16;

// The GL draw buffer of a USED_BUFFER_MASK value: colour attachment number
// value - 1 (UBM_ALL reads the table's empty entry, no buffer); any value past
// UBM_ALL, and UBM_NONE, draws into the first colour attachment.
GLenum DrawBufferOf(std::uint32_t value) { return ogl::ColorAttachmentOf(value - 1u); }

}  // namespace

std::uint32_t COglRenderer::UseFramebuffer(Handle<CFramebuffer> framebuffer)
{
    if (framebuffer == m_framebuffer) return GFXR_OK;

    // Leave the current framebuffer: undo its push, if there was one.
    auto popOwnGroup = [this] {
        if (!m_framebufferAttribPushed) return;
        m_framebufferAttribPushed = false;
        PopAttribGroup();
    };

    if (!framebuffer) {
        m_framebuffer.Reset();
        popOwnGroup();
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        return CheckGlError(kBindFailed) ? GFXR_API_FAIL : GFXR_OK;
    }

    if (m_framebuffer) popOwnGroup();
    m_framebuffer = framebuffer;
    const auto* api = OglApiObject<oglCFramebuffer_ApiSpecific>(framebuffer->apiObject);
    if (!api || api->framebuffer == 0) return GFXR_INVALID_ARGUMENT;
    glBindFramebuffer(GL_FRAMEBUFFER, api->framebuffer);
    if (CheckGlError(kBindFailed)) return GFXR_API_FAIL;

    GLbitfield mask = framebuffer->colorAttachments.empty() ? GL_VIEWPORT_BIT : GL_COLOR_BUFFER_BIT | GL_VIEWPORT_BIT;
    if (const auto depth = framebuffer->GetDepthAttachment()) {
        // A depth attachment that is no depth texture loads as a 2D texture.
        const std::uint32_t r = hlv_core::IsKindOf<CDepthTexture>(depth.get())
                                    ? LoadDepthTexture(static_cast<CDepthTexture&>(*depth))
                                    : LoadTexture2D(*depth);
        if (r != GFXR_OK) return GFXR_FAIL;
        mask |= GL_DEPTH_BUFFER_BIT;
    }
    if (const auto stencil = framebuffer->GetStencilAttachment()) {
        if (LoadTexture2D(*stencil) != GFXR_OK) return GFXR_FAIL;
        mask |= GL_STENCIL_BUFFER_BIT;
    }
    // A failed push has been reported; the framebuffer stays bound.
    m_framebufferAttribPushed = PushAttribBits(mask);
    return GFXR_OK;
}

COglRenderer::Handle<CFramebuffer> COglRenderer::GetFramebuffer() { return m_framebuffer; }

std::uint32_t COglRenderer::SetDrawBuffers(const std::uint32_t* buffers, std::size_t count)
{
    glDrawBuffers(static_cast<GLsizei>(count), buffers);
    return CheckGlError("COglRenderer::SwitchRenderTarget: Failed to switch to render targets.") ? GFXR_API_FAIL
                                                                                                 : GFXR_OK;
}

std::uint32_t COglRenderer::SwitchToAllAttachments(const CFramebuffer& framebuffer)
{
    const std::size_t count = framebuffer.colorAttachments.size();
    if (count > kMaxDrawBuffers) return GFXR_INVALID_ARGUMENT;
    std::array<GLenum, kMaxDrawBuffers> buffers{};
    for (std::size_t i = 0; i < count; ++i) {
        const auto attachment = framebuffer.colorAttachments[i];
        if (!attachment) return GFXR_INVALID_ARGUMENT;
        if (LoadTexture2D(*attachment) != GFXR_OK) return GFXR_FAIL;
        buffers[i] = ogl::COLOR_ATTACHMENT.entries[i];
    }
    return SetDrawBuffers(buffers.data(), count);
}

std::uint32_t COglRenderer::SwitchRenderTarget(std::int32_t id)
{
    const Handle<CFramebuffer> framebuffer = m_framebuffer;
    if (!framebuffer) return GFXR_OK;
    if (id == UBM_NONE || framebuffer->colorAttachments.empty()) return SetDrawBuffers(nullptr, 0);
    if (id == UBM_ALL) return SwitchToAllAttachments(*framebuffer);

    // Colour attachment value - 1 must exist: values past UBM_FIFTEEN (and
    // negative ones) name none.
    const auto value = static_cast<std::uint32_t>(id);
    const auto* attachment = framebuffer->GetColorAttachment(value - 1u);
    if (!*attachment) return GFXR_INVALID_ARGUMENT;
    if (LoadTexture2D(**attachment) != GFXR_OK) return GFXR_FAIL;
    const GLenum buffer = DrawBufferOf(value);
    return SetDrawBuffers(&buffer, 1);
}

std::uint32_t COglRenderer::SwitchRenderTarget(const std::vector<unsigned>& ids, std::uint64_t count)
{
    const Handle<CFramebuffer> framebuffer = m_framebuffer;
    if (!framebuffer) return GFXR_OK;
    if (ids.empty() || count == 0 || count > ids.size()) return GFXR_INVALID_ARGUMENT;
    if (framebuffer->colorAttachments.empty()) return GFXR_INVALID_ARGUMENT;
    if (ids[0] == UBM_NONE || ids[0] == UBM_ALL) return SwitchRenderTarget(static_cast<std::int32_t>(ids[0]));

    const std::size_t used = std::min<std::size_t>(count, framebuffer->colorAttachments.size());
    if (used > kMaxDrawBuffers) return GFXR_INVALID_ARGUMENT;
    std::array<GLenum, kMaxDrawBuffers> buffers{};
    for (std::size_t i = 0; i < used; ++i) {
        // Each position loads the attachment it draws into, which must exist;
        // UBM_ALL at a later position is no buffer. Two positions drawing into
        // one attachment are GL's error, reported by SetDrawBuffers.
        buffers[i] = DrawBufferOf(ids[i]);
        if (buffers[i] == GL_NONE) continue;
        const auto* attachment = framebuffer->GetColorAttachment(buffers[i] - GL_COLOR_ATTACHMENT0);
        if (!*attachment) return GFXR_INVALID_ARGUMENT;
        if (LoadTexture2D(**attachment) != GFXR_OK) return GFXR_FAIL;
    }
    return SetDrawBuffers(buffers.data(), used);
}

}  // namespace hlv_gfx
