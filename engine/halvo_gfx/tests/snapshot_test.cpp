#include <cstdint>
#include <cstring>

#include <gtest/gtest.h>

#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/effect_snapshot.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_gfx/render_pass_snapshot.h>

#include <pass_builder.h>

using namespace hlv_gfx;
using hlv_core::Adopt;
using hlv_core::CResourceHandle;
using hlv_gfx_test::AddVariable;
using hlv_gfx_test::WriteValue;

namespace {

float FloatAt(const std::byte* data, std::size_t index)
{
    float value;
    std::memcpy(&value, data + index * sizeof(float), sizeof value);
    return value;
}

struct PassWithEverything {
    CResourceHandle<CRenderPass> pass = Adopt(new CRenderPass("p"));
    CResourceHandle<CShaderVariable> world = AddVariable(*pass, "mat_world", SVT_FLOAT_MAT4);
    CResourceHandle<CShaderVariable> tint = AddVariable(*pass, "tint", SVT_FLOAT_VEC3);
    CResourceHandle<CShaderVariable> diffuse = AddVariable(*pass, "diffuse", SVT_SAMPLER_2D);
    CResourceHandle<CShaderVariable> shadow = AddVariable(*pass, "shadow", SVT_SAMPLER_2D_SHADOW);
    CResourceHandle<CShaderVariable> sky = AddVariable(*pass, "sky", SVT_SAMPLER_CUBE);
    CResourceHandle<CShaderVariable> particles = AddVariable(*pass, "particle_data_buffer", SVT_SAMPLER_BUFFER);
    CResourceHandle<CTexture> texture = Adopt(new CTexture("t"));
    CResourceHandle<CDepthTexture> depth = Adopt(new CDepthTexture("d"));
    CResourceHandle<CCubeMapTexture> cube = Adopt(new CCubeMapTexture("c"));
    CResourceHandle<CTextureBuffer> texels = Adopt(new CTextureBuffer("tb"));

    PassWithEverything()
    {
        pass->SetTexture(texture, "diffuse");
        pass->SetDepthTexture(depth, "shadow");
        pass->SetCubeMapTexture(cube, "sky");
        pass->SetTextureBuffer(texels, "particle_data_buffer");
    }
};

}  // namespace

TEST(RenderPassSnapshot, CapturesValuesAndAllFourBindingLists)
{
    PassWithEverything p;
    WriteValue(*p.world, {1.f, 2.f, 3.f, 4.f, 5.f, 6.f, 7.f, 8.f, 9.f, 10.f, 11.f, 12.f, 13.f, 14.f, 15.f, 16.f});
    WriteValue(*p.tint, {0.25f, 0.5f, 0.75f});

    CRenderPassSnapshot snapshot;
    snapshot.CaptureFrom(p.pass);
    EXPECT_EQ(snapshot.GetPass(), p.pass);
    ASSERT_EQ(snapshot.GetValueCount(), 6u);
    EXPECT_EQ(snapshot.GetValueEntry(0).variable, p.world);
    EXPECT_EQ(snapshot.GetValueEntry(0).type, static_cast<std::uint32_t>(SVT_FLOAT_MAT4));
    EXPECT_EQ(snapshot.GetValueEntry(0).size, 64u);
    EXPECT_EQ(FloatAt(snapshot.GetValueData(0), 15), 16.f);
    EXPECT_EQ(FloatAt(snapshot.GetValueData(1), 2), 0.75f);

    // Later writes to the variables do not reach the copy.
    WriteValue(*p.world, {-1.f});
    EXPECT_EQ(FloatAt(snapshot.GetValueData(0), 0), 1.f);

    ASSERT_EQ(snapshot.GetTextureBindings().size(), 1u);
    EXPECT_EQ(snapshot.GetTextureBindings()[0].resource, p.texture);
    EXPECT_EQ(snapshot.GetTextureBindings()[0].valueIndex, 2u);
    ASSERT_EQ(snapshot.GetDepthTextureBindings().size(), 1u);
    EXPECT_EQ(snapshot.GetDepthTextureBindings()[0].resource, p.depth);
    EXPECT_EQ(snapshot.GetDepthTextureBindings()[0].valueIndex, 3u);
    ASSERT_EQ(snapshot.GetCubeMapTextureBindings().size(), 1u);
    EXPECT_EQ(snapshot.GetCubeMapTextureBindings()[0].resource, p.cube);
    ASSERT_EQ(snapshot.GetTextureBufferBindings().size(), 1u);
    EXPECT_EQ(snapshot.GetTextureBufferBindings()[0].resource, p.texels);
    EXPECT_EQ(snapshot.GetTextureBufferBindings()[0].variable, p.particles);
    EXPECT_EQ(snapshot.GetTextureBufferBindings()[0].valueIndex, 5u);

    // Rebinding after the capture does not change the copy.
    auto other = Adopt(new CTexture("other"));
    p.pass->SetTexture(other, "diffuse");
    EXPECT_EQ(snapshot.GetTextureBindings()[0].resource, p.texture);
}

TEST(RenderPassSnapshot, SamplerUnitsGoIntoTheCopyOnly)
{
    PassWithEverything p;
    CRenderPassSnapshot snapshot;
    snapshot.CaptureFrom(p.pass);

    std::uint64_t unit = 0;
    for (const auto& binding : snapshot.GetTextureBindings()) snapshot.SetSamplerUnit(binding.valueIndex, unit++);
    for (const auto& binding : snapshot.GetDepthTextureBindings()) snapshot.SetSamplerUnit(binding.valueIndex, unit++);
    for (const auto& binding : snapshot.GetCubeMapTextureBindings())
        snapshot.SetSamplerUnit(binding.valueIndex, unit++);
    for (const auto& binding : snapshot.GetTextureBufferBindings()) snapshot.SetSamplerUnit(binding.valueIndex, unit++);

    for (std::size_t i = 2; i < 6; ++i) {
        std::uint64_t stored;
        std::memcpy(&stored, snapshot.GetValueData(i), sizeof stored);
        EXPECT_EQ(stored, i - 2);
    }
    std::uint64_t live;
    std::memcpy(&live, p.particles->GetValue(), sizeof live);
    EXPECT_EQ(live, 0u);

    // Not a sampler, or no entry: nothing is written.
    snapshot.SetSamplerUnit(0, 7);
    EXPECT_EQ(FloatAt(snapshot.GetValueData(0), 0), 0.f);
    snapshot.SetSamplerUnit(CRenderPassSnapshot::kNoValue, 7);
}

TEST(RenderPassSnapshot, VariablesWithoutStorageHaveNoValueExceptSamplers)
{
    auto pass = Adopt(new CRenderPass("p"));
    AddVariable(*pass, "released", SVT_FLOAT_VEC4, false);
    AddVariable(*pass, "flag", SVT_BOOL, true);
    AddVariable(*pass, "sampler", SVT_SAMPLER_2D, false);
    pass->GetVariables().push_back(CResourceHandle<CShaderVariable>());

    CRenderPassSnapshot snapshot;
    snapshot.CaptureFrom(pass);
    ASSERT_EQ(snapshot.GetValueCount(), 4u);
    EXPECT_EQ(snapshot.GetValueData(0), nullptr);
    EXPECT_NE(snapshot.GetValueData(1), nullptr);
    EXPECT_NE(snapshot.GetValueData(2), nullptr);
    EXPECT_EQ(snapshot.GetValueData(3), nullptr);
}

TEST(RenderPassSnapshot, RepeatedCapturesReuseTheStorage)
{
    PassWithEverything p;
    CRenderPassSnapshot snapshot;
    snapshot.CaptureFrom(p.pass);
    const std::size_t capacity = snapshot.GetValueStorageCapacity();
    const std::byte* bytes = snapshot.GetValueData(0);
    for (int i = 0; i < 100; ++i) {
        WriteValue(*p.tint, {float(i), 0.f, 0.f});
        snapshot.Clear();
        snapshot.CaptureFrom(p.pass);
        EXPECT_EQ(FloatAt(snapshot.GetValueData(1), 0), float(i));
    }
    EXPECT_EQ(snapshot.GetValueStorageCapacity(), capacity);
    EXPECT_EQ(snapshot.GetValueData(0), bytes);
}

TEST(RenderPassSnapshot, ClearDropsEveryReference)
{
    PassWithEverything p;
    const auto texelRefs = p.texels->GetRefCount();
    CRenderPassSnapshot snapshot;
    snapshot.CaptureFrom(p.pass);
    EXPECT_EQ(p.texels->GetRefCount(), texelRefs + 1);
    snapshot.Clear();
    EXPECT_EQ(p.texels->GetRefCount(), texelRefs);
    EXPECT_EQ(p.pass->GetRefCount(), 1u);
    EXPECT_EQ(p.world->GetRefCount(), 2u);  // the test and the pass
    EXPECT_EQ(snapshot.GetValueCount(), 0u);
    EXPECT_FALSE(snapshot.GetPass().IsValid());

    snapshot.CaptureFrom(CResourceHandle<CRenderPass>());
    EXPECT_EQ(snapshot.GetValueCount(), 0u);
}

TEST(EffectSnapshot, OneSnapshotPerPassEachWithItsOwnValues)
{
    auto effect = Adopt(new CEffect("e"));
    PassWithEverything first;
    auto second = Adopt(new CRenderPass("second"));
    auto alpha = AddVariable(*second, "alpha", SVT_FLOAT);
    effect->passes.push_back(first.pass);
    effect->passes.push_back(CResourceHandle<CRenderPass>());
    effect->passes.push_back(second);
    WriteValue(*alpha, {0.5f});

    CEffectSnapshot values;
    values.CaptureFrom(effect);
    EXPECT_EQ(values.GetEffect(), effect);
    ASSERT_EQ(values.GetPassCount(), 3u);
    EXPECT_EQ(values.GetPassValues(0).GetPass(), first.pass);
    EXPECT_FALSE(values.GetPassValues(1).GetPass().IsValid());
    EXPECT_EQ(FloatAt(values.GetPassValues(2).GetValueData(0), 0), 0.5f);

    // Fewer passes the next time: the extra snapshot lets go of its pass.
    effect->passes.resize(1);
    values.CaptureFrom(effect);
    EXPECT_EQ(values.GetPassCount(), 1u);
    EXPECT_EQ(second->GetRefCount(), 1u);

    CEffectSnapshot other;
    swap(values, other);
    EXPECT_EQ(values.GetPassCount(), 0u);
    EXPECT_EQ(other.GetPassCount(), 1u);
    other.Clear();
    EXPECT_EQ(effect->GetRefCount(), 1u);
    EXPECT_EQ(first.pass->GetRefCount(), 2u);  // the test and the effect
}
