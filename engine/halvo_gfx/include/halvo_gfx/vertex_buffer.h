#pragma once
// Vertices in main memory and the API object of their GPU copy.
#include <halvo_core/handle.h>
#include <halvo_gfx/api_specific.h>
#include <halvo_gfx/buffer.h>
#include <halvo_gfx/vertex_buffer_layout.h>

namespace hlv_gfx {

class CVertexBuffer : public CBuffer {
public:
    HLV_RESOURCE_CLASS(CVertexBuffer)

    // The layout is a new, empty CVertexBufferLayout "A Vertex Buffer Layout".
    explicit CVertexBuffer(const std::string& name);

    // The layout when it is exactly a CVertexBufferLayout, else
    // NULL_VERTEX_BUFFER_LAYOUT.
    hlv_core::CResourceHandle<CVertexBufferLayout> GetVertexBufferLayout() const;

    // Made by the graphics system; empty until then.
    hlv_core::CResourceHandle<IApiSpecific> apiObject;
};
HLV_DEFINE_RESOURCE_CLASS(CVertexBuffer, CBuffer)

}  // namespace hlv_gfx
