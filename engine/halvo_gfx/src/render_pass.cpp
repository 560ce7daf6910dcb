#include <halvo_gfx/render_pass.h>

#include <algorithm>
#include <cstring>

#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/gfx_types.h>

namespace hlv_gfx {

namespace {

template <typename T>
hlv_core::CResourceHandle<T> ResourceAt(const BindingList<T>& list, std::size_t i)
{
    return i < list.size() ? list[i].resource : hlv_core::CResourceHandle<T>();
}

template <typename T>
hlv_core::CResourceHandle<CShaderVariable> VariableAt(const BindingList<T>& list, std::size_t i)
{
    return i < list.size() ? list[i].variable : hlv_core::CResourceHandle<CShaderVariable>();
}

}  // namespace

CRenderPass::CRenderPass(const std::string& name)
    : IResource(name), m_defaultNames{"mat_proj", "mat_view", "mat_world", "vec_cam_pos_ws"}
{
}

hlv_core::CResourceHandle<CShaderVariable> CRenderPass::FindVariable(const std::string& name) const
{
    for (const auto& variable : m_variables)
        if (variable && variable->GetName() == name) return variable;
    return {};
}

template <typename T>
std::uint32_t CRenderPass::Bind(BindingList<T>& list, const hlv_core::CResourceHandle<T>& resource,
                                const std::string& name, std::uint32_t emptyResult)
{
    if (!resource) return emptyResult;
    if (name.empty()) return GFXR_INVALID_ARGUMENT;
    const auto variable = FindVariable(name);
    if (!variable || !IsSamplerType(variable->GetType())) return GFXR_INVALID_ARGUMENT;
    for (auto& entry : list) {
        if (entry.variable.get() == variable.get()) {
            entry.resource = resource;
            return GFXR_OK;
        }
    }
    list.push_back({resource, variable});
    return GFXR_OK;
}

std::uint32_t CRenderPass::SetTexture(const hlv_core::CResourceHandle<CTexture>& texture, const std::string& name)
{
    return Bind(m_textures, texture, name, GFXR_INVALID_TEXTURE_NULL);
}

std::uint32_t CRenderPass::SetDepthTexture(const hlv_core::CResourceHandle<CDepthTexture>& texture,
                                           const std::string& name)
{
    return Bind(m_depthTextures, texture, name, GFXR_INVALID_ARGUMENT);
}

std::uint32_t CRenderPass::SetCubeMapTexture(const hlv_core::CResourceHandle<CCubeMapTexture>& texture,
                                             const std::string& name)
{
    return Bind(m_cubeMaps, texture, name, GFXR_INVALID_ARGUMENT);
}

std::uint32_t CRenderPass::SetTextureBuffer(const hlv_core::CResourceHandle<CTextureBuffer>& buffer,
                                            const std::string& name)
{
    return Bind(m_textureBuffers, buffer, name, GFXR_INVALID_ARGUMENT);
}

hlv_core::CResourceHandle<CTexture> CRenderPass::GetTexture(std::size_t i) const { return ResourceAt(m_textures, i); }
hlv_core::CResourceHandle<CShaderVariable> CRenderPass::GetTextureVariable(std::size_t i) const
{
    return VariableAt(m_textures, i);
}
hlv_core::CResourceHandle<CDepthTexture> CRenderPass::GetDepthTexture(std::size_t i) const
{
    return ResourceAt(m_depthTextures, i);
}
hlv_core::CResourceHandle<CShaderVariable> CRenderPass::GetDepthTextureVariable(std::size_t i) const
{
    return VariableAt(m_depthTextures, i);
}
hlv_core::CResourceHandle<CCubeMapTexture> CRenderPass::GetCubeMapTexture(std::size_t i) const
{
    return ResourceAt(m_cubeMaps, i);
}
hlv_core::CResourceHandle<CShaderVariable> CRenderPass::GetCubeMapTextureVariable(std::size_t i) const
{
    return VariableAt(m_cubeMaps, i);
}
hlv_core::CResourceHandle<CTextureBuffer> CRenderPass::GetTextureBuffer(std::size_t i) const
{
    return ResourceAt(m_textureBuffers, i);
}
hlv_core::CResourceHandle<CShaderVariable> CRenderPass::GetTextureBufferVariable(std::size_t i) const
{
    return VariableAt(m_textureBuffers, i);
}

std::uint32_t CRenderPass::ResolveDefaultVariables()
{
    static constexpr std::uint32_t kTypes[DEFAULT_VARIABLE_COUNT] = {SVT_FLOAT_MAT4, SVT_FLOAT_MAT4, SVT_FLOAT_MAT4,
                                                                     SVT_FLOAT_VEC3};
    // Looked up in the order camera position, world, view, projection.
    for (const DEFAULT_VARIABLE which : {DV_CAMERA_POSITION, DV_WORLD, DV_VIEW, DV_PROJECTION}) {
        auto variable = FindVariable(m_defaultNames[which]);
        if (variable && variable->GetType() != kTypes[which]) variable.Reset();
        m_defaultVariables[which] = variable;
    }
    return GFXR_OK;
}

std::uint32_t CRenderPass::CopyFrom(const hlv_core::CResourceHandle<CRenderPass>& sourceHandle)
{
    const hlv_core::CResourceHandle<CRenderPass> source = sourceHandle;
    if (!source || source.get() == this) return GFXR_INVALID_ARGUMENT;

    apiObject = source->apiObject;
    vertexShader = source->vertexShader;
    pixelShader = source->pixelShader;
    geometryShader = source->geometryShader;
    hullShader = source->hullShader;
    domainShader = source->domainShader;

    for (const auto& from : source->m_variables) {
        if (!from) continue;
        auto copy = hlv_core::Adopt(new CShaderVariable(from->GetName()));
        copy->SetType(from->GetType());
        const std::size_t size = ShaderVariableTypeSize(from->GetType());
        if (size != 0 && copy->AllocateValue(size) == GFXR_OK && from->GetValue())
            std::memcpy(copy->GetValue(), from->GetValue(), std::min(size, from->GetValueSize()));
        copy->apiObject = from->apiObject;
        m_variables.push_back(std::move(copy));
    }

    m_defaultNames = source->m_defaultNames;
    return ResolveDefaultVariables();
}

}  // namespace hlv_gfx
