#pragma once
// A leaf that draws a renderable with an effect, at the world transform the
// transform visitor composes for it each frame.
#include <cstdint>
#include <string>

#include <halvo_core/handle.h>
#include <halvo_sg/node.h>
#include <halvo_sg/node_transform.h>
#include <halvo_sg/renderable.h>
#include <halvo_slot/CEffectSlot.h>
#include <halvo_slot/CVariantSlot.h>

namespace hlv_sg {

class CGeoNode : public INode {
public:
    HLV_RESOURCE_CLASS(CGeoNode)

    using RenderableHandle = hlv_core::CResourceHandle<IRenderable>;

    explicit CGeoNode(const std::string& name) : INode(name) {}

    // Enter, then the result of Leave; MSGR_INVALID_ARGUMENT for a null visitor.
    std::uint32_t Accept(INodeVisitor* visitor) override;
    std::uint32_t Enter(INodeVisitor* visitor) override;
    std::uint32_t Leave(INodeVisitor* visitor) override;

    RenderableHandle GetRenderable() const { return m_renderable; }
    void SetRenderable(const RenderableHandle& renderable) { m_renderable = renderable; }

    // The effect it draws with; connected to an effect output by the builder.
    hlv_slot::CEffectInputSlot& GetEffectInput() { return m_effectInput; }
    const hlv_slot::CEffectInputSlot& GetEffectInput() const { return m_effectInput; }
    // Instances to draw; all ones, or 0 while unconnected, means not
    // instanced. A connected input's 0 (a particle node with no particle)
    // draws nothing.
    hlv_slot::CVariantInputSlot<std::uint64_t>& GetInstanceCountInput() { return m_instanceCount; }
    const hlv_slot::CVariantInputSlot<std::uint64_t>& GetInstanceCountInput() const { return m_instanceCount; }

    // Written by the transform visitor each frame.
    NODE_TRANSFORM& WorldTransform() { return m_world; }
    const NODE_TRANSFORM& WorldTransform() const { return m_world; }
    // The geometry's own placement under its transform parent.
    NODE_TRANSFORM& LocalTransform() { return m_local; }
    const NODE_TRANSFORM& LocalTransform() const { return m_local; }

private:
    RenderableHandle m_renderable;
    hlv_slot::CEffectInputSlot m_effectInput;
    hlv_slot::CVariantInputSlot<std::uint64_t> m_instanceCount;
    NODE_TRANSFORM m_world;
    NODE_TRANSFORM m_local;
};
HLV_DEFINE_RESOURCE_CLASS(CGeoNode, INode)

}  // namespace hlv_sg
