#include <halvo_sg/group_node.h>

#include <halvo_sg/RESULT.h>
#include <halvo_sg/node_visitor.h>

namespace hlv_sg {

CGroupNode::CGroupNode(const std::string& name) : INode(name) { m_children.reserve(m_growStep); }

std::uint32_t CGroupNode::Accept(INodeVisitor* visitor)
{
    if (!visitor) return MSGR_INVALID_ARGUMENT;
    Enter(visitor);
    AcceptChildren(visitor);
    Leave(visitor);
    return MSGR_OK;
}

std::uint32_t CGroupNode::Enter(INodeVisitor* visitor)
{
    if (!visitor) return MSGR_INVALID_ARGUMENT;
    visitor->EnterGroupNode(this);
    return MSGR_OK;
}

std::uint32_t CGroupNode::Leave(INodeVisitor* visitor)
{
    if (!visitor) return MSGR_INVALID_ARGUMENT;
    return visitor->LeaveGroupNode(this);
}

std::uint64_t CGroupNode::AddChild(NodeHandle child)
{
    if (!child) return INVALID_INDEX;
    child->SetParent(this);
    if (m_children.empty()) m_children.reserve(m_growStep);
    m_children.push_back(std::move(child));
    return m_children.size() - 1;
}

void CGroupNode::AcceptChildren(INodeVisitor* visitor)
{
    // A child's traversal may not change this list; the index is re-read all
    // the same.
    for (std::size_t i = 0; i < m_children.size(); ++i) {
        if (INode* child = m_children[i].get()) child->Accept(visitor);
    }
}

}  // namespace hlv_sg
