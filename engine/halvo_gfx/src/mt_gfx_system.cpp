#include <halvo_gfx/mt_gfx_system.h>

namespace hlv_gfx {

namespace {
constexpr std::size_t kLane = 0;
}

MTGfxSystem::MTGfxSystem(const std::string& name) : IResource(name), m_frontEnd(true) {}

MTGfxSystem::~MTGfxSystem() = default;

void MTGfxSystem::Enqueue(gfx_command* command) { m_frontEnd.GetQueue().Enqueue(kLane, *command); }

std::uint32_t MTGfxSystem::Flush(std::uint32_t mode)
{
    const StayChange stay = mode == 0 ? StayChange::Clear : mode == 1 ? StayChange::Set : StayChange::Keep;
    m_frontEnd.GetQueue().Flush(kLane, mode == 0, stay);
    return GFXR_OK;
}

bool MTGfxSystem::WaitUntilDrained() { return m_frontEnd.GetQueue().WaitUntilDrained(kLane); }

std::uint32_t MTGfxSystem::ProcessCommands()
{
    // One reference for the whole pass: the system cannot go while it runs.
    const HandleOf<IGfxSystem> system(m_system);
    m_frontEnd.Process(system.get());
    return GFXR_OK;
}

void MTGfxSystem::Shutdown() { m_frontEnd.GetQueue().Shutdown(); }

}  // namespace hlv_gfx
