#pragma once
// The TBB copy stages: the write-back of a system's particles into a texture
// buffer as render particles, in a parallel loop, under the buffer's lock.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include <halvo_ptl/base_particle_copy.h>
#include <halvo_ptl/parallel_loop.h>

namespace hlv_ptl::ptl_tbb {

// Writes particle i as render particle i, at byte sizeof(RenderParticle) * i.
template <typename Container, typename RenderParticle>
class particle_write_back_functor {
public:
    particle_write_back_functor(const Container& particles, std::byte* memory)
        : m_particles(particles), m_memory(memory)
    {
    }

    void operator()(const particle_range& range) const
    {
        for (std::uint64_t i = range.begin(); i != range.end(); ++i) {
            RenderParticle record;
            record.Assign(m_particles[i]);
            std::memcpy(m_memory + i * sizeof(RenderParticle), &record, sizeof(RenderParticle));
        }
    }

private:
    const Container& m_particles;
    std::byte* m_memory;
};

// Writes the particles into the buffer's memory as render particles, under
// the buffer's lock, and marks the buffer changed. No more records are
// written than the memory holds: particles beyond it are left out. Without
// particles the buffer is left alone.
template <typename RenderParticle, typename Container, typename Buffer>
void WriteParticlesBack(const Container& particles, Buffer& buffer)
{
    if (particles.empty()) return;
    buffer.WriteData([&particles](auto& memory) {
        std::byte* data = memory.GetData();
        const std::uint64_t room = data != nullptr ? memory.GetDataSize() / sizeof(RenderParticle) : 0;
        const std::uint64_t count = std::min<std::uint64_t>(particles.size(), room);
        ParallelForParticles(count, particle_write_back_functor<Container, RenderParticle>(particles, data));
    });
}

template <typename System, typename RenderParticle, typename Buffer>
class TTBBBaseParticleCopy : public ptl_cpu::TBaseParticleCopy<System, RenderParticle, Buffer> {
public:
    // Writes the source's particles back into the texture buffer.
    void Copy() override
    {
        System* source = this->CurrentSource();
        Buffer* buffer = this->GetTextureBuffer();
        if (source == nullptr || buffer == nullptr) return;
        WriteParticlesBack<RenderParticle>(source->GetParticles(), *buffer);
    }

protected:
    TTBBBaseParticleCopy() = default;
};

// The concrete copy stage. It serves limited and one-shot systems alike,
// since it reads only the system's particle container.
template <typename System, typename RenderParticle, typename Buffer>
class TOneShotParticleCopy : public TTBBBaseParticleCopy<System, RenderParticle, Buffer> {
public:
    TOneShotParticleCopy() { this->StartCopyThread(); }
    ~TOneShotParticleCopy() override { this->StopCopyThread(); }
};

}  // namespace hlv_ptl::ptl_tbb
