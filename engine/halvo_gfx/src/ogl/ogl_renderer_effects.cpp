// Effects and render passes of the OpenGL renderer: the current effect, the
// application of a pass (program, texture units, uniforms) and the draws of
// an effect, one per pass.
//
// Shader values come from the copy taken when the draw was queued
// (CRenderPassSnapshot): the render thread never reads the variables' own
// storage, which the update thread writes.
#include "ogl/gl_tables.h"

#include <halvo_gfx/ogl/ogl_renderer.h>

#include <limits>

#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/ogl/api_objects.h>

namespace hlv_gfx {

namespace {

constexpr char kUnitActivationFailed[] = "COglRenderer::UseRenderPass: Texture unit activation failed.";

}  // namespace

std::uint32_t COglRenderer::UseEffect(const Handle<CEffect>& effect, CEffectSnapshot& values)
{
    if (!effect) return GFXR_INVALID_ARGUMENT;
    if (values.GetEffect() != effect) values.CaptureFrom(effect);
    m_effect = effect;
    using std::swap;
    swap(m_effectValues, values);
    return GFXR_OK;
}

std::uint32_t COglRenderer::UseRenderPass(const Handle<CRenderPass>& pass, CRenderPassSnapshot& values)
{
    if (!pass) return GFXR_INVALID_ARGUMENT;
    if (values.GetPass() != pass) values.CaptureFrom(pass);
    const auto* program = OglApiObject<CGLSL_RenderPass_ApiSpecific>(pass->apiObject);
    if (!program || program->program == 0) return GFXR_INVALID_ARGUMENT;
    if (!pass->vertexShader || !pass->pixelShader) return GFXR_INVALID_ARGUMENT;

    glUseProgram(program->program);
    if (CheckGlError("COglRenderer::UseRenderPass: Failed to switch to gl program.")) return GFXR_API_FAIL;

    // One texture unit per binding, counted across the four lists; each
    // sampler value of the copy receives its unit.
    std::uint64_t unit = 0;
    std::uint64_t index = 0;
    for (const auto& binding : values.GetTextureBindings()) {
        if (!binding.resource) return GFXR_INVALID_ARGUMENT;
        if (const std::uint32_t r = ActivateTextureUnit(unit, kUnitActivationFailed); r != GFXR_OK) return r;
        LoadTextureMatrix(index++, unit);
        if (LoadTexture2D(*binding.resource) != GFXR_OK) return GFXR_FAIL;
        values.SetSamplerUnit(binding.valueIndex, unit++);
    }
    for (const auto& binding : values.GetDepthTextureBindings()) {
        if (!binding.resource) return GFXR_INVALID_ARGUMENT;
        if (const std::uint32_t r = ActivateTextureUnit(unit, kUnitActivationFailed); r != GFXR_OK) return r;
        if (LoadDepthTexture(*binding.resource) != GFXR_OK) return GFXR_FAIL;
        values.SetSamplerUnit(binding.valueIndex, unit++);
    }
    for (const auto& binding : values.GetCubeMapTextureBindings()) {
        if (!binding.resource) return GFXR_INVALID_ARGUMENT;
        if (const std::uint32_t r = ActivateTextureUnit(unit, kUnitActivationFailed); r != GFXR_OK) return r;
        if (LoadCubeMapTexture(*binding.resource) != GFXR_OK) return GFXR_FAIL;
        values.SetSamplerUnit(binding.valueIndex, unit++);
    }
    for (const auto& binding : values.GetTextureBufferBindings()) {
        if (!binding.resource) return GFXR_INVALID_ARGUMENT;
        if (const std::uint32_t r = ActivateTextureUnit(unit, kUnitActivationFailed); r != GFXR_OK) return r;
        // Uploaded only when changed, but bound every time: another pass may
        // have bound its own buffer to this unit since.
        if (LoadTextureBuffer(*binding.resource) != GFXR_OK) return GFXR_FAIL;
        const auto* texture = OglApiObject<oglCTexture_ApiSpecific>(binding.resource->textureApiObject);
        glBindTexture(GL_TEXTURE_BUFFER, texture->texture);
        values.SetSamplerUnit(binding.valueIndex, unit++);
    }

    for (std::size_t i = 0; i < values.GetValueCount(); ++i) {
        const std::byte* data = values.GetValueData(i);
        if (!data) continue;
        const auto& entry = values.GetValueEntry(i);
        const CShaderVariable* variable = entry.variable.get();
        const auto* uniform = variable ? OglApiObject<CGLSL_ShaderVariable_ApiSpecific>(variable->apiObject) : nullptr;
        if (!uniform) continue;
        ogl::UniformSetter setter = nullptr;
        // Types without setter (bool, undefined, unknown codes) are not uploaded.
        if (ogl::GetUniformSetter(entry.type, setter) == GFXR_OK && setter) setter(uniform->location, data);
        if (CheckGlError("COglRenderer::UseRenderPass: Failed to set uniform variable data.")) return GFXR_API_FAIL;
    }
    return GFXR_OK;
}

std::uint32_t COglRenderer::RenderEffect(std::uint32_t primitive, const Handle<CVertexBuffer>& vertices,
                                         const Handle<CIndexBuffer>& indices)
{
    return DrawEffect(primitive, vertices, indices, false, 0);
}

std::uint32_t COglRenderer::RenderEffectInstanced(std::uint32_t primitive, const Handle<CVertexBuffer>& vertices,
                                                  const Handle<CIndexBuffer>& indices, std::uint64_t instances)
{
    if (instances > static_cast<std::uint64_t>(std::numeric_limits<GLsizei>::max())) return GFXR_INVALID_ARGUMENT;
    return DrawEffect(primitive, vertices, indices, true, static_cast<std::uint32_t>(instances));
}

std::uint32_t COglRenderer::DrawEffect(std::uint32_t primitive, const Handle<CVertexBuffer>& vertices,
                                       const Handle<CIndexBuffer>& indices, bool instanced, std::uint32_t instances)
{
    if (!m_effect || !vertices || !indices) return GFXR_INVALID_ARGUMENT;
    if (m_effect->primitiveType != 0) primitive = m_effect->primitiveType;
    // The passes as they were when the effect was selected, each with its values.
    for (std::size_t i = 0; i < m_effectValues.GetPassCount(); ++i) {
        CRenderPassSnapshot& values = m_effectValues.GetPassValues(i);
        const Handle<CRenderPass>& pass = values.GetPass();
        if (!pass) continue;
        if (const std::uint32_t r = UseRenderPass(pass, values); r != GFXR_OK) return r;
        if (const std::uint32_t r = Draw(primitive, vertices, indices, instanced, instances); r != GFXR_OK) return r;
    }
    return GFXR_OK;
}

}  // namespace hlv_gfx
