#include <tidal_knots/Controllers/CPressureCubesAnimationController.h>

#include <halvo_core/class_info.h>
#include <tidal_knots/ParticleExtension/pressure_cube_particle_filters.h>
#include <tidal_knots/ParticleExtension/pressure_cubes_particle_system_node.h>

namespace dmo_nimra {

CPressureCubesAnimationController::CPressureCubesAnimationController(CDebriForceParticleFilter* force1,
                                                                     CTranslationParticleFilter* translation1,
                                                                     CDebriForceParticleFilter* force2,
                                                                     CTranslationParticleFilter* translation2)
{
    m_lattices[0].force = force1;
    m_lattices[0].translation = translation1;
    m_lattices[1].force = force2;
    m_lattices[1].translation = translation2;
}

std::uint32_t CPressureCubesAnimationController::Update(const hlv_sg::frame_time_record& time)
{
    const std::uint64_t t = time.milliseconds;
    for (Lattice& lattice : m_lattices) {
        if (lattice.force) {
            lattice.forceCentre.Evaluate(t, lattice.force->centre);
            float radius = 0.0f;
            if (lattice.forceRadius.Evaluate(t, radius)) lattice.force->squaredRadius = radius * radius;
        }
        if (!lattice.translation) continue;
        Vector3 onPath{};
        if (lattice.path.Evaluate(t, onPath)) {
            lattice.translation->translation = onPath - lattice.lastPathValue;
            lattice.lastPathValue = onPath;
        } else {
            lattice.translation->translation = Vector3{};
        }
    }
    return 0;
}

bool CPressureCubesAnimationController::AcceptsNode(hlv_sg::INode* node)
{
    return node && hlv_core::IsExactly<CPressureCubesParticleSystemNode>(node);
}

}  // namespace dmo_nimra
