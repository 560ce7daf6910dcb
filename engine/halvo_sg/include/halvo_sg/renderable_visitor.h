#pragma once
// A node visitor that also visits the renderables of geometry nodes.
#include <cstdint>
#include <string>

#include <halvo_sg/node_visitor.h>

namespace hlv_sg {

class IRenderable;
class CPrimitiveSet;
class CIndexedPrimitiveSet;

class IRenderableVisitor : public INodeVisitor {
public:
    HLV_RESOURCE_CLASS(IRenderableVisitor)

    // Each returns 0 unless overridden.
    virtual std::uint32_t VisitIndexedPrimitiveSet(CIndexedPrimitiveSet* set);
    virtual std::uint32_t VisitPrimitiveSet(CPrimitiveSet* set);
    virtual std::uint32_t VisitRenderable(IRenderable* renderable);

protected:
    explicit IRenderableVisitor(const std::string& name) : INodeVisitor(name) {}
};
HLV_DEFINE_RESOURCE_CLASS(IRenderableVisitor, INodeVisitor)

}  // namespace hlv_sg
