#pragma once
// Layout of a vertex: three-float elements, each with its semantic.
#include <cstdint>
#include <vector>

#include <halvo_gfx/buffer_layout.h>

namespace hlv_gfx {

class CVertexBufferLayout : public CBufferLayout {
public:
    HLV_RESOURCE_CLASS(CVertexBufferLayout)

    explicit CVertexBufferLayout(const std::string& name) : CBufferLayout(name) {}

    // Appends a three-float element {1, T_FLOAT, TS_VECTOR3, 12} with the given
    // VERTEX_BUFFER_LAYOUT_SEMANTIC. Returns GFXR_OK.
    std::uint32_t AddElement(std::uint32_t semantic);

    // One VERTEX_BUFFER_LAYOUT_SEMANTIC per element, in element order.
    const std::vector<std::uint32_t>& GetSemantics() const { return m_semantics; }

private:
    std::vector<std::uint32_t> m_semantics;
};
HLV_DEFINE_RESOURCE_CLASS(CVertexBufferLayout, CBufferLayout)

inline const hlv_core::CResourceHandle<CVertexBufferLayout> NULL_VERTEX_BUFFER_LAYOUT =
    hlv_core::Adopt(new CVertexBufferLayout("NULL_VERTEX_BUFFER_LAYOUT"));

}  // namespace hlv_gfx
