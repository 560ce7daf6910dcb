#include <tidal_knots/Controllers/CScene2BackgroundController.h>

namespace dmo_nimra {

std::uint32_t CScene2BackgroundController::Update(const hlv_sg::frame_time_record& time)
{
    m_sky.Update(time.milliseconds);
    return 0;
}

}  // namespace dmo_nimra
