#pragma once
// A group whose children are placed by a local transform.
#include <string>

#include <halvo_sg/group_node.h>
#include <halvo_sg/node_transform.h>

namespace hlv_sg {

class CTrafoNode : public CGroupNode {
public:
    HLV_RESOURCE_CLASS(CTrafoNode)

    explicit CTrafoNode(const std::string& name) : CGroupNode(name) {}

    std::uint32_t Enter(INodeVisitor* visitor) override;
    std::uint32_t Leave(INodeVisitor* visitor) override;

    // Identity, translation 0 and scale 1 when new.
    NODE_TRANSFORM& LocalTransform() { return m_local; }
    const NODE_TRANSFORM& LocalTransform() const { return m_local; }

private:
    NODE_TRANSFORM m_local;
};
HLV_DEFINE_RESOURCE_CLASS(CTrafoNode, CGroupNode)

}  // namespace hlv_sg
