#include <halvo_sg/render_state_node.h>

#include <halvo_sg/RESULT.h>
#include <halvo_sg/node_visitor.h>

namespace hlv_sg {

CRenderStateNode::CRenderStateNode(const std::string& name)
    : CDecoNode(name),
      m_stateSet(hlv_core::Adopt(new hlv_gfx::CRenderStateSet("The Node's Render State Set"))),
      m_tempStateSet(hlv_core::Adopt(new hlv_gfx::CRenderStateSet("The Temp Node's Render State Set")))
{
}

std::uint32_t CRenderStateNode::Enter(INodeVisitor* visitor)
{
    if (!visitor) return MSGR_INVALID_ARGUMENT;
    visitor->EnterRenderStateNode(this);
    AcceptChild(visitor);
    return MSGR_OK;
}

std::uint32_t CRenderStateNode::Leave(INodeVisitor* visitor)
{
    if (!visitor) return MSGR_INVALID_ARGUMENT;
    return visitor->LeaveRenderStateNode(this);
}

}  // namespace hlv_sg
