#pragma once
// The steps of the post-processing graph. Shade nodes are plain objects owned
// by the post-processing node that lists them.
#include <cstdint>

namespace hlv_shade {

class IShadeNodeVisitor;

class IShadeNode {
public:
    IShadeNode() = default;
    IShadeNode(const IShadeNode&) = delete;
    IShadeNode& operator=(const IShadeNode&) = delete;

    // Calls the visitor's enter and then its leave operation for this node
    // kind; MSNR_INVALID_ARGUMENT for a null visitor.
    virtual std::uint32_t Accept(IShadeNodeVisitor* visitor) = 0;
    // The same as Accept.
    virtual std::uint32_t Traverse(IShadeNodeVisitor* visitor) = 0;
    virtual ~IShadeNode() = default;
    // Hooks run after the render pass or the render target changed.
    virtual void OnRenderPassChanged() {}
    virtual void OnRenderTargetChanged() {}
};

// Shade nodes that only publish what others have drawn.
class IPostProcessShadeNode : public IShadeNode {};

}  // namespace hlv_shade
