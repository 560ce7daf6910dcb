#include <tidal_knots/Controllers/CMiddleCubeController.h>

#include <cmath>

#include <halvo_core/fatal.h>
#include <halvo_shade/SHADE_RESULT.h>

namespace dmo_nimra {

bool CMiddleCubeController::ConnectToEffect(const hlv_core::CResourceHandle<hlv_gfx::CEffect>& effect)
{
    HLV_FATAL_CHECK(effect && !effect->passes.empty(), "effect->GetNumRenderPasses() > 0");
    m_inputs.SetRenderPass(effect->GetRenderPass(0));
    return m_inputs.ConnectFloatInput(kOutputName, &m_bounce) == hlv_shade::MSNR_OK;
}

std::uint32_t CMiddleCubeController::Update(const hlv_sg::frame_time_record& time)
{
    const float phase = static_cast<float>(time.milliseconds % 1000) / 1000.0f;
    m_bounce.Value() = std::fabs(std::sin(phase * 6.2831855f)) * 3.0f + 3.0f;
    m_bounce.NotifyInputs();
    return 0;
}

}  // namespace dmo_nimra
