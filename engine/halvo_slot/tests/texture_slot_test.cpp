#include <memory>
#include <string>

#include <gtest/gtest.h>

#include <halvo_gfx/render_pass.h>
#include <halvo_slot/CTexture2DSlot.h>
#include <halvo_slot/CTextureNotification.h>
#include <halvo_slot/CViewportSlot.h>

#include "slot_recorders.h"

using hlv_core::Adopt;
using hlv_core::CResourceHandle;
using hlv_gfx::CDepthTexture;
using hlv_gfx::CTexture;
using hlv_gfx::VIEWPORT;
using namespace hlv_slot;

namespace {

CResourceHandle<CTexture> MakeTexture(const std::string& name, std::uint64_t w, std::uint64_t h)
{
    auto texture = Adopt(new CTexture(name));
    texture->width = w;
    texture->height = h;
    return texture;
}

// Logs what the output holds when its value-changed hook runs.
class LoggingTextureOutput : public CTexture2DOutputSlot {
public:
    explicit LoggingTextureOutput(EventLog& log) : m_log(log) {}

protected:
    void OnValueChanged(const handle_type& texture) override
    {
        m_log.push_back("stored " + (GetValue() ? GetValue()->GetName() : std::string("none")));
        CTexture2DOutputSlot::OnValueChanged(texture);
        m_log.push_back("scale " + std::to_string(GetTextureScale().x));
    }

private:
    EventLog& m_log;
};

// Logs what its input holds when it is notified.
class InputStateNotification : public hlv_slot::INotification {
public:
    InputStateNotification(EventLog& log, const CTexture2DInputSlot& slot, std::string name)
        : m_log(log), m_slot(slot), m_name(std::move(name))
    {
    }
    void Notify() override
    {
        const auto& texture = m_slot.GetValue();
        m_log.push_back(m_name + " has " + (texture ? texture->GetName() : std::string("none")) + " scale " +
                        std::to_string(m_slot.GetTextureScale().x) + " viewport " +
                        std::to_string(m_slot.GetViewport().width));
    }

private:
    EventLog& m_log;
    const CTexture2DInputSlot& m_slot;
    std::string m_name;
};

CResourceHandle<hlv_gfx::CRenderPass> PassWithSampler(const std::string& name, std::uint32_t type)
{
    auto pass = Adopt(new hlv_gfx::CRenderPass("pass"));
    auto variable = Adopt(new hlv_gfx::CShaderVariable(name));
    variable->SetType(type);
    pass->GetVariables().push_back(variable);
    return pass;
}

}  // namespace

TEST(TextureSlot, ValueChangeOrderStoreScaleThenPerInputCopyAndNotification)
{
    EventLog log;
    LoggingTextureOutput out(log);
    out.SetViewport(VIEWPORT{0, 0, 960, 540});
    CTexture2DInputSlot first, second;
    first.SetNotification(new InputStateNotification(log, first, "first"));
    second.SetNotification(new InputStateNotification(log, second, "second"));
    first.Connect(&out);
    second.Connect(&out);
    log.clear();

    out.SetValue(MakeTexture("target", 1920, 1080));
    const EventLog expected{"stored target", "scale 0.500000", "first has target scale 0.500000 viewport 960",
                            "second has target scale 0.500000 viewport 960"};
    EXPECT_EQ(log, expected);
}

TEST(TextureSlot, ScaleReachesEveryInputAlsoAfterALaterSetViewport)
{
    CTexture2DOutputSlot out;
    CTexture2DInputSlot a, b;
    a.Connect(&out);
    out.SetViewport(VIEWPORT{0, 0, 960, 540});
    out.SetValue(MakeTexture("target", 1920, 1080));
    b.Connect(&out);
    for (const auto* in : {&a, &b}) {
        EXPECT_EQ(in->GetTextureScale(), (TextureScale{0.5f, 0.5f}));
        EXPECT_EQ(in->GetViewport(), (VIEWPORT{0, 0, 960, 540}));
    }

    out.SetViewport(VIEWPORT{0, 0, 1920, 1080});
    EXPECT_EQ(out.GetTextureScale(), (TextureScale{1.0f, 1.0f}));
    for (const auto* in : {&a, &b}) {
        EXPECT_EQ(in->GetTextureScale(), (TextureScale{1.0f, 1.0f}));
        EXPECT_EQ(in->GetViewport(), (VIEWPORT{0, 0, 1920, 1080}));
    }
    out.SetViewport(VIEWPORT{0, 0, 960, 540});
    EXPECT_EQ(out.GetTextureScale(), (TextureScale{0.5f, 0.5f}));
    for (const auto* in : {&a, &b}) {
        EXPECT_EQ(in->GetTextureScale(), (TextureScale{0.5f, 0.5f}));
        EXPECT_EQ(in->GetViewport(), (VIEWPORT{0, 0, 960, 540}));
    }
}

TEST(TextureSlot, ScaleEdgeCases)
{
    CTexture2DOutputSlot out;
    out.SetViewport(VIEWPORT{0, 0, 4000, 3000});
    out.SetValue(MakeTexture("small", 1920, 1080));
    EXPECT_EQ(out.GetTextureScale(), (TextureScale{1.0f, 1.0f}));

    out.SetViewport(VIEWPORT{0, 0, 480, 1080});
    EXPECT_EQ(out.GetTextureScale(), (TextureScale{0.25f, 1.0f}));

    // An empty handle keeps the last scale.
    out.SetValue(CResourceHandle<CTexture>());
    out.SetViewport(VIEWPORT{0, 0, 10, 10});
    EXPECT_EQ(out.GetTextureScale(), (TextureScale{0.25f, 1.0f}));

    // A texture without a size yet: the whole texture.
    EXPECT_EQ(ComputeTextureScale(VIEWPORT{0, 0, 0, 540}, 0, 0), (TextureScale{1.0f, 1.0f}));
}

TEST(TextureSlot, DepthPairScalesLikeTheTexturePair)
{
    CDepthTexture2DOutputSlot out;
    CDepthTexture2DInputSlot in;
    in.Connect(&out);
    out.SetViewport(VIEWPORT{0, 0, 960, 540});
    auto depth = Adopt(new CDepthTexture("depth"));
    depth->width = 1920;
    depth->height = 1080;
    out.SetValue(depth);
    EXPECT_EQ(in.GetValue(), depth);
    EXPECT_EQ(in.GetTextureScale(), (TextureScale{0.5f, 0.5f}));
}

TEST(TextureSlot, BothDestructionOrdersReleaseTheTexture)
{
    auto texture = MakeTexture("t", 16, 16);
    {
        auto out = std::make_unique<CTexture2DOutputSlot>();
        CTexture2DInputSlot in;
        in.Connect(out.get());
        out->SetValue(texture);
        EXPECT_EQ(texture->GetRefCount(), 3u);
        out.reset();
        // The input left its vanished output and dropped the texture with it.
        EXPECT_EQ(in.GetSource(), nullptr);
        EXPECT_FALSE(in.GetValue().IsValid());
        EXPECT_EQ(texture->GetRefCount(), 1u);
    }
    {
        CTexture2DOutputSlot out;
        auto in = std::make_unique<CTexture2DInputSlot>();
        in->Connect(&out);
        out.SetValue(texture);
        in.reset();
        EXPECT_EQ(out.GetInput(0), nullptr);
        out.SetValue(MakeTexture("u", 8, 8));
    }
    EXPECT_EQ(texture->GetRefCount(), 1u);
}

TEST(TextureNotification, BindsTheInputTextureToTheSamplerOnEachValue)
{
    auto pass = PassWithSampler("uni_tex_smp", 17 /* SVT_SAMPLER_2D */);
    CTexture2DOutputSlot out;
    CTexture2DInputSlot in;
    in.SetNotification(new CTexture2DNotification("uni_tex_smp", &in, pass));
    auto first = MakeTexture("first", 4, 4);
    out.SetValue(first);
    in.Connect(&out);
    ASSERT_EQ(pass->GetTextureBindings().size(), 1u);
    EXPECT_EQ(pass->GetTexture(0), first);

    auto second = MakeTexture("second", 4, 4);
    out.SetValue(second);
    ASSERT_EQ(pass->GetTextureBindings().size(), 1u);
    EXPECT_EQ(pass->GetTexture(0), second);

    // Moved to another pass, the notification binds there.
    auto other = PassWithSampler("uni_tex_smp", 17);
    static_cast<CTexture2DNotification*>(in.GetNotification())->SetRenderPass(other);
    in.Refresh();
    EXPECT_EQ(other->GetTexture(0), second);
}

TEST(TextureNotification, DepthAndCubeMapNotificationsUseTheirBindings)
{
    auto depthPass = PassWithSampler("uni_depth", 21 /* SVT_SAMPLER_2D_SHADOW */);
    CDepthTexture2DOutputSlot depthOut;
    CDepthTexture2DInputSlot depthIn;
    depthIn.SetNotification(new CDepthTexture2DNotification("uni_depth", &depthIn, depthPass));
    auto depth = Adopt(new CDepthTexture("depth"));
    depthOut.SetValue(depth);
    depthIn.Connect(&depthOut);
    EXPECT_EQ(depthPass->GetDepthTexture(0), depth);

    auto cubePass = PassWithSampler("uni_cube", 19 /* SVT_SAMPLER_CUBE */);
    CCubemapOutputSlot cubeOut;
    CCubemapInputSlot cubeIn;
    cubeIn.SetNotification(new CCubemapNotification("uni_cube", &cubeIn, cubePass));
    auto cube = Adopt(new hlv_gfx::CCubeMapTexture("cube"));
    cubeOut.SetValue(cube);
    cubeIn.Connect(&cubeOut);
    EXPECT_EQ(cubePass->GetCubeMapTexture(0), cube);
}

TEST(TextureNotification, WithoutPassOrTextureNothingIsBound)
{
    CTexture2DOutputSlot out;
    CTexture2DInputSlot in;
    in.SetNotification(new CTexture2DNotification("uni_tex_smp", &in, {}));
    out.SetValue(MakeTexture("t", 1, 1));
    in.Connect(&out);  // no pass: nothing to do

    auto pass = PassWithSampler("uni_tex_smp", 17);
    CTexture2DInputSlot empty;
    empty.SetNotification(new CTexture2DNotification("uni_tex_smp", &empty, pass));
    CTexture2DOutputSlot emptyOut;
    empty.Connect(&emptyOut);
    EXPECT_TRUE(pass->GetTextureBindings().empty());
}

TEST(ViewportSlot, InputsTakeTheFourWordsAndRunTheirNotification)
{
    EventLog log;
    CViewportOutputSlot out(VIEWPORT{0, 0, 1920, 1080});
    CViewportInputSlot in;
    in.SetNotification(new RecordingNotification(log, "camera"));
    in.Connect(&out, false);
    EXPECT_EQ(in.GetValue(), (VIEWPORT{0, 0, 1920, 1080}));
    log.clear();
    out.SetValue(VIEWPORT{0, 0, 1280, 720});
    EXPECT_EQ(in.GetValue(), (VIEWPORT{0, 0, 1280, 720}));
    EXPECT_EQ(log, (EventLog{"notify camera"}));
    // A disconnected viewport input keeps its last value.
    in.Disconnect();
    EXPECT_EQ(in.GetValue(), (VIEWPORT{0, 0, 1280, 720}));
}
