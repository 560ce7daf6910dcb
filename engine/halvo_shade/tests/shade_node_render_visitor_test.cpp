// The shade-node render visitor through the multithreaded renderer, with a
// test render thread executing on a recording renderer.
#include <chrono>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <draw_recording_renderer.h>
#include <hlv_testing/watchdog.h>
#include <pass_builder.h>
#include <test_render_thread.h>

#include <halvo_core/handle.h>
#include <halvo_gfx/effect.h>
#include <halvo_gfx/mt_renderer.h>
#include <halvo_shade/SHADE_RESULT.h>
#include <halvo_shade/custom_shade_node.h>
#include <halvo_shade/framebuffer_2d_node.h>
#include <halvo_shade/shade_node_render_visitor.h>

namespace hlv_shade {
namespace {

using hlv_core::Adopt;
using hlv_core::CResourceHandle;
using Calls = std::vector<std::string>;
using hlv_gfx_test::SizedTexture;
using hlv_shade_test::Matrix;
using hlv_testing::CWatchdog;

struct Recording {
    Recording()
    {
        renderer->SetRenderer(CResourceHandle<hlv_gfx::IRenderer>(recording));
        thread = std::make_unique<hlv_shade_test::CTestRenderThread>(*renderer);
        visitor.SetRenderer(renderer);
    }
    ~Recording() { thread->Stop(); }

    Calls Finish()
    {
        thread->FinishFrame();
        return recording->Calls();
    }

    CResourceHandle<hlv_gfx::MTRenderer> renderer = Adopt(new hlv_gfx::MTRenderer("renderer"));
    CResourceHandle<hlv_shade_test::CDrawRecordingRenderer> recording =
        Adopt(new hlv_shade_test::CDrawRecordingRenderer);
    std::unique_ptr<hlv_shade_test::CTestRenderThread> thread;
    CShadeNodeRenderVisitor visitor;
};

// A node reading three textures drawn smaller than they are.
struct ThreeInputNode {
    ThreeInputNode()
    {
        auto pass = Adopt(new hlv_gfx::CRenderPass("blend pass"));
        for (const char* name : {"uni_a", "uni_b", "uni_c"})
            hlv_gfx_test::AddVariable(*pass, name, hlv_gfx::SVT_SAMPLER_2D);
        auto effect = Adopt(new hlv_gfx::CEffect("blend"));
        effect->passes.push_back(pass);
        effectOutput.SetValue(effect);
        node.GetEffectInput().Connect(&effectOutput);

        target->colorAttachments.push_back(SizedTexture("target colour", 512, 512));
        node.SetRenderTarget(target, {1});
        node.GetViewportInput().SetValue(hlv_gfx::VIEWPORT{0, 0, 256, 128});

        a.SetViewport({0, 0, 100, 100});  // scale 1, 1 (texture 100 x 100)
        b.SetViewport({0, 0, 50, 25});    // scale 0.5, 0.25
        c.SetViewport({0, 0, 10, 80});    // scale 0.1, 0.8
        node.ConnectTexture2DInput("uni_a", &a);
        node.ConnectTexture2DInput("uni_b", &b);
        node.ConnectTexture2DInput("uni_c", &c);
    }

    hlv_slot::CEffectOutputSlot effectOutput;
    CResourceHandle<hlv_gfx::CFramebuffer> target = Adopt(new hlv_gfx::CFramebuffer("target"));
    hlv_slot::CTexture2DOutputSlot a{SizedTexture("a", 100, 100)}, b{SizedTexture("b", 100, 100)},
        c{SizedTexture("c", 100, 100)};
    CCustomShadeNode node;
};

Matrix Diagonal(float x, float y)
{
    Matrix m{};
    m[0] = x;
    m[5] = y;
    m[10] = 1;
    m[15] = 1;
    return m;
}

TEST(ShadeNodeRenderVisitor, DrawsOneQuadIntoTheNodesTarget)
{
    CWatchdog watchdog(std::chrono::seconds(60), "shade node quad");
    Recording r;
    ThreeInputNode n;
    EXPECT_EQ(n.node.Accept(&r.visitor), MSNR_OK);
    EXPECT_EQ(r.Finish(), (Calls{"UseFramebuffer target", "SwitchRenderTarget 1 1", "SetTextureMatrix 1 0",
                                 "SetTextureMatrix 0.5 1", "SetTextureMatrix 0.1 2", "UseRenderPass blend pass",
                                 "SetViewport 0 0 256 128", "RenderQuad", "UseFramebuffer null"}));
    // The texture matrices follow the inputs' order with their scales.
    EXPECT_EQ(r.recording->TextureMatrices(),
              (std::vector<Matrix>{Diagonal(1, 1), Diagonal(0.5f, 0.25f), Diagonal(0.1f, 0.8f)}));
}

TEST(ShadeNodeRenderVisitor, NodeWithoutPassStopsBeforeTheQuad)
{
    CWatchdog watchdog(std::chrono::seconds(60), "shade node without pass");
    Recording r;
    CCustomShadeNode node;
    auto target = Adopt(new hlv_gfx::CFramebuffer("target"));
    node.SetRenderTarget(target, {2});
    EXPECT_EQ(r.visitor.EnterCustomShadeNode(&node), MSNR_FAIL_GFX);
    // The node's framebuffer stays selected.
    EXPECT_EQ(r.Finish(), (Calls{"UseFramebuffer target", "SwitchRenderTarget 2 1"}));
}

TEST(ShadeNodeRenderVisitor, WithoutRendererNothingIsRecorded)
{
    CShadeNodeRenderVisitor visitor;
    CCustomShadeNode node;
    EXPECT_EQ(visitor.EnterCustomShadeNode(&node), MSNR_INVALID_RENDERER);
    EXPECT_EQ(node.Accept(&visitor), MSNR_OK);
}

TEST(ShadeNodeRenderVisitor, FramebufferNodeRecordsNothing)
{
    CWatchdog watchdog(std::chrono::seconds(60), "framebuffer node");
    Recording r;
    CFramebuffer2DNode node;
    auto framebuffer = Adopt(new hlv_gfx::CFramebuffer("scene"));
    framebuffer->colorAttachments.push_back(SizedTexture("scene colour", 64, 64));
    node.SetFramebuffer(framebuffer);
    EXPECT_EQ(node.Accept(&r.visitor), MSNR_OK);
    EXPECT_TRUE(r.Finish().empty());
}

TEST(ShadeNodeRenderVisitor, ScreenPassHasNoDrawBuffers)
{
    CWatchdog watchdog(std::chrono::seconds(60), "screen pass");
    Recording r;
    ThreeInputNode n;
    n.node.SetRenderTarget({}, {});
    n.node.Accept(&r.visitor);
    const Calls calls = r.Finish();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[0], "UseFramebuffer null");
    EXPECT_EQ(calls[1], "SwitchRenderTarget 0 0");
    EXPECT_EQ(calls[calls.size() - 2], "RenderQuad");
}

}  // namespace
}  // namespace hlv_shade
