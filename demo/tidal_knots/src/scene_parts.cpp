#include "scene_parts.h"

#include <algorithm>

#include <halvo_core/fatal.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_gfx/perspective_camera.h>
#include <halvo_sg/primitive_set.h>
#include <halvo_shade/custom_shade_node.h>
#include <tidal_knots/load_functions.h>

namespace dmo_nimra::scene_parts {

Handle<hlv_sg::CLinearPostProcessingNode> MakePostProcessingNode(hlv_app::CManagedContext& context,
                                                                 const std::string& name)
{
    auto node = hlv_core::Adopt(new hlv_sg::CLinearPostProcessingNode(name));
    Publish(context.postProcessingNodes, name, node);
    return node;
}

void RegisterShadeNode(hlv_app::CManagedContext& context, const std::string& name, hlv_shade::IShadeNode* node)
{
    context.shadeNodes.Register(name, node);
}

void TakeOffChangedList(hlv_gfx::CRenderStateSet& states, std::uint32_t state)
{
    std::replace(states.changedStates.begin(), states.changedStates.end(), state, std::uint32_t{0});
}

void SetFilledFrontFacesOnly(hlv_gfx::CRenderStateSet& states)
{
    states.AddState(hlv_gfx::RS_FILLMODE);
    states.AddState(hlv_gfx::RS_CULLMODE);
    states.AddState(hlv_gfx::RS_FRONTFACE);
    for (std::size_t face : {0u, 1u}) {
        states.fillMode[face] = 2;
        states.fillModeSet[face] = true;
    }
    states.cullMode = 1;
    states.frontFace = 0;
}

void AddMaskedBackground(hlv_app::CManagedContext& context, hlv_sg::CGroupNode& root, const std::string& prefix,
                         const std::string& effectKey, std::uint32_t drawBuffer,
                         hlv_slot::CViewportOutputSlot* backplane)
{
    auto layer = MakePostProcessingNode(context, prefix + "Layer Background");
    auto background = std::make_unique<hlv_shade::CCustomShadeNode>();
    RegisterShadeNode(context, prefix + "Layer1", background.get());
    background->SetRenderTarget(FindFramebuffer(context, "Intro Outro Frame Buffer"), {drawBuffer});
    hlv_slot::CEffectOutputSlot* effect = context.effectSlotManager.GetSlot(effectKey);
    HLV_FATAL_CHECK(effect != nullptr, ("The effect \"" + effectKey + "\" is missing.").c_str());
    background->GetEffectInput().Connect(effect);
    background->ConnectViewport(backplane);
    background->GetViewportInput().Refresh();
    hlv_slot::CTexture2DOutputSlot* masks = FindTextureSlot(context, "IntroOutroMasks");
    HLV_FATAL_CHECK(masks != nullptr, "The texture \"IntroOutroMasks\" is missing.");
    background->ConnectTexture2DInput("uni_smp_mask1", masks);
    layer->shadeNodes.push_back(std::move(background));
    root.AddChild(layer);
}

Handle<hlv_sg::CCameraNode> MakeTextCamera(hlv_app::CManagedContext& context, const std::string& name,
                                           hlv_slot::CViewportOutputSlot* viewport, std::uint32_t renderTarget)
{
    auto node = hlv_core::Adopt(new hlv_sg::CCameraNode(name));
    auto camera = hlv_core::Adopt(new hlv_gfx::CPerspectiveCamera("The Perspective Camera"));
    const hlv_gfx::VIEWPORT size = viewport ? viewport->GetValue() : hlv_gfx::VIEWPORT{};
    camera->SetPerspective(0.7853982f, static_cast<float>(size.width) / static_cast<float>(size.height), 10.0f,
                           1000.0f);
    camera->LookAt(pld_math::vec3f{0.0f, 0.0f, 0.0f}, pld_math::vec3f{0.0f, 0.0f, -100.0f});
    node->AddCamera(Handle<hlv_gfx::ICamera>(camera));

    node->framebuffer = FindFramebuffer(context, "Intro Outro Frame Buffer");
    node->renderTarget = renderTarget;
    node->ConnectViewport(viewport);
    node->clearMask = hlv_gfx::CLM_DEPTH_BUFFER;
    node->clearColor = {1.0f, 0.0f, 0.0f, 1.0f};
    return node;
}

Handle<hlv_sg::CGeoNode> MakeTextQuad(hlv_app::CManagedContext& context, const std::string& name,
                                      const Handle<hlv_gfx::CEffect>& effect,
                                      std::initializer_list<TextureOnSampler> textures)
{
    auto quad = hlv_core::Adopt(new hlv_sg::CGeoNode(name));
    const Handle<hlv_gfx::CRenderPass> pass = effect->GetRenderPass(0);
    for (const TextureOnSampler& binding : textures)
        pass->SetTexture(FindTexture(context, binding.texture), binding.sampler);
    quad->GetEffectInput().SetValue(effect);

    auto primitives = hlv_core::Adopt(new hlv_sg::CIndexedPrimitiveSet("Text Indexed Primitive Set"));
    primitives->primitiveType = hlv_gfx::PT_TRIANGLES;
    primitives->vertexBuffer = Handle<hlv_gfx::CVertexBuffer>(context.vertexBuffers.Get("Particle Quad"));
    primitives->indexBuffer = Handle<hlv_gfx::CIndexBuffer>(context.indexBuffers.Get("Particle Quad"));
    quad->SetRenderable(Handle<hlv_sg::IRenderable>(primitives));
    return quad;
}

}  // namespace dmo_nimra::scene_parts
