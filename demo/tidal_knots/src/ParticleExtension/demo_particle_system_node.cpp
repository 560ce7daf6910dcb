#include <tidal_knots/ParticleExtension/demo_particle_system_node.h>

#include <algorithm>
#include <utility>

#include <halvo_core/fatal.h>
#include <halvo_gfx/effect.h>
#include <halvo_ptl/PTL_RESULT.h>
#include <halvo_sg/RESULT.h>

namespace dmo_nimra {
namespace {

// Element I of the system array.
template <typename System, std::size_t I>
System MakeParticleSystem(std::uint64_t particles)
{
    return System(particles);
}

// Systems are neither copied nor moved: each element is made in place.
template <typename System, std::size_t... I>
std::array<System, sizeof...(I)> MakeParticleSystems(std::uint64_t particles, std::index_sequence<I...>)
{
    return {{MakeParticleSystem<System, I>(particles)...}};
}

template <std::size_t N>
std::array<hlv_core::CResourceHandle<hlv_gfx::CTextureBuffer>, N> MakeParticleBuffers(
    const std::array<const char*, N>& names)
{
    std::array<hlv_core::CResourceHandle<hlv_gfx::CTextureBuffer>, N> buffers;
    for (std::size_t i = 0; i < N; ++i) buffers[i] = hlv_core::Adopt(new hlv_gfx::CTextureBuffer(names[i]));
    return buffers;
}

// The time of the frame as the particle systems take it.
hlv_ptl::CTimeInfo ParticleStepTime(const hlv_sg::frame_time_record& time)
{
    hlv_ptl::CTimeInfo info;
    info.time = time.milliseconds;
    info.delta = time.absDeltaMilliseconds;
    info.deltaSeconds = time.deltaSeconds;
    info.backwards = time.backwards != 0 ? 1u : 0u;
    return info;
}

// The texts with which a refused pre-filter stops the program, for the
// first and the second system.
struct PreFilterRefusal {
    const char* running;
    const char* other;
};
constexpr PreFilterRefusal kPreFilterRefusals[2] = {
    {"CPSN_TBBLimited_Type1::SetPreFilter: Thread is running currently.", "CPSN_TBBLimited_Type1::SetPreFilter: ups"},
    {"SetPreFilter: Thread is running currently.", "SetPreFilter: ups"},
};

}  // namespace

template <typename System, typename RenderParticle, std::size_t SystemCount>
TDemoParticleSystemNode<System, RenderParticle, SystemCount>::TDemoParticleSystemNode(
    const std::string& name, std::uint64_t particles, const std::array<const char*, SystemCount>& bufferNames)
    : AParticleSystemNode(name),
      m_systems(MakeParticleSystems<System>(particles, std::make_index_sequence<SystemCount>())),
      m_buffers(MakeParticleBuffers(bufferNames))
{
    for (std::size_t i = 0; i < SystemCount; ++i) m_copies[i].SetTextureBuffer(m_buffers[i].get());
    m_childTable.fill(hlv_sg::INVALID_INDEX);
}

template <typename System, typename RenderParticle, std::size_t SystemCount>
TDemoParticleSystemNode<System, RenderParticle, SystemCount>::~TDemoParticleSystemNode()
{
    for (std::size_t i = 0; i < SystemCount; ++i) WaitUntilIdle(i);
}

template <typename System, typename RenderParticle, std::size_t SystemCount>
std::uint32_t TDemoParticleSystemNode<System, RenderParticle, SystemCount>::UpdateParticleSystem(
    const hlv_sg::frame_time_record& time)
{
    const hlv_ptl::CTimeInfo info = ParticleStepTime(time);
    for (System& system : m_systems) system.RequestUpdate(info);
    for (std::size_t i = 0; i < SystemCount; ++i) m_copies[i].RequestCopy(&m_systems[i]);
    for (copy_type& copy : m_copies) copy.WaitForCopy();
    // The write-back has marked each buffer changed under its lock. What it
    // wrote is the system's particles, as many as the buffer has room for:
    // exactly the records a draw of this frame may read.
    for (std::size_t i = 0; i < SystemCount; ++i) {
        const std::uint64_t count = std::min<std::uint64_t>(m_systems[i].GetParticles().size(), BufferRoom(i));
        m_countOutputs[i].Value() = count;
        m_countOutputs[i].NotifyInputs();
    }
    return hlv_sg::MSGR_OK;
}

template <typename System, typename RenderParticle, std::size_t SystemCount>
std::uint64_t TDemoParticleSystemNode<System, RenderParticle, SystemCount>::AddGeometry(std::size_t system,
                                                                                        const GeometryHandle& geometry)
{
    const std::uint64_t index = AddChild(NodeHandle(geometry));
    m_childTable[system] = index;
    if (index == hlv_sg::INVALID_INDEX) return index;
    if (BindBufferToGeometry(geometry.get(), m_buffers[system]) != 0)
        hlv_core::FatalFailure("TDemoParticleSystemNode::AddParticleGeometry: the geometry has no effect to read "
                               "the particles with.",
                               "false", __FILE__, __LINE__);
    // Connecting to the output it is already connected to changes nothing.
    geometry->GetInstanceCountInput().Connect(&m_countOutputs[system]);
    return index;
}

template <typename System, typename RenderParticle, std::size_t SystemCount>
std::uint32_t TDemoParticleSystemNode<System, RenderParticle, SystemCount>::BindBufferToGeometry(
    hlv_sg::CGeoNode* geometry, const BufferHandle& buffer) const
{
    if (geometry == nullptr) return 1;
    const hlv_core::CResourceHandle<hlv_gfx::CEffect> effect = geometry->GetEffectInput().GetValue();
    if (!effect) return 1;
    for (std::size_t i = 0; i < effect->passes.size(); ++i) {
        if (!effect->GetShaderVariable(i, m_samplerName)) continue;
        effect->GetRenderPass(i)->SetTextureBuffer(buffer, m_samplerName);
    }
    return 0;
}

template <typename System, typename RenderParticle, std::size_t SystemCount>
std::uint32_t TDemoParticleSystemNode<System, RenderParticle, SystemCount>::BindParticleBuffer(
    std::uint64_t entry, const BufferHandle& buffer)
{
    const std::uint64_t index = GetChildTableEntry(entry);
    if (index >= GetChildCount()) return 1;
    const NodeHandle child = GetChild(index);
    return BindBufferToGeometry(dynamic_cast<hlv_sg::CGeoNode*>(child.get()), buffer);
}

template <typename System, typename RenderParticle, std::size_t SystemCount>
std::uint32_t TDemoParticleSystemNode<System, RenderParticle, SystemCount>::InstallEmitterAndVolume(
    std::size_t system, ParticleEmitter* emitter, const hlv_ptl::particle_volume& volume)
{
    WaitUntilIdle(system);
    System& target = m_systems[system];
    const std::uint32_t installed = target.SetEmitter(emitter);
    if (installed != hlv_ptl::PTLR_OK) return installed;
    target.SetVolume(volume);
    target.SetVolumeCheck(hlv_ptl::ptl_cpu::VC_LIFETIME_AND_VOLUME);
    const std::uint32_t initialised = target.InitializeParticles();
    m_copies[system].FitBufferToSystem(&target);
    return initialised;
}

template <typename System, typename RenderParticle, std::size_t SystemCount>
std::uint32_t TDemoParticleSystemNode<System, RenderParticle, SystemCount>::InstallPreFilter(std::size_t system,
                                                                                             ParticleFilter* filter)
{
    WaitUntilIdle(system);
    const std::uint32_t result = m_systems[system].SetPreFilter(filter, true);
    const PreFilterRefusal& messages = kPreFilterRefusals[system];
    if (result == hlv_ptl::PTLR_THREAD_RUNNING) hlv_core::FatalFailure(messages.running, "false", __FILE__, __LINE__);
    if (result != hlv_ptl::PTLR_OK) hlv_core::FatalFailure(messages.other, "false", __FILE__, __LINE__);
    return result;
}

template <typename System, typename RenderParticle, std::size_t SystemCount>
void TDemoParticleSystemNode<System, RenderParticle, SystemCount>::WaitUntilIdle(std::size_t system)
{
    m_copies[system].WaitForCopy();
    m_systems[system].WaitForUpdate(true);
}

template <typename System, typename RenderParticle, std::size_t SystemCount>
std::uint64_t TDemoParticleSystemNode<System, RenderParticle, SystemCount>::BufferRoom(std::size_t system) const
{
    return m_buffers[system]->AccessData([](const hlv_gfx::CBuffer& memory) -> std::uint64_t {
        return memory.GetData() != nullptr ? memory.GetDataSize() / sizeof(RenderParticle) : 0;
    });
}

template class TDemoParticleSystemNode<LimitedParticleSystem, CDemoPressureRenderingParticle, 1>;
template class TDemoParticleSystemNode<OneShotParticleSystem, CDemoGlidingRenderingParticle, 1>;
template class TDemoParticleSystemNode<OneShotParticleSystem, CDemoPressureRenderingParticle, 2>;

}  // namespace dmo_nimra
