// The intro, outro and cross-fade controllers with their compiled-in curves,
// driving render passes as the builders connect them: the values reach the
// passes' variables at the sample times, nothing is written past the keys,
// and a jump out of or over a curve's keys lands on the nearer end key's
// value.
#include <cstring>
#include <initializer_list>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "pass_builder.h"

#include <halvo_gfx/effect.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_shade/custom_shade_node.h>
#include <tidal_knots/Controllers/CIntroTextController.h>
#include <tidal_knots/Controllers/COutroTextController.h>
#include <tidal_knots/Controllers/CXFadeStSController.h>

namespace dmo_nimra {
namespace {

using hlv_core::Adopt;
using hlv_core::CResourceHandle;

// An effect whose one pass has float variables of these names, as the
// graphics system leaves a linked pass.
struct CFloatEffect {
    explicit CFloatEffect(std::initializer_list<const char*> names)
    {
        auto pass = Adopt(new hlv_gfx::CRenderPass("Render Pass"));
        for (const char* name : names) variables[name] = hlv_gfx_test::AddVariable(*pass, name, hlv_gfx::SVT_FLOAT);
        effect->passes.push_back(pass);
    }

    float operator[](const std::string& name) const
    {
        float value = 0.0f;
        std::memcpy(&value, variables.at(name)->GetValue(), sizeof value);
        return value;
    }
    // Writes a value no controller writes, to see whether one writes again.
    void Mark(const std::string& name, float value)
    {
        std::memcpy(variables.at(name)->GetValue(), &value, sizeof value);
    }

    CResourceHandle<hlv_gfx::CEffect> effect = Adopt(new hlv_gfx::CEffect("effect"));
    std::map<std::string, CResourceHandle<hlv_gfx::CShaderVariable>> variables;
};

hlv_sg::frame_time_record At(std::uint64_t milliseconds)
{
    hlv_sg::frame_time_record time;
    time.milliseconds = milliseconds;
    time.seconds = static_cast<double>(milliseconds) / 1000.0;
    return time;
}

constexpr float kTolerance = 1e-5f;

TEST(IntroTextController, FadesLogoOverSixSecondsAndTitleFromThree)
{
    CFloatEffect logo{"uni_interpolator"};
    CFloatEffect title{"uni_blend"};
    CIntroTextController controller;
    controller.SetLogoEffect(logo.effect);
    controller.SetDemoNameEffect(title.effect);
    controller.Interpolator().AddKeys(CIntroTextController::kInterpolatorKeys);
    controller.Blend().AddKeys(CIntroTextController::kBlendKeys);

    const struct {
        std::uint64_t t;
        float interpolator, blend;
    } samples[] = {{0, 0.0f, 0.0f}, {1500, 0.25f, 0.0f}, {3000, 0.5f, 0.0f}, {4500, 0.75f, 0.5f}, {6000, 1.0f, 1.0f}};
    for (const auto& sample : samples) {
        controller.Update(At(sample.t));
        EXPECT_NEAR(logo["uni_interpolator"], sample.interpolator, kTolerance) << sample.t;
        EXPECT_NEAR(title["uni_blend"], sample.blend, kTolerance) << sample.t;
    }

    // Past the keys the controller writes no more: what stands in the
    // variables stays.
    logo.Mark("uni_interpolator", 7.0f);
    title.Mark("uni_blend", 7.0f);
    controller.Update(At(9000));
    EXPECT_EQ(logo["uni_interpolator"], 7.0f);
    EXPECT_EQ(title["uni_blend"], 7.0f);

    // A slow frame rate or a click on the timeline: the last frame inside
    // the keys did not reach their end, the next is past them.
    controller.Update(At(4500));
    controller.Update(At(30000));
    EXPECT_NEAR(logo["uni_interpolator"], 1.0f, kTolerance);
    EXPECT_NEAR(title["uni_blend"], 1.0f, kTolerance);
}

TEST(OutroTextController, CreditsFollowTheirCurvesAndConnectWhatThePassesHave)
{
    CFloatEffect logo{"uni_blend"};
    // The name quad's pass without "uni_blend_mix": that input is skipped.
    CFloatEffect names{"uni_blend_demo", "uni_blend_group"};
    CFloatEffect coder{"uni_blend"};
    CFloatEffect music{"uni_blend"};
    CFloatEffect greetings{"uni_blend"};
    COutroTextController controller;
    using Outro = COutroTextController;
    controller.SetLogoEffect(logo.effect);
    controller.SetGroupNameEffect(names.effect);
    controller.SetCoderEffect(coder.effect);
    controller.SetMusicEffect(music.effect);
    controller.SetGreetingsEffect(greetings.effect);
    controller.LogoBlend().AddKeys(Outro::kLogoKeys);
    controller.GroupBlend().AddKeys(Outro::kGroupKeys);
    controller.DemoBlend().AddKeys(Outro::kDemoKeys);
    controller.MixBlend().AddKeys(Outro::kMixKeys);
    controller.CoderBlend().AddKeys(Outro::kCoderKeys);
    controller.MusicBlend().AddKeys(Outro::kMusicKeys);
    controller.GreetingsBlend().AddKeys(Outro::kGreetingsKeys);
    EXPECT_EQ(controller.MixBlend().Output().GetInputCount(), 0u);

    const struct {
        std::uint64_t t;
        float logo, group, demo, mix, coder, music, greetings;
    } samples[] = {
        {50000, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f},          // before the outro: nothing moves
        {80000, 5.0f / 35.0f, 0.5f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f},  // group name half in
        {85000, 10.0f / 35.0f, 0.25f, 0.0f, 1.0f / 3.0f, 0.0f, 0.0f, 0.0f},
        {87000, 12.0f / 35.0f, 0.0f, 0.5f, 1.0f, 0.5f, 0.5f, 0.0f},  // title, coder, musician half in
        {95500, 20.5f / 35.0f, 0.0f, 0.75f, 1.0f, 0.25f, 0.25f, 0.25f},
        {100000, 25.0f / 35.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f},  // greetings alone
        {110000, 1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f},
        {118000, 1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f},  // after the last keys: held
    };
    for (const auto& s : samples) {
        controller.Update(At(s.t));
        EXPECT_NEAR(logo["uni_blend"], s.logo, kTolerance) << s.t;
        EXPECT_NEAR(names["uni_blend_group"], s.group, kTolerance) << s.t;
        EXPECT_NEAR(names["uni_blend_demo"], s.demo, kTolerance) << s.t;
        EXPECT_NEAR(controller.MixBlend().Value(), s.mix, kTolerance) << s.t;
        EXPECT_NEAR(coder["uni_blend"], s.coder, kTolerance) << s.t;
        EXPECT_NEAR(music["uni_blend"], s.music, kTolerance) << s.t;
        EXPECT_NEAR(greetings["uni_blend"], s.greetings, kTolerance) << s.t;
    }

    // A jump from inside the group name's fade to the title's time leaves no
    // group name behind.
    controller.Update(At(83000));
    EXPECT_NEAR(names["uni_blend_group"], 0.75f, kTolerance);
    controller.Update(At(90000));
    EXPECT_NEAR(names["uni_blend_group"], 0.0f, kTolerance);
    EXPECT_NEAR(names["uni_blend_demo"], 1.0f, kTolerance);
}

TEST(XFadeStSController, CrossFadesAtTenAndSeventyEightSeconds)
{
    hlv_shade::CCustomShadeNode toScreen;
    CFloatEffect final{"uni_f_mix1", "uni_f_mix2"};
    final.Mark("uni_f_mix1", 7.0f);
    final.Mark("uni_f_mix2", 7.0f);
    toScreen.SetRenderPass(final.effect->GetRenderPass(0));
    CXFadeStSController controller;
    controller.Mix1().AddKeys(CXFadeStSController::kMix1Keys);
    controller.Mix2().AddKeys(CXFadeStSController::kMix2Keys);
    controller.Bind(&toScreen);
    EXPECT_EQ(controller.GetTarget(), &toScreen);
    // Connected, the pass has the outputs' first values.
    EXPECT_EQ(final["uni_f_mix1"], 0.0f);
    EXPECT_EQ(final["uni_f_mix2"], 0.0f);

    const struct {
        std::uint64_t t;
        float mix1, mix2;
    } samples[] = {{0, 0.0f, 0.0f},     {10000, 0.0f, 0.0f},  {10500, 0.5f, 0.0f},
                   {11000, 1.0f, 0.0f}, {50000, 1.0f, 0.0f},  {79000, 1.0f, 0.5f},
                   {80000, 1.0f, 1.0f}, {101000, 1.0f, 1.0f}, {102000, 1.0f, 1.0f}};
    for (const auto& s : samples) {
        controller.Update(At(s.t));
        EXPECT_NEAR(final["uni_f_mix1"], s.mix1, kTolerance) << s.t;
        EXPECT_NEAR(final["uni_f_mix2"], s.mix2, kTolerance) << s.t;
    }
    // Past 102 s nothing is written any more.
    final.Mark("uni_f_mix1", 7.0f);
    final.Mark("uni_f_mix2", 7.0f);
    controller.Update(At(110000));
    EXPECT_EQ(final["uni_f_mix1"], 7.0f);
    EXPECT_EQ(final["uni_f_mix2"], 7.0f);

    // A click on the timeline near the start shows the intro, one near the
    // end the outro.
    controller.Update(At(2000));
    EXPECT_NEAR(final["uni_f_mix1"], 0.0f, kTolerance);
    EXPECT_NEAR(final["uni_f_mix2"], 0.0f, kTolerance);
    controller.Update(At(112000));
    EXPECT_NEAR(final["uni_f_mix1"], 1.0f, kTolerance);
    EXPECT_NEAR(final["uni_f_mix2"], 1.0f, kTolerance);
}

}  // namespace
}  // namespace dmo_nimra
