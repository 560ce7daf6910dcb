#pragma once
// Drives the sky quad behind Scene 2: its colours, and the turn of the sky's
// colours for the climax ("uni_mix_color_1_2" by the background mix keys).
#include <cstdint>

#include <halvo_sg/controller.h>
#include <tidal_knots/Controllers/BackgroundSkyInputs.h>

namespace dmo_nimra {

class CScene2BackgroundController : public hlv_sg::IController {
public:
    CScene2BackgroundController() = default;

    // See CBackgroundSkyInputs::ConnectToEffect.
    void ConnectToEffect(const hlv_core::CResourceHandle<hlv_gfx::CEffect>& effect) { m_sky.ConnectToEffect(effect); }

    std::uint32_t Update(const hlv_sg::frame_time_record& time) override;
    // Any node.
    bool AcceptsNode(hlv_sg::INode*) override { return true; }

    CBackgroundSkyInputs& GetSky() { return m_sky; }

private:
    CBackgroundSkyInputs m_sky;
};

}  // namespace dmo_nimra
