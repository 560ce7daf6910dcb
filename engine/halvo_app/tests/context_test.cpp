#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <halvo_app/Context/CFullModuledHalvoApplication.h>

using hlv_app::CFullModuledHalvoApplication;
using hlv_app::CManagedContext;
using hlv_app::CManagedContextModule;
using hlv_slot::CVariantInputSlot;

namespace {

constexpr auto CID_INVALID = CFullModuledHalvoApplication::managed_context_module_t::CID_INVALID;

}  // namespace

TEST(ManagedContextModule, CreateAndFindByName)
{
    CManagedContextModule module;
    EXPECT_EQ(module.CreateContext("Local Context"), 0u);
    EXPECT_EQ(module.CreateContext("Local Context"), CID_INVALID);
    EXPECT_EQ(module.GetContextId("Local Context"), 0u);
    EXPECT_EQ(module.GetContextId("Remote Context"), CID_INVALID);
    EXPECT_NE(module.GetContext(0), nullptr);
    EXPECT_EQ(module.GetContext(1), nullptr);
    EXPECT_EQ(module.GetContext(CID_INVALID), nullptr);
    EXPECT_EQ(module.GetContextCount(), 1u);
}

TEST(ManagedContextModule, ConnectedContextsSurviveMoreContexts)
{
    std::vector<std::unique_ptr<CVariantInputSlot<float>>> inputs;
    std::vector<std::unique_ptr<CVariantInputSlot<pld_math::mat4f>>> matrixInputs;
    std::vector<std::unique_ptr<hlv_slot::CViewportInputSlot>> viewportInputs;
    std::vector<std::unique_ptr<hlv_slot::CTexture2DInputSlot>> textureInputs;
    auto texture = hlv_core::Adopt(new hlv_gfx::CTexture("Logo"));
    {
        CManagedContextModule module;
        std::vector<CManagedContext*> places;
        for (int i = 0; i < 6; ++i) {
            const std::string name = "context " + std::to_string(i);
            auto id = module.CreateContext(name);
            ASSERT_EQ(id, std::size_t(i));
            CManagedContext* c = module.GetContext(id);
            places.push_back(c);
            c->VariantSlots<float>().AddSlot("value", float(i));
            c->VariantSlots<pld_math::mat4f>().AddSlot("world", pld_math::mat4f::identity());
            inputs.push_back(std::make_unique<CVariantInputSlot<float>>());
            inputs.back()->Connect(c->VariantSlots<float>().FindSlot("value"));
            matrixInputs.push_back(std::make_unique<CVariantInputSlot<pld_math::mat4f>>());
            matrixInputs.back()->Connect(c->VariantSlots<pld_math::mat4f>().FindSlot("world"));
            c->viewportSlotManager.InsertSlot("Backplane Viewport",
                                              new hlv_slot::CViewportOutputSlot(hlv_gfx::VIEWPORT{0, 0, 1920, 1080}));
            viewportInputs.push_back(std::make_unique<hlv_slot::CViewportInputSlot>());
            viewportInputs.back()->Connect(c->viewportSlotManager.GetSlot("Backplane Viewport"));
            textureInputs.push_back(std::make_unique<hlv_slot::CTexture2DInputSlot>());
            textureInputs.back()->Connect(c->textureSlotManager.SetTexture("Logo", texture));
        }
        ASSERT_EQ(module.CreateContext("seventh"), 6u);

        for (int i = 0; i < 6; ++i) {
            CManagedContext* c = module.GetContext(i);
            EXPECT_EQ(c, places[i]);
            auto* slot = c->VariantSlots<float>().FindSlot("value");
            EXPECT_EQ(inputs[i]->GetSource(), slot);
            const float value = 100.0f + static_cast<float>(i);
            slot->Value() = value;
            slot->NotifyInputs();
            EXPECT_EQ(inputs[i]->GetValue(), value);

            auto* viewport = c->viewportSlotManager.GetSlot("Backplane Viewport");
            EXPECT_EQ(viewportInputs[i]->GetSource(), viewport);
            viewport->SetValue(hlv_gfx::VIEWPORT{0, 0, 1280, 720});
            EXPECT_EQ(viewportInputs[i]->GetValue().width, 1280u);
            EXPECT_EQ(textureInputs[i]->GetValue(), texture);
        }
        // Destroying the module first releases the inputs.
    }
    for (auto& in : inputs) EXPECT_EQ(in->GetSource(), nullptr);
    for (auto& in : matrixInputs) EXPECT_EQ(in->GetSource(), nullptr);
    for (auto& in : viewportInputs) EXPECT_EQ(in->GetSource(), nullptr);
    for (auto& in : textureInputs) EXPECT_EQ(in->GetSource(), nullptr);
    EXPECT_EQ(texture->GetRefCount(), 1u);
}

TEST(ManagedContext, InputsDestroyedBeforeTheContextLeaveNoEntries)
{
    CManagedContextModule module;
    CManagedContext& c = *module.GetContext(module.CreateContext("Local Context"));
    c.VariantSlots<int>().AddSlot("count", 3);
    auto* out = c.VariantSlots<int>().FindSlot("count");
    {
        CVariantInputSlot<int> in;
        in.Connect(out);
        EXPECT_EQ(in.GetValue(), 3);
    }
    EXPECT_EQ(out->GetInput(0), nullptr);
    out->NotifyInputs();
}

TEST(ManagedContext, EachValueTypeHasItsOwnArray)
{
    CManagedContext c;
    EXPECT_EQ(c.VariantSlots<float>().AddSlot("x", 1.0f), 0u);
    EXPECT_EQ(c.VariantSlots<double>().AddSlot("x", 1.0), 0u);
    EXPECT_EQ(c.VariantSlots<std::uint64_t>().AddSlot("x", 1u), 0u);
    EXPECT_EQ(c.VariantSlots<pld_math::vec3f>().AddSlot("x", {}), 0u);
    EXPECT_EQ(c.VariantSlots<float>().AddSlot("x", 2.0f), c.VariantSlots<float>().npos);
    EXPECT_EQ(c.VariantSlots<bool>().GetIndex("x"), c.VariantSlots<bool>().npos);
}

TEST(ManagedContext, EffectsArePublishedInTheSlotManagerAndTheRegistry)
{
    CManagedContext c;
    auto effect = hlv_core::Adopt(new hlv_gfx::CEffect("MapBackgroundOutro"));
    effect->AddRef();  // the registry's reference
    EXPECT_EQ(c.effects.Register(effect->GetName(), effect.get()), 0u);
    EXPECT_EQ(c.effects.Register(effect->GetName(), effect.get()), c.effects.npos);
    ASSERT_NE(c.effectSlotManager.SetEffect(effect, true), nullptr);

    hlv_slot::CEffectInputSlot in;
    in.Connect(c.effectSlotManager.GetSlot("MapBackgroundOutro"));
    EXPECT_EQ(in.GetValue(), effect);
    EXPECT_EQ(c.effects.Get("MapBackgroundOutro"), effect.get());
    EXPECT_EQ(c.effects.Find("Missing"), c.effects.npos);
    EXPECT_EQ(c.textureSlotManager.GetSlot("Missing"), nullptr);
    effect->Release();
}
