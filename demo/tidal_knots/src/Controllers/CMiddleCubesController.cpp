#include <tidal_knots/Controllers/CMiddleCubesController.h>

#include <halvo_core/class_info.h>
#include <tidal_knots/ParticleExtension/middle_cubes_particle_system_node.h>
#include <tidal_knots/ParticleExtension/quaternion.h>
#include <tidal_knots/ParticleExtension/sphere_surface_particle_filters.h>

namespace dmo_nimra {

namespace {
constexpr float kQuarterTurn = 1.5707964f;  // 90 degrees
}  // namespace

std::uint32_t CMiddleCubesController::Update(const hlv_sg::frame_time_record& time)
{
    const auto parity = static_cast<std::uint32_t>((time.milliseconds / 1000) % 2);
    if (parity == m_parity || !m_filter) return 0;
    m_parity = parity;
    const Vector3 d = m_filter->targetDirection;
    const Quaternion turn = QuaternionFromAxisAngle(Vector3{d[1], d[0], -d[2]}, kQuarterTurn);
    m_filter->targetDirection = RotateByQuaternion(turn, d) * -1.0f;
    return 0;
}

bool CMiddleCubesController::AcceptsNode(hlv_sg::INode* node)
{
    return node && hlv_core::IsExactly<CMiddleCubesParticleSystemNode>(node);
}

}  // namespace dmo_nimra
