#pragma once
// Renderables made of buffers: vertices alone, or vertices with indices.
#include <cstdint>
#include <string>

#include <halvo_core/handle.h>
#include <halvo_gfx/index_buffer.h>
#include <halvo_gfx/vertex_buffer.h>
#include <halvo_sg/renderable.h>

namespace hlv_sg {

class CPrimitiveSet : public IRenderable {
public:
    HLV_RESOURCE_CLASS(CPrimitiveSet)

    explicit CPrimitiveSet(const std::string& name) : IRenderable(name) {}

    // VisitPrimitiveSet.
    std::uint32_t Accept(IRenderableVisitor* visitor) override;

    hlv_core::CResourceHandle<hlv_gfx::CVertexBuffer> GetVertexBuffer() const { return vertexBuffer; }

    std::uint32_t primitiveType = 0;  // PRIMITIVE_TYPE
    hlv_core::CResourceHandle<hlv_gfx::CVertexBuffer> vertexBuffer;
};
HLV_DEFINE_RESOURCE_CLASS(CPrimitiveSet, IRenderable)

class CIndexedPrimitiveSet : public CPrimitiveSet {
public:
    HLV_RESOURCE_CLASS(CIndexedPrimitiveSet)

    explicit CIndexedPrimitiveSet(const std::string& name) : CPrimitiveSet(name) {}

    // VisitIndexedPrimitiveSet.
    std::uint32_t Accept(IRenderableVisitor* visitor) override;

    hlv_core::CResourceHandle<hlv_gfx::CIndexBuffer> GetIndexBuffer() const { return indexBuffer; }

    hlv_core::CResourceHandle<hlv_gfx::CIndexBuffer> indexBuffer;
};
HLV_DEFINE_RESOURCE_CLASS(CIndexedPrimitiveSet, CPrimitiveSet)

}  // namespace hlv_sg
