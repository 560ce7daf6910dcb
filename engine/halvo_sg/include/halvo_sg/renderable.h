#pragma once
// What a geometry node draws.
#include <cstdint>
#include <string>

#include <halvo_core/resource.h>

namespace hlv_sg {

class IRenderableVisitor;

class IRenderable : public hlv_core::IResource {
public:
    HLV_RESOURCE_CLASS(IRenderable)

    // Calls the visitor's operation for this kind of renderable;
    // MSGR_INVALID_ARGUMENT for a null visitor.
    virtual std::uint32_t Accept(IRenderableVisitor* visitor) = 0;

protected:
    explicit IRenderable(const std::string& name) : IResource(name) {}
};
HLV_DEFINE_RESOURCE_CLASS(IRenderable, hlv_core::IResource)

}  // namespace hlv_sg
