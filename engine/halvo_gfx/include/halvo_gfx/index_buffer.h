#pragma once
// Indices in main memory and the API object of their GPU copy.
#include <cstdint>

#include <halvo_core/handle.h>
#include <halvo_gfx/api_specific.h>
#include <halvo_gfx/buffer.h>

namespace hlv_gfx {

class CIndexBuffer : public CBuffer {
public:
    HLV_RESOURCE_CLASS(CIndexBuffer)

    // The layout is a new, empty CBufferLayout "A Index Buffer Layout".
    explicit CIndexBuffer(const std::string& name);

    // Replaces the layout by a new "A IBL" of one T_UINT scalar, stride 4.
    void InitLayout();

    // The VALUE_TYPE of one index: the data type of the layout's first element
    // (NULL_LAYOUT's when the layout is of another class); 0 without element.
    std::uint32_t GetIndexType() const;

    // Made by the graphics system; empty until then.
    hlv_core::CResourceHandle<IApiSpecific> apiObject;
};
HLV_DEFINE_RESOURCE_CLASS(CIndexBuffer, CBuffer)

}  // namespace hlv_gfx
