// Custom shade nodes: inputs made from a pass's variables, effect swaps,
// render targets and their outputs, named connections.
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include <pass_builder.h>

#include <halvo_core/handle.h>
#include <halvo_gfx/effect.h>
#include <halvo_gfx/framebuffer.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_shade/SHADE_RESULT.h>
#include <halvo_shade/custom_shade_node.h>

namespace hlv_shade {
namespace {

using hlv_core::Adopt;
using hlv_core::CResourceHandle;
using hlv_gfx_test::AddVariable;
using hlv_gfx_test::SizedTexture;

CResourceHandle<hlv_gfx::CEffect> EffectWith(const std::string& name,
                                             const std::vector<std::pair<std::string, std::uint32_t>>& variables)
{
    auto pass = Adopt(new hlv_gfx::CRenderPass(name + " pass"));
    for (const auto& [variable, type] : variables) AddVariable(*pass, variable, type);
    auto effect = Adopt(new hlv_gfx::CEffect(name));
    effect->passes.push_back(pass);
    return effect;
}

CResourceHandle<hlv_gfx::CFramebuffer> FramebufferWith(const std::string& name, std::size_t colours)
{
    auto framebuffer = Adopt(new hlv_gfx::CFramebuffer(name));
    for (std::size_t i = 0; i < colours; ++i)
        framebuffer->colorAttachments.push_back(SizedTexture(name + " colour " + std::to_string(i), 1920, 1080));
    return framebuffer;
}

float FloatValue(const hlv_gfx::CShaderVariable& variable)
{
    float value;
    std::memcpy(&value, variable.GetValue(), sizeof value);
    return value;
}

template <typename Slot, typename Key>
std::vector<Key> Keys(const hlv_slot::CSlotArray<Slot, Key>& slots)
{
    std::vector<Key> keys;
    for (std::size_t i = 0; i < slots.size(); ++i)
        if (slots[i]) keys.push_back(slots.GetKey(i));
    return keys;
}

using Names = std::vector<std::string>;

TEST(CustomShadeNode, InputsAreMadeByVariableType)
{
    CCustomShadeNode node;
    const auto effect = EffectWith("effect", {{"uni_scale_f", hlv_gfx::SVT_FLOAT},
                                              {"uni_tex_smp", hlv_gfx::SVT_SAMPLER_2D},
                                              {"uni_v3", hlv_gfx::SVT_FLOAT_VEC3},
                                              {"uni_v4", hlv_gfx::SVT_FLOAT_VEC4},
                                              {"uni_i", hlv_gfx::SVT_INT},
                                              {"uni_m3", hlv_gfx::SVT_FLOAT_MAT3},
                                              {"uni_m4", hlv_gfx::SVT_FLOAT_MAT4},
                                              {"uni_cube", hlv_gfx::SVT_SAMPLER_CUBE},
                                              {"uni_depth", hlv_gfx::SVT_SAMPLER_2D_SHADOW},
                                              {"uni_m2", hlv_gfx::SVT_FLOAT_MAT2},
                                              {"uni_b", hlv_gfx::SVT_BOOL},
                                              {"uni_v2", hlv_gfx::SVT_FLOAT_VEC2},
                                              {"uni_buffer", hlv_gfx::SVT_SAMPLER_BUFFER}});
    hlv_slot::CEffectOutputSlot output(effect);
    node.GetEffectInput().Connect(&output);

    EXPECT_EQ(node.GetRenderPass().get(), effect->passes[0].get());
    EXPECT_EQ(Keys(node.GetVariantInputs<float>()), Names{"uni_scale_f"});
    EXPECT_EQ(Keys(node.GetVariantInputs<int>()), Names{"uni_i"});
    EXPECT_EQ(Keys(node.GetVariantInputs<pld_math::vec3f>()), Names{"uni_v3"});
    EXPECT_EQ(Keys(node.GetVariantInputs<pld_math::vec4f>()), Names{"uni_v4"});
    EXPECT_EQ(Keys(node.GetVariantInputs<pld_math::mat3f>()), Names{"uni_m3"});
    EXPECT_EQ(Keys(node.GetVariantInputs<pld_math::mat4f>()), Names{"uni_m4"});
    EXPECT_EQ(Keys(node.GetTexture2DInputs()), Names{"uni_tex_smp"});
    EXPECT_EQ(Keys(node.GetCubemapInputs()), Names{"uni_cube"});
    EXPECT_EQ(Keys(node.GetDepthTexture2DInputs()), Names{"uni_depth"});
}

TEST(CustomShadeNode, ConnectedInputsWriteIntoThePass)
{
    CCustomShadeNode node;
    const auto effect =
        EffectWith("effect", {{"uni_scale_f", hlv_gfx::SVT_FLOAT}, {"uni_tex_smp", hlv_gfx::SVT_SAMPLER_2D}});
    hlv_slot::CEffectOutputSlot effectOutput(effect);
    node.GetEffectInput().Connect(&effectOutput);
    const auto& pass = effect->passes[0];

    hlv_slot::CVariantOutputSlot<float> scale(2.5f);
    EXPECT_EQ(node.ConnectFloatInput("uni_scale_f", &scale), MSNR_OK);
    EXPECT_EQ(FloatValue(*pass->FindVariable("uni_scale_f")), 2.5f);
    scale.Value() = 4.0f;
    scale.NotifyInputs();
    EXPECT_EQ(FloatValue(*pass->FindVariable("uni_scale_f")), 4.0f);

    const auto texture = SizedTexture("picture", 256, 256);
    hlv_slot::CTexture2DOutputSlot picture(texture);
    EXPECT_EQ(node.ConnectTexture2DInput("uni_tex_smp", &picture), MSNR_OK);
    EXPECT_EQ(pass->GetTexture(0).get(), texture.get());
    EXPECT_EQ(pass->GetTextureVariable(0)->GetName(), "uni_tex_smp");

    EXPECT_EQ(node.ConnectFloatInput("uni_missing", &scale), MSNR_INVALID_ARGUMENT);
    EXPECT_EQ(node.ConnectFloatInput("uni_tex_smp", &scale), MSNR_INVALID_ARGUMENT);
    EXPECT_EQ(node.ConnectTexture2DInput("uni_scale_f", &picture), MSNR_INVALID_ARGUMENT);
    EXPECT_EQ(node.ConnectDepthTexture2DInput("uni_tex_smp", nullptr), MSNR_INVALID_ARGUMENT);
}

TEST(CustomShadeNode, SwappingTheEffectKeepsConnectionsAndFeedsTheNewPassOnly)
{
    CCustomShadeNode node;
    const std::vector<std::pair<std::string, std::uint32_t>> variables{{"uni_scale_f", hlv_gfx::SVT_FLOAT},
                                                                       {"uni_tex_smp", hlv_gfx::SVT_SAMPLER_2D}};
    const auto first = EffectWith("first", variables);
    const auto second = EffectWith("second", variables);
    hlv_slot::CEffectOutputSlot effectOutput(first);
    node.GetEffectInput().Connect(&effectOutput);

    hlv_slot::CVariantOutputSlot<float> scale(1.0f);
    const auto texture = SizedTexture("picture", 64, 64);
    hlv_slot::CTexture2DOutputSlot picture(texture);
    node.ConnectFloatInput("uni_scale_f", &scale);
    node.ConnectTexture2DInput("uni_tex_smp", &picture);
    auto* floatInput = node.GetVariantInputs<float>()[0];
    auto* textureInput = node.GetTexture2DInputs()[0];

    effectOutput.SetValue(second);
    const auto& oldPass = first->passes[0];
    const auto& newPass = second->passes[0];
    EXPECT_EQ(node.GetRenderPass().get(), newPass.get());
    // The same inputs, still connected.
    EXPECT_EQ(node.GetVariantInputs<float>().size(), 1u);
    EXPECT_EQ(node.GetVariantInputs<float>()[0], floatInput);
    EXPECT_EQ(node.GetTexture2DInputs()[0], textureInput);
    EXPECT_EQ(floatInput->GetSource(), &scale);
    EXPECT_EQ(textureInput->GetSource(), &picture);
    // The new pass has the current value and texture at once.
    EXPECT_EQ(FloatValue(*newPass->FindVariable("uni_scale_f")), 1.0f);
    EXPECT_EQ(newPass->GetTexture(0).get(), texture.get());

    scale.Value() = 7.0f;
    scale.NotifyInputs();
    EXPECT_EQ(FloatValue(*newPass->FindVariable("uni_scale_f")), 7.0f);
    EXPECT_EQ(FloatValue(*oldPass->FindVariable("uni_scale_f")), 1.0f);

    const auto other = SizedTexture("other", 64, 64);
    picture.SetValue(other);
    EXPECT_EQ(newPass->GetTexture(0).get(), other.get());
    EXPECT_EQ(oldPass->GetTexture(0).get(), texture.get());
}

TEST(CustomShadeNode, InputsOfVanishedVariablesStay)
{
    CCustomShadeNode node;
    hlv_slot::CEffectOutputSlot effectOutput(EffectWith("a", {{"uni_a", hlv_gfx::SVT_FLOAT}}));
    node.GetEffectInput().Connect(&effectOutput);
    effectOutput.SetValue(EffectWith("b", {{"uni_b", hlv_gfx::SVT_FLOAT}}));
    EXPECT_EQ(Keys(node.GetVariantInputs<float>()), (Names{"uni_a", "uni_b"}));
}

TEST(CustomShadeNode, EmptiedEffectInputClearsInputsAndPass)
{
    CCustomShadeNode node;
    hlv_slot::CEffectOutputSlot effectOutput(EffectWith("a", {{"uni_a", hlv_gfx::SVT_FLOAT}}));
    node.GetEffectInput().Connect(&effectOutput);
    hlv_slot::CVariantOutputSlot<float> value(3.0f);
    node.ConnectFloatInput("uni_a", &value);

    effectOutput.SetValue({});
    EXPECT_TRUE(node.GetVariantInputs<float>().empty());
    EXPECT_FALSE(node.GetRenderPass());
    // The deleted input left its output.
    EXPECT_EQ(value.GetInput(0), nullptr);

    // An effect without passes does the same.
    effectOutput.SetValue(EffectWith("a", {{"uni_a", hlv_gfx::SVT_FLOAT}}));
    EXPECT_TRUE(node.GetRenderPass());
    effectOutput.SetValue(Adopt(new hlv_gfx::CEffect("no passes")));
    EXPECT_FALSE(node.GetRenderPass());
    EXPECT_TRUE(node.GetVariantInputs<float>().empty());
}

TEST(CustomShadeNode, RenderTargetOutputsFollowTheDrawBuffers)
{
    CCustomShadeNode node;
    const auto framebuffer = FramebufferWith("target", 3);
    EXPECT_EQ(node.SetRenderTarget(framebuffer, {1, 2}), MSNR_OK);
    EXPECT_EQ(node.GetFramebuffer().get(), framebuffer.get());
    ASSERT_NE(node.GetOutputSlot(1), nullptr);
    ASSERT_NE(node.GetOutputSlot(2), nullptr);
    EXPECT_EQ(node.GetOutputSlot(1)->GetValue().get(), framebuffer->colorAttachments[0].get());
    EXPECT_EQ(node.GetOutputSlot(2)->GetValue().get(), framebuffer->colorAttachments[1].get());
    EXPECT_EQ(node.GetOutputSlot(3), nullptr);

    // UBM_ALL and UBM_NONE name no single attachment: their outputs hold no
    // texture; a value past the attachments likewise.
    CCustomShadeNode all;
    EXPECT_EQ(all.SetRenderTarget(framebuffer, {hlv_gfx::UBM_ALL, hlv_gfx::UBM_NONE, hlv_gfx::UBM_TEN}), MSNR_OK);
    for (unsigned value : {unsigned{hlv_gfx::UBM_ALL}, unsigned{hlv_gfx::UBM_NONE}, unsigned{hlv_gfx::UBM_TEN}}) {
        ASSERT_NE(all.GetOutputSlot(value), nullptr) << value;
        EXPECT_FALSE(all.GetOutputSlot(value)->GetValue()) << value;
    }
}

TEST(CustomShadeNode, NewRenderTargetReplacesTheOldOutputs)
{
    CCustomShadeNode producer, consumer;
    hlv_slot::CEffectOutputSlot effectOutput(EffectWith("reader", {{"uni_in", hlv_gfx::SVT_SAMPLER_2D}}));
    consumer.GetEffectInput().Connect(&effectOutput);

    producer.SetRenderTarget(FramebufferWith("first", 2), {1, 2});
    consumer.ConnectTexture2DInput("uni_in", producer.GetOutputSlot(1));
    auto* input = consumer.GetTexture2DInputs()[0];
    ASSERT_TRUE(input->GetValue());

    const auto second = FramebufferWith("second", 1);
    producer.SetRenderTarget(second, {1});
    EXPECT_EQ(producer.GetOutputs().size(), 1u);
    EXPECT_EQ(producer.GetOutputSlot(2), nullptr);
    EXPECT_EQ(producer.GetOutputSlot(1)->GetValue().get(), second->colorAttachments[0].get());
    // The reader of a replaced output is left unconnected, holding no texture.
    EXPECT_EQ(input->GetSource(), nullptr);
    EXPECT_FALSE(input->GetValue());

    producer.SetRenderTarget({}, {1});
    EXPECT_TRUE(producer.GetOutputs().empty());
    EXPECT_TRUE(producer.GetDrawBuffers().empty());
    EXPECT_FALSE(producer.GetFramebuffer());
}

TEST(CustomShadeNode, ViewportSetsTheOutputsTextureScale)
{
    CCustomShadeNode producer, consumer;
    hlv_slot::CEffectOutputSlot effectOutput(EffectWith("reader", {{"uni_in", hlv_gfx::SVT_SAMPLER_2D}}));
    consumer.GetEffectInput().Connect(&effectOutput);
    producer.SetRenderTarget(FramebufferWith("target", 1), {1});
    consumer.ConnectTexture2DInput("uni_in", producer.GetOutputSlot(1));

    hlv_slot::CViewportOutputSlot half(hlv_gfx::VIEWPORT{0, 0, 960, 540});
    EXPECT_EQ(producer.ConnectViewport(&half), MSNR_OK);
    EXPECT_EQ(producer.GetViewportInput().GetValue(), (hlv_gfx::VIEWPORT{0, 0, 960, 540}));
    EXPECT_EQ(producer.GetOutputSlot(1)->GetTextureScale(), (hlv_slot::TextureScale{0.5f, 0.5f}));
    EXPECT_EQ(consumer.GetTexture2DInputs()[0]->GetTextureScale(), (hlv_slot::TextureScale{0.5f, 0.5f}));

    half.SetValue(hlv_gfx::VIEWPORT{0, 0, 480, 1080});
    EXPECT_EQ(consumer.GetTexture2DInputs()[0]->GetTextureScale(), (hlv_slot::TextureScale{0.25f, 1.0f}));
}

TEST(CustomShadeNode, NullVisitorIsRefused)
{
    CCustomShadeNode node;
    EXPECT_EQ(node.Accept(nullptr), MSNR_INVALID_ARGUMENT);
    EXPECT_EQ(node.Traverse(nullptr), MSNR_INVALID_ARGUMENT);
}

}  // namespace
}  // namespace hlv_shade
