#pragma once
// The common part of the demo's particle-system nodes: one or two particle
// systems, one copy stage and one texture buffer per system, one count output
// per system and the table of the geometry children that draw the particles.
//
// Once per frame UpdateParticleSystem steps every system on its own update
// thread, writes its particles back into its buffer on the copy stage's
// thread, waits for both, and then publishes how many particles the buffer
// holds from this frame's write-back (never more than the buffer has room
// for). The geometry children draw that many instances; a count of 0 draws
// nothing.
//
// The node is built and wired on the main thread before the first frame and
// stepped on the scene's update thread afterwards. Between two frames no step
// and no write-back is pending, so the systems' plain settings may be written
// then (the scene controllers do so).
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include <halvo_core/handle.h>
#include <halvo_gfx/texture_buffer.h>
#include <halvo_ptl/particle_copy.h>
#include <halvo_ptl/particle_volume.h>
#include <halvo_sg/frame_time_record.h>
#include <halvo_sg/geo_node.h>
#include <halvo_sg/particle_system_node.h>
#include <halvo_slot/CVariantSlot.h>

#include <tidal_knots/ParticleExtension/particle_types.h>

namespace dmo_nimra {

// The name of the buffer-texture sampler through which the children's
// shaders read the particles.
inline constexpr const char* kParticleSamplerName = "particle_data_buffer";

template <typename System, typename RenderParticle, std::size_t SystemCount>
class TDemoParticleSystemNode : public hlv_sg::AParticleSystemNode {
    static_assert(SystemCount == 1 || SystemCount == 2);

public:
    using system_type = System;
    using render_particle_type = RenderParticle;
    using copy_type = hlv_ptl::ptl_tbb::TOneShotParticleCopy<System, RenderParticle, hlv_gfx::CTextureBuffer>;
    using BufferHandle = hlv_core::CResourceHandle<hlv_gfx::CTextureBuffer>;
    using GeometryHandle = hlv_core::CResourceHandle<hlv_sg::CGeoNode>;
    using CountOutput = hlv_slot::CVariantOutputSlot<std::uint64_t>;

    static constexpr std::size_t kSystemCount = SystemCount;
    static constexpr std::size_t kChildTableSize = 10;

    // Steps the systems, writes them back, waits for both, then publishes the
    // counts. Returns 0.
    std::uint32_t UpdateParticleSystem(const hlv_sg::frame_time_record& time) override;

    // Adds the geometry node as a child (child-table entry 0), binds the first
    // buffer to its effect's passes and feeds its instance count from the
    // first system's count. Returns the child index, or hlv_sg::INVALID_INDEX
    // for an empty handle (nothing else happens then). A child without an
    // effect stops the program.
    std::uint64_t AddParticleGeometry(const GeometryHandle& geometry) { return AddGeometry(0, geometry); }
    // The same for the second system: entry 1, second buffer, second count.
    std::uint64_t AddSecondParticleGeometry(const GeometryHandle& geometry) requires(SystemCount == 2)
    {
        return AddGeometry(1, geometry);
    }

    // Binds buffer under the sampler name to every pass of the geometry's
    // effect that has a variable of that name. 1 for a null geometry or one
    // without an effect, else 0.
    std::uint32_t BindBufferToGeometry(hlv_sg::CGeoNode* geometry, const BufferHandle& buffer) const;
    // Binds buffer to the child named by child-table entry `entry`. 1 when the
    // entry names no child (or a child that is no geometry node).
    std::uint32_t BindParticleBuffer(std::uint64_t entry, const BufferHandle& buffer);

    // Installs the emitter (owned by the system from now on), makes volume the
    // system's volume with the volume check on, (re)initialises the particles
    // and sizes the buffer for the system. Returns the system's result of
    // installing the emitter or of initialising (0 on success).
    std::uint32_t SetEmitterAndVolume(ParticleEmitter* emitter, const hlv_ptl::particle_volume& volume)
    {
        return InstallEmitterAndVolume(0, emitter, volume);
    }
    std::uint32_t SetSecondEmitterAndVolume(ParticleEmitter* emitter,
                                            const hlv_ptl::particle_volume& volume) requires(SystemCount == 2)
    {
        return InstallEmitterAndVolume(1, emitter, volume);
    }

    // Installs the per-step filter, owned by the system. Returns 0; a refusal
    // stops the program.
    std::uint32_t SetPreFilter(ParticleFilter* filter) { return InstallPreFilter(0, filter); }
    std::uint32_t SetSecondPreFilter(ParticleFilter* filter) requires(SystemCount == 2)
    {
        return InstallPreFilter(1, filter);
    }

    // New handles to the buffers.
    BufferHandle GetParticleBuffer() const { return m_buffers[0]; }
    BufferHandle GetSecondParticleBuffer() const requires(SystemCount == 2) { return m_buffers[1]; }

    // The systems, whose plain settings (target count, integration mode,
    // metric, emitter, volume, translation) the scene builders and
    // controllers write between frames.
    System& GetParticleSystem() { return m_systems[0]; }
    const System& GetParticleSystem() const { return m_systems[0]; }
    System& GetSecondParticleSystem() requires(SystemCount == 2) { return m_systems[1]; }

    // The copy stage of system i.
    copy_type& GetParticleCopy(std::size_t i = 0) { return m_copies[i]; }

    // The count of system i that the last frame published.
    CountOutput& GetCountOutput(std::size_t i = 0) { return m_countOutputs[i]; }
    std::uint64_t GetPublishedCount(std::size_t i = 0) const { return m_countOutputs[i].Value(); }

    // The child index held by table entry `entry`; INVALID_INDEX when unset.
    std::uint64_t GetChildTableEntry(std::size_t entry) const
    {
        return entry < kChildTableSize ? m_childTable[entry] : hlv_sg::INVALID_INDEX;
    }

    const std::string& GetSamplerName() const { return m_samplerName; }
    void SetSamplerName(const std::string& name) { m_samplerName = name; }

protected:
    // Each system is made with `particles` (the capacity of a limited system,
    // the count of a one-shot system), each buffer with its name.
    TDemoParticleSystemNode(const std::string& name, std::uint64_t particles,
                            const std::array<const char*, SystemCount>& bufferNames);
    // Waits for any step and write-back still pending, then lets the members
    // go: copy stages before the buffers and the systems they use.
    ~TDemoParticleSystemNode() override;

    // Blocks until system i has no step and no write-back pending.
    void WaitUntilIdle(std::size_t system);

private:
    std::uint64_t AddGeometry(std::size_t system, const GeometryHandle& geometry);
    std::uint32_t InstallEmitterAndVolume(std::size_t system, ParticleEmitter* emitter,
                                          const hlv_ptl::particle_volume& volume);
    std::uint32_t InstallPreFilter(std::size_t system, ParticleFilter* filter);
    // The number of render particles the memory of buffer i has room for.
    std::uint64_t BufferRoom(std::size_t system) const;

    std::array<System, SystemCount> m_systems;
    std::array<BufferHandle, SystemCount> m_buffers;
    std::array<copy_type, SystemCount> m_copies;
    std::string m_samplerName = kParticleSamplerName;
    std::array<CountOutput, SystemCount> m_countOutputs;
    std::array<std::uint64_t, kChildTableSize> m_childTable;
};

// The three kinds the demo's nodes are made of (instantiated once, in
// demo_particle_system_node.cpp).
using LimitedCubesNodeBase = TDemoParticleSystemNode<LimitedParticleSystem, CDemoPressureRenderingParticle, 1>;
using GlidingNodeBase = TDemoParticleSystemNode<OneShotParticleSystem, CDemoGlidingRenderingParticle, 1>;
using PressureCubesNodeBase = TDemoParticleSystemNode<OneShotParticleSystem, CDemoPressureRenderingParticle, 2>;

extern template class TDemoParticleSystemNode<LimitedParticleSystem, CDemoPressureRenderingParticle, 1>;
extern template class TDemoParticleSystemNode<OneShotParticleSystem, CDemoGlidingRenderingParticle, 1>;
extern template class TDemoParticleSystemNode<OneShotParticleSystem, CDemoPressureRenderingParticle, 2>;

}  // namespace dmo_nimra
