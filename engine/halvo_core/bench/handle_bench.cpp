// Handle copy + destroy against std::shared_ptr copies, alone and with four
// threads sharing one source.
//
// The engine's process always runs several threads, so its reference counts
// are atomic. std::shared_ptr counts with plain increments for as long as the
// C library reports that the process has only one thread; main therefore
// starts (and joins) a thread before anything is measured, so the baseline
// pays for atomic counting as it would in the engine.
#include <halvo_core/handle.h>
#include <halvo_core/resource.h>

#include <memory>
#include <thread>

#if __has_include(<sys/single_threaded.h>)
#include <sys/single_threaded.h>
#define HLV_BENCH_KNOWS_SINGLE_THREADED 1
#endif

#include <benchmark/benchmark.h>

namespace {

class Payload : public hlv_core::IResource {
public:
    Payload() : IResource("payload") {}
    int value = 1;
};

struct PlainPayload {
    int value = 1;
};

hlv_core::CResourceHandle<Payload>& SharedHandle()
{
    static auto handle = hlv_core::Adopt(new Payload);
    return handle;
}

std::shared_ptr<PlainPayload>& SharedPointer()
{
    static auto pointer = std::make_shared<PlainPayload>();
    return pointer;
}

void BM_HandleCopyDestroy(benchmark::State& state)
{
    auto& source = SharedHandle();
    for (auto _ : state) {
        hlv_core::CResourceHandle<Payload> copy(source);
        benchmark::DoNotOptimize(copy.get());
    }
}

void BM_SharedPtrCopyDestroy(benchmark::State& state)
{
#ifdef HLV_BENCH_KNOWS_SINGLE_THREADED
    if (__libc_single_threaded) {
        state.SkipWithError("single-threaded process: std::shared_ptr would not count atomically");
        return;
    }
#endif
    auto& source = SharedPointer();
    for (auto _ : state) {
        std::shared_ptr<PlainPayload> copy(source);
        benchmark::DoNotOptimize(copy.get());
    }
}

}  // namespace

BENCHMARK(BM_HandleCopyDestroy);
BENCHMARK(BM_SharedPtrCopyDestroy);
BENCHMARK(BM_HandleCopyDestroy)->Threads(4);
BENCHMARK(BM_SharedPtrCopyDestroy)->Threads(4);

int main(int argc, char** argv)
{
    std::thread([] {}).join();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
