#pragma once
// One shader program: its stages, its uniforms, the resources bound to its
// samplers by name, and the four default uniforms the scene fills.
#include <array>
#include <cstddef>
#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include <halvo_core/handle.h>
#include <halvo_core/resource.h>
#include <halvo_gfx/api_specific.h>
#include <halvo_gfx/cube_map_texture.h>
#include <halvo_gfx/depth_texture.h>
#include <halvo_gfx/shader.h>
#include <halvo_gfx/shader_variable.h>
#include <halvo_gfx/texture.h>
#include <halvo_gfx/texture_buffer.h>

namespace hlv_gfx {

// A resource bound to the sampler variable that names it in the program.
template <typename T>
struct CBindingEntry {
    hlv_core::CResourceHandle<T> resource;
    hlv_core::CResourceHandle<CShaderVariable> variable;
};

template <typename T>
using BindingList = std::vector<CBindingEntry<T>>;

// The default uniforms, in the order of their names and handles.
enum DEFAULT_VARIABLE : unsigned int {
    DV_PROJECTION = 0,      // "mat_proj", SVT_FLOAT_MAT4
    DV_VIEW = 1,            // "mat_view", SVT_FLOAT_MAT4
    DV_WORLD = 2,           // "mat_world", SVT_FLOAT_MAT4
    DV_CAMERA_POSITION = 3  // "vec_cam_pos_ws", SVT_FLOAT_VEC3
};
inline constexpr std::size_t DEFAULT_VARIABLE_COUNT = 4;

using ShaderVariableList = std::list<hlv_core::CResourceHandle<CShaderVariable>>;

// The graphics system creates the stages and the program, compiles, links and
// fills the variable list; producers then write values, bind resources by
// sampler name and put the pass into an effect. Several passes may share one
// program (CopyFrom) while each keeps its own values and bindings.
class CRenderPass : public hlv_core::IResource {
public:
    HLV_RESOURCE_CLASS(CRenderPass)

    explicit CRenderPass(const std::string& name);

    // The first variable of exactly that name, or an empty handle.
    hlv_core::CResourceHandle<CShaderVariable> FindVariable(const std::string& name) const;

    // Bind a resource to the sampler variable of that name: an entry already
    // bound to that variable gets the new resource, otherwise an entry is
    // appended. GFXR_INVALID_ARGUMENT for an empty name, a name without
    // variable or a variable that is no sampler; an empty resource gives
    // GFXR_INVALID_TEXTURE_NULL for SetTexture, GFXR_INVALID_ARGUMENT for the
    // others.
    std::uint32_t SetTexture(const hlv_core::CResourceHandle<CTexture>& texture, const std::string& name);
    std::uint32_t SetDepthTexture(const hlv_core::CResourceHandle<CDepthTexture>& texture, const std::string& name);
    std::uint32_t SetCubeMapTexture(const hlv_core::CResourceHandle<CCubeMapTexture>& texture, const std::string& name);
    std::uint32_t SetTextureBuffer(const hlv_core::CResourceHandle<CTextureBuffer>& buffer, const std::string& name);

    // Binding i of each list (resource and sampler variable); empty handles
    // when there is no binding i.
    hlv_core::CResourceHandle<CTexture> GetTexture(std::size_t i) const;
    hlv_core::CResourceHandle<CShaderVariable> GetTextureVariable(std::size_t i) const;
    hlv_core::CResourceHandle<CDepthTexture> GetDepthTexture(std::size_t i) const;
    hlv_core::CResourceHandle<CShaderVariable> GetDepthTextureVariable(std::size_t i) const;
    hlv_core::CResourceHandle<CCubeMapTexture> GetCubeMapTexture(std::size_t i) const;
    hlv_core::CResourceHandle<CShaderVariable> GetCubeMapTextureVariable(std::size_t i) const;
    hlv_core::CResourceHandle<CTextureBuffer> GetTextureBuffer(std::size_t i) const;
    hlv_core::CResourceHandle<CShaderVariable> GetTextureBufferVariable(std::size_t i) const;

    const BindingList<CTexture>& GetTextureBindings() const { return m_textures; }
    const BindingList<CDepthTexture>& GetDepthTextureBindings() const { return m_depthTextures; }
    const BindingList<CCubeMapTexture>& GetCubeMapTextureBindings() const { return m_cubeMaps; }
    const BindingList<CTextureBuffer>& GetTextureBufferBindings() const { return m_textureBuffers; }

    // Looks each default uniform up by name and keeps it when its type fits
    // (SVT_FLOAT_MAT4 for the matrices, SVT_FLOAT_VEC3 for the camera
    // position); otherwise its handle is left empty. Returns GFXR_OK.
    std::uint32_t ResolveDefaultVariables();
    const std::string& GetDefaultVariableName(DEFAULT_VARIABLE which) const { return m_defaultNames[which]; }
    hlv_core::CResourceHandle<CShaderVariable> GetDefaultVariable(DEFAULT_VARIABLE which) const
    {
        return m_defaultVariables[which];
    }

    // Makes this pass an instance of source: shares its program, stages and
    // uniform locations, copies its variables (own storage holding the same
    // values) and default names, and resolves the defaults. Bindings are not
    // copied. GFXR_INVALID_ARGUMENT for an empty source or the pass itself.
    std::uint32_t CopyFrom(const hlv_core::CResourceHandle<CRenderPass>& source);

    // The uniforms; the graphics system fills and merges this list.
    ShaderVariableList& GetVariables() { return m_variables; }
    const ShaderVariableList& GetVariables() const { return m_variables; }

    hlv_core::CResourceHandle<CShader> vertexShader;
    hlv_core::CResourceHandle<CShader> pixelShader;
    hlv_core::CResourceHandle<CGeometryShader> geometryShader;
    hlv_core::CResourceHandle<CHullShader> hullShader;
    hlv_core::CResourceHandle<CDomainShader> domainShader;
    // The linked program; made by the graphics system.
    hlv_core::CResourceHandle<IApiSpecific> apiObject;

private:
    template <typename T>
    std::uint32_t Bind(BindingList<T>& list, const hlv_core::CResourceHandle<T>& resource, const std::string& name,
                       std::uint32_t emptyResult);

    ShaderVariableList m_variables;
    BindingList<CTexture> m_textures;
    BindingList<CDepthTexture> m_depthTextures;
    BindingList<CCubeMapTexture> m_cubeMaps;
    BindingList<CTextureBuffer> m_textureBuffers;
    std::array<std::string, DEFAULT_VARIABLE_COUNT> m_defaultNames;
    std::array<hlv_core::CResourceHandle<CShaderVariable>, DEFAULT_VARIABLE_COUNT> m_defaultVariables;
};
HLV_DEFINE_RESOURCE_CLASS(CRenderPass, hlv_core::IResource)

}  // namespace hlv_gfx
