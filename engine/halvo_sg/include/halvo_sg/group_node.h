#pragma once
// A node with an ordered list of children.
#include <cstdint>
#include <string>
#include <vector>

#include <halvo_core/handle.h>
#include <halvo_sg/node.h>

namespace hlv_sg {

class CGroupNode : public INode {
public:
    HLV_RESOURCE_CLASS(CGroupNode)

    using NodeHandle = hlv_core::CResourceHandle<INode>;

    explicit CGroupNode(const std::string& name);

    // Enter, every child's Accept in list order, Leave; 0, or
    // MSGR_INVALID_ARGUMENT for a null visitor. The results of Enter and of
    // the children are not looked at.
    std::uint32_t Accept(INodeVisitor* visitor) override;
    std::uint32_t Enter(INodeVisitor* visitor) override;
    std::uint32_t Leave(INodeVisitor* visitor) override;

    // Appends the child, makes this node its parent and returns its index;
    // INVALID_INDEX for an empty handle.
    virtual std::uint64_t AddChild(NodeHandle child);

    std::size_t GetChildCount() const { return m_children.size(); }
    // Child i, or an empty handle.
    NodeHandle GetChild(std::size_t i) const { return i < m_children.size() ? m_children[i] : NodeHandle(); }

protected:
    // Visits the children in order.
    void AcceptChildren(INodeVisitor* visitor);

private:
    std::vector<NodeHandle> m_children;
    std::uint64_t m_growStep = 10;
};
HLV_DEFINE_RESOURCE_CLASS(CGroupNode, INode)

}  // namespace hlv_sg
