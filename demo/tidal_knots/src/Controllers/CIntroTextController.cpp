#include <tidal_knots/Controllers/CIntroTextController.h>

namespace dmo_nimra {

void CIntroTextController::SetLogoEffect(const hlv_core::CResourceHandle<hlv_gfx::CEffect>& effect)
{
    m_logo.Bind(effect);
    m_logo.Connect(kInterpolatorVariable, m_interpolator.Output());
}

void CIntroTextController::SetDemoNameEffect(const hlv_core::CResourceHandle<hlv_gfx::CEffect>& effect)
{
    m_name.Bind(effect);
    m_name.Connect(kBlendVariable, m_blend.Output());
}

std::uint32_t CIntroTextController::Update(const hlv_sg::frame_time_record& time)
{
    m_interpolator.Update(time.milliseconds);
    m_blend.Update(time.milliseconds);
    return 0;
}

}  // namespace dmo_nimra
