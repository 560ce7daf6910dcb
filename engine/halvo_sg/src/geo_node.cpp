#include <halvo_sg/geo_node.h>

#include <halvo_sg/RESULT.h>
#include <halvo_sg/node_visitor.h>

namespace hlv_sg {

std::uint32_t CGeoNode::Accept(INodeVisitor* visitor)
{
    if (!visitor) return MSGR_INVALID_ARGUMENT;
    Enter(visitor);
    return Leave(visitor);
}

std::uint32_t CGeoNode::Enter(INodeVisitor* visitor)
{
    if (!visitor) return MSGR_INVALID_ARGUMENT;
    visitor->EnterGeoNode(this);
    return MSGR_OK;
}

std::uint32_t CGeoNode::Leave(INodeVisitor* visitor)
{
    if (!visitor) return MSGR_INVALID_ARGUMENT;
    return visitor->LeaveGeoNode(this);
}

}  // namespace hlv_sg
