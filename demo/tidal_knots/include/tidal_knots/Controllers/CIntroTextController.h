#pragma once
// Fades the intro's logo and title in: two keyframe tracks drive the logo's
// "uni_interpolator" and the title's "uni_blend". Each output follows its
// keys while the frame time lies within them and rests on the nearer end
// key's value outside them (see KeyedOutput.h).
#include <cstdint>

#include <halvo_core/handle.h>
#include <halvo_gfx/effect.h>
#include <halvo_sg/controller.h>
#include <tidal_knots/Controllers/EffectBinder.h>
#include <tidal_knots/Controllers/KeyedOutput.h>

namespace dmo_nimra {

class CIntroTextController : public hlv_sg::IController {
public:
    static constexpr const char* kInterpolatorVariable = "uni_interpolator";
    static constexpr const char* kBlendVariable = "uni_blend";

    // The curves the intro builder keys: the logo over 0-6 s, the title over
    // 3-6 s.
    static constexpr FloatKey kInterpolatorKeys[] = {{0, 0.0f}, {6000, 1.0f}};
    static constexpr FloatKey kBlendKeys[] = {{0, 0.0f}, {3000, 0.0f}, {6000, 1.0f}};

    CIntroTextController() = default;

    // The logo's effect: its first pass's "uni_interpolator", when it has
    // one, follows the interpolator output from now on.
    void SetLogoEffect(const hlv_core::CResourceHandle<hlv_gfx::CEffect>& effect);
    // The title's effect: likewise with "uni_blend" and the blend output.
    void SetDemoNameEffect(const hlv_core::CResourceHandle<hlv_gfx::CEffect>& effect);

    CKeyedFloatOutput& Interpolator() { return m_interpolator; }
    CKeyedFloatOutput& Blend() { return m_blend; }

    // The interpolator, then the blend. Returns 0.
    std::uint32_t Update(const hlv_sg::frame_time_record& time) override;
    bool AcceptsNode(hlv_sg::INode*) override { return true; }

private:
    CEffectBinder m_logo;
    CEffectBinder m_name;
    CKeyedFloatOutput m_interpolator;
    CKeyedFloatOutput m_blend;
};

}  // namespace dmo_nimra
