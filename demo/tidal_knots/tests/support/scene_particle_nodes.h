#pragma once
// The four particle-system nodes with the loads, emitters and filters Scene 2
// and its background give them (1000 middle cubes, two lattices of 3375
// pressure cubes, 150 gliding sprites, up to 100 background cubes), stepped
// frame by frame as the update thread does. No GL: the texture buffers stay
// in main memory.
#include <cstdint>
#include <numbers>

#include <halvo_core/handle.h>
#include <halvo_gfx/effect.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_ptl/aabb_volume_particle_emitter.h>
#include <halvo_ptl/position_animation_particle_filter.h>
#include <halvo_ptl/random_force_particle_filter.h>
#include <halvo_ptl/random_life_particle_filter.h>
#include <halvo_ptl/random_position_offset_particle_filter.h>
#include <halvo_ptl/system_translation_particle_filter.h>
#include <halvo_sg/frame_time_record.h>
#include <halvo_sg/geo_node.h>
#include <halvo_slot/CEffectSlot.h>
#include <plovdane/linear_spline.h>

#include <tidal_knots/ParticleExtension/background_cube_particle_filters.h>
#include <tidal_knots/ParticleExtension/background_cubes_particle_system_node.h>
#include <tidal_knots/ParticleExtension/crawler_particle_metric.h>
#include <tidal_knots/ParticleExtension/gliding_particle_filters.h>
#include <tidal_knots/ParticleExtension/gliding_particle_system_node.h>
#include <tidal_knots/ParticleExtension/middle_cubes_particle_system_node.h>
#include <tidal_knots/ParticleExtension/particle_attribute_filters.h>
#include <tidal_knots/ParticleExtension/pressure_cube_particle_filters.h>
#include <tidal_knots/ParticleExtension/pressure_cubes_particle_system_node.h>
#include <tidal_knots/ParticleExtension/quaternion.h>
#include <tidal_knots/ParticleExtension/sphere_surface_particle_filters.h>

namespace dmo_nimra_test {

using namespace dmo_nimra;
using hlv_core::Adopt;
using hlv_core::CResourceHandle;

inline constexpr hlv_ptl::particle_volume kSceneVolume{-10000, -10000, -10000, 10000, 10000, 10000};
inline constexpr hlv_ptl::particle_volume kGlidingBox{-1000, -1000, -1000, 1000, 1000, 3500};
inline constexpr hlv_ptl::particle_volume kBackgroundVolume{-5000, -2000, -1000, 5000, 2000, 50000};
inline constexpr float kPi = std::numbers::pi_v<float>;

// An effect of one pass with the particle sampler, as the particle effects'
// shaders declare it.
inline CResourceHandle<hlv_gfx::CEffect> ParticleEffect(const std::string& name)
{
    auto effect = Adopt(new hlv_gfx::CEffect(name));
    auto pass = Adopt(new hlv_gfx::CRenderPass(name + " pass"));
    auto sampler = Adopt(new hlv_gfx::CShaderVariable(kParticleSamplerName));
    sampler->SetType(hlv_gfx::SVT_SAMPLER_BUFFER);
    sampler->AllocateValue(hlv_gfx::ShaderVariableTypeSize(hlv_gfx::SVT_SAMPLER_BUFFER));
    pass->GetVariables().push_back(sampler);
    effect->passes.push_back(pass);
    return effect;
}

// A geometry node drawing with the effect of output.
inline CResourceHandle<hlv_sg::CGeoNode> ParticleGeometry(const std::string& name, hlv_slot::CEffectOutputSlot& effect)
{
    auto geometry = Adopt(new hlv_sg::CGeoNode(name));
    geometry->GetEffectInput().Connect(&effect);
    return geometry;
}

inline void SetUpMiddleCubes(CMiddleCubesParticleSystemNode& node)
{
    auto* emitter = new FilteredParticleEmitter<4>(new PointParticleEmitter());
    emitter->AddFilter(new CInitializeToSphereSurfaceParticleFilter(25.0f, Vector3{0.0f, 0.0f, 0.0f}));
    auto* crawl = new ParticleFilterGroup<4>();
    crawl->AddFilter(new CTranslateToPointOnSphereSurfaceParticleFilter(5.0f, 25.0f, Normalised(Vector3{10, 10, 10})));
    node.SetPreFilter(crawl);
    node.GetParticleSystem().SetTargetCount(CMiddleCubesParticleSystemNode::kCapacity);
    node.GetParticleSystem().SetIntegrationMode(hlv_ptl::ptl_cpu::IM_PREFILTER_THEN_SOLVER);
    node.SetEmitterAndVolume(emitter, kSceneVolume);
}

// A field that pushes the lattice, then the lattice's per-frame translation
// (here a step of the size the scene's controller gives).
inline ParticleFilterGroup<4>* PressureStep(const Vector3& centre, const Vector3& force, const Vector3& translation)
{
    auto* group = new ParticleFilterGroup<4>();
    group->AddFilter(new CDebriForceParticleFilter(centre, 10000.0f, force));
    group->AddFilter(new CTranslationParticleFilter(translation));
    return group;
}

inline FilteredParticleEmitter<4>* LatticeEmitter(const Quaternion& orientation)
{
    auto* emitter = new FilteredParticleEmitter<4>(new PointParticleEmitter());
    emitter->AddFilter(new CPressureCubeInitialPositionParticleFilter(15, 4.0f, orientation));
    return emitter;
}

inline void SetUpPressureCubes(CPressureCubesParticleSystemNode& node)
{
    const Quaternion x45 = QuaternionFromAxisAngle(Vector3{1, 0, 0}, kPi / 4);
    node.SetPreFilter(PressureStep(Vector3{0, 50, 0}, Vector3{0, 0.001f, 0}, Vector3{0, -0.03f, 0}));
    node.SetSecondPreFilter(PressureStep(Vector3{0, -50, 0}, Vector3{0, -0.001f, -0.001f}, Vector3{0, 0.03f, 0}));
    node.ResizeParticleSets();
    node.GetParticleSystem().SetIntegrationMode(hlv_ptl::ptl_cpu::IM_PREFILTER_THEN_SOLVER);
    node.GetSecondParticleSystem().SetIntegrationMode(hlv_ptl::ptl_cpu::IM_PREFILTER_THEN_SOLVER);
    node.SetEmitterAndVolume(LatticeEmitter(QuaternionProduct(QuaternionFromAxisAngle(Vector3{0, 1, 0}, kPi / 4), x45)),
                             kSceneVolume);
    node.SetSecondEmitterAndVolume(
        LatticeEmitter(QuaternionProduct(QuaternionFromAxisAngle(Vector3{1, 1, 0}, kPi / 6), x45)), kSceneVolume);
}

using GlidePath = pld_math::linear_spline<pld_math::vec3f>;

// The path must outlive the node.
inline void SetUpGliding(CGlidingParticleSystemNode& node, const GlidePath& path)
{
    Particle born;
    born.lifetime = 10000;
    using BoxEmitter = hlv_ptl::ptl_cpu::CAabbVolumeParticleEmitter<Particle, ParticleContainer>;
    auto* emitter = new FilteredParticleEmitter<6>(new BoxEmitter(born, kGlidingBox));
    emitter->AddFilter(new hlv_ptl::ptl_cpu::CParticleSystemTranslationFilter<Particle, OneShotParticleSystem>(
        &node.GetParticleSystem()));
    emitter->AddFilter(new hlv_ptl::ptl_cpu::CRandomLifeParticleFilter<Particle>(4000, 10000));
    emitter->AddFilter(new hlv_ptl::ptl_cpu::CRandomForceParticleFilter<Particle>(5.0f));
    emitter->AddFilter(new CInitialGlidingParticleFilter());
    auto* glide = new ParticleFilterGroup<1>();
    glide->AddFilter(new hlv_ptl::ptl_cpu::CPositionAPF<Particle, const GlidePath*>(
        &path, hlv_ptl::ptl_cpu::PAM_OFFSET_FROM_INITIAL));
    node.SetPreFilter(glide);
    node.GetParticleSystem().SetIntegrationMode(hlv_ptl::ptl_cpu::IM_PREFILTER_THEN_SOLVER);
    node.SetEmitterAndVolume(emitter, kGlidingBox);
}

inline void SetUpBackgroundCubes(CBackgroundCubesParticleSystemNode& node)
{
    Particle startTemplate;
    startTemplate.initialPosition = Vector3{500, -450, 800};
    startTemplate.position = Vector3{500, -650, 800};
    auto* startUp = new FilteredParticleEmitter<4>(new PointParticleEmitter(startTemplate));
    startUp->AddFilter(new CConstantUniformSizeParticleFilter(300.0f));
    startUp->AddFilter(new CRandomRotationParticleFilter<Particle, 10000>());
    auto* onPath = new CBackgroundCubeInitialPositionParticleFilter();
    onPath->path.add_point(pld_math::vec3f{-500, -2000, 800});
    onPath->path.add_point(pld_math::vec3f{-1000, 2000, 800});
    startUp->AddFilter(onPath);
    startUp->AddFilter(new CBackgroundCubesVelocityParticleFilter(Vector3{0, 50, 0}));

    Particle runTemplate;
    runTemplate.initialPosition = Vector3{-1000, -2000, 2000};
    runTemplate.position = runTemplate.initialPosition;
    auto* running = new FilteredParticleEmitter<4>(new PointParticleEmitter(runTemplate));
    running->AddFilter(new CConstantUniformSizeParticleFilter(300.0f));
    running->AddFilter(new CRandomRotationParticleFilter<Particle, 10000>());
    running->AddFilter(new CBackgroundCubesVelocityParticleFilter(Vector3{0, 50, 0}));
    running->AddFilter(new hlv_ptl::ptl_cpu::CRandomPositionOffsetParticleFilter<Particle>({1000.0f, 200.0f, 2000.0f}));

    auto* mass = new ParticleFilterGroup<4>();
    mass->AddFilter(new CConstantMassParticleFilter(1.0f));
    node.SetPreFilter(mass);
    LimitedParticleSystem& system = node.GetParticleSystem();
    system.SetTargetCount(20);
    system.SetMetric(new CCrawlerParticleMetric());
    system.SetIntegrationMode(hlv_ptl::ptl_cpu::IM_PREFILTER_THEN_SOLVER);
    node.SetEmitterAndVolume(startUp, kBackgroundVolume);
    system.SetTargetCount(CBackgroundCubesParticleSystemNode::kCapacity);
    system.SetEmitter(running);
}

// The frame time record of frame `frame` at 16 ms a frame.
inline hlv_sg::frame_time_record FrameTime(std::uint64_t frame, std::uint64_t step = 16)
{
    hlv_sg::frame_time_record time;
    time.frameNumber = frame;
    time.milliseconds = frame * step;
    time.seconds = static_cast<double>(time.milliseconds) / 1000.0;
    time.absDeltaMilliseconds = frame == 0 ? 0 : step;
    time.deltaMilliseconds = static_cast<std::int32_t>(time.absDeltaMilliseconds);
    time.deltaSeconds = static_cast<float>(time.absDeltaMilliseconds) / 1000.0f;
    return time;
}

// The four nodes as the scenes build them.
class CSceneParticleNodes {
    // The gliding sprites' path, which outlives the node that reads it.
    GlidePath m_glidePath{5};

public:
    CSceneParticleNodes()
    {
        m_glidePath.add_point(pld_math::vec3f{0, 0, 100});
        m_glidePath.add_point(pld_math::vec3f{0, 10, 50});
        m_glidePath.add_point(pld_math::vec3f{0, 0, 10});
        SetUpMiddleCubes(*middle);
        SetUpPressureCubes(*pressure);
        SetUpGliding(*gliding, m_glidePath);
        SetUpBackgroundCubes(*background);
    }

    // What the update thread does for the nodes each frame.
    void Frame(const hlv_sg::frame_time_record& time)
    {
        middle->UpdateParticleSystem(time);
        pressure->UpdateParticleSystem(time);
        gliding->UpdateParticleSystem(time);
        background->UpdateParticleSystem(time);
    }

    std::uint64_t ParticleCount()
    {
        return middle->GetParticleSystem().GetParticles().size() + pressure->GetParticleSystem().GetParticles().size() +
               pressure->GetSecondParticleSystem().GetParticles().size() +
               gliding->GetParticleSystem().GetParticles().size() +
               background->GetParticleSystem().GetParticles().size();
    }

    CResourceHandle<CMiddleCubesParticleSystemNode> middle = Adopt(new CMiddleCubesParticleSystemNode("Middle Cubes"));
    CResourceHandle<CPressureCubesParticleSystemNode> pressure =
        Adopt(new CPressureCubesParticleSystemNode("Pressure Cubes"));
    CResourceHandle<CGlidingParticleSystemNode> gliding = Adopt(new CGlidingParticleSystemNode("Gliding Effect"));
    CResourceHandle<CBackgroundCubesParticleSystemNode> background =
        Adopt(new CBackgroundCubesParticleSystemNode("Pressure Cubes"));
};

}  // namespace dmo_nimra_test
