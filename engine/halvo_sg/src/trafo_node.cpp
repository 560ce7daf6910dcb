#include <halvo_sg/trafo_node.h>

#include <halvo_sg/RESULT.h>
#include <halvo_sg/node_visitor.h>

namespace hlv_sg {

std::uint32_t CTrafoNode::Enter(INodeVisitor* visitor)
{
    if (!visitor) return MSGR_INVALID_ARGUMENT;
    visitor->EnterTrafoNode(this);
    return MSGR_OK;
}

std::uint32_t CTrafoNode::Leave(INodeVisitor* visitor)
{
    if (!visitor) return MSGR_INVALID_ARGUMENT;
    return visitor->LeaveTrafoNode(this);
}

}  // namespace hlv_sg
