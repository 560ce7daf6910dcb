#pragma once
// The 48-byte record in which a particle reaches the shaders: twelve floats,
// read as three RGBA texels.
//
//   bytes  0..11  position x, y, z      12  weight (size or mass)
//   bytes 16..27  velocity x, y, z      28  life fraction
//   bytes 32..47  rotation x, y, z, w   (the record's quaternion is w, x, y, z)
//
// Weight names the particle field written at byte 12; render-particle types
// differ only in that choice.
#include <cstdint>
#include <type_traits>

namespace hlv_ptl {

template <typename P, typename P::value_type P::*Weight>
struct TRenderParticle {
    float position[3];
    float weight;
    float velocity[3];
    float lifeFraction;
    float rotation[4];

    void Assign(const P& particle)
    {
        static_assert(sizeof(TRenderParticle) == 48 && std::is_standard_layout_v<TRenderParticle>);
        for (int a = 0; a < 3; ++a) {
            position[a] = static_cast<float>(particle.position[a]);
            velocity[a] = static_cast<float>(particle.velocity[a]);
            rotation[a] = static_cast<float>(particle.rotation[a + 1]);
        }
        rotation[3] = static_cast<float>(particle.rotation[0]);
        weight = static_cast<float>(particle.*Weight);
        lifeFraction = static_cast<float>(particle.lifeFraction);
    }
};

}  // namespace hlv_ptl
