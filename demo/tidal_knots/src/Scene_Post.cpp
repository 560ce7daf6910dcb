// The post-processing chain, the root's last child: "Scene2 Node" publishes
// the scene framebuffers and runs the downsample, ambient-occlusion,
// depth-to-alpha and overlay passes; "StS Node" draws the final pass to the
// screen, cross-fading intro, main scene and outro under CXFadeStSController.
#include <tidal_knots/SceneBuild.h>

#include <memory>
#include <string>
#include <vector>

#include <halvo_core/fatal.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_sg/default_scene_graph.h>
#include <halvo_sg/group_node.h>
#include <halvo_shade/custom_shade_node.h>
#include <halvo_shade/framebuffer_2d_node.h>
#include <tidal_knots/Controllers/CXFadeStSController.h>

#include "scene_parts.h"

namespace dmo_nimra {

namespace {

// Publishes a framebuffer's attachments under key and appends the node.
hlv_shade::CFramebuffer2DNode* AddFramebufferPublisher(hlv_app::CManagedContext& context,
                                                       hlv_sg::CLinearPostProcessingNode& chain, const std::string& key,
                                                       const std::string& framebuffer,
                                                       const hlv_gfx::VIEWPORT& viewport)
{
    auto node = std::make_unique<hlv_shade::CFramebuffer2DNode>();
    scene_parts::RegisterShadeNode(context, key, node.get());
    node->SetFramebuffer(FindFramebuffer(context, framebuffer));
    node->SetViewport(viewport);
    hlv_shade::CFramebuffer2DNode* kept = node.get();
    chain.shadeNodes.push_back(std::move(node));
    return kept;
}

// A full-screen pass registered under key, drawing the effect effectKey
// into one attachment of a framebuffer (none: the screen) at the viewport.
std::unique_ptr<hlv_shade::CCustomShadeNode> MakePostPass(hlv_app::CManagedContext& context, const std::string& key,
                                                          const std::string& framebuffer, unsigned drawBuffer,
                                                          const std::string& effectKey, const std::string& viewport)
{
    auto pass = std::make_unique<hlv_shade::CCustomShadeNode>();
    scene_parts::RegisterShadeNode(context, key, pass.get());
    if (!framebuffer.empty()) pass->SetRenderTarget(FindFramebuffer(context, framebuffer), {drawBuffer});
    pass->GetEffectInput().Connect(context.effectSlotManager.GetSlot(effectKey));
    pass->ConnectViewport(FindViewport(context, viewport));
    return pass;
}

// Colour output i of a framebuffer node, or null.
hlv_slot::CTexture2DOutputSlot* ColourOutput(const hlv_shade::CFramebuffer2DNode* node, std::size_t i)
{
    return node ? node->GetColorOutput(i) : nullptr;
}

}  // namespace

void BuildPostProcessing(const SceneBuildContext& build)
{
    using namespace scene_parts;
    hlv_app::CManagedContext& context = build.context;
    const hlv_slot::CViewportOutputSlot* backplane = FindViewport(context, "Backplane Viewport");
    const hlv_gfx::VIEWPORT viewport = backplane ? backplane->GetValue() : hlv_gfx::VIEWPORT{};

    // What the scenes drew, then the passes over it.
    auto scene2 = MakePostProcessingNode(context, "Scene2 Node");
    const auto* mainScene =
        AddFramebufferPublisher(context, *scene2, "MainFramebufferScene2", "Main Frame Buffer Scene 2", viewport);
    AddFramebufferPublisher(context, *scene2, "BackgroundFramebufferScene2", "Scene 2 Background Framebuffer",
                            viewport);
    const auto* layer = AddFramebufferPublisher(context, *scene2, "LayerFramebuffer", "Layer Frame Buffer", viewport);
    AddFramebufferPublisher(context, *scene2, "Postprocessing", "Postprocessing Framebuffer", viewport);
    hlv_slot::CDepthTexture2DOutputSlot* mainDepth = mainScene ? mainScene->GetDepthOutput() : nullptr;

    auto downsample = MakePostPass(context, "PostDownsample1", "Postprocessing Framebuffer", hlv_gfx::UBM_ZERO,
                                   "PostDownsample1", "Backplane Viewport Half");
    downsample->ConnectTexture2DInput("uni_is_tex", ColourOutput(mainScene, 0));
    downsample->ConnectFloatInput("uni_f_recip_width", &RequireFloatSlot(context, "Backplane Width Half Recip"));
    downsample->ConnectFloatInput("uni_f_recip_height", &RequireFloatSlot(context, "Backplane Height Half Recip"));
    scene2->shadeNodes.push_back(std::move(downsample));

    auto ssao = MakePostPass(context, "PostSSAO1", "Postprocessing Framebuffer", hlv_gfx::UBM_ONE, "PostSSAO1",
                             "Backplane Viewport");
    ssao->ConnectDepthTexture2DInput("depth", mainDepth);
    ssao->ConnectTexture2DInput("option_mask", ColourOutput(mainScene, 2));
    ssao->ConnectTexture2DInput("rand", FindTextureSlot(context, "Random SSAO Texture"));
    ssao->ConnectFloatInput("uni_f_screen_size_x", &RequireFloatSlot(context, "Backplane Width"));
    ssao->ConnectFloatInput("uni_f_screen_size_y", &RequireFloatSlot(context, "Backplane Height"));
    hlv_slot::CTexture2DOutputSlot* ssaoResult = ssao->GetOutputSlot(hlv_gfx::UBM_ONE);
    scene2->shadeNodes.push_back(std::move(ssao));

    auto depthToA = MakePostPass(context, "PostMapDepthToA1", "Postprocessing Framebuffer", hlv_gfx::UBM_ONE,
                                 "PostDepthToA", "Backplane Viewport");
    auto& floats = context.VariantSlots<float>();
    const std::size_t depthScale = floats.AddSlot("PostDepthScale", 10.0f);
    HLV_FATAL_CHECK(depthScale != floats.npos, "The float slot \"PostDepthScale\" exists already.");
    depthToA->ConnectDepthTexture2DInput("smp_depth", mainDepth);
    depthToA->ConnectFloatInput("uni_scale_f", floats.GetSlot(depthScale));
    scene2->shadeNodes.push_back(std::move(depthToA));

    auto overlay =
        MakePostPass(context, "Layer1", "Layer Frame Buffer", hlv_gfx::UBM_ZERO, "OverlayScene2", "Backplane Viewport");
    overlay->ConnectTexture2DInput("uni_smp_base", ColourOutput(mainScene, 0));
    overlay->ConnectTexture2DInput("uni_smp_overlay", FindTextureSlot(context, "Overlay 1"));
    overlay->ConnectTexture2DInput("uni_smp_overlay2", FindTextureSlot(context, "Overlay 4"));
    overlay->ConnectTexture2DInput("uni_smp_overlay3", FindTextureSlot(context, "Overlay 6"));
    scene2->shadeNodes.push_back(std::move(overlay));

    // The final pass, to the screen.
    auto screen = MakePostProcessingNode(context, "StS Node");
    const auto* introOutro =
        AddFramebufferPublisher(context, *screen, "Intro Outro Frame Buffer", "Intro Outro Frame Buffer", viewport);
    auto toScreen = MakePostPass(context, "StS Node: SceneToScreen", "", 0, "SceneToScreen", "Screen Viewport");
    toScreen->ConnectTexture2DInput("uni_smp_intro", ColourOutput(introOutro, 0));
    toScreen->ConnectTexture2DInput("uni_smp_main", ColourOutput(layer, 0));
    toScreen->ConnectTexture2DInput("uni_smp_outro", ColourOutput(introOutro, 1));
    toScreen->ConnectTexture2DInput("uni_smp_ssao", ssaoResult);

    auto& crossFade = build.controllers.Make<CXFadeStSController>();
    crossFade.Mix1().AddKeys(CXFadeStSController::kMix1Keys);
    crossFade.Mix2().AddKeys(CXFadeStSController::kMix2Keys);
    crossFade.Bind(toScreen.get());
    screen->AddController(&crossFade);
    screen->shadeNodes.push_back(std::move(toScreen));

    auto group = hlv_core::Adopt(new hlv_sg::CGroupNode("Post Processing Group"));
    build.sceneGraph.GetRoot()->AddChild(group);
    for (const char* name : {"Scene2 Node", "StS Node"})
        group->AddChild(hlv_core::CResourceHandle<hlv_sg::INode>(context.postProcessingNodes.Get(name)));
}

}  // namespace dmo_nimra
