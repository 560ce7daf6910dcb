// The intro: a masked sea-night background drawn as one full-screen pass and
// the logo and title quads seen through a perspective camera, all into
// "Intro Outro Frame Buffer"; the final pass shows it for the first ten
// seconds. CIntroTextController fades logo and title in over 0-6 s.
#include <tidal_knots/SceneBuild.h>

#include <halvo_gfx/gfx_types.h>
#include <halvo_sg/default_scene_graph.h>
#include <halvo_sg/render_state_node.h>
#include <halvo_sg/trafo_node.h>
#include <tidal_knots/Controllers/CIntroTextController.h>

#include "scene_parts.h"

namespace dmo_nimra {

void BuildIntroScene(const SceneBuildContext& build)
{
    using namespace scene_parts;
    const std::string prefix = "Intro Scene: ";
    hlv_app::CManagedContext& context = build.context;
    hlv_slot::CViewportOutputSlot* backplane = FindViewport(context, "Backplane Viewport");
    const auto root = build.sceneGraph.GetRoot();

    // The background pass, into colour attachment 0.
    AddMaskedBackground(context, *root, prefix, "MapBackgroundIntro", hlv_gfx::UBM_ZERO, backplane);

    // The quads, drawn over it into every colour attachment.
    auto states = hlv_core::Adopt(new hlv_sg::CRenderStateNode("Intro Render States"));
    root->AddChild(states);
    hlv_gfx::CRenderStateSet& stateSet = *states->GetRenderStateSet();
    TakeOffChangedList(stateSet, hlv_gfx::RS_DEPTH_TEST);
    SetFilledFrontFacesOnly(stateSet);

    auto camera = MakeTextCamera(context, "The intro camera", backplane, hlv_gfx::UBM_ALL);
    states->SetChild(camera);

    auto trafo = hlv_core::Adopt(new hlv_sg::CTrafoNode("LogoWithNameTrafo"));
    trafo->LocalTransform().translation = pld_math::vec3f{10.0f, 0.0f, 10.0f};
    camera->AddChild(trafo);

    auto& controller = build.controllers.Make<CIntroTextController>();
    trafo->AddController(&controller);

    // Each text pass reads the background's mask too, so that it draws its
    // image over the same picture the background pass made (blending is off).
    const auto logoEffect = RequireEffect(context, "TextLogo");
    auto logo = MakeTextQuad(context, "Intro Logo Quad Geometry", logoEffect,
                             {{"Logo", "uni_tex_smp"}, {"IntroOutroMasks", "uni_smp_mask1"}});
    controller.SetLogoEffect(logoEffect);
    controller.Interpolator().AddKeys(CIntroTextController::kInterpolatorKeys);
    trafo->AddChild(logo);

    const auto nameEffect = RequireEffect(context, "TextDemo");
    auto name = MakeTextQuad(context, "Intro Demo Name Quad Geometry", nameEffect,
                             {{"DemoName", "uni_tex_smp"}, {"IntroOutroMasks", "uni_smp_mask1"}});
    controller.SetDemoNameEffect(nameEffect);
    controller.Blend().AddKeys(CIntroTextController::kBlendKeys);
    trafo->AddChild(name);
}

}  // namespace dmo_nimra
