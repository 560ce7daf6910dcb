#include <tidal_knots/Controllers/CScene2BackgroundCubesController.h>

#include <tidal_knots/ParticleExtension/background_cube_particle_filters.h>
#include <tidal_knots/ParticleExtension/background_cubes_particle_system_node.h>
#include <tidal_knots/ParticleExtension/crawler_particle_metric.h>

namespace dmo_nimra {

CScene2BackgroundCubesController::CScene2BackgroundCubesController(CBackgroundCubesParticleSystemNode* node,
                                                                   PointParticleEmitter* emitter,
                                                                   CBackgroundCubesVelocityParticleFilter* velocity,
                                                                   SpreadFilter* spread)
    : m_node(node), m_emitter(emitter), m_velocityFilter(velocity), m_spreadFilter(spread)
{
}

std::uint32_t CScene2BackgroundCubesController::Update(const hlv_sg::frame_time_record& time)
{
    const std::uint64_t t = time.milliseconds;
    Vector3 value{};
    if (m_emitter && m_emitterPosition.Evaluate(t, value)) {
        m_emitter->GetTemplate().initialPosition = value;
        m_emitter->GetTemplate().position = value;
    }
    if (m_velocityFilter) m_velocity.Evaluate(t, m_velocityFilter->velocity);
    if (m_spreadFilter && m_spread.Evaluate(t, value)) m_spreadFilter->SetExtent({value[0], value[1], value[2]});
    if (m_node) {
        if (auto* metric = dynamic_cast<CCrawlerParticleMetric*>(m_node->GetParticleSystem().GetMetric())) {
            metric->SetEmissionPeriod(kEmissionPeriod);
            metric->SetEmissionExtra(1);
            metric->SetEmissionCount(m_burstWindow.Covers(t) ? kBurstCount : kCalmCount);
        }
    }
    m_sky.Update(t);
    return 0;
}

}  // namespace dmo_nimra
