#pragma once
// Description of the elements of a buffer: what one buffer element is made of.
#include <cstdint>
#include <vector>

#include <halvo_core/handle.h>
#include <halvo_core/resource.h>

namespace hlv_gfx {

// One kind of value inside a buffer element.
struct BUFFER_LAYOUT_ELEMENT {
    std::uint64_t count = 0;      // values of this kind per buffer element
    std::uint32_t dataType = 0;   // VALUE_TYPE
    std::uint32_t structure = 0;  // VALUE_STRUCTURE
    std::uint64_t byteSize = 0;   // bytes of this element

    friend bool operator==(const BUFFER_LAYOUT_ELEMENT&, const BUFFER_LAYOUT_ELEMENT&) = default;
};

// The elements of a buffer element in order, and the stride (their total size).
// Layouts are shared through handles and may be changed in place by their
// owner (a pixel format or texel format change); buffers remember the size of
// the storage they really hold, so such a change never confuses them.
class CBufferLayout : public hlv_core::IResource {
public:
    HLV_RESOURCE_CLASS(CBufferLayout)

    explicit CBufferLayout(const std::string& name) : IResource(name) {}

    const std::vector<BUFFER_LAYOUT_ELEMENT>& GetElements() const { return m_elements; }
    std::uint64_t GetStride() const { return m_stride; }
    bool HasElements() const { return !m_elements.empty(); }

    // Appends an element and adds its size to the stride.
    void AppendElement(const BUFFER_LAYOUT_ELEMENT& element);
    // Rewrites the first element and adjusts the stride by the size change.
    // A layout without elements is left as it is; returns false then.
    bool ReplaceFirstElement(const BUFFER_LAYOUT_ELEMENT& element);

private:
    std::vector<BUFFER_LAYOUT_ELEMENT> m_elements;
    std::uint64_t m_stride = 0;
};
HLV_DEFINE_RESOURCE_CLASS(CBufferLayout, hlv_core::IResource)

// The layout without elements: every buffer's layout before it gets storage,
// and the answer of layout accessors that find a layout of another class.
inline const hlv_core::CResourceHandle<CBufferLayout> NULL_LAYOUT = hlv_core::Adopt(new CBufferLayout("NULL_LAYOUT"));

}  // namespace hlv_gfx
