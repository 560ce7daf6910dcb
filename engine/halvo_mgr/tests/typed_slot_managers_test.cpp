#include <gtest/gtest.h>

#include <halvo_mgr/CEffectSlotManager.h>
#include <halvo_mgr/CTextureSlotManager.h>
#include <halvo_mgr/CViewportSlotManager.h>

using hlv_core::Adopt;
using hlv_core::CResourceHandle;
using hlv_gfx::VIEWPORT;
using namespace hlv_mgr;
using namespace hlv_slot;

TEST(TextureSlotManager, SetTextureTwiceKeepsTheSlotAndUpdatesItsInputs)
{
    CTextureSlotManager manager;
    auto first = Adopt(new hlv_gfx::CTexture("first"));
    auto second = Adopt(new hlv_gfx::CTexture("second"));
    CTexture2DOutputSlot* slot = manager.SetTexture("Logo", first);
    ASSERT_NE(slot, nullptr);
    EXPECT_EQ(slot->GetValue(), first);
    EXPECT_TRUE(manager.GetChangedFlag("Logo"));

    CTexture2DInputSlot in;
    in.Connect(slot);
    EXPECT_EQ(manager.SetTexture("Logo", second), slot);
    EXPECT_EQ(in.GetValue(), second);
    EXPECT_EQ(manager.GetSlot("Logo"), slot);
    EXPECT_EQ(manager.GetSlot("Missing"), nullptr);

    // Inserting resets the name's flag.
    manager.InsertSlot("Logo", new CTexture2DOutputSlot());
    EXPECT_FALSE(manager.GetChangedFlag("Logo"));
    EXPECT_EQ(in.GetSource(), nullptr);
}

TEST(TextureSlotManager, PublishedRenderTargetScalesItsInputs)
{
    CTextureSlotManager manager;
    auto target = Adopt(new hlv_gfx::CTexture("target"));
    target->width = 1920;
    target->height = 1080;
    CTexture2DInputSlot in;
    in.Connect(manager.SetTexture("Scene", target));
    manager.GetSlot("Scene")->SetViewport(VIEWPORT{0, 0, 960, 540});
    EXPECT_EQ(in.GetTextureScale(), (TextureScale{0.5f, 0.5f}));
}

TEST(EffectSlotManager, SetEffectNamesTheSlotAfterTheEffect)
{
    CEffectSlotManager manager;
    auto effect = Adopt(new hlv_gfx::CEffect("TextLogo"));
    CEffectOutputSlot* slot = manager.SetEffect(effect, false);
    ASSERT_NE(slot, nullptr);
    EXPECT_EQ(manager.GetSlot("TextLogo"), slot);
    EXPECT_EQ(slot->GetValue(), effect);
    EXPECT_FALSE(manager.GetChangedFlag("TextLogo"));

    CEffectInputSlot in;
    in.Connect(slot);
    auto same = Adopt(new hlv_gfx::CEffect("TextLogo"));
    EXPECT_EQ(manager.SetEffect(same, true), slot);
    EXPECT_TRUE(manager.GetChangedFlag("TextLogo"));
    EXPECT_EQ(in.GetValue(), same);
}

TEST(EffectSlotManager, EmptyEffectChangesNothing)
{
    CEffectSlotManager manager;
    EXPECT_EQ(manager.SetEffect(CResourceHandle<hlv_gfx::CEffect>(), true), nullptr);
    EXPECT_EQ(manager.GetSlotCount(), 0u);
}

TEST(ViewportSlotManager, InsertedViewportReachesItsInputs)
{
    CViewportInputSlot in;
    {
        CViewportSlotManager manager;
        manager.InsertSlot("Backplane Viewport", new CViewportOutputSlot(VIEWPORT{0, 0, 1920, 1080}));
        in.Connect(manager.GetSlot("Backplane Viewport"));
        EXPECT_EQ(in.GetValue(), (VIEWPORT{0, 0, 1920, 1080}));
    }
    EXPECT_EQ(in.GetSource(), nullptr);
}
