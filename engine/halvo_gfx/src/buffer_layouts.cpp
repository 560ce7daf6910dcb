#include <halvo_core/property/PropertyTypes.h>
#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/buffer_layout.h>
#include <halvo_gfx/pixel_buffer_layout.h>
#include <halvo_gfx/value_sizes.h>
#include <halvo_gfx/vertex_buffer_layout.h>

namespace hlv_gfx {

void CBufferLayout::AppendElement(const BUFFER_LAYOUT_ELEMENT& element)
{
    m_elements.push_back(element);
    m_stride += element.byteSize;
}

bool CBufferLayout::ReplaceFirstElement(const BUFFER_LAYOUT_ELEMENT& element)
{
    if (m_elements.empty()) return false;
    m_stride = m_stride - m_elements.front().byteSize + element.byteSize;
    m_elements.front() = element;
    return true;
}

std::uint32_t CVertexBufferLayout::AddElement(std::uint32_t semantic)
{
    AppendElement({1, hlv_core::T_FLOAT, hlv_core::TS_VECTOR3, 12});
    m_semantics.push_back(semantic);
    return GFXR_OK;
}

CPixelBufferLayout::CPixelBufferLayout(const std::string& name) : CBufferLayout(name)
{
    AppendElement({1, hlv_core::T_CHAR, hlv_core::TS_SCALAR, 1});
}

std::uint32_t CPixelBufferLayout::SetFormat(std::uint32_t colorFormat, std::uint32_t dataType)
{
    m_colorFormat = colorFormat;
    const std::uint32_t structure = ColorFormatStructure(colorFormat);
    const std::uint64_t size = std::uint64_t{StructureComponents(structure)} * ValueTypeSize(dataType);
    if (!ReplaceFirstElement({1, dataType, structure, size})) return GFXR_INVALID_ARGUMENT;
    return GFXR_OK;
}

}  // namespace hlv_gfx
