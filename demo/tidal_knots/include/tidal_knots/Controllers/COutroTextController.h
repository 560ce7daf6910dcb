#pragma once
// Fades the outro's credits in and out between 75 s and 110 s: seven
// keyframe tracks drive the blend variables of the five text effects. Each
// output follows its keys while the frame time lies within them and rests on
// the nearer end key's value outside them (see KeyedOutput.h).
#include <cstdint>

#include <halvo_core/handle.h>
#include <halvo_gfx/effect.h>
#include <halvo_sg/controller.h>
#include <tidal_knots/Controllers/EffectBinder.h>
#include <tidal_knots/Controllers/KeyedOutput.h>

namespace dmo_nimra {

class COutroTextController : public hlv_sg::IController {
public:
    static constexpr const char* kBlendVariable = "uni_blend";
    static constexpr const char* kDemoBlendVariable = "uni_blend_demo";
    static constexpr const char* kGroupBlendVariable = "uni_blend_group";
    static constexpr const char* kMixBlendVariable = "uni_blend_mix";

    // The curves the outro builder keys.
    static constexpr FloatKey kLogoKeys[] = {{75000, 0.0f}, {110000, 1.0f}};
    static constexpr FloatKey kDemoKeys[] = {{78000, 0.0f}, {86000, 0.0f}, {88000, 1.0f},
                                             {95000, 1.0f}, {97000, 0.0f}, {102000, 0.0f}};
    static constexpr FloatKey kGroupKeys[] = {{78000, 0.0f}, {82000, 1.0f}, {86000, 0.0f}};
    static constexpr FloatKey kMixKeys[] = {{78000, 0.0f}, {84000, 0.0f}, {87000, 1.0f}, {102000, 1.0f}};
    static constexpr FloatKey kCoderKeys[] = {
        {78000, 0.0f}, {86000, 0.0f}, {88000, 1.0f}, {94000, 1.0f}, {96000, 0.0f}};
    static constexpr FloatKey kMusicKeys[] = {
        {78000, 0.0f}, {86000, 0.0f}, {88000, 1.0f}, {94000, 1.0f}, {96000, 0.0f}};
    static constexpr FloatKey kGreetingsKeys[] = {{78000, 0.0f}, {95000, 0.0f}, {97000, 1.0f}, {102000, 1.0f}};

    // The logo and demo blends start at 0, handed to their inputs.
    COutroTextController();

    // Each setter takes the effect's first pass and connects the float
    // variables it has: "uni_blend" to the logo, coder, music or greetings
    // blend; for the name quad "uni_blend_demo", "uni_blend_group" and
    // "uni_blend_mix" to the demo, group and mix blends.
    void SetLogoEffect(const hlv_core::CResourceHandle<hlv_gfx::CEffect>& effect);
    void SetGroupNameEffect(const hlv_core::CResourceHandle<hlv_gfx::CEffect>& effect);
    void SetCoderEffect(const hlv_core::CResourceHandle<hlv_gfx::CEffect>& effect);
    void SetMusicEffect(const hlv_core::CResourceHandle<hlv_gfx::CEffect>& effect);
    void SetGreetingsEffect(const hlv_core::CResourceHandle<hlv_gfx::CEffect>& effect);

    CKeyedFloatOutput& LogoBlend() { return m_logoBlend; }
    CKeyedFloatOutput& DemoBlend() { return m_demoBlend; }
    CKeyedFloatOutput& MixBlend() { return m_mixBlend; }
    CKeyedFloatOutput& GroupBlend() { return m_groupBlend; }
    CKeyedFloatOutput& CoderBlend() { return m_coderBlend; }
    CKeyedFloatOutput& MusicBlend() { return m_musicBlend; }
    CKeyedFloatOutput& GreetingsBlend() { return m_greetingsBlend; }

    // Logo, demo, group, coder, music, greetings, mix, in that order.
    // Returns 0.
    std::uint32_t Update(const hlv_sg::frame_time_record& time) override;
    bool AcceptsNode(hlv_sg::INode*) override { return true; }

private:
    CEffectBinder m_logo;
    CEffectBinder m_group;
    CEffectBinder m_coder;
    CEffectBinder m_music;
    CEffectBinder m_greetings;
    CKeyedFloatOutput m_logoBlend;
    CKeyedFloatOutput m_demoBlend;
    CKeyedFloatOutput m_mixBlend;
    CKeyedFloatOutput m_groupBlend;
    CKeyedFloatOutput m_coderBlend;
    CKeyedFloatOutput m_musicBlend;
    CKeyedFloatOutput m_greetingsBlend;
};

}  // namespace dmo_nimra
