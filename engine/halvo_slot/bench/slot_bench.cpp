// Value flow through slots against the plain copies it ends in: a float
// output feeding N inputs whose listeners write shader-variable storage, and a
// texture output feeding N inputs whose notifications bind into render passes.
#include <cstring>
#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include <halvo_gfx/render_pass.h>
#include <halvo_slot/CTexture2DSlot.h>
#include <halvo_slot/CTextureNotification.h>
#include <halvo_slot/CVariantSlot.h>
#include <halvo_slot/CVazazaUpdateListener.h>

namespace {

using hlv_core::Adopt;
using hlv_core::CResourceHandle;

std::vector<CResourceHandle<hlv_gfx::CShaderVariable>> FloatVariables(int n)
{
    std::vector<CResourceHandle<hlv_gfx::CShaderVariable>> variables;
    for (int i = 0; i < n; ++i) {
        variables.push_back(Adopt(new hlv_gfx::CShaderVariable("uni_f")));
        variables.back()->AllocateValue(sizeof(float));
    }
    return variables;
}

void BM_FloatThroughSlots(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    auto variables = FloatVariables(n);
    hlv_slot::CVariantOutputSlot<float> out;
    std::vector<std::unique_ptr<hlv_slot::CVariantInputSlot<float>>> inputs;
    for (int i = 0; i < n; ++i) {
        inputs.push_back(std::make_unique<hlv_slot::CVariantInputSlot<float>>());
        inputs.back()->AddUpdateListener(new hlv_slot::CVazazaUpdateListener(variables[i]));
        inputs.back()->Connect(&out);
    }
    float value = 0.0f;
    for (auto _ : state) {
        out.Value() = value;
        out.NotifyInputs();
        value += 1.0f;
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FloatThroughSlots)->Arg(1)->Arg(8);

// Baseline: the same bytes copied straight into the same storages.
void BM_FloatDirectCopy(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    auto variables = FloatVariables(n);
    float value = 0.0f;
    for (auto _ : state) {
        for (auto& v : variables) std::memcpy(v->GetValue(), &value, sizeof(float));
        value += 1.0f;
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FloatDirectCopy)->Arg(1)->Arg(8);

CResourceHandle<hlv_gfx::CRenderPass> SamplerPass()
{
    auto pass = Adopt(new hlv_gfx::CRenderPass("pass"));
    auto variable = Adopt(new hlv_gfx::CShaderVariable("uni_tex_smp"));
    variable->SetType(17);  // SVT_SAMPLER_2D
    pass->GetVariables().push_back(variable);
    return pass;
}

void BM_TextureThroughSlots(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    std::vector<CResourceHandle<hlv_gfx::CRenderPass>> passes;
    hlv_slot::CTexture2DOutputSlot out;
    std::vector<std::unique_ptr<hlv_slot::CTexture2DInputSlot>> inputs;
    for (int i = 0; i < n; ++i) {
        passes.push_back(SamplerPass());
        inputs.push_back(std::make_unique<hlv_slot::CTexture2DInputSlot>());
        auto* in = inputs.back().get();
        in->SetNotification(new hlv_slot::CTexture2DNotification("uni_tex_smp", in, passes.back()));
        in->Connect(&out);
    }
    CResourceHandle<hlv_gfx::CTexture> textures[2] = {Adopt(new hlv_gfx::CTexture("a")),
                                                      Adopt(new hlv_gfx::CTexture("b"))};
    int i = 0;
    for (auto _ : state) {
        out.SetValue(textures[i ^= 1]);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TextureThroughSlots)->Arg(1)->Arg(8);

// Baseline: binding the same textures into the same passes directly.
void BM_TextureDirectBinding(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    std::vector<CResourceHandle<hlv_gfx::CRenderPass>> passes;
    for (int k = 0; k < n; ++k) passes.push_back(SamplerPass());
    CResourceHandle<hlv_gfx::CTexture> textures[2] = {Adopt(new hlv_gfx::CTexture("a")),
                                                      Adopt(new hlv_gfx::CTexture("b"))};
    int i = 0;
    for (auto _ : state) {
        i ^= 1;
        for (auto& pass : passes) pass->SetTexture(textures[i], "uni_tex_smp");
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_TextureDirectBinding)->Arg(1)->Arg(8);

}  // namespace

BENCHMARK_MAIN();
