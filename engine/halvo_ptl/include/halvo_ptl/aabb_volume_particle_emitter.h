#pragma once
// Births particles as copies of a template particle placed at random in a box.
#include <array>
#include <cstdint>

#include <halvo_ptl/particle_emitter.h>
#include <halvo_ptl/random.h>

namespace hlv_ptl::ptl_cpu {

// Common base of the emitters that place particles within a volume.
template <typename P, typename Container>
class AVolumeParticleEmitter : public TBaseParticleEmitter<P, Container> {
};

// Per axis a factor r in [-1/2, 1/2 - 1/Resolution] is drawn; the coordinate
// is |r| times the box's minimum when r < 0, else r times its maximum. So a
// box from -10 to 10 yields coordinates in [-5, 4.9] at resolution 100.
template <typename P, typename Container, int Resolution = 100>
class CAabbVolumeParticleEmitter : public AVolumeParticleEmitter<P, Container> {
    static_assert(Resolution > 1 && Resolution <= kRandomMax + 1);

public:
    // min x, min y, min z, max x, max y, max z
    using box_type = std::array<float, 6>;

    CAabbVolumeParticleEmitter(const P& templateParticle, const box_type& box)
        : m_box(box), m_template(templateParticle)
    {
    }

    // The template's index, then the template, then the position in the box,
    // which becomes the initial position as well.
    PTL_RESULT InitializeParticle(P& particle) override
    {
        particle.index = m_template.index;
        particle = m_template;
        for (int axis = 0; axis < 3; ++axis) {
            const float r = static_cast<float>(Random() % Resolution - Resolution / 2) / static_cast<float>(Resolution);
            const float coordinate = r < 0.0f ? -r * m_box[axis] : r * m_box[axis + 3];
            particle.initialPosition[axis] = coordinate;
            particle.position[axis] = coordinate;
        }
        return PTLR_OK;
    }

    const box_type& GetBox() const { return m_box; }
    const P& GetTemplate() const { return m_template; }

private:
    box_type m_box;
    P m_template;
};

}  // namespace hlv_ptl::ptl_cpu
