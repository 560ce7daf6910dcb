#include <halvo_sg/linear_post_processing_node.h>

#include <halvo_sg/RESULT.h>
#include <halvo_sg/node_visitor.h>

namespace hlv_sg {

CLinearPostProcessingNode::CLinearPostProcessingNode(const std::string& name)
    : INode(name), m_visitor(std::make_unique<hlv_shade::CShadeNodeRenderVisitor>())
{
}

CLinearPostProcessingNode::~CLinearPostProcessingNode() = default;

std::uint32_t CLinearPostProcessingNode::Enter(INodeVisitor* visitor)
{
    if (!visitor) return MSGR_INVALID_ARGUMENT;
    visitor->EnterLinearPostProcessingNode(this);
    return MSGR_OK;
}

std::uint32_t CLinearPostProcessingNode::Leave(INodeVisitor* visitor)
{
    if (!visitor) return MSGR_INVALID_ARGUMENT;
    return visitor->LeaveLinearPostProcessingNode(this);
}

}  // namespace hlv_sg
