// Framebuffer nodes publish a framebuffer's attachments as outputs.
#include <gtest/gtest.h>

#include <halvo_core/handle.h>
#include <halvo_gfx/depth_texture.h>
#include <halvo_shade/SHADE_RESULT.h>
#include <halvo_shade/framebuffer_2d_node.h>
#include <halvo_shade/shade_node_system.h>

namespace hlv_shade {
namespace {

using hlv_core::Adopt;
using hlv_core::CResourceHandle;

CResourceHandle<hlv_gfx::CFramebuffer> Framebuffer(std::size_t colours, bool depth)
{
    auto framebuffer = Adopt(new hlv_gfx::CFramebuffer("framebuffer"));
    for (std::size_t i = 0; i < colours; ++i) {
        auto texture = Adopt(new hlv_gfx::CTexture("colour " + std::to_string(i)));
        texture->width = 800;
        texture->height = 600;
        framebuffer->colorAttachments.push_back(texture);
    }
    if (depth) {
        auto texture = Adopt(new hlv_gfx::CDepthTexture("depth"));
        texture->width = 800;
        texture->height = 600;
        framebuffer->depthAttachment = CResourceHandle<hlv_gfx::CTexture>(texture);
    }
    return framebuffer;
}

TEST(Framebuffer2DNode, ViewportBeforeAnyFramebufferIsIgnored)
{
    CFramebuffer2DNode node;
    node.SetViewport(hlv_gfx::VIEWPORT{0, 0, 400, 300});
    EXPECT_EQ(node.GetViewport(), hlv_gfx::VIEWPORT{});
}

TEST(Framebuffer2DNode, PublishesEveryAttachment)
{
    CFramebuffer2DNode node;
    const auto framebuffer = Framebuffer(2, true);
    node.SetFramebuffer(framebuffer);
    ASSERT_EQ(node.GetColorOutputCount(), 2u);
    EXPECT_EQ(node.GetColorOutput(1)->GetValue().get(), framebuffer->colorAttachments[1].get());
    EXPECT_EQ(node.GetColorOutput(2), nullptr);
    ASSERT_NE(node.GetDepthOutput(), nullptr);
    EXPECT_EQ(node.GetDepthOutput()->GetValue().get(), framebuffer->depthAttachment.get());

    node.SetViewport(hlv_gfx::VIEWPORT{0, 0, 400, 300});
    EXPECT_EQ(node.GetViewport(), (hlv_gfx::VIEWPORT{0, 0, 400, 300}));
    EXPECT_EQ(node.GetColorOutput(0)->GetTextureScale(), (hlv_slot::TextureScale{0.5f, 0.5f}));
    EXPECT_EQ(node.GetDepthOutput()->GetTextureScale(), (hlv_slot::TextureScale{0.5f, 0.5f}));

    CFramebuffer2DNode noDepth;
    noDepth.SetFramebuffer(Framebuffer(1, false));
    EXPECT_EQ(noDepth.GetDepthOutput(), nullptr);
}

TEST(Framebuffer2DNode, SameFramebufferKeepsTheOutputsAnotherReplacesThem)
{
    CFramebuffer2DNode node;
    const auto framebuffer = Framebuffer(1, false);
    node.SetFramebuffer(framebuffer);
    node.SetViewport(hlv_gfx::VIEWPORT{0, 0, 200, 150});
    hlv_slot::CTexture2DInputSlot reader;
    reader.Connect(node.GetColorOutput(0));
    auto* output = node.GetColorOutput(0);

    node.SetFramebuffer(framebuffer);
    EXPECT_EQ(node.GetColorOutput(0), output);
    EXPECT_EQ(reader.GetSource(), output);

    // A new framebuffer: new outputs with the stored viewport; the old
    // output's reader is let go.
    node.SetFramebuffer(Framebuffer(2, false));
    EXPECT_EQ(node.GetColorOutputCount(), 2u);
    EXPECT_EQ(reader.GetSource(), nullptr);
    EXPECT_FALSE(reader.GetValue());
    EXPECT_EQ(node.GetColorOutput(1)->GetTextureScale(), (hlv_slot::TextureScale{0.25f, 0.25f}));
}

TEST(Framebuffer2DNode, NullVisitorIsRefused)
{
    CFramebuffer2DNode node;
    EXPECT_EQ(node.Accept(nullptr), MSNR_INVALID_ARGUMENT);
    EXPECT_EQ(node.Traverse(nullptr), MSNR_INVALID_ARGUMENT);
}

TEST(ShadeNodeSystem, HoldsTheDefaultShaderLibrary)
{
    auto system = Adopt(new CShadeNodeSystem("The Shade Node System"));
    ASSERT_TRUE(system->GetShaderLibrary());
    EXPECT_EQ(system->GetShaderLibrary()->GetName(), "The Default Shader Library");
    EXPECT_TRUE(system->GetShaderLibrary()->GetShaders().empty());
    EXPECT_FALSE(system->GetGfxSystem());
    EXPECT_TRUE(hlv_core::IsExactly<CShadeNodeSystem>(system.get()));
}

}  // namespace
}  // namespace hlv_shade
