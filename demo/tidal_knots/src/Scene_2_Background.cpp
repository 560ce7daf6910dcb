// The Scene 2 background: a sky quad and a band of large drifting cubes,
// drawn at half the backplane's size into "Scene 2 Background Framebuffer",
// then blurred into "Main Frame Buffer Scene 2", on which Scene 2 draws.
//
//   root ─ "Global Render States"
//            └ "The scene 2 background camera"
//                 ├ "Background Render States" ─ "Background Quad Geometry"
//                 └ "Pressure Cubes" ─ "Background Cube Element"
//        ─ "Intermediate Scene2 Background PostProcess"
//            ("Intermediate Scene2 Background", then the blur)
#include <tidal_knots/SceneBuild.h>

#include <memory>
#include <utility>

#include <halvo_app/Context/CManagedContext.h>
#include <halvo_core/fatal.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_gfx/mt_gfx_system.h>
#include <halvo_ptl/random_position_offset_particle_filter.h>
#include <halvo_sg/default_scene_graph.h>
#include <halvo_sg/linear_post_processing_node.h>
#include <halvo_shade/SHADE_RESULT.h>
#include <halvo_shade/custom_shade_node.h>
#include <halvo_shade/framebuffer_2d_node.h>
#include <tidal_knots/Controllers/CMainCameraController.h>
#include <tidal_knots/Controllers/CScene2BackgroundController.h>
#include <tidal_knots/Controllers/CScene2BackgroundCubesController.h>
#include <tidal_knots/ParticleExtension/background_cube_particle_filters.h>
#include <tidal_knots/ParticleExtension/background_cubes_particle_system_node.h>
#include <tidal_knots/ParticleExtension/crawler_particle_metric.h>
#include <tidal_knots/ParticleExtension/particle_attribute_filters.h>
#include <tidal_knots/load_functions.h>

#include "Scene2BuildSupport.h"

namespace dmo_nimra::scene2 {

namespace {

using hlv_core::Adopt;

constexpr const char* kBackgroundFramebuffer = "Scene 2 Background Framebuffer";
constexpr const char* kBlurNodeName = "Intermediate Scene2 Background PostProcess";

// Where the sky keeps its first colours and where it turns to the climax's.
void AddBackgroundMixKeys(CKeyedFloatOutput& mix)
{
    mix.AddKey(0, 0.0f);
    mix.AddKey(80000, 0.0f);
    mix.AddKey(82000, 1.0f);
    mix.AddKey(102000, 1.0f);
}

// The cubes' course: calm until 82 s, then the burst at a new emitter until
// 103 s.
void AddCubesKeys(CScene2BackgroundCubesController& controller)
{
    const Vector3 calmEmitter{-1000.0f, -2000.0f, 2000.0f};
    const Vector3 burstEmitter{1500.0f, 2000.0f, 2000.0f};
    const Vector3 calmVelocity{0.0f, 50.0f, 0.0f};
    const Vector3 burstVelocity{0.0f, -1000.0f, 0.0f};
    const Vector3 calmSpread{1000.0f, 200.0f, 2000.0f};
    const Vector3 burstSpread{300.0f, -200.0f, 2000.0f};
    const std::pair<TKeyedTrack<Vector3>*, std::pair<Vector3, Vector3>> tracks[] = {
        {&controller.EmitterPositionKeys(), {calmEmitter, burstEmitter}},
        {&controller.VelocityKeys(), {calmVelocity, burstVelocity}},
        {&controller.SpreadKeys(), {calmSpread, burstSpread}},
    };
    for (const auto& [track, values] : tracks) {
        track->AddKey(0, values.first);
        track->AddKey(82000, values.first);
        track->AddKey(82001, values.second);
        track->AddKey(103000, values.second);
    }
    controller.BurstWindow().AddKey(82001, 1.0f);
    controller.BurstWindow().AddKey(103000, 1.0f);
    CKeyedFloatOutput& mix = controller.GetSky().MixKeys();
    mix.AddKey(0, 0.0f);
    mix.AddKey(82000, 0.0f);
    mix.AddKey(82001, 1.0f);
    mix.AddKey(103000, 1.0f);
}

Handle<hlv_sg::CRenderStateNode> MakeBackgroundRenderStates()
{
    auto node = Adopt(new hlv_sg::CRenderStateNode("Background Render States"));
    hlv_gfx::CRenderStateSet& states = *node->GetRenderStateSet();
    for (const std::uint32_t state :
         {hlv_gfx::RS_DEPTH_TEST, hlv_gfx::RS_FILLMODE, hlv_gfx::RS_CULLMODE, hlv_gfx::RS_FRONTFACE})
        states.AddState(state);
    states.depthTest = false;
    states.cullMode = 1;
    states.frontFace = 0;
    states.fillMode[0] = states.fillMode[1] = 2;
    states.fillModeSet[0] = states.fillModeSet[1] = true;
    return node;
}

// The sky: a full-screen quad layering the four backgrounds.
Handle<hlv_sg::CGeoNode> BuildSkyQuad(const SceneBuildContext& build)
{
    hlv_app::CManagedContext& context = build.context;
    auto& controller = build.controllers.Make<CScene2BackgroundController>();
    auto quad = MakeGeometry(context, "Background Quad Geometry",
                             MakeTriangles(context, "Background Indexed Primitive Set", "Particle Quad"),
                             "MapScaledBackgroundScene2");
    const Handle<hlv_gfx::CEffect> effect = FindEffect(context, "MapScaledBackgroundScene2");
    HLV_FATAL_CHECK(effect, "effect.IsValid()");
    HLV_FATAL_CHECK(!effect->passes.empty(), "effect->GetNumRenderPasses()!=0");
    const Handle<hlv_gfx::CRenderPass> pass = effect->GetRenderPass(0);
    const char* const layers[][2] = {{"Background 1", "uni_smp_gb1"},
                                     {"Background 2", "uni_smp_gb2"},
                                     {"Background 3", "uni_smp_gb3"},
                                     {"Background 4", "uni_smp_gb4"}};
    for (const auto& [texture, sampler] : layers) pass->SetTexture(FindTexture(context, texture), sampler);

    controller.ConnectToEffect(effect);
    AddBackgroundMixKeys(controller.GetSky().MixKeys());
    HLV_FATAL_CHECK(controller.GetSky().ConnectBeat(&RequireFloatSlot(context, "Bass Drum loop")), "false");
    quad->AddController(&controller);
    return quad;
}

// The band of large cubes: 20 at start-up along a path, then born one a
// second (ten a second in the burst) at the running emitter.
Handle<CBackgroundCubesParticleSystemNode> BuildBackgroundCubes(const SceneBuildContext& build)
{
    hlv_app::CManagedContext& context = build.context;
    auto cubes = Adopt(new CBackgroundCubesParticleSystemNode("Pressure Cubes"));
    auto element = MakeGeometry(context, "Background Cube Element",
                                MakeTriangles(context, "Particle Primitive Set", "Derirozuz Cube"),
                                "BackgroundTightCubeEffect");

    // Start-up emitter: the first 20 cubes along a path.
    Particle startTemplate;
    startTemplate.initialPosition = {500.0f, -450.0f, 800.0f};
    startTemplate.position = {500.0f, -650.0f, 800.0f};
    auto* startUp = new FilteredParticleEmitter<4>(new PointParticleEmitter(startTemplate));
    startUp->AddFilter(new CConstantUniformSizeParticleFilter(300.0f));
    startUp->AddFilter(new CRandomRotationParticleFilter<Particle, 10000>());
    auto* along = new CBackgroundCubeInitialPositionParticleFilter();
    along->path.add_point({-500.0f, -2000.0f, 800.0f});
    along->path.add_point({-1000.0f, 2000.0f, 800.0f});
    startUp->AddFilter(along);
    startUp->AddFilter(new CBackgroundCubesVelocityParticleFilter({0.0f, 50.0f, 0.0f}));

    // Running emitter, steered by the controller.
    Particle runningTemplate;
    runningTemplate.initialPosition = runningTemplate.position = {-1000.0f, -2000.0f, 2000.0f};
    auto* point = new PointParticleEmitter(runningTemplate);
    auto* running = new FilteredParticleEmitter<4>(point);
    running->AddFilter(new CConstantUniformSizeParticleFilter(300.0f));
    running->AddFilter(new CRandomRotationParticleFilter<Particle, 10000>());
    auto* velocity = new CBackgroundCubesVelocityParticleFilter({0.0f, 50.0f, 0.0f});
    running->AddFilter(velocity);
    auto* spread = new CScene2BackgroundCubesController::SpreadFilter({1000.0f, 200.0f, 2000.0f});
    running->AddFilter(spread);

    auto& controller = build.controllers.Make<CScene2BackgroundCubesController>(cubes.get(), point, velocity, spread);
    const Handle<hlv_gfx::CEffect> effect = FindEffect(context, "BackgroundTightCubeEffect");
    controller.ConnectToEffect(effect);
    AddCubesKeys(controller);
    element->AddController(&controller);
    auto& beat = RequireFloatSlot(context, "Bass Drum loop Background");
    beat.Value() = 1.0f;
    beat.NotifyInputs();
    HLV_FATAL_CHECK(controller.GetSky().ConnectBeat(&beat), "false");

    auto* mass = new ParticleFilterGroup<4>();
    mass->AddFilter(new CConstantMassParticleFilter(1.0f));
    cubes->SetPreFilter(mass);

    LimitedParticleSystem& system = cubes->GetParticleSystem();
    system.SetTargetCount(20);
    system.SetMetric(new CCrawlerParticleMetric());
    system.SetIntegrationMode(hlv_ptl::ptl_cpu::IM_PREFILTER_THEN_SOLVER);
    cubes->SetEmitterAndVolume(startUp, {-5000.0f, -2000.0f, -1000.0f, 5000.0f, 2000.0f, 50000.0f});
    system.SetTargetCount(100);
    system.SetEmitter(running);

    build.gfxSystem.CreateTextureMemory(cubes->GetParticleBuffer());
    cubes->SetSamplerName(kParticleSamplerName);
    cubes->BindParticleBuffer(0, cubes->GetParticleBuffer());
    cubes->BindParticleBuffer(1, cubes->GetParticleBuffer());
    cubes->AddParticleGeometry(element);
    return cubes;
}

// The blur from the background's framebuffer into the scene's: colour into
// attachment 0, and the shared option attachment cleared to "no geometry".
Handle<hlv_sg::CLinearPostProcessingNode> BuildBlur(const SceneBuildContext& build,
                                                    hlv_slot::CViewportOutputSlot& halfViewport)
{
    hlv_app::CManagedContext& context = build.context;
    auto post = Adopt(new hlv_sg::CLinearPostProcessingNode(kBlurNodeName));
    Publish(context.postProcessingNodes, kBlurNodeName, post);

    auto source = std::make_unique<hlv_shade::CFramebuffer2DNode>();
    source->SetFramebuffer(FindFramebuffer(context, kBackgroundFramebuffer));
    source->SetViewport(halfViewport.GetValue());
    context.shadeNodes.Register("Intermediate Scene2 Background", source.get());

    auto blur = std::make_unique<hlv_shade::CCustomShadeNode>();
    context.shadeNodes.Register(std::string(kBlurNodeName) + ": Blur ShadeNode", blur.get());
    // Draw buffers 1 and 3: colour attachment 0 and the shared option attachment.
    blur->SetRenderTarget(FindFramebuffer(context, "Main Frame Buffer Scene 2"), {hlv_gfx::UBM_ZERO, hlv_gfx::UBM_TWO});
    blur->GetEffectInput().Connect(FindEffectOutput(context, "Blur"));
    blur->ConnectViewport(&RequireViewport(context, "Backplane Viewport"));
    blur->ConnectTexture2DInput("uni_is_tex", source->GetColorOutput(0));
    const std::pair<const char*, const char*> reciprocals[] = {{"uni_f_recip_width", "Backplane Width Half Recip"},
                                                               {"uni_f_recip_height", "Backplane Height Half Recip"}};
    for (const auto& [input, name] : reciprocals) {
        hlv_slot::CVariantOutputSlot<float>* slot = context.VariantSlots<float>().FindSlot(name);
        HLV_FATAL_CHECK(slot && blur->ConnectFloatInput(input, slot) == hlv_shade::MSNR_OK, "false");
    }

    post->shadeNodes.push_back(std::move(source));
    post->shadeNodes.push_back(std::move(blur));
    return post;
}

}  // namespace
}  // namespace dmo_nimra::scene2

namespace dmo_nimra {

void BuildScene2Background(const SceneBuildContext& build)
{
    using namespace scene2;
    hlv_app::CManagedContext& context = build.context;
    hlv_slot::CViewportOutputSlot& halfViewport = RequireViewport(context, "Backplane Viewport Half");
    const auto root = build.sceneGraph.GetRoot();

    auto globalStates = MakeGlobalRenderStates();
    root->AddChild(globalStates);

    auto camera = MakeCameraNode("The scene 2 background camera", "The Perspective Background Camera", halfViewport,
                                 FindFramebuffer(context, kBackgroundFramebuffer),
                                 hlv_gfx::CLM_COLOR_BUFFER | hlv_gfx::CLM_DEPTH_BUFFER);
    globalStates->SetChild(camera);
    auto& flight = build.controllers.Make<CMainCameraController>();
    flight.ConnectPosition(&RequireVectorSlot(context, "Background Camera Position"));
    flight.ConnectLookAt(&RequireVectorSlot(context, "Background Camera Lookat"));
    camera->AddController(&flight);

    auto backgroundStates = MakeBackgroundRenderStates();
    camera->AddChild(backgroundStates);
    backgroundStates->SetChild(BuildSkyQuad(build));
    camera->AddChild(BuildBackgroundCubes(build));

    root->AddChild(BuildBlur(build, halfViewport));
}

}  // namespace dmo_nimra
