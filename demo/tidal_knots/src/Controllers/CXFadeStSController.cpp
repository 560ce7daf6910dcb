#include <tidal_knots/Controllers/CXFadeStSController.h>

namespace dmo_nimra {

CXFadeStSController::CXFadeStSController()
{
    m_mix1.Set(0.0f);
    m_mix2.Set(0.0f);
}

void CXFadeStSController::Bind(hlv_shade::CCustomShadeNode* target)
{
    m_target = target;
    if (!target) return;
    // A node without such an input is left as it is.
    target->ConnectFloatInput(kMix1Variable, &m_mix1.Output());
    target->ConnectFloatInput(kMix2Variable, &m_mix2.Output());
}

std::uint32_t CXFadeStSController::Update(const hlv_sg::frame_time_record& time)
{
    m_mix1.Update(time.milliseconds);
    m_mix2.Update(time.milliseconds);
    return 0;
}

}  // namespace dmo_nimra
