#pragma once
// The second pass of every frame: composes the transforms down the tree and
// writes each geometry node's world transform.
#include <cstdint>
#include <deque>
#include <string>

#include <halvo_sg/node_transform.h>
#include <halvo_sg/node_visitor.h>

namespace hlv_sg {

class CTrafoVisitor : public INodeVisitor {
public:
    HLV_RESOURCE_CLASS(CTrafoVisitor)

    explicit CTrafoVisitor(const std::string& name) : INodeVisitor(name) {}

    // Saves the current transform, then composes it with the node's local one.
    std::uint32_t EnterTrafoNode(CTrafoNode* node) override;
    // The node's world transform is the current one composed with its local
    // one; the current transform stays.
    std::uint32_t EnterGeoNode(CGeoNode* node) override;
    // Restores the transform saved by the matching enter. Without one (a
    // leave that no enter preceded) the current transform becomes the
    // identity.
    std::uint32_t LeaveTrafoNode(CTrafoNode* node) override;

    const NODE_TRANSFORM& GetCurrentTransform() const { return m_current; }
    std::size_t GetStackDepth() const { return m_stack.size(); }

private:
    NODE_TRANSFORM m_current;
    std::deque<NODE_TRANSFORM> m_stack;
};
HLV_DEFINE_RESOURCE_CLASS(CTrafoVisitor, INodeVisitor)

}  // namespace hlv_sg
