#include <halvo_core/property/PropertyTypes.h>
#include <halvo_gfx/index_buffer.h>
#include <halvo_gfx/pixel_buffer.h>
#include <halvo_gfx/vertex_buffer.h>

#include "layout_cast.h"

namespace hlv_gfx {

CVertexBuffer::CVertexBuffer(const std::string& name)
    : CBuffer(name, hlv_core::Adopt<CBufferLayout>(new CVertexBufferLayout("A Vertex Buffer Layout")))
{
}

hlv_core::CResourceHandle<CVertexBufferLayout> CVertexBuffer::GetVertexBufferLayout() const
{
    return detail::ExactOrFallback(GetAnyLayout(), NULL_VERTEX_BUFFER_LAYOUT);
}

CIndexBuffer::CIndexBuffer(const std::string& name)
    : CBuffer(name, hlv_core::Adopt(new CBufferLayout("A Index Buffer Layout")))
{
}

void CIndexBuffer::InitLayout()
{
    auto layout = hlv_core::Adopt(new CBufferLayout("A IBL"));
    layout->AppendElement({1, hlv_core::T_UINT, hlv_core::TS_SCALAR, 4});
    ReplaceLayout(layout);
}

std::uint32_t CIndexBuffer::GetIndexType() const
{
    const auto layout = GetLayout();
    return layout->HasElements() ? layout->GetElements().front().dataType : 0u;
}

CPixelBuffer::CPixelBuffer(const std::string& name)
    : CBuffer(name, hlv_core::Adopt<CBufferLayout>(new CPixelBufferLayout("A Pixel Buffer Layout")))
{
}

hlv_core::CResourceHandle<CPixelBufferLayout> CPixelBuffer::GetPixelBufferLayout() const
{
    return detail::ExactOrFallback(GetAnyLayout(), NULL_PIXEL_BUFFER_LAYOUT);
}

}  // namespace hlv_gfx
