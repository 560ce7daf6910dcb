#pragma once
// A node that draws a list of shade nodes (post-processing passes) in order.
#include <memory>
#include <string>
#include <vector>

#include <halvo_sg/node.h>
#include <halvo_shade/shade_node.h>
#include <halvo_shade/shade_node_render_visitor.h>

namespace hlv_sg {

class CLinearPostProcessingNode : public INode {
public:
    HLV_RESOURCE_CLASS(CLinearPostProcessingNode)

    explicit CLinearPostProcessingNode(const std::string& name);
    ~CLinearPostProcessingNode() override;

    std::uint32_t Enter(INodeVisitor* visitor) override;
    std::uint32_t Leave(INodeVisitor* visitor) override;

    // The visitor that draws the shade nodes; its renderer is set at every
    // visit by the scene's render visitor.
    hlv_shade::CShadeNodeRenderVisitor* GetShadeNodeVisitor() const { return m_visitor.get(); }

    // Drawn in list order; owned by the node. Builders append to it.
    std::vector<std::unique_ptr<hlv_shade::IShadeNode>> shadeNodes;

private:
    std::unique_ptr<hlv_shade::CShadeNodeRenderVisitor> m_visitor;
};
HLV_DEFINE_RESOURCE_CLASS(CLinearPostProcessingNode, INode)

}  // namespace hlv_sg
