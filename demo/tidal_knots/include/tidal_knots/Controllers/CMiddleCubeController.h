#pragma once
// Bounces the middle cube: writes |sin(2 pi (t mod 1000) / 1000)| x 3 + 3 into
// the effect's "uni_bounce" each frame, so the value runs from 3 to 6 and back
// twice a second (6 at 250 ms and 750 ms, 3 on every half second).
#include <cstdint>

#include <halvo_core/handle.h>
#include <halvo_gfx/effect.h>
#include <halvo_sg/controller.h>
#include <halvo_shade/custom_shade_node.h>
#include <halvo_slot/CVariantSlot.h>

namespace dmo_nimra {

class CMiddleCubeController : public hlv_sg::IController {
public:
    static constexpr const char* kOutputName = "uni_bounce";

    CMiddleCubeController() = default;

    // The effect's first pass becomes the holder of the inputs (one per
    // shader variable) and its "uni_bounce" input is fed from now on. An
    // effect without a pass stops the program; false when the pass has no
    // float "uni_bounce".
    bool ConnectToEffect(const hlv_core::CResourceHandle<hlv_gfx::CEffect>& effect);

    std::uint32_t Update(const hlv_sg::frame_time_record& time) override;
    // Any node.
    bool AcceptsNode(hlv_sg::INode*) override { return true; }

    // The value written last.
    float GetBounce() const { return m_bounce.Value(); }
    hlv_shade::CCustomShadeNode& GetShadeNode() { return m_inputs; }

private:
    hlv_shade::CCustomShadeNode m_inputs;
    hlv_slot::CVariantOutputSlot<float> m_bounce;
};

}  // namespace dmo_nimra
