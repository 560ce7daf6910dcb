#include <tidal_knots/Controllers/BackgroundSkyInputs.h>

#include <halvo_core/fatal.h>
#include <halvo_shade/SHADE_RESULT.h>

namespace dmo_nimra {

CBackgroundSkyInputs::CBackgroundSkyInputs() = default;

void CBackgroundSkyInputs::ConnectToEffect(const hlv_core::CResourceHandle<hlv_gfx::CEffect>& effect)
{
    HLV_FATAL_CHECK(effect && !effect->passes.empty(), "effect->GetNumRenderPasses() > 0");
    m_inputs.SetRenderPass(effect->GetRenderPass(0));
    HLV_FATAL_CHECK(m_inputs.ConnectFloatInput(kBeatName, &m_beat) == hlv_shade::MSNR_OK, "false");
    HLV_FATAL_CHECK(m_inputs.ConnectFloatInput(kMixName, &m_mix.Output()) == hlv_shade::MSNR_OK, "false");

    auto& vectors = m_inputs.GetVariantInputs<pld_math::vec3f>();
    const std::pair<const char*, hlv_slot::CVariantOutputSlot<pld_math::vec3f>*> colours[] = {
        {"uni_bottom_color", &m_bottomColour}, {"uni_sky_color_1", &m_skyColour1}, {"uni_sky_color_2", &m_skyColour2}};
    for (const auto& [name, output] : colours) {
        const std::size_t index = vectors.GetIndex(name);
        if (index != vectors.npos) vectors[index]->Connect(output);
    }
}

bool CBackgroundSkyInputs::ConnectBeat(hlv_slot::CVariantOutputSlot<float>* output)
{
    return m_inputs.ConnectFloatInput(kBeatName, output) == hlv_shade::MSNR_OK;
}

}  // namespace dmo_nimra
