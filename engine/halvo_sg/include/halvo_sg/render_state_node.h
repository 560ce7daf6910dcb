#pragma once
// A decorator that applies a render-state set to its child's subtree.
#include <string>

#include <halvo_core/handle.h>
#include <halvo_gfx/render_state_set.h>
#include <halvo_sg/deco_node.h>

namespace hlv_sg {

class CRenderStateNode : public CDecoNode {
public:
    HLV_RESOURCE_CLASS(CRenderStateNode)

    using StateSetHandle = hlv_core::CResourceHandle<hlv_gfx::CRenderStateSet>;

    explicit CRenderStateNode(const std::string& name);

    std::uint32_t Enter(INodeVisitor* visitor) override;
    std::uint32_t Leave(INodeVisitor* visitor) override;

    // "The Node's Render State Set": the set the render visitor applies.
    const StateSetHandle& GetRenderStateSet() const { return m_stateSet; }
    // "The Temp Node's Render State Set": kept beside it, applied by nobody.
    const StateSetHandle& GetTempRenderStateSet() const { return m_tempStateSet; }

private:
    StateSetHandle m_stateSet;
    StateSetHandle m_tempStateSet;
};
HLV_DEFINE_RESOURCE_CLASS(CRenderStateNode, CDecoNode)

}  // namespace hlv_sg
