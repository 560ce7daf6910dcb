#include <halvo_gfx/image.h>

#include <limits>

#include <halvo_gfx/GFX_RESULT.h>

namespace hlv_gfx {

CImage::CImage(const std::string& name)
    : IResource(name), m_pixelBuffer(hlv_core::Adopt(new CPixelBuffer("The Image Pixel Buffer")))
{
}

hlv_core::CResourceHandle<CPixelBufferLayout> CImage::GetLayout() const
{
    const auto pixels = m_pixelBuffer;
    return pixels ? pixels->GetPixelBufferLayout() : NULL_PIXEL_BUFFER_LAYOUT;
}

std::uint32_t CImage::SetFormat(std::uint32_t colorFormat, std::uint32_t dataType)
{
    const auto pixels = m_pixelBuffer;
    if (!pixels) return GFXR_INVALID_HANDLE;
    const auto layout = pixels->GetPixelBufferLayout();
    // The shared fallback layout is never changed.
    if (layout == NULL_PIXEL_BUFFER_LAYOUT) return GFXR_INVALID_ARGUMENT;
    const std::uint32_t formatResult = layout->SetFormat(colorFormat, dataType);
    if (formatResult != GFXR_OK) return formatResult;
    if (m_width != 0 && m_height > std::numeric_limits<std::uint64_t>::max() / m_width) return GFXR_INVALID_SIZE;
    const std::uint32_t result = pixels->Allocate(layout, m_width * m_height);
    if (result == GFXR_OK) m_allocated = true;
    return result;
}

std::uint32_t CImage::Allocate(std::uint64_t width, std::uint64_t height)
{
    const auto pixels = m_pixelBuffer;
    if (!pixels) return GFXR_INVALID_HANDLE;
    if (width != 0 && height > std::numeric_limits<std::uint64_t>::max() / width) return GFXR_FAIL;
    if (pixels->Allocate(pixels->GetPixelBufferLayout(), width * height) != GFXR_OK) return GFXR_FAIL;
    m_width = width;
    m_height = height;
    m_allocated = true;
    return GFXR_OK;
}

std::uint32_t CImage::GetType() const
{
    const auto layout = GetLayout();
    return layout->HasElements() ? layout->GetElements().front().dataType : 0u;
}

std::uint32_t CImage::GetFormat() const { return GetLayout()->GetColorFormat(); }

hlv_core::CResourceHandle<CImage> CImage::Clone() const
{
    auto copy = hlv_core::Adopt(new CImage(GetName() + " copy"));
    copy->m_width = m_width;
    copy->m_height = m_height;
    copy->m_allocated = m_allocated;
    copy->m_pixelBuffer.Reset();
    return copy;
}

}  // namespace hlv_gfx
