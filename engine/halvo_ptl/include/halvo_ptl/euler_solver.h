#pragma once
// The explicit Euler step that integrates a particle's motion.
#include <cstddef>

namespace hlv_ptl::ptl_cpu::cpu_euler {

class TParticleSolver {
public:
    // velocity += dt * inverse mass * force, then position += velocity * dt
    // with the new velocity. The force is left as it is.
    template <typename P>
    void operator()(P& particle, float dt) const
    {
        const auto k = dt * particle.inverseMass;
        for (std::size_t a = 0; a < particle.velocity.size(); ++a) {
            particle.velocity[a] += k * particle.force[a];
            particle.position[a] += particle.velocity[a] * dt;
        }
    }
};

}  // namespace hlv_ptl::ptl_cpu::cpu_euler
