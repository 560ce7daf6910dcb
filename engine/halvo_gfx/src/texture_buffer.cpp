#include <halvo_gfx/texture_buffer.h>

#include <halvo_core/property/PropertyTypes.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_gfx/value_sizes.h>

namespace hlv_gfx {

namespace {

hlv_core::CResourceHandle<CBufferLayout> MakePlaceholderLayout()
{
    auto layout = hlv_core::Adopt(new CBufferLayout("Buffer Layout"));
    layout->AppendElement({1, 0, 0, 0});
    return layout;
}

}  // namespace

CTextureBuffer::CTextureBuffer(const std::string& name)
    : IResource(name),
      m_memory(hlv_core::Adopt(new CBuffer("Texture Memory", MakePlaceholderLayout()))),
      m_memoryHint(MH_DYNAMIC_DRAW)
{
}

std::uint32_t CTextureBuffer::SetTexelFormat()
{
    std::lock_guard<boost::mutex> lock(m_dataMutex);
    if (m_texelFormat == TMF_RGBA32F) return GFXR_OK;

    const std::uint32_t structure = hlv_core::TS_VECTOR4;
    const std::uint32_t dataType = hlv_core::T_FLOAT;
    const std::uint64_t texelSize = std::uint64_t{StructureComponents(structure)} * ValueTypeSize(dataType);

    const auto layout = m_memory->GetLayout();
    layout->ReplaceFirstElement({1, dataType, structure, texelSize});
    if (m_memory->Allocate(layout, m_memory->GetElementCount()) != GFXR_OK) return GFXR_FAIL;

    m_texelFormat = TMF_RGBA32F;
    return GFXR_OK;
}

}  // namespace hlv_gfx
