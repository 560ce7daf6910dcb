// Fixed-function state of the OpenGL renderer: attribute stack, render
// states and blending, polygon mode, winding and culling, clearing, matrix
// stacks, viewport and lighting.
#include "ogl/gl_tables.h"

#include <halvo_gfx/ogl/ogl_renderer.h>

#include <limits>

#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/gfx_types.h>

namespace hlv_gfx {

namespace {

// PushAttrib flag bits and their attribute groups; bit 64 alone means all.
constexpr std::uint32_t kAllAttribFlag = 64;
constexpr struct {
    std::uint32_t flag;
    GLbitfield mask;
} kAttribGroups[] = {
    {1, GL_COLOR_BUFFER_BIT}, {2, GL_DEPTH_BUFFER_BIT}, {4, GL_STENCIL_BUFFER_BIT},
    {8, GL_ENABLE_BIT},       {16, GL_POLYGON_BIT},     {32, GL_VIEWPORT_BIT},
};

constexpr struct {
    std::uint32_t flag;
    GLbitfield mask;
} kClearBuffers[] = {
    {CLM_COLOR_BUFFER, GL_COLOR_BUFFER_BIT},
    {CLM_DEPTH_BUFFER, GL_DEPTH_BUFFER_BIT},
    {CLM_STENCIL_BUFFER, GL_STENCIL_BUFFER_BIT},
};

}  // namespace

std::uint32_t COglRenderer::PushAttrib(std::uint32_t flags)
{
    if (flags == 0) return GFXR_INVALID_ARGUMENT;
    GLbitfield mask = 0;
    if (flags & kAllAttribFlag) {
        mask = GL_ALL_ATTRIB_BITS;
    } else {
        for (const auto& group : kAttribGroups)
            if (flags & group.flag) mask |= group.mask;
    }
    return PushAttribBits(mask) ? GFXR_OK : GFXR_API_FAIL;
}

bool COglRenderer::PushAttribBits(std::uint32_t glMask)
{
    glPushAttrib(static_cast<GLbitfield>(glMask));
    return !CheckGlError("COglRenderer::PushAttrib: Failed to push attrib.");
}

std::uint32_t COglRenderer::PopAttrib() { return PopAttribGroup(); }

std::uint32_t COglRenderer::PopAttribGroup()
{
    glPopAttrib();
    // A group with the transform bit restores the matrix mode behind the
    // renderer's back: the next SetMatrixMode must reach GL.
    m_matrixMode = kMatrixModeUnknown;
    return CheckGlError("COglRenderer::PopAttrib: glPopAttrib failed") ? GFXR_API_FAIL : GFXR_OK;
}

// States without a GL capability (RS_CLEARSCREEN, RS_FRONTFACE, RS_FILLMODE and
// values past the enumeration) change nothing and succeed; RS_UNDEFINED is
// refused.
std::uint32_t COglRenderer::EnableRenderState(std::uint32_t state)
{
    if (state == RS_UNDEFINED) return GFXR_INVALID_ARGUMENT;
    const GLenum capability = ogl::CAPABILITY.Find(state).value_or(0);
    if (state == RS_DEPTH_WRITE) {
        GLboolean writing = GL_TRUE;
        glGetBooleanv(GL_DEPTH_WRITEMASK, &writing);
        if (!writing) glDepthMask(GL_TRUE);
    } else if (capability != 0 && !glIsEnabled(capability)) {
        glEnable(capability);
    }
    return GFXR_OK;
}

std::uint32_t COglRenderer::DisableRenderState(std::uint32_t state)
{
    if (state == RS_UNDEFINED) return GFXR_INVALID_ARGUMENT;
    const GLenum capability = ogl::CAPABILITY.Find(state).value_or(0);
    if (state == RS_DEPTH_WRITE) {
        GLboolean writing = GL_FALSE;
        glGetBooleanv(GL_DEPTH_WRITEMASK, &writing);
        if (writing) glDepthMask(GL_FALSE);
    } else if (capability != 0 && glIsEnabled(capability)) {
        glDisable(capability);
    }
    return GFXR_OK;
}

std::uint32_t COglRenderer::SetRenderState(BLEND_EQUATION colour, BLEND_EQUATION alpha)
{
    GLenum glColour = 0, glAlpha = 0;
    if (ogl::BLEND_EQUATION_MODE.Get(colour, glColour) != GFXR_OK ||
        ogl::BLEND_EQUATION_MODE.Get(alpha, glAlpha) != GFXR_OK)
        return GFXR_INVALID_ARGUMENT;
    glBlendEquationSeparate(glColour, glAlpha);
    return CheckGlError("COglRenderer::SetRenderState: Failed to set blend function separate.") ? GFXR_API_FAIL
                                                                                                : GFXR_OK;
}

std::uint32_t COglRenderer::SetRenderState(BLEND_EQUATION equation)
{
    GLenum glEquation = 0;
    if (ogl::BLEND_EQUATION_MODE.Get(equation, glEquation) != GFXR_OK) return GFXR_INVALID_ARGUMENT;
    glBlendEquation(glEquation);
    return CheckGlError("COglRenderer::SetRenderState: Failed to set blend function.") ? GFXR_API_FAIL : GFXR_OK;
}

std::uint32_t COglRenderer::SetRenderState(BLEND_FACTOR sourceColour, BLEND_FACTOR destinationColour,
                                           BLEND_FACTOR sourceAlpha, BLEND_FACTOR destinationAlpha)
{
    GLenum sc = 0, dc = 0, sa = 0, da = 0;
    if (ogl::BLEND_FACTOR_MODE.Get(sourceColour, sc) != GFXR_OK ||
        ogl::BLEND_FACTOR_MODE.Get(destinationColour, dc) != GFXR_OK ||
        ogl::BLEND_FACTOR_MODE.Get(sourceAlpha, sa) != GFXR_OK ||
        ogl::BLEND_FACTOR_MODE.Get(destinationAlpha, da) != GFXR_OK)
        return GFXR_INVALID_ARGUMENT;
    glBlendFuncSeparate(sc, dc, sa, da);
    return CheckGlError("COglRenderer::SetRenderState: Failed to set blend factor separate.") ? GFXR_API_FAIL : GFXR_OK;
}

std::uint32_t COglRenderer::SetRenderState(BLEND_FACTOR source, BLEND_FACTOR destination)
{
    GLenum glSource = 0, glDestination = 0;
    if (ogl::BLEND_FACTOR_MODE.Get(source, glSource) != GFXR_OK ||
        ogl::BLEND_FACTOR_MODE.Get(destination, glDestination) != GFXR_OK)
        return GFXR_INVALID_ARGUMENT;
    glBlendFunc(glSource, glDestination);
    return CheckGlError("COglRenderer::SetRenderState: Failed to set blend factor.") ? GFXR_API_FAIL : GFXR_OK;
}

std::uint32_t COglRenderer::SetFillMode(std::int32_t face, std::uint32_t mode)
{
    GLenum glFace = 0, glMode = 0;
    if (face < 0 || ogl::FACE.Get(static_cast<std::uint32_t>(face), glFace) != GFXR_OK ||
        ogl::POLYGON_MODE.Get(mode, glMode) != GFXR_OK)
        return GFXR_INVALID_ARGUMENT;
    const auto index = static_cast<std::size_t>(face);
    m_renderState.fillModeSet[index] = true;
    m_renderState.fillMode[index] = mode;
    glPolygonMode(glFace, glMode);
    return GFXR_OK;
}

std::uint32_t COglRenderer::SetFrontFace(std::uint32_t winding)
{
    GLenum glWinding = 0;
    if (ogl::WINDING.Get(winding, glWinding) != GFXR_OK) return GFXR_INVALID_ARGUMENT;
    m_renderState.frontFace = winding;
    glFrontFace(glWinding);
    return GFXR_OK;
}

std::uint32_t COglRenderer::SetCullMode(std::uint32_t face)
{
    GLenum glFace = 0;
    if (ogl::FACE.Get(face, glFace) != GFXR_OK) return GFXR_INVALID_ARGUMENT;
    m_renderState.cullMode = face;
    glCullFace(glFace);
    return GFXR_OK;
}

std::uint32_t COglRenderer::GetFillMode(std::int32_t face, std::uint32_t& mode)
{
    if (face < 0 || static_cast<std::size_t>(face) >= m_renderState.fillMode.size()) return GFXR_INVALID_ARGUMENT;
    mode = m_renderState.fillMode[static_cast<std::size_t>(face)];
    return GFXR_OK;
}

std::uint32_t COglRenderer::GetFrontFace(std::uint32_t& winding)
{
    winding = m_renderState.frontFace;
    return GFXR_OK;
}

std::uint32_t COglRenderer::GetCullMode(std::uint32_t& face)
{
    face = m_renderState.cullMode;
    return GFXR_OK;
}

std::uint32_t COglRenderer::SetClearColor(float red, float green, float blue, float alpha)
{
    glClearColor(red, green, blue, alpha);
    return CheckGlError("COglRenderer::SetClearColor: Failed to set clear color.") ? GFXR_API_FAIL : GFXR_OK;
}

std::uint32_t COglRenderer::Clear(std::uint32_t mask)
{
    GLbitfield glMask = 0;
    for (const auto& buffer : kClearBuffers)
        if (mask & buffer.flag) glMask |= buffer.mask;
    glClear(glMask);
    return CheckGlError("COglRenderer::Clear: Failed to clear.") ? GFXR_API_FAIL : GFXR_OK;
}

// A mode past MM_TEXTURE selects no stack: GL is asked for stack 0, refuses
// it, and the error is reported like any other. A failed switch leaves the
// mode unknown, so asking for the same mode again reaches GL again.
std::uint32_t COglRenderer::SetMatrixMode(std::uint32_t mode)
{
    if (mode == m_matrixMode && mode != kMatrixModeUnknown) return GFXR_OK;
    if (mode == MM_UNDEFINED) return GFXR_INVALID_ARGUMENT;
    glMatrixMode(ogl::MATRIX_STACK.Find(mode).value_or(0));
    if (CheckGlError("COglRenderer::SetMatrixMode: Failed to switch matrix mode.")) {
        m_matrixMode = kMatrixModeUnknown;
        return GFXR_API_FAIL;
    }
    m_matrixMode = mode;
    return GFXR_OK;
}

std::uint32_t COglRenderer::PushMatrix()
{
    glPushMatrix();
    return CheckGlError("COglRenderer::PushMatrix: Failed to push matrix stack.") ? GFXR_API_FAIL : GFXR_OK;
}

std::uint32_t COglRenderer::PopMatrix()
{
    glPopMatrix();
    return CheckGlError("COglRenderer::PopMatrix: Failed to pop matrix stack.") ? GFXR_API_FAIL : GFXR_OK;
}

std::uint32_t COglRenderer::SetTransformation(const float* matrix)
{
    if (!matrix) return GFXR_INVALID_ARGUMENT;
    glLoadIdentity();
    // Engine matrices are row-major.
    glLoadTransposeMatrixf(matrix);
    return CheckGlError("COglRenderer::SetTransformation: Failed to set transformation.") ? GFXR_API_FAIL : GFXR_OK;
}

std::uint32_t COglRenderer::SetViewport(const VIEWPORT& viewport)
{
    return SetViewport(viewport.x, viewport.y, viewport.width, viewport.height);
}

std::uint32_t COglRenderer::SetViewport(std::uint64_t x, std::uint64_t y, std::uint64_t width, std::uint64_t height)
{
    constexpr std::uint64_t kLimit = std::numeric_limits<GLint>::max();
    if (x > kLimit || y > kLimit || width > kLimit || height > kLimit) return GFXR_INVALID_ARGUMENT;
    glViewport(static_cast<GLint>(x), static_cast<GLint>(y), static_cast<GLsizei>(width), static_cast<GLsizei>(height));
    if (CheckGlError("COglRenderer::SetViewport: Failed to set viewport.")) return GFXR_API_FAIL;
    m_viewport = VIEWPORT{x, y, width, height};
    return GFXR_OK;
}

std::uint32_t COglRenderer::EnableLighting()
{
    glEnable(GL_LIGHTING);
    return GFXR_OK;
}

std::uint32_t COglRenderer::DisableLighting()
{
    glDisable(GL_LIGHTING);
    return GFXR_OK;
}

}  // namespace hlv_gfx
