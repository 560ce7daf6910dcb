// The effects of the intro, the outro and the post-processing chain, built
// from their shader files by the demo's own loading on llvmpipe: each links,
// and each uniform its builder connects is an active uniform of the type the
// connection needs, with no sampler left that nothing binds.
#include <GL/glew.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "chain_harness.h"

#include <halvo_gfx/effect.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_gfx/shader_variable.h>

namespace dmo_nimra_test {
namespace {

using namespace hlv_gfx;

struct Uniform {
    const char* name;
    std::uint32_t type;
};

// What the builders connect or bind, per effect.
const std::map<std::string, std::vector<Uniform>>& ConnectedUniforms()
{
    static const Uniform kMask{"uni_smp_mask1", SVT_SAMPLER_2D};
    static const Uniform kImage{"uni_tex_smp", SVT_SAMPLER_2D};
    static const Uniform kBlend{"uni_blend", SVT_FLOAT};
    static const std::map<std::string, std::vector<Uniform>> kUniforms = {
        {"MapBackgroundIntro", {kMask}},
        {"MapBackgroundOutro", {kMask}},
        {"TextLogo", {kImage, kMask, {"uni_interpolator", SVT_FLOAT}}},
        {"TextDemo", {kImage, kMask, kBlend}},
        {"TextLogoOutro", {kImage, kBlend}},
        {"TextDemoGroupOutro",
         {{"uni_smp_group", SVT_SAMPLER_2D},
          {"uni_smp_demo", SVT_SAMPLER_2D},
          {"uni_blend_demo", SVT_FLOAT},
          {"uni_blend_group", SVT_FLOAT},
          {"uni_blend_mix", SVT_FLOAT}}},
        {"TextCodeOutro", {kImage, kBlend}},
        {"TextMusicOutro", {kImage, kBlend}},
        {"TextGreetingsOutro", {kImage, kBlend}},
        {"PostDownsample1",
         {{"uni_is_tex", SVT_SAMPLER_2D}, {"uni_f_recip_width", SVT_FLOAT}, {"uni_f_recip_height", SVT_FLOAT}}},
        {"PostSSAO1",
         {{"depth", SVT_SAMPLER_2D_SHADOW},
          {"option_mask", SVT_SAMPLER_2D},
          {"rand", SVT_SAMPLER_2D},
          {"uni_f_screen_size_x", SVT_FLOAT},
          {"uni_f_screen_size_y", SVT_FLOAT}}},
        {"PostDepthToA", {{"smp_depth", SVT_SAMPLER_2D_SHADOW}, {"uni_scale_f", SVT_FLOAT}}},
        {"OverlayScene2",
         {{"uni_smp_base", SVT_SAMPLER_2D},
          {"uni_smp_overlay", SVT_SAMPLER_2D},
          {"uni_smp_overlay2", SVT_SAMPLER_2D},
          {"uni_smp_overlay3", SVT_SAMPLER_2D}}},
        {"SceneToScreen",
         {{"uni_smp_intro", SVT_SAMPLER_2D},
          {"uni_smp_main", SVT_SAMPLER_2D},
          {"uni_smp_outro", SVT_SAMPLER_2D},
          {"uni_smp_ssao", SVT_SAMPLER_2D},
          {"uni_f_mix1", SVT_FLOAT},
          {"uni_f_mix2", SVT_FLOAT}}},
    };
    return kUniforms;
}

TEST(IntroOutroEffects, LinkThroughTheDemosLoadingWithEveryConnectedUniformActive)
{
    CChainHarness harness(64, 36);
    ASSERT_EQ(harness.Error(), "");
    std::vector<std::string> keys;
    for (const auto& [key, uniforms] : ConnectedUniforms()) keys.push_back(key);
    ASSERT_TRUE(harness.LoadEffects(keys));

    for (const auto& [key, uniforms] : ConnectedUniforms()) {
        SCOPED_TRACE(key);
        const CEffect* effect = harness.context.effects.Get(key);
        ASSERT_NE(effect, nullptr);
        const auto pass = effect->GetRenderPass(0);
        ASSERT_TRUE(pass);
        std::set<std::string> samplers;
        for (const Uniform& uniform : uniforms) {
            const auto variable = pass->FindVariable(uniform.name);
            ASSERT_TRUE(variable) << uniform.name << " is not an active uniform";
            EXPECT_EQ(variable->GetType(), uniform.type) << uniform.name;
            if (IsSamplerType(uniform.type)) samplers.insert(uniform.name);
        }
        // Every sampler the program reads is one the builders bind.
        for (const auto& variable : pass->GetVariables()) {
            if (IsSamplerType(variable->GetType())) {
                EXPECT_TRUE(samplers.count(variable->GetName())) << variable->GetName();
            }
        }
    }
}

std::string ReadShader(const std::string& relativePath)
{
    std::ifstream file(DemoFolder() + "/LocalShader/" + relativePath);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The text from the background's first constant to its main function.
std::string BackgroundBlock(const std::string& source)
{
    const std::size_t begin = source.find("const vec3 kGround");
    const std::size_t end = source.find("void main()");
    if (begin == std::string::npos || end == std::string::npos || end < begin) return {};
    return source.substr(begin, end - begin);
}

// With blending off, each intro text pass draws the background under its
// image itself: its copy of the background must be the background pass's
// own, or the text would stand in a box of another colour. (The outro's text
// passes write their images as a layer whose alpha the final pass uses.)
TEST(IntroOutroEffects, TextPassesDrawTheirScenesBackground)
{
    const struct {
        const char* background;
        std::vector<const char*> texts;
    } scenes[] = {
        {"Scene 2 Intro/map_background_intro.ps.glsl",
         {"Scene 2 Intro/text_intro_log.ps.glsl", "Scene 2 Intro/text_intro_dn.ps.glsl"}},
    };
    for (const auto& scene : scenes) {
        const std::string background = BackgroundBlock(ReadShader(scene.background));
        ASSERT_FALSE(background.empty()) << scene.background;
        for (const char* text : scene.texts) EXPECT_EQ(BackgroundBlock(ReadShader(text)), background) << text;
    }
}

}  // namespace
}  // namespace dmo_nimra_test
