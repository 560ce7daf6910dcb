// The intro, outro and post-processing builders on the real engine with the
// demo's textures, effects and GPU data, without Scene 2 (its framebuffer
// holds what a test puts there): every input of their passes finds its
// source, and the occlusion target read back after a frame holds what the
// final pass needs.
#include <GL/glew.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "chain_harness.h"

#include <halvo_gfx/framebuffer.h>
#include <halvo_gfx/ogl/api_objects.h>
#include <halvo_shade/custom_shade_node.h>
#include <tidal_knots/SceneBuild.h>

namespace dmo_nimra_test {
namespace {

constexpr std::uint64_t kWidth = 960;
constexpr std::uint64_t kHeight = 540;

class IntroOutroChain : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        harness = std::make_unique<CChainHarness>(kWidth, kHeight);
        ASSERT_EQ(harness->Error(), "");
        ASSERT_TRUE(harness->LoadTextures());
        ASSERT_TRUE(harness->LoadEffects({"MapBackgroundIntro", "MapBackgroundOutro", "OverlayScene2", "SceneToScreen",
                                          "PostDownsample1", "PostSSAO1", "PostDepthToA", "TextLogo", "TextDemo",
                                          "TextLogoOutro", "TextDemoGroupOutro", "TextCodeOutro", "TextMusicOutro",
                                          "TextGreetingsOutro"}));
        ASSERT_TRUE(harness->CreateGpuData());
        const dmo_nimra::SceneBuildContext build = harness->Build();
        dmo_nimra::BuildIntroScene(build);
        dmo_nimra::BuildOutroScene(build);
        dmo_nimra::BuildPostProcessing(build);
    }
    static void TearDownTestSuite() { harness.reset(); }

    void SetUp() override
    {
        ASSERT_TRUE(harness && harness->Error().empty());
        // No Scene 2 here: its framebuffer holds what the test puts there.
        FillMainScene(0.0f, 1.0f, 0.0f, 0.0f);
    }
    void TearDown() override { EXPECT_EQ(harness->RendererMessages(), std::vector<std::string>{}); }

    static GLuint FramebufferName(const char* key)
    {
        const hlv_gfx::CFramebuffer* framebuffer = harness->context.framebuffers.Get(key);
        if (!framebuffer) return 0;
        const auto* api = hlv_gfx::OglApiObject<hlv_gfx::oglCFramebuffer_ApiSpecific>(framebuffer->apiObject);
        return api ? api->framebuffer : 0;
    }

    // Clears the main scene's colour to grey, its option mask to (option, 0,
    // 0, 1) and its depth to depth, over the left `share` of the width; the
    // rest gets depth 1 (nothing drawn) and no option.
    static void FillMainScene(float grey, float depthLeft, float option, float share)
    {
        glBindFramebuffer(GL_FRAMEBUFFER, FramebufferName("Main Frame Buffer Scene 2"));
        const GLenum colour[] = {GL_COLOR_ATTACHMENT0};
        const GLenum options[] = {GL_COLOR_ATTACHMENT2};
        glDrawBuffers(1, colour);
        glClearColor(grey, grey, grey, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glDrawBuffers(1, options);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClearDepth(1.0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glEnable(GL_SCISSOR_TEST);
        glScissor(0, 0, static_cast<GLsizei>(share * kWidth), kHeight);
        glClearColor(option, 0.0f, 0.0f, 1.0f);
        glClearDepth(depthLeft);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDisable(GL_SCISSOR_TEST);
        glClearDepth(1.0);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
    }

    static std::unique_ptr<CChainHarness> harness;
};

std::unique_ptr<CChainHarness> IntroOutroChain::harness;

TEST_F(IntroOutroChain, EveryInputOfTheScenesPassesFindsItsSource)
{
    for (const char* key : {"Intro Scene: Layer1", "Outro Scene: Layer1", "PostDownsample1", "PostSSAO1",
                            "PostMapDepthToA1", "Layer1", "StS Node: SceneToScreen"}) {
        SCOPED_TRACE(key);
        auto* node = dynamic_cast<hlv_shade::CCustomShadeNode*>(harness->context.shadeNodes.Get(key));
        ASSERT_NE(node, nullptr);
        ASSERT_TRUE(node->GetRenderPass());
        std::size_t inputs = 0;
        auto& floats = node->GetVariantInputs<float>();
        for (std::size_t i = 0; i < floats.size(); ++i, ++inputs)
            EXPECT_NE(floats[i]->GetSource(), nullptr) << floats.GetKey(i);
        auto& textures = node->GetTexture2DInputs();
        for (std::size_t i = 0; i < textures.size(); ++i, ++inputs)
            EXPECT_TRUE(textures[i]->GetValue()) << textures.GetKey(i);
        auto& depths = node->GetDepthTexture2DInputs();
        for (std::size_t i = 0; i < depths.size(); ++i, ++inputs)
            EXPECT_TRUE(depths[i]->GetValue()) << depths.GetKey(i);
        EXPECT_GT(inputs, 0u);
    }
}

// The occlusion target after both of its passes: every texel written once,
// occlusion beside a step in the depth, the depth term from the view depth.
TEST_F(IntroOutroChain, OcclusionTargetHoldsOcclusionAndDepthTerm)
{
    const auto target = hlv_core::CResourceHandle<hlv_gfx::CTexture>(
        harness->context.textures.Get("Postprocessing Framebuffer.Swap 8uffer Texture 2"));
    ASSERT_TRUE(target);
    glBindFramebuffer(GL_FRAMEBUFFER, FramebufferName("Postprocessing Framebuffer"));
    const GLenum second[] = {GL_COLOR_ATTACHMENT1};
    glDrawBuffers(1, second);
    glClearColor(-1.0f, -1.0f, -1.0f, -1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);

    // Solid geometry over the left half with a step towards the camera at a
    // quarter of the width (690 and 685 units away: within the occlusion's
    // reach); nothing drawn on the right half.
    constexpr float kNearStep = 0.985888f;
    constexpr float kFarStep = 0.985994f;
    FillMainScene(0.5f, kFarStep, 1.0f, 0.5f);
    glBindFramebuffer(GL_FRAMEBUFFER, FramebufferName("Main Frame Buffer Scene 2"));
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, kWidth / 4, kHeight);
    glClearDepth(kNearStep);
    glClear(GL_DEPTH_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    glClearDepth(1.0);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);

    harness->RenderFrame(50000);
    const std::vector<float> texels = harness->ReadTextureFloats(target);
    ASSERT_EQ(texels.size(), kWidth * kHeight * 4);
    auto at = [&](std::uint64_t x, std::uint64_t y, int channel) { return texels[(y * kWidth + x) * 4 + channel]; };

    // The view depth of a depth value under a projection that maps near .. 2
    // far (Scene 2's near 10, far 10000), and the depth term of it.
    auto viewDepth = [](float d) { return 2.0f * 10.0f * 10000.0f / (10000.0f - 9990.0f * (2.0f * d - 1.0f)); };
    auto depthTerm = [](float z) { return std::clamp((z - 500.0f) * 10.0f / 10000.0f, 0.0f, 1.0f); };

    float closest = 1.0f;
    for (std::uint64_t y = 0; y < kHeight; ++y)
        for (std::uint64_t x = 0; x < kWidth; ++x) {
            const float open = at(x, y, 0);
            ASSERT_TRUE(open >= 0.0f && open <= 1.0f) << x << ", " << y << ": " << open;
            if (x > kWidth / 4 && x < kWidth / 4 + 8) closest = std::min(closest, open);
        }
    const std::uint64_t y = kHeight / 2;
    // The far side of the step lies in the near side's shadow.
    EXPECT_LT(closest, 0.85f);
    // Open surfaces away from the step, nothing at all on the right.
    EXPECT_GT(at(kWidth / 8, y, 0), 0.97f);
    EXPECT_GT(at(3 * kWidth / 8, y, 0), 0.97f);
    EXPECT_EQ(at(3 * kWidth / 4, y, 0), 1.0f);
    EXPECT_NEAR(at(kWidth / 8, y, 3), depthTerm(viewDepth(kNearStep)), 0.01f);
    EXPECT_NEAR(at(3 * kWidth / 8, y, 3), depthTerm(viewDepth(kFarStep)), 0.01f);
    EXPECT_EQ(at(3 * kWidth / 4, y, 3), 1.0f);
}

}  // namespace
}  // namespace dmo_nimra_test
