// The update thread's particle work per frame: the four particle-system nodes
// with the scenes' loads (1000 middle cubes, 2 x 3375 pressure cubes, 150
// gliding sprites, up to 100 background cubes), steps, write-backs and waits.
//
//   NodeFrame    - as built: UpdateParticleSystem on each node, which hands
//                  the steps to the systems' update threads and the
//                  write-backs to the copy threads, whose passes run as TBB
//                  parallel loops, and waits. The argument caps TBB's
//                  parallelism (0 = every core the process may use).
//   DirectFrame  - the same steps and write-backs one after another on the
//                  benchmark thread, loops still parallel: the loops' share
//                  without the hand-overs to the update and copy threads.
//   SerialFrame  - the same steps and write-backs one after another on the
//                  benchmark thread, in a TBB arena of one thread: the serial
//                  baseline of the same run.
//
// Run on 8 cores and on 2 (taskset -c 0,1). The programs *_grainN build the
// whole particle code with the parallel loops' grain size N; the plain one
// with the engine's own grain.
#include <cstdint>
#include <optional>

#include <benchmark/benchmark.h>
#include <tbb/global_control.h>
#include <tbb/task_arena.h>

#include <halvo_ptl/parallel_loop.h>
#include <halvo_ptl/particle_copy.h>

#include "../tests/support/scene_particle_nodes.h"

using namespace dmo_nimra_test;

namespace {

// Steps a node's systems and writes them back, one after another, on the
// calling thread.
template <typename Node>
void StepSerially(Node& node, std::size_t system, const hlv_ptl::CTimeInfo& info)
{
    auto& particles = system == 0 ? node.GetParticleSystem() : node.GetSecondParticleSystem();
    particles.UpdateStep(info);
    const auto buffer = system == 0 ? node.GetParticleBuffer() : node.GetSecondParticleBuffer();
    hlv_ptl::ptl_tbb::WriteParticlesBack<typename Node::render_particle_type>(particles.GetParticles(), *buffer);
}

template <typename Node>
void StepSerially(Node& node, const hlv_ptl::CTimeInfo& info) requires(Node::kSystemCount == 1)
{
    auto& system = node.GetParticleSystem();
    system.UpdateStep(info);
    hlv_ptl::ptl_tbb::WriteParticlesBack<typename Node::render_particle_type>(system.GetParticles(),
                                                                              *node.GetParticleBuffer());
}

hlv_ptl::CTimeInfo StepInfo(std::uint64_t frame)
{
    hlv_ptl::CTimeInfo info;
    info.time = frame * 16;
    info.delta = 16;
    info.deltaSeconds = 0.016f;
    return info;
}

void Report(benchmark::State& state, CSceneParticleNodes& nodes)
{
    state.counters["particles"] = static_cast<double>(nodes.ParticleCount());
    state.counters["grain"] = static_cast<double>(hlv_ptl::ptl_tbb::kParticleGrainSize);
}

void NodeFrame(benchmark::State& state)
{
    std::optional<tbb::global_control> cap;
    if (state.range(0) != 0)
        cap.emplace(tbb::global_control::max_allowed_parallelism, static_cast<std::size_t>(state.range(0)));
    CSceneParticleNodes nodes;
    std::uint64_t frame = 1;
    for (; frame <= 20; ++frame) nodes.Frame(FrameTime(frame));  // warm: threads and TBB workers up
    for (auto _ : state) nodes.Frame(FrameTime(frame++));
    Report(state, nodes);
}

// Every system stepped and written back in turn on the calling thread.
void StepInTurn(CSceneParticleNodes& nodes, const hlv_ptl::CTimeInfo& info)
{
    StepSerially(*nodes.middle, info);
    StepSerially(*nodes.pressure, 0, info);
    StepSerially(*nodes.pressure, 1, info);
    StepSerially(*nodes.gliding, info);
    StepSerially(*nodes.background, info);
}

template <typename Run>
void RunInTurn(benchmark::State& state, Run run)
{
    CSceneParticleNodes nodes;
    std::uint64_t frame = 1;
    for (; frame <= 20; ++frame) run([&] { StepInTurn(nodes, StepInfo(frame)); });
    for (auto _ : state) {
        run([&] { StepInTurn(nodes, StepInfo(frame)); });
        ++frame;
    }
    Report(state, nodes);
}

void DirectFrame(benchmark::State& state)
{
    RunInTurn(state, [](auto&& frame) { frame(); });
}

void SerialFrame(benchmark::State& state)
{
    tbb::task_arena one(1);
    RunInTurn(state, [&one](auto&& frame) { one.execute(frame); });
}

}  // namespace

BENCHMARK(SerialFrame)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(NodeFrame)->Arg(0)->Arg(2)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(DirectFrame)->Unit(benchmark::kMicrosecond)->UseRealTime();

BENCHMARK_MAIN();
