// Keyframe evaluation over 100 keys against upper_bound + lerp.
#include <plovdane/keyframe_sequence.h>

#include <algorithm>
#include <random>
#include <vector>

#include <benchmark/benchmark.h>

namespace {

constexpr int kKeys = 100;
constexpr std::uint64_t kSpan = 100000;

struct Keys {
    std::vector<std::uint64_t> times;
    std::vector<float> values;
    Keys()
    {
        std::mt19937 rng(7);
        for (int i = 0; i < kKeys; ++i) {
            times.push_back(static_cast<std::uint64_t>(i) * kSpan / (kKeys - 1));
            values.push_back(static_cast<float>(rng() % 1000) / 10.0f);
        }
    }
};

const Keys& TheKeys()
{
    static const Keys keys;
    return keys;
}

pld_ani::keyframe_sequence<float> MakeSequence()
{
    pld_ani::keyframe_sequence<float> s;
    for (int i = 0; i < kKeys; ++i) {
        pld_ani::keyframe<float> k;
        k.value = TheKeys().values[i];
        k.time = TheKeys().times[i];
        s.add_key(k);
    }
    return s;
}

float ReferenceEvaluate(std::uint64_t t)
{
    const auto& k = TheKeys();
    if (t <= k.times.front()) return k.values.front();
    if (t >= k.times.back()) return k.values.back();
    const auto hi = static_cast<std::size_t>(std::upper_bound(k.times.begin(), k.times.end(), t) - k.times.begin());
    const float f = float(t - k.times[hi - 1]) / float(k.times[hi] - k.times[hi - 1]);
    return k.values[hi - 1] + (k.values[hi] - k.values[hi - 1]) * f;
}

// Frame times at 60 frames per second, as the update thread evaluates them.
std::vector<std::uint64_t> RisingTimes()
{
    std::vector<std::uint64_t> times;
    for (std::uint64_t t = 0; t < kSpan; t += 16) times.push_back(t);
    return times;
}

std::vector<std::uint64_t> RandomTimes()
{
    std::mt19937_64 rng(11);
    std::vector<std::uint64_t> times(6250);
    for (auto& t : times) t = rng() % kSpan;
    return times;
}

void BM_SequenceRising(benchmark::State& state)
{
    auto s = MakeSequence();
    const auto times = RisingTimes();
    for (auto _ : state)
        for (auto t : times) benchmark::DoNotOptimize(s.evaluate(t));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(times.size()));
}

void BM_ReferenceRising(benchmark::State& state)
{
    const auto times = RisingTimes();
    for (auto _ : state)
        for (auto t : times) benchmark::DoNotOptimize(ReferenceEvaluate(t));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(times.size()));
}

void BM_SequenceRandom(benchmark::State& state)
{
    auto s = MakeSequence();
    const auto times = RandomTimes();
    for (auto _ : state)
        for (auto t : times) benchmark::DoNotOptimize(s.evaluate(t));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(times.size()));
}

void BM_ReferenceRandom(benchmark::State& state)
{
    const auto times = RandomTimes();
    for (auto _ : state)
        for (auto t : times) benchmark::DoNotOptimize(ReferenceEvaluate(t));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(times.size()));
}

}  // namespace

BENCHMARK(BM_SequenceRising);
BENCHMARK(BM_ReferenceRising);
BENCHMARK(BM_SequenceRandom);
BENCHMARK(BM_ReferenceRandom);
BENCHMARK_MAIN();
