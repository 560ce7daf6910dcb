#pragma once
// Copy stages over the test particle types and a real texture buffer.
#include <cstring>
#include <vector>

#include <halvo_core/handle.h>
#include <halvo_gfx/texture_buffer.h>
#include <halvo_ptl/particle_copy.h>
#include <halvo_ptl/render_particle.h>

#include "test_particles.h"

namespace ptl_test {

using SizeRecord = hlv_ptl::TRenderParticle<Particle, &Particle::size>;
using MassRecord = hlv_ptl::TRenderParticle<Particle, &Particle::mass>;
using SizeCopy = hlv_ptl::ptl_tbb::TOneShotParticleCopy<BaseSystem, SizeRecord, hlv_gfx::CTextureBuffer>;
using MassCopy = hlv_ptl::ptl_tbb::TOneShotParticleCopy<BaseSystem, MassRecord, hlv_gfx::CTextureBuffer>;
using BufferHandle = hlv_core::CResourceHandle<hlv_gfx::CTextureBuffer>;

inline BufferHandle NewTextureBuffer(const char* name = "Particle Cube1 Data")
{
    return hlv_core::Adopt(new hlv_gfx::CTextureBuffer(name));
}

// The floats of record i in the buffer's memory (read while nothing writes).
inline std::vector<float> RecordFloats(const hlv_gfx::CTextureBuffer& buffer, std::uint64_t i)
{
    std::vector<float> floats(12);
    std::memcpy(floats.data(), buffer.GetMemory()->GetData() + 48 * i, 48);
    return floats;
}

}  // namespace ptl_test
