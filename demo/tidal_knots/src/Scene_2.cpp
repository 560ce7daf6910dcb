// Scene 2, the heart of the demo, drawn over its blurred background into
// "Main Frame Buffer Scene 2":
//
//   root ─ "Global Render States"
//            └ "The scene 2 camera"
//                 ├ "Middle Cube Geometry Node"      the bouncing cube
//                 ├ "Middle Cubes"                   1000 cubes crawling over a sphere
//                 ├ "Pressure Cubes"                 two 15 x 15 x 15 lattices
//                 └ "Gliding Particles Render States"
//                      └ "Gliding Effect"            150 sprites, added onto the scene
#include <tidal_knots/SceneBuild.h>

#include <cmath>

#include <halvo_app/Context/CManagedContext.h>
#include <halvo_core/fatal.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_gfx/mt_gfx_system.h>
#include <halvo_ptl/aabb_volume_particle_emitter.h>
#include <halvo_ptl/position_animation_particle_filter.h>
#include <halvo_ptl/random_force_particle_filter.h>
#include <halvo_ptl/random_life_particle_filter.h>
#include <halvo_ptl/system_translation_particle_filter.h>
#include <halvo_sg/default_scene_graph.h>
#include <plovdane/linear_spline.h>
#include <tidal_knots/Controllers/CMainCameraController.h>
#include <tidal_knots/Controllers/CMiddleCubeController.h>
#include <tidal_knots/Controllers/CMiddleCubesController.h>
#include <tidal_knots/Controllers/CPressureCubesAnimationController.h>
#include <tidal_knots/ParticleExtension/gliding_particle_filters.h>
#include <tidal_knots/ParticleExtension/gliding_particle_system_node.h>
#include <tidal_knots/ParticleExtension/middle_cubes_particle_system_node.h>
#include <tidal_knots/ParticleExtension/pressure_cube_particle_filters.h>
#include <tidal_knots/ParticleExtension/pressure_cubes_particle_system_node.h>
#include <tidal_knots/ParticleExtension/quaternion.h>
#include <tidal_knots/ParticleExtension/sphere_surface_particle_filters.h>

#include "Scene2BuildSupport.h"

namespace dmo_nimra::scene2 {

namespace {

using hlv_core::Adopt;

constexpr float kDegree = 0.017453292f;
constexpr std::uint64_t kLatticeSide = CPressureCubesParticleSystemNode::kGridSide;
constexpr float kLatticeSpacing = 4.0f;
const hlv_ptl::particle_volume kSceneVolume{-10000.0f, -10000.0f, -10000.0f, 10000.0f, 10000.0f, 10000.0f};
const hlv_ptl::particle_volume kGlidingVolume{-1000.0f, -1000.0f, -1000.0f, 1000.0f, 1000.0f, 3500.0f};

using GlidePath = pld_math::linear_spline<pld_math::vec3f>;

// The path a gliding sprite follows over its life, offset from its birth
// point, kept by the filter that reads it.
class CGlidePathHolder {
protected:
    CGlidePathHolder()
    {
        m_path.add_point({0.0f, 0.0f, 100.0f});
        m_path.add_point({0.0f, 10.0f, 50.0f});
        m_path.add_point({0.0f, 0.0f, 10.0f});
    }

    GlidePath m_path;
};

// Moves a sprite along the glide path by its life fraction (position =
// initial position + path value).
class CGlideParticleFilter : private CGlidePathHolder,
                             public hlv_ptl::ptl_cpu::CPositionAPF<Particle, const GlidePath*> {
public:
    CGlideParticleFilter() : CPositionAPF(&m_path, hlv_ptl::ptl_cpu::PAM_OFFSET_FROM_INITIAL) {}
};

Handle<hlv_sg::CGeoNode> BuildMiddleCube(const SceneBuildContext& build)
{
    hlv_app::CManagedContext& context = build.context;
    auto cube = Adopt(new hlv_sg::CGeoNode("Middle Cube Geometry Node"));
    // The cube's own instance of the loaded effect: its passes share the
    // programs and keep their own values.
    auto shared = Adopt(new hlv_gfx::CEffect("Middle Cube Shared Effect"));
    if (const Handle<hlv_gfx::CEffect> loaded = FindEffect(context, "MiddleCubeEffect")) {
        for (const auto& pass : loaded->passes) {
            auto copy = Adopt(new hlv_gfx::CRenderPass("Shared Render Pass"));
            copy->CopyFrom(pass);
            shared->passes.push_back(copy);
        }
    }
    auto& bounce = build.controllers.Make<CMiddleCubeController>();
    HLV_FATAL_CHECK(bounce.ConnectToEffect(shared), "The middle cube's effect has no float uni_bounce.");
    cube->GetEffectInput().SetValue(shared);
    cube->SetRenderable(MakeTriangles(context, "Cube", "Derirozuz Cube"));
    cube->AddController(&bounce);
    return cube;
}

Handle<CMiddleCubesParticleSystemNode> BuildMiddleCubes(const SceneBuildContext& build)
{
    hlv_app::CManagedContext& context = build.context;
    auto cubes = Adopt(new CMiddleCubesParticleSystemNode("Middle Cubes"));

    auto* emitter = new FilteredParticleEmitter<4>(new PointParticleEmitter());
    emitter->AddFilter(new CInitializeToSphereSurfaceParticleFilter(25.0f, Vector3{0.0f, 0.0f, 0.0f}));
    auto* crawl =
        new CTranslateToPointOnSphereSurfaceParticleFilter(5.0f, 25.0f, Normalised(Vector3{10.0f, 10.0f, 10.0f}));
    auto* steps = new ParticleFilterGroup<4>();
    steps->AddFilter(crawl);
    cubes->SetPreFilter(steps);
    auto& controller = build.controllers.Make<CMiddleCubesController>(crawl);
    cubes->AddController(&controller);

    LimitedParticleSystem& system = cubes->GetParticleSystem();
    system.SetTargetCount(1000);
    system.SetIntegrationMode(hlv_ptl::ptl_cpu::IM_PREFILTER_THEN_SOLVER);
    cubes->SetEmitterAndVolume(emitter, kSceneVolume);
    build.gfxSystem.CreateTextureMemory(cubes->GetParticleBuffer());
    cubes->SetSamplerName(kParticleSamplerName);
    cubes->AddParticleGeometry(MakeGeometry(context, "Cube Element",
                                            MakeTriangles(context, "Particle Primitive Set", "Derirozuz Cube"),
                                            "MiddleCubesParticleEffect"));
    return cubes;
}

// A lattice's emitter (its cubes in a 15 x 15 x 15 lattice of the given
// orientation) and its per-step filters (a force field, then the
// translation along its path).
struct LATTICE_PARTS {
    ParticleEmitter* emitter;
    ParticleFilter* steps;
    CDebriForceParticleFilter* force;
    CTranslationParticleFilter* translation;
};

LATTICE_PARTS MakeLattice(const Quaternion& orientation, const Vector3& centre, const Vector3& force,
                          const Vector3& translation)
{
    auto* emitter = new FilteredParticleEmitter<4>(new PointParticleEmitter());
    emitter->AddFilter(new CPressureCubeInitialPositionParticleFilter(kLatticeSide, kLatticeSpacing, orientation));
    auto* field = new CDebriForceParticleFilter(centre, 10000.0f, force);
    auto* move = new CTranslationParticleFilter(translation);
    auto* steps = new ParticleFilterGroup<4>();
    steps->AddFilter(field);
    steps->AddFilter(move);
    return {emitter, steps, field, move};
}

void AddLatticeKeys(CPressureCubesAnimationController::Lattice& lattice, const Vector3& centreFrom,
                    const Vector3& centreTo, float radiusFrom, float radiusTo, const Vector3& pathFrom,
                    const Vector3& pathTo)
{
    lattice.forceCentre.AddKey(0, centreFrom);
    lattice.forceCentre.AddKey(60000, centreTo);
    lattice.forceRadius.AddKey(0, radiusFrom);
    lattice.forceRadius.AddKey(60000, radiusTo);
    lattice.path.AddKey(0, pathFrom);
    lattice.path.AddKey(60000, pathTo);
    lattice.lastPathValue = pathFrom;
}

Handle<CPressureCubesParticleSystemNode> BuildPressureCubes(const SceneBuildContext& build)
{
    hlv_app::CManagedContext& context = build.context;
    auto cubes = Adopt(new CPressureCubesParticleSystemNode("Pressure Cubes"));

    const Quaternion tilt = QuaternionFromAxisAngle({1.0f, 0.0f, 0.0f}, 45.0f * kDegree);
    const LATTICE_PARTS top =
        MakeLattice(QuaternionProduct(QuaternionFromAxisAngle({0.0f, 1.0f, 0.0f}, 45.0f * kDegree), tilt),
                    {0.0f, 50.0f, 0.0f}, {0.0f, 0.001f, 0.0f}, {0.0f, 200.0f, 0.0f});
    const LATTICE_PARTS bottom =
        MakeLattice(QuaternionProduct(QuaternionFromAxisAngle({1.0f, 1.0f, 0.0f}, 30.0f * kDegree), tilt),
                    {0.0f, -50.0f, 0.0f}, {0.0f, -0.001f, -0.001f}, {0.0f, -200.0f, 0.0f});
    cubes->SetPreFilter(top.steps);
    cubes->SetSecondPreFilter(bottom.steps);

    auto& controller = build.controllers.Make<CPressureCubesAnimationController>(top.force, top.translation,
                                                                                 bottom.force, bottom.translation);
    AddLatticeKeys(controller.GetLattice(0), {0.0f, 50.0f, 0.0f}, {0.0f, -50.0f, 0.0f}, 10000.0f, 2500.0f,
                   {0.0f, 200.0f, 0.0f}, {0.0f, 100.0f, 0.0f});
    AddLatticeKeys(controller.GetLattice(1), {0.0f, -50.0f, 0.0f}, {0.0f, 150.0f, 0.0f}, 100.0f, 25.0f,
                   {0.0f, -200.0f, 0.0f}, {0.0f, -100.0f, 0.0f});
    cubes->AddController(&controller);

    cubes->ResizeParticleSets();
    cubes->GetParticleSystem().SetIntegrationMode(hlv_ptl::ptl_cpu::IM_PREFILTER_THEN_SOLVER);
    cubes->GetSecondParticleSystem().SetIntegrationMode(hlv_ptl::ptl_cpu::IM_PREFILTER_THEN_SOLVER);
    cubes->SetEmitterAndVolume(top.emitter, kSceneVolume);
    cubes->SetSecondEmitterAndVolume(bottom.emitter, kSceneVolume);
    build.gfxSystem.CreateTextureMemory(cubes->GetParticleBuffer());
    build.gfxSystem.CreateTextureMemory(cubes->GetSecondParticleBuffer());
    cubes->SetSamplerName(kParticleSamplerName);
    cubes->AddParticleGeometry(MakeGeometry(context, "Top Cube Element",
                                            MakeTriangles(context, "Particle Primitive Set", "Derirozuz Cube"),
                                            "PressureCubeParticlesEffect1"));
    cubes->AddSecondParticleGeometry(MakeGeometry(context, "Bottom Cube Element",
                                                  MakeTriangles(context, "Particle Primitive Set", "Derirozuz Cube"),
                                                  "PressureCubeParticlesEffect2"));
    return cubes;
}

// Additive blending (source alpha, one) with the depth test on.
Handle<hlv_sg::CRenderStateNode> MakeGlidingRenderStates()
{
    auto node = Adopt(new hlv_sg::CRenderStateNode("Gliding Particles Render States"));
    hlv_gfx::CRenderStateSet& states = *node->GetRenderStateSet();
    for (const std::uint32_t state :
         {hlv_gfx::RS_DEPTH_TEST, hlv_gfx::RS_BLEND, hlv_gfx::RS_FILLMODE, hlv_gfx::RS_FRONTFACE})
        states.AddState(state);
    states.depthTest = true;
    states.blendFactors[0] = 6;  // source colour: source alpha
    states.blendFactors[2] = 1;  // destination colour: one
    states.frontFace = 0;
    states.fillMode[0] = 2;
    states.fillMode[1] = 1;
    states.fillModeSet[0] = states.fillModeSet[1] = true;
    return node;
}

Handle<CGlidingParticleSystemNode> BuildGlidingParticles(const SceneBuildContext& build)
{
    hlv_app::CManagedContext& context = build.context;
    auto gliding = Adopt(new CGlidingParticleSystemNode("Gliding Effect"));
    auto geometry = MakeGeometry(context, "Particle Geometry",
                                 MakeTriangles(context, "Particle Indexed Primitive Set", "Particle Quad"),
                                 "GlidingParticlesEffect");
    const Handle<hlv_gfx::CEffect> effect = FindEffect(context, "GlidingParticlesEffect");
    if (effect && !effect->passes.empty())
        effect->GetRenderPass(0)->SetTexture(FindTexture(context, "Alpha Particle 1"), "smp_particle");

    Particle glideTemplate;
    glideTemplate.lifetime = 10000;
    using BoxEmitter = hlv_ptl::ptl_cpu::CAabbVolumeParticleEmitter<Particle, ParticleContainer, 100>;
    auto* emitter = new FilteredParticleEmitter<6>(new BoxEmitter(glideTemplate, kGlidingVolume));
    using SystemTranslation = hlv_ptl::ptl_cpu::CParticleSystemTranslationFilter<Particle, OneShotParticleSystem>;
    emitter->AddFilter(new SystemTranslation(&gliding->GetParticleSystem()));
    auto* randomLife = new hlv_ptl::ptl_cpu::CRandomLifeParticleFilter<Particle>(4000, 10000);
    HLV_FATAL_CHECK(emitter->AddFilter(randomLife) == hlv_ptl::PTLR_OK, "SUCCESSED(emitter->AddFilter(random_life))");
    auto* randomForce = new hlv_ptl::ptl_cpu::CRandomForceParticleFilter<Particle, 10000>(5.0f);
    HLV_FATAL_CHECK(emitter->AddFilter(randomForce) == hlv_ptl::PTLR_OK,
                    "SUCCESSED(emitter->AddFilter(random_force_filter))");
    emitter->AddFilter(new CInitialGlidingParticleFilter());

    auto* glide = new ParticleFilterGroup<1>();
    glide->AddFilter(new CGlideParticleFilter());
    gliding->SetPreFilter(glide);
    // The glide is a pre-filter: without this mode it would never run and
    // the sprites would only drift with their random force.
    gliding->GetParticleSystem().SetIntegrationMode(hlv_ptl::ptl_cpu::IM_PREFILTER_THEN_SOLVER);
    gliding->SetEmitterAndVolume(emitter, kGlidingVolume);
    build.gfxSystem.CreateTextureMemory(gliding->GetParticleBuffer());
    gliding->SetSamplerName(kParticleSamplerName);
    gliding->AddParticleGeometry(geometry);
    return gliding;
}

}  // namespace
}  // namespace dmo_nimra::scene2

namespace dmo_nimra {

void BuildScene2(const SceneBuildContext& build)
{
    using namespace scene2;
    hlv_app::CManagedContext& context = build.context;
    hlv_slot::CViewportOutputSlot& viewport = RequireViewport(context, "Backplane Viewport");
    BuildScene2Background(build);

    auto globalStates = MakeGlobalRenderStates();
    build.sceneGraph.GetRoot()->AddChild(globalStates);

    auto camera = MakeCameraNode("The scene 2 camera", "The Perspective Scene 2 Camera", viewport,
                                 FindFramebuffer(context, "Main Frame Buffer Scene 2"), hlv_gfx::CLM_DEPTH_BUFFER);
    auto& flight = build.controllers.Make<CMainCameraController>();
    flight.ConnectPosition(&RequireVectorSlot(context, "Main Camera Position"));
    flight.ConnectLookAt(&RequireVectorSlot(context, "Main Camera Lookat"));
    camera->AddController(&flight);
    globalStates->SetChild(camera);

    camera->AddChild(BuildMiddleCube(build));
    camera->AddChild(BuildMiddleCubes(build));
    camera->AddChild(BuildPressureCubes(build));
    auto glidingStates = MakeGlidingRenderStates();
    glidingStates->SetChild(BuildGlidingParticles(build));
    camera->AddChild(glidingStates);
}

}  // namespace dmo_nimra
