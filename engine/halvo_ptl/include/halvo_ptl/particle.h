#pragma once
// The particle record shared by every particle system, emitter and filter.
#include <cstddef>
#include <cstdint>
#include <limits>

#include <plovdane/math_types.h>

namespace hlv_ptl {

// An index that names no slot, and the lifetime of a particle that never dies.
inline constexpr std::uint64_t kUnassignedIndex = std::numeric_limits<std::uint64_t>::max();
inline constexpr std::uint64_t kImmortal = std::numeric_limits<std::uint64_t>::max();

// One particle. N is the width of the homogeneous space: positions and the
// motion vectors have N - 1 components, rotations are quaternions of N
// components in the order w, x, y, z, and the matrix is N x N.
//
// Assignment copies every field except the index: a particle's index is its
// slot in its system's container, so whoever stores a particle into a slot
// sets the index explicitly. Copy construction copies the index too.
template <typename T = float, std::size_t N = 4>
struct CParticle {
    static_assert(N == 4, "particles live in three dimensions with quaternion rotations");
    using value_type = T;
    using vector_type = pld_math::vector<T, N - 1>;
    using quaternion_type = pld_math::vector<T, N>;
    using matrix_type = pld_math::matrix<T, N, N>;

    std::uint64_t index = kUnassignedIndex;
    vector_type initialPosition{};
    vector_type position{};
    vector_type velocity{};
    vector_type force{};
    quaternion_type initialRotation{};
    quaternion_type rotation{};
    matrix_type matrix{};
    T mass = T(1);
    T inverseMass = T(1);
    std::uint64_t age = 0;               // milliseconds lived
    std::uint64_t lifetime = kImmortal;  // milliseconds
    T lifeFraction = T(0);               // age / lifetime while alive; 0 when immortal
    T size = T(0);

    CParticle() = default;
    CParticle(const CParticle&) = default;

    CParticle& operator=(const CParticle& other)
    {
        initialPosition = other.initialPosition;
        position = other.position;
        velocity = other.velocity;
        force = other.force;
        initialRotation = other.initialRotation;
        rotation = other.rotation;
        matrix = other.matrix;
        mass = other.mass;
        inverseMass = other.inverseMass;
        age = other.age;
        lifetime = other.lifetime;
        lifeFraction = other.lifeFraction;
        size = other.size;
        return *this;
    }

    bool IsImmortal() const { return lifetime == kImmortal; }
};

}  // namespace hlv_ptl
