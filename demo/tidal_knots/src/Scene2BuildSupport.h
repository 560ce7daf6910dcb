#pragma once
// Node makers shared by the Scene 2 and Scene 2 background builders (the
// look-ups are those of every builder, scene_lookup.h).
#include <array>
#include <cstdint>
#include <string>

#include "scene_lookup.h"

#include <halvo_core/handle.h>
#include <halvo_gfx/effect.h>
#include <halvo_gfx/framebuffer.h>
#include <halvo_gfx/texture.h>
#include <halvo_sg/camera_node.h>
#include <halvo_sg/geo_node.h>
#include <halvo_sg/primitive_set.h>
#include <halvo_sg/render_state_node.h>
#include <halvo_slot/CEffectSlot.h>
#include <halvo_slot/CVariantSlot.h>
#include <halvo_slot/CViewportSlot.h>
#include <plovdane/math_types.h>

namespace hlv_app {
class CManagedContext;
}

namespace dmo_nimra::scene2 {

template <typename T>
using Handle = hlv_core::CResourceHandle<T>;

// The deep blue-black of the sea at night (#05101f).
inline constexpr std::array<float, 4> kSeaGround{0.020f, 0.063f, 0.122f, 1.0f};

// Triangles over the vertex and index buffers published under buffersKey.
Handle<hlv_sg::CIndexedPrimitiveSet> MakeTriangles(hlv_app::CManagedContext& context, const std::string& name,
                                                   const std::string& buffersKey);
// A geometry node drawing renderable with the effect published under
// effectKey (its effect input follows the effect slot manager's output).
Handle<hlv_sg::CGeoNode> MakeGeometry(hlv_app::CManagedContext& context, const std::string& name,
                                      const Handle<hlv_sg::IRenderable>& renderable, const std::string& effectKey);

// "Global Render States": depth test on, back faces culled, clockwise front
// faces, front faces filled and back faces as lines; blending is not touched.
Handle<hlv_sg::CRenderStateNode> MakeGlobalRenderStates();

// A camera node drawing into framebuffer (all colour attachments) through a
// perspective camera of a quarter-pi vertical field of view, near 10, far
// 10000, looking from (0, 0, -1000) at the origin until a controller moves it;
// its viewport follows viewport.
Handle<hlv_sg::CCameraNode> MakeCameraNode(const std::string& nodeName, const std::string& cameraName,
                                           hlv_slot::CViewportOutputSlot& viewport,
                                           const Handle<hlv_gfx::CFramebuffer>& framebuffer, std::uint32_t clearMask);

}  // namespace dmo_nimra::scene2
