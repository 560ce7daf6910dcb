// Framebuffers, render targets and the full-screen quad: draws into several
// targets read back per attachment, and the attribute stack kept balanced
// whatever the binds did.
#include "ogl/renderer_fixture.h"

#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_gfx/render_pass_snapshot.h>

namespace hlv_ogl_test {
namespace {

using namespace hlv_gfx;
using hlv_gl_test::GetInteger;
using hlv_gl_test::GetIntegers;

constexpr std::uint64_t kSize = 8;

class OglRendererFramebufferTest : public COglRendererTest {
protected:
    void SetUp() override
    {
        COglRendererTest::SetUp();
        colours = {MakeTexture(TF_RGBA8, CT_RGBA, hlv_core::T_UCHAR, kSize, kSize),
                   MakeTexture(TF_RGBA8, CT_RGBA, hlv_core::T_UCHAR, kSize, kSize),
                   MakeTexture(TF_RGBA32F, CT_RGBA, hlv_core::T_FLOAT, kSize, kSize)};
        depth = MakeDepthTexture(kSize, kSize);
        framebuffer = MakeFramebuffer(colours, depth);
        // The state outside the framebuffer.
        ASSERT_EQ(renderer->SetViewport(0, 0, 100, 50), GFXR_OK);
        ASSERT_EQ(renderer->SetFrontFace(1), GFXR_OK);
    }

    void ExpectOutsideStateRestored()
    {
        EXPECT_EQ(GetInteger(GL_ATTRIB_STACK_DEPTH), 0);
        EXPECT_EQ(GetIntegers(GL_VIEWPORT, 4), (std::vector<GLint>{0, 0, 100, 50}));
        EXPECT_EQ(GetInteger(GL_FRONT_FACE), GL_CCW);
        EXPECT_EQ(GetInteger(GL_FRAMEBUFFER_BINDING), 0);
    }

    // Every texel of the attachment as 0xRRGGBBAA.
    std::vector<std::uint32_t> Texels(std::size_t attachment)
    {
        const auto bytes = hlv_gl_test::ReadTextureRgba8(GL_TEXTURE_2D, TextureNameOf(colours[attachment]->apiObject));
        std::vector<std::uint32_t> texels;
        for (std::size_t i = 0; i + 3 < bytes.size(); i += 4)
            texels.push_back(Packed({bytes[i], bytes[i + 1], bytes[i + 2], bytes[i + 3]}));
        return texels;
    }

    void DrawThreeTargets(std::uint32_t switchResult)
    {
        auto pass = MakePass("fullscreen.vs.glsl", "three_targets.ps.glsl");
        ASSERT_TRUE(pass);
        CRenderPassSnapshot values;
        values.CaptureFrom(pass);
        ASSERT_EQ(renderer->UseFramebuffer(framebuffer), GFXR_OK);
        EXPECT_EQ(GetInteger(GL_ATTRIB_STACK_DEPTH), 1);
        ASSERT_EQ(renderer->SetViewport(0, 0, kSize, kSize), GFXR_OK);
        ASSERT_EQ(switchResult, GFXR_OK);
        ASSERT_EQ(renderer->UseRenderPass(pass, values), GFXR_OK);
        ASSERT_EQ(renderer->RenderQuad(), GFXR_OK);
        ASSERT_EQ(renderer->UseFramebuffer({}), GFXR_OK);
    }

    std::vector<Handle<CTexture>> colours;
    Handle<CDepthTexture> depth;
    Handle<CFramebuffer> framebuffer;
};

TEST_F(OglRendererFramebufferTest, QuadDrawsADifferentColourIntoEachTarget)
{
    auto pass = MakePass("fullscreen.vs.glsl", "three_targets.ps.glsl");
    ASSERT_TRUE(pass);
    CRenderPassSnapshot values;
    values.CaptureFrom(pass);
    ASSERT_EQ(renderer->UseFramebuffer(framebuffer), GFXR_OK);
    EXPECT_EQ(GetInteger(GL_ATTRIB_STACK_DEPTH), 1);
    EXPECT_EQ(renderer->GetFramebuffer(), framebuffer);
    ASSERT_EQ(renderer->SetViewport(0, 0, kSize, kSize), GFXR_OK);
    ASSERT_EQ(renderer->SwitchRenderTarget({UBM_ZERO, UBM_ONE, UBM_TWO}, 3), GFXR_OK);
    EXPECT_EQ(GetInteger(GL_DRAW_BUFFER2), GL_COLOR_ATTACHMENT2);
    ASSERT_EQ(renderer->UseRenderPass(pass, values), GFXR_OK);
    ASSERT_EQ(renderer->RenderQuad(), GFXR_OK);
    EXPECT_EQ(GetInteger(GL_FRONT_FACE), GL_CCW);
    ASSERT_EQ(renderer->UseFramebuffer({}), GFXR_OK);

    ExpectOutsideStateRestored();
    EXPECT_EQ(Texels(0), std::vector<std::uint32_t>(kSize * kSize, 0xFF0000FF));
    EXPECT_EQ(Texels(1), std::vector<std::uint32_t>(kSize * kSize, 0x00FF00FF));
    const auto floats = hlv_gl_test::ReadTextureRgbaF(GL_TEXTURE_2D, TextureNameOf(colours[2]->apiObject));
    ASSERT_EQ(floats.size(), kSize * kSize * 4);
    for (std::size_t i = 0; i < floats.size(); i += 4)
        ASSERT_EQ((std::vector<float>(floats.begin() + i, floats.begin() + i + 4)),
                  (std::vector<float>{0.25f, 2.5f, -1.0f, 1.0f}))
            << "texel " << i / 4;
}

TEST_F(OglRendererFramebufferTest, AllTargetsAtOnceAndOneTargetAlone)
{
    DrawThreeTargets(GFXR_OK);
    ASSERT_EQ(renderer->UseFramebuffer(framebuffer), GFXR_OK);
    EXPECT_EQ(renderer->SwitchRenderTarget(UBM_ALL), GFXR_OK);
    EXPECT_EQ(GetIntegers(GL_DRAW_BUFFER0, 1)[0], GL_COLOR_ATTACHMENT0);
    EXPECT_EQ(GetInteger(GL_DRAW_BUFFER2), GL_COLOR_ATTACHMENT2);
    EXPECT_EQ(renderer->SwitchRenderTarget(UBM_TWO), GFXR_OK);  // attachment 2
    EXPECT_EQ(GetInteger(GL_DRAW_BUFFER0), GL_COLOR_ATTACHMENT2);
    EXPECT_EQ(GetInteger(GL_DRAW_BUFFER1), GL_NONE);
    // The list form with UBM_NONE first sets no draw buffer at all.
    EXPECT_EQ(renderer->SwitchRenderTarget({UBM_NONE, UBM_ONE}, 2), GFXR_OK);
    EXPECT_EQ(GetInteger(GL_DRAW_BUFFER0), GL_NONE);
    // More positions than attachments: only as many as there are.
    EXPECT_EQ(renderer->SwitchRenderTarget({UBM_TWO, UBM_ONE, UBM_ZERO, UBM_ZERO}, 4), GFXR_OK);
    EXPECT_EQ(GetInteger(GL_DRAW_BUFFER0), GL_COLOR_ATTACHMENT2);
    EXPECT_EQ(GetInteger(GL_DRAW_BUFFER2), GL_COLOR_ATTACHMENT0);
    EXPECT_EQ(GetInteger(GL_DRAW_BUFFER3), GL_NONE);

    // A value naming no attachment of the framebuffer, and a bad list, are
    // refused without a GL call.
    EXPECT_EQ(renderer->SwitchRenderTarget(UBM_FOUR), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(renderer->SwitchRenderTarget(40), GFXR_INVALID_ARGUMENT);  // attachment 39
    EXPECT_EQ(renderer->SwitchRenderTarget({UBM_ZERO}, 2), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(renderer->SwitchRenderTarget({}, 0), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(GetInteger(GL_DRAW_BUFFER0), GL_COLOR_ATTACHMENT2);
    // In a list, attachment numbers from 17 up (values from 18) draw into the
    // first attachment; beside the first attachment itself that names it
    // twice, which GL refuses and the renderer reports.
    EXPECT_EQ(renderer->SwitchRenderTarget({UBM_TWO, 40}, 2), GFXR_OK);
    EXPECT_EQ(GetInteger(GL_DRAW_BUFFER0), GL_COLOR_ATTACHMENT2);
    EXPECT_EQ(GetInteger(GL_DRAW_BUFFER1), GL_COLOR_ATTACHMENT0);
    EXPECT_EQ(renderer->SwitchRenderTarget({UBM_ALL + 1, UBM_TWO}, 1), GFXR_OK);
    EXPECT_EQ(GetInteger(GL_DRAW_BUFFER0), GL_COLOR_ATTACHMENT0);
    EXPECT_EQ(GetInteger(GL_DRAW_BUFFER1), GL_NONE);
    EXPECT_EQ(renderer->SwitchRenderTarget({UBM_ZERO, 40}, 2), GFXR_API_FAIL);
    EXPECT_EQ(listener->texts, std::vector<std::string>{"COglRenderer::SwitchRenderTarget: Failed to switch to "
                                                        "render targets., Error: 1282, invalid operation; "});
    listener->texts.clear();
    ASSERT_EQ(renderer->UseFramebuffer({}), GFXR_OK);
    ExpectOutsideStateRestored();

    // Without a framebuffer there is nothing to switch.
    EXPECT_EQ(renderer->SwitchRenderTarget(UBM_ZERO), GFXR_OK);
    EXPECT_EQ(renderer->SwitchRenderTarget({UBM_ZERO}, 1), GFXR_OK);
}

TEST_F(OglRendererFramebufferTest, SwitchingBetweenFramebuffersPopsEachPushOnce)
{
    auto other = MakeFramebuffer({MakeTexture(TF_RGBA8, CT_RGBA, hlv_core::T_UCHAR, 4, 4)}, {});
    ASSERT_EQ(renderer->UseFramebuffer(framebuffer), GFXR_OK);
    ASSERT_EQ(renderer->UseFramebuffer(framebuffer), GFXR_OK);  // the same: nothing more pushed
    EXPECT_EQ(GetInteger(GL_ATTRIB_STACK_DEPTH), 1);
    ASSERT_EQ(renderer->SetViewport(0, 0, kSize, kSize), GFXR_OK);
    ASSERT_EQ(renderer->UseFramebuffer(other), GFXR_OK);
    EXPECT_EQ(GetInteger(GL_ATTRIB_STACK_DEPTH), 1);
    EXPECT_EQ(GetIntegers(GL_VIEWPORT, 4), (std::vector<GLint>{0, 0, 100, 50}));
    EXPECT_EQ(renderer->UseFramebuffer({}), GFXR_OK);
    EXPECT_EQ(renderer->UseFramebuffer({}), GFXR_OK);  // already the default one
    ExpectOutsideStateRestored();
}

TEST_F(OglRendererFramebufferTest, FramebufferWithoutApiObjectStaysBalanced)
{
    auto bare = hlv_core::Adopt(new CFramebuffer("bare"));
    bare->colorAttachments = colours;
    // A group of the caller's own, which no framebuffer switch may take.
    ASSERT_EQ(renderer->PushAttrib(1), GFXR_OK);
    ASSERT_EQ(renderer->UseFramebuffer(framebuffer), GFXR_OK);
    EXPECT_EQ(renderer->UseFramebuffer(bare), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(renderer->GetFramebuffer(), bare);
    EXPECT_EQ(GetInteger(GL_ATTRIB_STACK_DEPTH), 1);
    EXPECT_EQ(renderer->UseFramebuffer({}), GFXR_OK);
    EXPECT_EQ(GetInteger(GL_ATTRIB_STACK_DEPTH), 1);
    EXPECT_EQ(renderer->PopAttrib(), GFXR_OK);
    ExpectOutsideStateRestored();

    // The full draw works again afterwards.
    DrawThreeTargets(renderer->SwitchRenderTarget(UBM_ALL));
    ExpectOutsideStateRestored();
}

TEST_F(OglRendererFramebufferTest, FailedBindPushesNothingAndNextSwitchPopsNothing)
{
    ASSERT_EQ(renderer->PushAttrib(1), GFXR_OK);
    glEnable(0x1234);  // the bind's check finds an error
    EXPECT_EQ(renderer->UseFramebuffer(framebuffer), GFXR_API_FAIL);
    EXPECT_EQ(listener->texts,
              std::vector<std::string>{"COglRenderer::UseFramebuffer: Failed to bind framebuffer., Error: 1280, "
                                       "invalid enumerant; "});
    listener->texts.clear();
    EXPECT_EQ(GetInteger(GL_ATTRIB_STACK_DEPTH), 1);
    EXPECT_EQ(renderer->UseFramebuffer({}), GFXR_OK);
    EXPECT_EQ(GetInteger(GL_ATTRIB_STACK_DEPTH), 1);
    EXPECT_EQ(renderer->PopAttrib(), GFXR_OK);
    ExpectOutsideStateRestored();
}

TEST_F(OglRendererFramebufferTest, QuadCoversTheTargetWithItsTextureCoordinates)
{
    auto single = MakeFramebuffer({colours[0]}, {});
    auto pass = MakePass("fullscreen.vs.glsl", "texcoords.ps.glsl");
    ASSERT_TRUE(pass);
    CRenderPassSnapshot values;
    ASSERT_EQ(renderer->UseFramebuffer(single), GFXR_OK);
    ASSERT_EQ(renderer->SetViewport(0, 0, kSize, kSize), GFXR_OK);
    ASSERT_EQ(renderer->SwitchRenderTarget(UBM_ZERO), GFXR_OK);
    ASSERT_EQ(renderer->UseRenderPass(pass, values), GFXR_OK);
    glEnable(GL_CULL_FACE);  // clockwise quad, drawn with a clockwise front face
    ASSERT_EQ(renderer->RenderQuad(), GFXR_OK);
    glDisable(GL_CULL_FACE);
    ASSERT_EQ(renderer->UseFramebuffer({}), GFXR_OK);
    ExpectOutsideStateRestored();

    const auto texels = Texels(0);
    // Texel centres: s = (x + 0.5) / 8 in the red channel, t in green.
    auto expected = [](std::size_t x, std::size_t y) {
        auto channel = [](std::size_t i) {
            return static_cast<std::uint32_t>((static_cast<double>(i) + 0.5) / kSize * 255.0 + 0.5);
        };
        return channel(x) << 24 | channel(y) << 16 | 0xFF;
    };
    for (std::size_t y : {std::size_t{0}, kSize - 1})
        for (std::size_t x : {std::size_t{0}, kSize - 1}) {
            const std::uint32_t texel = texels[y * kSize + x];
            EXPECT_NEAR(static_cast<int>(texel >> 24), static_cast<int>(expected(x, y) >> 24), 1) << x << "," << y;
            EXPECT_NEAR(static_cast<int>(texel >> 16 & 0xFF), static_cast<int>(expected(x, y) >> 16 & 0xFF), 1);
        }
}

}  // namespace
}  // namespace hlv_ogl_test
