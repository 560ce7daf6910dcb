#pragma once
// The particle record of the demo's particle systems, the systems, emitters,
// filter groups and filters made of it, and the records in which the
// particles reach the shaders.
#include <cstdint>
#include <vector>

#include <halvo_ptl/constant_particle_filter_group.h>
#include <halvo_ptl/filtered_particle_emitter.h>
#include <halvo_ptl/limited_particle_system.h>
#include <halvo_ptl/oneshot_particle_system.h>
#include <halvo_ptl/particle.h>
#include <halvo_ptl/particle_emitter.h>
#include <halvo_ptl/particle_filter.h>
#include <halvo_ptl/point_particle_emitter.h>
#include <halvo_ptl/render_particle.h>

namespace dmo_nimra {

using Particle = hlv_ptl::CParticle<float, 4>;
using ParticleContainer = std::vector<Particle>;

using LimitedParticleSystem = hlv_ptl::ptl_tbb::TLimitedParticleSystem<Particle, ParticleContainer>;
using OneShotParticleSystem = hlv_ptl::ptl_tbb::TOneShotParticleSystem<Particle, ParticleContainer>;

using ParticleEmitter = hlv_ptl::IParticleEmitter<Particle, ParticleContainer>;
using PointParticleEmitter = hlv_ptl::ptl_cpu::CPointParticleEmitter<Particle, ParticleContainer>;
template <std::uint64_t N>
using ParticleFilterGroup = hlv_ptl::ptl_cpu::CConstantParticleFilterGroup<Particle, N>;
template <std::uint64_t N>
using FilteredParticleEmitter =
    hlv_ptl::ptl_cpu::CFilteredParticleEmitter<ParticleFilterGroup<N>, Particle, ParticleContainer>;

using ParticleFilter = hlv_ptl::IParticleFilter<Particle>;
// The base of the demo's own filters.
using DemoParticleFilter = hlv_ptl::ptl_cpu::TBaseParticleFilter<Particle>;

// 48-byte records, three RGBA float texels per particle:
// (position, size), (velocity, life fraction), (rotation x, y, z, w).
using CDemoPressureRenderingParticle = hlv_ptl::TRenderParticle<Particle, &Particle::size>;
// The same with the mass in place of the size.
using CDemoGlidingRenderingParticle = hlv_ptl::TRenderParticle<Particle, &Particle::mass>;

}  // namespace dmo_nimra
