// The outro: a masked background drawn as one full-screen pass and five text
// quads (logo, group and demo name, coder, musician, greetings) seen through
// a perspective camera, all into colour attachment 1 of "Intro Outro Frame
// Buffer"; the final pass fades it in over 78-80 s. COutroTextController
// fades the credits in and out between 75 s and 110 s.
#include <tidal_knots/SceneBuild.h>

#include <halvo_gfx/gfx_types.h>
#include <halvo_sg/default_scene_graph.h>
#include <halvo_sg/render_state_node.h>
#include <halvo_sg/trafo_node.h>
#include <tidal_knots/Controllers/COutroTextController.h>

#include "scene_parts.h"

namespace dmo_nimra {

void BuildOutroScene(const SceneBuildContext& build)
{
    using namespace scene_parts;
    const std::string prefix = "Outro Scene: ";
    hlv_app::CManagedContext& context = build.context;
    hlv_slot::CViewportOutputSlot* backplane = FindViewport(context, "Backplane Viewport");
    const auto root = build.sceneGraph.GetRoot();

    // The background pass, into colour attachment 1.
    AddMaskedBackground(context, *root, prefix, "MapBackgroundOutro", hlv_gfx::UBM_ONE, backplane);

    // The quads, drawn over it into the same attachment.
    auto states = hlv_core::Adopt(new hlv_sg::CRenderStateNode("Outro Render States"));
    root->AddChild(states);
    hlv_gfx::CRenderStateSet& stateSet = *states->GetRenderStateSet();
    TakeOffChangedList(stateSet, hlv_gfx::RS_DEPTH_TEST);
    stateSet.depthTest = false;
    TakeOffChangedList(stateSet, hlv_gfx::RS_BLEND);
    SetFilledFrontFacesOnly(stateSet);

    auto camera = MakeTextCamera(context, "The outro camera", backplane, hlv_gfx::UBM_ONE);
    states->SetChild(camera);

    auto trafo = hlv_core::Adopt(new hlv_sg::CTrafoNode("OutroTextBaseTrafo"));
    trafo->LocalTransform().translation = pld_math::vec3f{-30.0f, 10.0f, 10.0f};
    camera->AddChild(trafo);

    auto& controller = build.controllers.Make<COutroTextController>();
    trafo->AddController(&controller);

    using Outro = COutroTextController;

    const auto logoEffect = RequireEffect(context, "TextLogoOutro");
    auto logo = MakeTextQuad(context, "Outro Logo Quad Geometry", logoEffect, {{"Logo", "uni_tex_smp"}});
    controller.SetLogoEffect(logoEffect);
    controller.LogoBlend().AddKeys(Outro::kLogoKeys);
    trafo->AddChild(logo);

    const auto groupEffect = RequireEffect(context, "TextDemoGroupOutro");
    auto group = MakeTextQuad(context, "Outro Group Name Quad Geometry", groupEffect,
                              {{"GroupName", "uni_smp_group"}, {"DemoName", "uni_smp_demo"}});
    controller.SetGroupNameEffect(groupEffect);
    controller.GroupBlend().AddKeys(Outro::kGroupKeys);
    controller.DemoBlend().AddKeys(Outro::kDemoKeys);
    controller.MixBlend().AddKeys(Outro::kMixKeys);
    trafo->AddChild(group);

    const auto coderEffect = RequireEffect(context, "TextCodeOutro");
    auto coder = MakeTextQuad(context, "Coder Quad Geometry", coderEffect, {{"Code", "uni_tex_smp"}});
    controller.SetCoderEffect(coderEffect);
    controller.CoderBlend().AddKeys(Outro::kCoderKeys);
    trafo->AddChild(coder);

    const auto musicEffect = RequireEffect(context, "TextMusicOutro");
    auto music = MakeTextQuad(context, "Music Composer Quad Geometry", musicEffect, {{"Music", "uni_tex_smp"}});
    controller.SetMusicEffect(musicEffect);
    controller.MusicBlend().AddKeys(Outro::kMusicKeys);
    trafo->AddChild(music);

    const auto greetingsEffect = RequireEffect(context, "TextGreetingsOutro");
    auto greetings = MakeTextQuad(context, "Vob Quad Geometry", greetingsEffect, {{"vOB", "uni_tex_smp"}});
    controller.SetGreetingsEffect(greetingsEffect);
    controller.GreetingsBlend().AddKeys(Outro::kGreetingsKeys);
    trafo->AddChild(greetings);
}

}  // namespace dmo_nimra
