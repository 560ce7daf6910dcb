#pragma once
// An ordered list of render passes drawn one after another.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <halvo_core/handle.h>
#include <halvo_core/resource.h>
#include <halvo_gfx/render_pass.h>

namespace hlv_gfx {

class CEffect : public hlv_core::IResource {
public:
    HLV_RESOURCE_CLASS(CEffect)

    explicit CEffect(const std::string& name) : IResource(name) {}

    // Pass i, or an empty handle when there is no pass i.
    hlv_core::CResourceHandle<CRenderPass> GetRenderPass(std::size_t i) const;
    // The variable of that name in pass i; empty for an empty name or no pass i.
    hlv_core::CResourceHandle<CShaderVariable> GetShaderVariable(std::size_t i, const std::string& name) const;

    // Drawn in index order; the effect's builder appends them.
    std::vector<hlv_core::CResourceHandle<CRenderPass>> passes;
    // PRIMITIVE_TYPE; when not 0 it replaces the primitive of every draw.
    std::uint32_t primitiveType = 0;
};
HLV_DEFINE_RESOURCE_CLASS(CEffect, hlv_core::IResource)

}  // namespace hlv_gfx
