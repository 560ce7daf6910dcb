#pragma once
// What the intro, outro and post-processing builders share: registering
// the nodes they make, and the parts the two text scenes are built of (their camera and
// their textured quads).
#include <cstdint>
#include <initializer_list>
#include <string>

#include "scene_lookup.h"

#include <halvo_app/Context/CManagedContext.h>
#include <halvo_core/handle.h>
#include <halvo_gfx/effect.h>
#include <halvo_gfx/framebuffer.h>
#include <halvo_gfx/render_state_set.h>
#include <halvo_gfx/texture.h>
#include <halvo_sg/camera_node.h>
#include <halvo_sg/geo_node.h>
#include <halvo_sg/group_node.h>
#include <halvo_sg/linear_post_processing_node.h>
#include <halvo_slot/CTexture2DSlot.h>
#include <halvo_slot/CVariantSlot.h>
#include <halvo_slot/CViewportSlot.h>

namespace dmo_nimra::scene_parts {

template <typename T>
using Handle = hlv_core::CResourceHandle<T>;

// A new post-processing node registered under its name (when the name is
// free; an existing entry stays).
Handle<hlv_sg::CLinearPostProcessingNode> MakePostProcessingNode(hlv_app::CManagedContext& context,
                                                                 const std::string& name);
// Registers a shade node (owned by the post-processing node that lists it)
// under name, when the name is free.
void RegisterShadeNode(hlv_app::CManagedContext& context, const std::string& name, hlv_shade::IShadeNode* node);

// Takes the state off the set's changed list (its entries become 0, which the
// next AddState refills).
void TakeOffChangedList(hlv_gfx::CRenderStateSet& states, std::uint32_t state);
// Filled faces front and back, back faces culled, clockwise fronts: the
// settings of both text scenes, added to the changed list in the order fill
// mode, cull mode, front face.
void SetFilledFrontFacesOnly(hlv_gfx::CRenderStateSet& states);

// The background of a text scene: a post-processing node registered under
// prefix + "Layer Background", added to the root, with one full-screen pass
// registered under prefix + "Layer1" drawing the effect into the draw buffer
// of "Intro Outro Frame Buffer" over the backplane, with "IntroOutroMasks" on
// "uni_smp_mask1". A missing effect or mask stops the program.
void AddMaskedBackground(hlv_app::CManagedContext& context, hlv_sg::CGroupNode& root, const std::string& prefix,
                         const std::string& effectKey, std::uint32_t drawBuffer,
                         hlv_slot::CViewportOutputSlot* backplane);

// The camera of a text scene: the perspective camera "The Perspective Camera"
// (field of view pi / 4, the viewport's aspect, near 10, far 1000) 100
// units before the origin looking at it, drawing into the given attachments
// of "Intro Outro Frame Buffer" at the viewport; only depth is cleared.
Handle<hlv_sg::CCameraNode> MakeTextCamera(hlv_app::CManagedContext& context, const std::string& name,
                                           hlv_slot::CViewportOutputSlot* viewport, std::uint32_t renderTarget);

// A texture bound to a sampler of an effect's first pass.
struct TextureOnSampler {
    const char* texture;
    const char* sampler;
};

// A quad of the "Particle Quad" buffers (corners at +-1, no texture
// coordinates) drawn with the effect, whose first pass gets the textures.
Handle<hlv_sg::CGeoNode> MakeTextQuad(hlv_app::CManagedContext& context, const std::string& name,
                                      const Handle<hlv_gfx::CEffect>& effect,
                                      std::initializer_list<TextureOnSampler> textures);

}  // namespace dmo_nimra::scene_parts
