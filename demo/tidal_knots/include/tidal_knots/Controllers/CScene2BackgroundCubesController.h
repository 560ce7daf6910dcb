#pragma once
// Drives the band of large cubes behind Scene 2. Each frame, each keyed item
// only while the time lies within its own keys:
//   emitter position -> the running emitter's template (initial position and
//                       position), where new cubes are born;
//   velocity         -> the velocity filter, how fast new cubes move;
//   spread           -> the position-offset filter's extent, how far from
//                       the emitter they are born;
//   colour mix       -> "uni_mix_color_1_2" of the cubes' effect.
// The burst window is read for its span alone: inside it the metric lets ten
// cubes be born per second, outside it one.
//
// The emitter, the filters and the metric belong to the node's system. The
// controller sits below the node (on its geometry), so it writes them after
// the node's step of the frame has finished and before the next one starts.
#include <cstdint>

#include <halvo_ptl/random_position_offset_particle_filter.h>
#include <halvo_sg/controller.h>
#include <tidal_knots/Controllers/BackgroundSkyInputs.h>
#include <tidal_knots/Controllers/KeyedTrack.h>
#include <tidal_knots/ParticleExtension/particle_types.h>
#include <tidal_knots/ParticleExtension/quaternion.h>

namespace dmo_nimra {

class CBackgroundCubesParticleSystemNode;
class CBackgroundCubesVelocityParticleFilter;

class CScene2BackgroundCubesController : public hlv_sg::IController {
public:
    using SpreadFilter = hlv_ptl::ptl_cpu::CRandomPositionOffsetParticleFilter<Particle, 1000>;

    static constexpr std::uint64_t kEmissionPeriod = 1000;  // milliseconds
    static constexpr std::uint64_t kBurstCount = 10;
    static constexpr std::uint64_t kCalmCount = 1;

    CScene2BackgroundCubesController(CBackgroundCubesParticleSystemNode* node, PointParticleEmitter* emitter,
                                     CBackgroundCubesVelocityParticleFilter* velocity, SpreadFilter* spread);

    // See CBackgroundSkyInputs::ConnectToEffect.
    void ConnectToEffect(const hlv_core::CResourceHandle<hlv_gfx::CEffect>& effect) { m_sky.ConnectToEffect(effect); }

    std::uint32_t Update(const hlv_sg::frame_time_record& time) override;
    // Any node.
    bool AcceptsNode(hlv_sg::INode*) override { return true; }

    CBackgroundSkyInputs& GetSky() { return m_sky; }
    TKeyedTrack<Vector3>& EmitterPositionKeys() { return m_emitterPosition; }
    TKeyedTrack<Vector3>& VelocityKeys() { return m_velocity; }
    TKeyedTrack<Vector3>& SpreadKeys() { return m_spread; }
    TKeyedTrack<float>& BurstWindow() { return m_burstWindow; }

private:
    CBackgroundSkyInputs m_sky;
    TKeyedTrack<Vector3> m_emitterPosition;
    TKeyedTrack<Vector3> m_velocity;
    TKeyedTrack<Vector3> m_spread;
    TKeyedTrack<float> m_burstWindow;
    CBackgroundCubesParticleSystemNode* m_node;
    PointParticleEmitter* m_emitter;
    CBackgroundCubesVelocityParticleFilter* m_velocityFilter;
    SpreadFilter* m_spreadFilter;
};

}  // namespace dmo_nimra
