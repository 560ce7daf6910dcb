#include <tidal_knots/Controllers/COutroTextController.h>

namespace dmo_nimra {

COutroTextController::COutroTextController()
{
    m_logoBlend.Set(0.0f);
    m_demoBlend.Set(0.0f);
}

void COutroTextController::SetLogoEffect(const hlv_core::CResourceHandle<hlv_gfx::CEffect>& effect)
{
    m_logo.Bind(effect);
    m_logo.Connect(kBlendVariable, m_logoBlend.Output());
}

void COutroTextController::SetGroupNameEffect(const hlv_core::CResourceHandle<hlv_gfx::CEffect>& effect)
{
    m_group.Bind(effect);
    m_group.Connect(kDemoBlendVariable, m_demoBlend.Output());
    m_group.Connect(kGroupBlendVariable, m_groupBlend.Output());
    m_group.Connect(kMixBlendVariable, m_mixBlend.Output());
}

void COutroTextController::SetCoderEffect(const hlv_core::CResourceHandle<hlv_gfx::CEffect>& effect)
{
    m_coder.Bind(effect);
    m_coder.Connect(kBlendVariable, m_coderBlend.Output());
}

void COutroTextController::SetMusicEffect(const hlv_core::CResourceHandle<hlv_gfx::CEffect>& effect)
{
    m_music.Bind(effect);
    m_music.Connect(kBlendVariable, m_musicBlend.Output());
}

void COutroTextController::SetGreetingsEffect(const hlv_core::CResourceHandle<hlv_gfx::CEffect>& effect)
{
    m_greetings.Bind(effect);
    m_greetings.Connect(kBlendVariable, m_greetingsBlend.Output());
}

std::uint32_t COutroTextController::Update(const hlv_sg::frame_time_record& time)
{
    const std::uint64_t t = time.milliseconds;
    for (CKeyedFloatOutput* output :
         {&m_logoBlend, &m_demoBlend, &m_groupBlend, &m_coderBlend, &m_musicBlend, &m_greetingsBlend, &m_mixBlend})
        output->Update(t);
    return 0;
}

}  // namespace dmo_nimra
