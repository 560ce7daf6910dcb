#include <halvo_gfx/effect.h>

namespace hlv_gfx {

hlv_core::CResourceHandle<CRenderPass> CEffect::GetRenderPass(std::size_t i) const
{
    return i < passes.size() ? passes[i] : hlv_core::CResourceHandle<CRenderPass>();
}

hlv_core::CResourceHandle<CShaderVariable> CEffect::GetShaderVariable(std::size_t i, const std::string& name) const
{
    if (name.empty() || i >= passes.size()) return {};
    const auto pass = passes[i];
    return pass ? pass->FindVariable(name) : hlv_core::CResourceHandle<CShaderVariable>();
}

}  // namespace hlv_gfx
