#pragma once
// Moves the two pressure-cube lattices and their force fields. Per lattice and
// frame, each item only while the time lies within its own keys:
//   force centre  -> the force filter's centre;
//   force radius  -> the force filter's squared radius (radius x radius);
//   path          -> the translation filter moves the lattice by this frame's
//                    step along the path (value now - value read last); out
//                    of the path's keys the step is 0 and the last value stays.
// The translation filters are per-step filters, so a lattice follows its path
// by increments.
#include <array>
#include <cstddef>
#include <cstdint>

#include <halvo_sg/controller.h>
#include <tidal_knots/Controllers/KeyedTrack.h>
#include <tidal_knots/ParticleExtension/quaternion.h>

namespace dmo_nimra {

class CDebriForceParticleFilter;
class CTranslationParticleFilter;

class CPressureCubesAnimationController : public hlv_sg::IController {
public:
    static constexpr std::size_t kLattices = 2;

    // What drives one lattice. The filters belong to the lattice's system.
    struct Lattice {
        CDebriForceParticleFilter* force = nullptr;
        CTranslationParticleFilter* translation = nullptr;
        TKeyedTrack<Vector3> path;
        TKeyedTrack<Vector3> forceCentre;
        TKeyedTrack<float> forceRadius;
        // The path's value read last; where the lattice stands on its path.
        Vector3 lastPathValue{};
    };

    CPressureCubesAnimationController(CDebriForceParticleFilter* force1, CTranslationParticleFilter* translation1,
                                      CDebriForceParticleFilter* force2, CTranslationParticleFilter* translation2);

    // Lattice 0 or 1, for its keys and its starting point.
    Lattice& GetLattice(std::size_t i) { return m_lattices[i]; }

    std::uint32_t Update(const hlv_sg::frame_time_record& time) override;
    // Pressure-cubes nodes only.
    bool AcceptsNode(hlv_sg::INode* node) override;

private:
    std::array<Lattice, kLattices> m_lattices;
};

}  // namespace dmo_nimra
