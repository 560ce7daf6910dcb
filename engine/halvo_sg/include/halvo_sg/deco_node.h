#pragma once
// A node that decorates one child: its visitor operations are called before
// and after the child's traversal.
#include <cstdint>
#include <string>

#include <halvo_core/handle.h>
#include <halvo_sg/node.h>

namespace hlv_sg {

class CDecoNode : public INode {
public:
    HLV_RESOURCE_CLASS(CDecoNode)

    using NodeHandle = hlv_core::CResourceHandle<INode>;

    explicit CDecoNode(const std::string& name) : INode(name) {}

    // The enter operation, then the child's Accept (when there is a child).
    std::uint32_t Enter(INodeVisitor* visitor) override;
    std::uint32_t Leave(INodeVisitor* visitor) override;

    // Whether the node takes that child; every child is taken.
    virtual bool AcceptsChild(INode* child);

    // Replaces the child: the old child loses its parent, the new one gets
    // this node. An empty handle removes the child (0). A child that
    // AcceptsChild refuses gives MSGR_INVALID_ID and changes nothing.
    std::uint32_t SetChild(NodeHandle child);
    NodeHandle GetChild() const { return m_child; }

protected:
    // The child's Accept, when there is a child.
    void AcceptChild(INodeVisitor* visitor);

private:
    NodeHandle m_child;
};
HLV_DEFINE_RESOURCE_CLASS(CDecoNode, INode)

}  // namespace hlv_sg
