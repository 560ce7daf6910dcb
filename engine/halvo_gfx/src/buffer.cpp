#include <halvo_gfx/buffer.h>

#include <algorithm>
#include <cstring>
#include <limits>

#include <halvo_gfx/GFX_RESULT.h>

#include "aligned_block.h"
#include "layout_cast.h"

namespace hlv_gfx {

CBuffer::CBuffer(const std::string& name) : IResource(name), m_layout(NULL_LAYOUT) {}

CBuffer::CBuffer(const std::string& name, const hlv_core::CResourceHandle<CBufferLayout>& layout)
    : IResource(name), m_layout(layout ? layout : NULL_LAYOUT)
{
}

CBuffer::~CBuffer() { FreeStorage(); }

void CBuffer::FreeStorage()
{
    if (m_ownsStorage) detail::FreeAlignedBlock(m_data);
    m_data = nullptr;
    m_storageSize = 0;
}

std::uint32_t CBuffer::Allocate(const hlv_core::CResourceHandle<CBufferLayout>& layout, std::uint64_t count)
{
    const hlv_core::CResourceHandle<CBufferLayout> newLayout = layout;
    if (!newLayout || newLayout->GetStride() == 0) return GFXR_INVALID_ARGUMENT;
    // Mapped API memory is neither freed nor replaced.
    if (m_data && !m_ownsStorage) return GFXR_MAPPING_FAILED;

    const std::uint64_t stride = newLayout->GetStride();
    if (count > std::numeric_limits<std::uint64_t>::max() / stride) return GFXR_INVALID_SIZE;
    const std::uint64_t bytes = stride * count;
    if (m_storageSize >= bytes) return GFXR_OK;

    std::byte* data = detail::AllocateAlignedBlock(bytes);
    if (!data) return GFXR_FAIL;
    if (m_data) std::memcpy(data, m_data, m_storageSize);
    std::memset(data + m_storageSize, 0, bytes - m_storageSize);
    detail::FreeAlignedBlock(m_data);

    m_data = data;
    m_storageSize = bytes;
    m_elementCount = count;
    m_status = 0;
    m_layout = newLayout;
    m_ownsStorage = true;
    return GFXR_OK;
}

hlv_core::CResourceHandle<CBufferLayout> CBuffer::GetLayout() const
{
    return detail::ExactOrFallback(m_layout, NULL_LAYOUT);
}

std::uint64_t CBuffer::GetDataSize() const
{
    if (!m_data) return 0;
    const hlv_core::CResourceHandle<CBufferLayout> layout = m_layout;
    const std::uint64_t stride = layout ? layout->GetStride() : 0;
    if (stride != 0 && m_elementCount > std::numeric_limits<std::uint64_t>::max() / stride)
        return m_ownsStorage ? m_storageSize : 0;
    const std::uint64_t bytes = stride * m_elementCount;
    return m_ownsStorage ? std::min(bytes, m_storageSize) : bytes;
}

bool CBuffer::AttachMappedMemory(void* memory)
{
    if (m_data) return false;
    m_data = static_cast<std::byte*>(memory);
    m_ownsStorage = false;
    return true;
}

void CBuffer::DetachMappedMemory()
{
    if (m_ownsStorage) return;
    m_data = nullptr;
}

}  // namespace hlv_gfx
