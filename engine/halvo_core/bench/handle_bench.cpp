// Handle copy + destroy against std::shared_ptr copies, alone and with four
// threads sharing one source.
#include <halvo_core/handle.h>
#include <halvo_core/resource.h>

#include <memory>

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
BENCHMARK_MAIN();
