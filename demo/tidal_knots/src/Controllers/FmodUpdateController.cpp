#include <tidal_knots/Controllers/FmodUpdateController.h>

#include <halvo_core/fatal.h>
#include <sound/fmod_api.h>

namespace dmo_nimra {

FmodUpdateController::FmodUpdateController(FMOD::System* system) : m_system(system)
{
    HLV_FATAL_CHECK(system != nullptr, "ptr");
}

std::uint32_t FmodUpdateController::Update(const hlv_sg::frame_time_record&)
{
    m_system->update();
    return 0;
}

}  // namespace dmo_nimra
