// Capturing the values of a typical pass when a draw is queued: the reusing
// snapshot against a copy that allocates fresh storage every time, and
// against a bare memcpy of the same value bytes (the floor).
#include <cstring>
#include <vector>

#include <benchmark/benchmark.h>

#include <halvo_gfx/effect_snapshot.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_gfx/render_pass_snapshot.h>

#include <pass_builder.h>

namespace {

using hlv_core::CResourceHandle;
using namespace hlv_gfx;
using hlv_gfx_test::TypicalPass;

void BM_SnapshotCaptureReusingStorage(benchmark::State& state)
{
    const auto pass = TypicalPass();
    CRenderPassSnapshot snapshot;
    for (auto _ : state) {
        snapshot.CaptureFrom(pass);
        benchmark::DoNotOptimize(snapshot.GetValueData(0));
        snapshot.Clear();
    }
}
BENCHMARK(BM_SnapshotCaptureReusingStorage);

// Baseline: the same copy into storage allocated for each capture.
void BM_CopyAllocatingEachTime(benchmark::State& state)
{
    const auto pass = TypicalPass();
    for (auto _ : state) {
        std::vector<std::vector<std::byte>> values;
        std::vector<CResourceHandle<CShaderVariable>> variables;
        for (const auto& variable : pass->GetVariables()) {
            variables.push_back(variable);
            values.emplace_back(variable->GetValue(), variable->GetValue() + variable->GetValueSize());
        }
        std::vector<CBindingEntry<CTexture>> textures = pass->GetTextureBindings();
        benchmark::DoNotOptimize(values.data());
        benchmark::DoNotOptimize(textures.data());
    }
}
BENCHMARK(BM_CopyAllocatingEachTime);

// Floor: only the value bytes, no handles.
void BM_ValueBytesOnly(benchmark::State& state)
{
    const auto pass = TypicalPass();
    std::vector<std::byte> bytes(512);
    for (auto _ : state) {
        std::size_t offset = 0;
        for (const auto& variable : pass->GetVariables()) {
            std::memcpy(bytes.data() + offset, variable->GetValue(), variable->GetValueSize());
            offset += (variable->GetValueSize() + 7) & ~std::size_t{7};
        }
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_ValueBytesOnly);

}  // namespace

BENCHMARK_MAIN();
