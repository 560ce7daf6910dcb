#include <halvo_sg/deco_node.h>

#include <halvo_sg/RESULT.h>
#include <halvo_sg/node_visitor.h>

namespace hlv_sg {

std::uint32_t CDecoNode::Enter(INodeVisitor* visitor)
{
    if (!visitor) return MSGR_INVALID_ARGUMENT;
    visitor->EnterDecoNode(this);
    AcceptChild(visitor);
    return MSGR_OK;
}

std::uint32_t CDecoNode::Leave(INodeVisitor* visitor)
{
    if (!visitor) return MSGR_INVALID_ARGUMENT;
    return visitor->LeaveDecoNode(this);
}

bool CDecoNode::AcceptsChild(INode*) { return true; }

std::uint32_t CDecoNode::SetChild(NodeHandle child)
{
    if (child && !AcceptsChild(child.get())) return MSGR_INVALID_ID;
    if (m_child && m_child->GetParent() == this) m_child->SetParent(nullptr);
    m_child = std::move(child);
    if (m_child) m_child->SetParent(this);
    return MSGR_OK;
}

void CDecoNode::AcceptChild(INodeVisitor* visitor)
{
    if (INode* child = m_child.get()) child->Accept(visitor);
}

}  // namespace hlv_sg
