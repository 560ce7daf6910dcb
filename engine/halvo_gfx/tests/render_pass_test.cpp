#include <cstring>

#include <gtest/gtest.h>

#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/effect.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_gfx/render_pass.h>

#include <pass_builder.h>

using namespace hlv_gfx;
using hlv_core::Adopt;
using hlv_core::CResourceHandle;
using hlv_gfx_test::AddVariable;

TEST(ShaderVariable, StorageSizesFollowTheType)
{
    EXPECT_EQ(ShaderVariableTypeSize(SVT_UNDEFINED), 0u);
    EXPECT_EQ(ShaderVariableTypeSize(SVT_FLOAT_VEC3), 12u);
    EXPECT_EQ(ShaderVariableTypeSize(SVT_INT_VEC4), 16u);
    EXPECT_EQ(ShaderVariableTypeSize(SVT_BOOL_VEC3), 3u);
    EXPECT_EQ(ShaderVariableTypeSize(SVT_FLOAT_MAT3), 36u);
    EXPECT_EQ(ShaderVariableTypeSize(SVT_FLOAT_MAT4), 64u);
    for (std::uint32_t t = SVT_SAMPLER_1D; t <= SVT_SAMPLER_BUFFER; ++t) {
        EXPECT_EQ(ShaderVariableTypeSize(t), 8u);
        EXPECT_TRUE(IsSamplerType(t));
    }
    EXPECT_FALSE(IsSamplerType(SVT_FLOAT_MAT4));
    EXPECT_EQ(ShaderVariableTypeSize(23), 0u);
    EXPECT_FALSE(IsSamplerType(23));

    auto variable = Adopt(new CShaderVariable("v"));
    EXPECT_EQ(variable->GetValue(), nullptr);
    EXPECT_EQ(variable->AllocateValue(0), GFXR_INVALID_SIZE);
    ASSERT_EQ(variable->AllocateValue(36), GFXR_OK);
    EXPECT_TRUE(variable->OwnsValue());
    EXPECT_EQ(variable->GetValueSize(), 36u);
    for (std::size_t i = 0; i < 36; ++i) EXPECT_EQ(variable->GetValue()[i], std::byte{0});
    variable->ReleaseValue();
    EXPECT_EQ(variable->GetValue(), nullptr);
    EXPECT_EQ(variable->GetValueSize(), 0u);
}

TEST(RenderPass, BindingBySamplerNameReplacesOrAppends)
{
    auto pass = Adopt(new CRenderPass("p"));
    AddVariable(*pass, "diffuse", SVT_SAMPLER_2D);
    AddVariable(*pass, "detail", SVT_SAMPLER_2D);
    AddVariable(*pass, "mat_world", SVT_FLOAT_MAT4);
    auto first = Adopt(new CTexture("first"));
    auto second = Adopt(new CTexture("second"));
    auto third = Adopt(new CTexture("third"));

    EXPECT_EQ(pass->SetTexture(first, "diffuse"), GFXR_OK);
    EXPECT_EQ(pass->SetTexture(second, "diffuse"), GFXR_OK);
    ASSERT_EQ(pass->GetTextureBindings().size(), 1u);
    EXPECT_EQ(pass->GetTexture(0), second);
    EXPECT_EQ(pass->GetTextureVariable(0)->GetName(), "diffuse");
    // The replaced texture is no longer held.
    EXPECT_EQ(first->GetRefCount(), 1u);

    EXPECT_EQ(pass->SetTexture(third, "detail"), GFXR_OK);
    ASSERT_EQ(pass->GetTextureBindings().size(), 2u);
    EXPECT_EQ(pass->GetTexture(1), third);
    EXPECT_FALSE(pass->GetTexture(2).IsValid());
    EXPECT_FALSE(pass->GetTextureVariable(2).IsValid());

    // Refusals add no entry.
    EXPECT_EQ(pass->SetTexture(first, "missing"), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(pass->SetTexture(first, "mat_world"), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(pass->SetTexture(first, ""), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(pass->SetTexture(CResourceHandle<CTexture>(), "diffuse"), GFXR_INVALID_TEXTURE_NULL);
    EXPECT_EQ(pass->GetTextureBindings().size(), 2u);
}

TEST(RenderPass, EachKindOfResourceHasItsOwnBindingList)
{
    auto pass = Adopt(new CRenderPass("p"));
    AddVariable(*pass, "shadow", SVT_SAMPLER_2D_SHADOW);
    AddVariable(*pass, "sky", SVT_SAMPLER_CUBE);
    AddVariable(*pass, "particle_data_buffer", SVT_SAMPLER_BUFFER);

    EXPECT_EQ(pass->SetDepthTexture(CResourceHandle<CDepthTexture>(), "shadow"), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(pass->SetCubeMapTexture(CResourceHandle<CCubeMapTexture>(), "sky"), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(pass->SetTextureBuffer(CResourceHandle<CTextureBuffer>(), "particle_data_buffer"), GFXR_INVALID_ARGUMENT);

    auto depth = Adopt(new CDepthTexture("d"));
    auto cube = Adopt(new CCubeMapTexture("c"));
    auto texels = Adopt(new CTextureBuffer("t"));
    EXPECT_EQ(pass->SetDepthTexture(depth, "shadow"), GFXR_OK);
    EXPECT_EQ(pass->SetCubeMapTexture(cube, "sky"), GFXR_OK);
    EXPECT_EQ(pass->SetTextureBuffer(texels, "particle_data_buffer"), GFXR_OK);
    EXPECT_EQ(pass->GetDepthTexture(0), depth);
    EXPECT_EQ(pass->GetDepthTextureVariable(0)->GetName(), "shadow");
    EXPECT_EQ(pass->GetCubeMapTexture(0), cube);
    EXPECT_EQ(pass->GetCubeMapTextureVariable(0)->GetName(), "sky");
    EXPECT_EQ(pass->GetTextureBuffer(0), texels);
    EXPECT_EQ(pass->GetTextureBufferVariable(0)->GetName(), "particle_data_buffer");
    EXPECT_TRUE(pass->GetTextureBindings().empty());
    EXPECT_FALSE(pass->GetTextureBuffer(1).IsValid());
}

TEST(RenderPass, DefaultVariablesResolveOnlyWithTheirTypes)
{
    auto pass = Adopt(new CRenderPass("p"));
    EXPECT_EQ(pass->GetDefaultVariableName(DV_PROJECTION), "mat_proj");
    EXPECT_EQ(pass->GetDefaultVariableName(DV_VIEW), "mat_view");
    EXPECT_EQ(pass->GetDefaultVariableName(DV_WORLD), "mat_world");
    EXPECT_EQ(pass->GetDefaultVariableName(DV_CAMERA_POSITION), "vec_cam_pos_ws");

    AddVariable(*pass, "mat_proj", SVT_FLOAT_MAT3);
    auto view = AddVariable(*pass, "mat_view", SVT_FLOAT_MAT4);
    auto world = AddVariable(*pass, "mat_world", SVT_FLOAT_MAT4);
    auto eye = AddVariable(*pass, "vec_cam_pos_ws", SVT_FLOAT_VEC3);
    EXPECT_EQ(pass->ResolveDefaultVariables(), GFXR_OK);
    EXPECT_FALSE(pass->GetDefaultVariable(DV_PROJECTION).IsValid());
    EXPECT_EQ(pass->GetDefaultVariable(DV_VIEW), view);
    EXPECT_EQ(pass->GetDefaultVariable(DV_WORLD), world);
    EXPECT_EQ(pass->GetDefaultVariable(DV_CAMERA_POSITION), eye);

    EXPECT_EQ(pass->FindVariable("mat_view"), view);
    EXPECT_FALSE(pass->FindVariable("MAT_VIEW").IsValid());
}

TEST(RenderPass, CopyFromGivesTheInstanceValuesOfItsOwn)
{
    auto source = Adopt(new CRenderPass("source"));
    source->vertexShader = Adopt(new CShader("vs"));
    source->pixelShader = Adopt(new CShader("ps"));
    auto colour = AddVariable(*source, "colour", SVT_FLOAT_VEC4);
    hlv_gfx_test::WriteValue(*colour, {1.0f, 2.0f, 3.0f, 4.0f});
    AddVariable(*source, "mat_world", SVT_FLOAT_MAT4);
    auto diffuse = AddVariable(*source, "diffuse", SVT_SAMPLER_2D);
    ASSERT_EQ(source->SetTexture(Adopt(new CTexture("t")), "diffuse"), GFXR_OK);

    auto instance = Adopt(new CRenderPass("instance"));
    ASSERT_EQ(instance->CopyFrom(source), GFXR_OK);
    EXPECT_EQ(instance->vertexShader, source->vertexShader);
    EXPECT_EQ(instance->pixelShader, source->pixelShader);
    ASSERT_EQ(instance->GetVariables().size(), 3u);
    EXPECT_TRUE(instance->GetTextureBindings().empty());

    auto copied = instance->FindVariable("colour");
    ASSERT_TRUE(copied.IsValid());
    EXPECT_NE(copied, colour);
    EXPECT_NE(copied->GetValue(), colour->GetValue());
    float values[4];
    std::memcpy(values, copied->GetValue(), sizeof values);
    EXPECT_EQ(values[0], 1.0f);
    EXPECT_EQ(values[3], 4.0f);
    hlv_gfx_test::WriteValue(*copied, {9.0f, 9.0f, 9.0f, 9.0f});
    std::memcpy(values, colour->GetValue(), sizeof values);
    EXPECT_EQ(values[0], 1.0f);
    EXPECT_TRUE(instance->GetDefaultVariable(DV_WORLD).IsValid());
    EXPECT_NE(instance->GetDefaultVariable(DV_WORLD), source->FindVariable("mat_world"));
}

TEST(RenderPass, CopyFromSkipsValuesOfVariablesWithoutStorage)
{
    auto source = Adopt(new CRenderPass("source"));
    auto released = AddVariable(*source, "colour", SVT_FLOAT_VEC4, false);
    source->GetVariables().push_back(CResourceHandle<CShaderVariable>());
    auto undefined = AddVariable(*source, "strange", SVT_UNDEFINED, false);

    auto instance = Adopt(new CRenderPass("instance"));
    ASSERT_EQ(instance->CopyFrom(source), GFXR_OK);
    ASSERT_EQ(instance->GetVariables().size(), 2u);
    auto copy = instance->FindVariable("colour");
    ASSERT_TRUE(copy.IsValid());
    EXPECT_EQ(copy->GetValueSize(), 16u);
    for (std::size_t i = 0; i < 16; ++i) EXPECT_EQ(copy->GetValue()[i], std::byte{0});
    EXPECT_EQ(instance->FindVariable("strange")->GetValue(), nullptr);

    EXPECT_EQ(instance->CopyFrom(CResourceHandle<CRenderPass>()), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(instance->CopyFrom(instance), GFXR_INVALID_ARGUMENT);
}

TEST(Effect, PassesAndVariablesByIndex)
{
    auto effect = Adopt(new CEffect("e"));
    auto pass = Adopt(new CRenderPass("p"));
    auto world = AddVariable(*pass, "mat_world", SVT_FLOAT_MAT4);
    effect->passes.push_back(pass);

    EXPECT_EQ(effect->GetRenderPass(0), pass);
    EXPECT_FALSE(effect->GetRenderPass(1).IsValid());
    EXPECT_EQ(effect->GetShaderVariable(0, "mat_world"), world);
    EXPECT_FALSE(effect->GetShaderVariable(0, "").IsValid());
    EXPECT_FALSE(effect->GetShaderVariable(1, "mat_world").IsValid());
    EXPECT_EQ(effect->primitiveType, 0u);
}
