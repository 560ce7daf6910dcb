// The multithreaded renderer against a plain queue doing the same work:
//   - enqueue-to-execute throughput of draws carrying two handle copies, with
//     1 and 3 producers, against a mutex + std::deque<std::function<void()>>;
//   - the lockstep frame rate with 20 commands per frame into a renderer that
//     does nothing, against the same lockstep on the plain queue;
//   - the wake-up latency of a mid-frame hand-over, against a bare
//     condition-variable ping-pong.
// The lockstep and wake-up figures depend on how soon the scheduler runs a
// woken thread, so they run 10 times and report their spread (mean, median,
// stddev, min, max), and each run reports its own distribution: frame periods
// or wake-up latencies (median, 99th percentile), and per frame how often the
// process's threads slept (gave up the processor to wait) and were preempted.
#include <halvo_gfx/mt_renderer.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include <sys/resource.h>

#include <benchmark/benchmark.h>

#include <recording_renderer.h>

using namespace hlv_gfx;
using hlv_core::Adopt;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int kBatch = 32;    // commands between two hand-overs
constexpr int kWindow = 128;  // commands a producer lets be queued and not yet run

// A renderer whose used operations do nothing but count (or stamp a time).
class NullRenderer : public hlv_gfx_test::CRecordingRenderer {
public:
    using CRecordingRenderer::SetViewport;

    std::uint32_t Render(std::uint32_t, const Handle<CVertexBuffer>&, const Handle<CIndexBuffer>&) override
    {
        draws.fetch_add(1, std::memory_order_release);
        return GFXR_OK;
    }
    std::uint32_t SetViewport(std::uint64_t, std::uint64_t, std::uint64_t, std::uint64_t) override
    {
        draws.fetch_add(1, std::memory_order_relaxed);
        return GFXR_OK;
    }
    std::uint32_t PushAttrib(std::uint32_t) override
    {
        stamp.store(Clock::now().time_since_epoch().count(), std::memory_order_release);
        return GFXR_OK;
    }

    std::atomic<std::uint64_t> draws{0};
    std::atomic<Clock::rep> stamp{0};
};

// The baseline: one mutex, a deque of type-erased calls, a condition
// variable; the consumer takes the whole deque at a time.
class PlainQueue {
public:
    void Push(std::function<void()> call)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_calls.push_back(std::move(call));
    }
    void Notify(bool endOfFrame = false)
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (endOfFrame) m_calls.push_back(nullptr);  // marks the end of the frame
        }
        m_cv.notify_one();
    }
    // Consumer: runs calls until a frame end; false when stopped. Calls taken
    // behind a frame end wait for the next call.
    bool RunFrame()
    {
        for (;;) {
            while (!m_taken.empty()) {
                std::function<void()> call = std::move(m_taken.front());
                m_taken.pop_front();
                if (!call) return true;
                call();
            }
            std::unique_lock<std::mutex> lock(m_mutex);
            m_cv.wait(lock, [&] { return m_stop || !m_calls.empty(); });
            if (m_stop) return false;
            m_taken.swap(m_calls);
        }
    }
    void Stop()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stop = true;
        }
        m_cv.notify_all();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    std::deque<std::function<void()>> m_calls;
    std::deque<std::function<void()>> m_taken;  // consumer only
    bool m_stop = false;
};

// ---------------------------------------------------------------------------
// Throughput. Both queues get the same flow control: all producers together
// keep at most kWindow draws queued and not yet run (the pools hold 200).

void WaitForRoom(const std::atomic<std::uint64_t>& sent, const NullRenderer& renderer)
{
    while (sent.load(std::memory_order_relaxed) - renderer.draws.load(std::memory_order_acquire) >
           static_cast<std::uint64_t>(kWindow))
        std::this_thread::yield();
}

void BM_Throughput_MTRenderer(benchmark::State& state)
{
    const int producers = static_cast<int>(state.range(0));
    const std::int64_t perProducer = 200000 / producers;
    auto renderer = Adopt(new NullRenderer);
    auto front = Adopt(new MTRenderer("bench"));
    front->SetRenderer(renderer);
    auto vb = Adopt(new CVertexBuffer("vb"));
    auto ib = Adopt(new CIndexBuffer("ib"));

    for (auto _ : state) {
        renderer->draws = 0;
        std::atomic<std::uint64_t> sent{0};
        std::thread render([&] { front->ProcessCommands(); });
        std::vector<std::thread> threads;
        for (int p = 0; p < producers; ++p) {
            threads.emplace_back([&] {
                for (std::int64_t i = 1; i <= perProducer; ++i) {
                    WaitForRoom(sent, *renderer);
                    sent.fetch_add(1, std::memory_order_relaxed);
                    while (front->Render(vb, ib) == GFXR_MT_NO_COMMAND) {
                        front->Flush(1);
                        std::this_thread::yield();
                    }
                    if (i % kBatch == 0) front->Flush(1);
                }
            });
        }
        for (auto& t : threads) t.join();
        front->Flush(0);
        render.join();
        if (renderer->draws != static_cast<std::uint64_t>(perProducer * producers)) state.SkipWithError("lost draws");
    }
    state.SetItemsProcessed(state.iterations() * perProducer * producers);
}

void BM_Throughput_MutexDequeFunction(benchmark::State& state)
{
    const int producers = static_cast<int>(state.range(0));
    const std::int64_t perProducer = 200000 / producers;
    auto renderer = Adopt(new NullRenderer);
    auto vb = Adopt(new CVertexBuffer("vb"));
    auto ib = Adopt(new CIndexBuffer("ib"));
    IRenderer* target = renderer.get();
    PlainQueue queue;

    for (auto _ : state) {
        renderer->draws = 0;
        std::atomic<std::uint64_t> sent{0};
        std::thread render([&] { queue.RunFrame(); });
        std::vector<std::thread> threads;
        for (int p = 0; p < producers; ++p) {
            threads.emplace_back([&] {
                for (std::int64_t i = 1; i <= perProducer; ++i) {
                    WaitForRoom(sent, *renderer);
                    sent.fetch_add(1, std::memory_order_relaxed);
                    queue.Push([target, vb, ib] { target->Render(PT_POINTS, vb, ib); });
                    if (i % kBatch == 0) queue.Notify();
                }
            });
        }
        for (auto& t : threads) t.join();
        queue.Notify(true);
        render.join();
        if (renderer->draws != static_cast<std::uint64_t>(perProducer * producers)) state.SkipWithError("lost draws");
    }
    state.SetItemsProcessed(state.iterations() * perProducer * producers);
}

BENCHMARK(BM_Throughput_MTRenderer)->Arg(1)->Arg(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Throughput_MutexDequeFunction)->Arg(1)->Arg(3)->UseRealTime()->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------------------------
// The spread of the scheduler-bound figures.

constexpr int kRepetitions = 10;

double Percentile(std::vector<double>& samples, int percent)
{
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() * static_cast<std::size_t>(percent) / 100];
}

// Repeats the benchmark and adds the smallest and largest run to the
// aggregates of the repetitions.
void WithSpread(benchmark::internal::Benchmark* bench)
{
    bench->Repetitions(kRepetitions)
        ->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); })
        ->ComputeStatistics("max", [](const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); })
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
}

// Context switches of the whole process (every thread) since construction:
// voluntary ones are sleeps (a thread blocked and gave up the processor),
// involuntary ones preemptions.
class SwitchCount {
public:
    SwitchCount() { getrusage(RUSAGE_SELF, &m_start); }

    void Report(benchmark::State& state, double frames) const
    {
        rusage now{};
        getrusage(RUSAGE_SELF, &now);
        state.counters["sleeps/frame"] = static_cast<double>(now.ru_nvcsw - m_start.ru_nvcsw) / frames;
        state.counters["preempted/frame"] = static_cast<double>(now.ru_nivcsw - m_start.ru_nivcsw) / frames;
    }

private:
    rusage m_start{};
};

// ---------------------------------------------------------------------------
// Lockstep frame rate: 20 commands per frame, a renderer that does nothing.
// Besides the rate, each run reports the distribution of its frame periods
// (from one return of the frame wait to the next) and its switches per frame.
// With so little work per frame, both loops block up to twice a frame (the
// render thread waits for the flush, the update thread for the frame), so
// their rate is that of two scheduler wake-ups (sleeps/frame near 2) more than
// that of the queue.

constexpr int kFrames = 20000;
constexpr int kCommandsPerFrame = 20;

class FramePeriods {
public:
    FramePeriods() { m_periods.reserve(kFrames); }

    // The first frame of a run starts no period.
    void RunStarts() { m_started = false; }

    void FrameStarts()
    {
        const auto now = Clock::now();
        if (m_started) m_periods.push_back(std::chrono::duration<double, std::micro>(now - m_previous).count());
        m_started = true;
        m_previous = now;
    }

    void Report(benchmark::State& state)
    {
        state.counters["frames/s"] =
            benchmark::Counter(static_cast<double>(state.iterations()) * kFrames, benchmark::Counter::kIsRate);
        state.counters["period_median_us"] = Percentile(m_periods, 50);
        state.counters["period_p99_us"] = Percentile(m_periods, 99);
        m_switches.Report(state, static_cast<double>(state.iterations()) * kFrames);
    }

private:
    std::vector<double> m_periods;
    Clock::time_point m_previous;
    bool m_started = false;
    SwitchCount m_switches;
};

void BM_Lockstep_MTRenderer(benchmark::State& state)
{
    FramePeriods periods;
    for (auto _ : state) {
        periods.RunStarts();
        auto renderer = Adopt(new NullRenderer);
        auto front = Adopt(new MTRenderer("bench"));
        front->SetRenderer(renderer);
        std::atomic<bool> stop{false};
        std::thread render([&] {
            while (!stop.load(std::memory_order_relaxed)) {
                front->ProcessCommands();
                front->SignalFrameDone();
            }
        });
        front->Flush(0);
        front->Flush(0);
        std::uint64_t last = 0;
        for (int frame = 0; frame < kFrames; ++frame) {
            last = front->WaitForFrame(last);
            periods.FrameStarts();
            for (int i = 0; i < kCommandsPerFrame; ++i) front->SetViewport(VIEWPORT{0, 0, 640, 480});
            front->FlushSecondQueue();
            front->Flush(0);
        }
        front->WaitForFrame(kFrames + 1);
        stop = true;
        front->Shutdown();
        render.join();
    }
    periods.Report(state);
}

// The same lockstep on the plain queue and a bare frame counter.
void BM_Lockstep_MutexDequeFunction(benchmark::State& state)
{
    FramePeriods periods;
    for (auto _ : state) {
        periods.RunStarts();
        auto renderer = Adopt(new NullRenderer);
        IRenderer* target = renderer.get();
        PlainQueue queue;
        std::mutex frameMutex;
        std::condition_variable frameCv;
        std::uint64_t framesDone = 0;
        std::thread render([&] {
            while (queue.RunFrame()) {
                {
                    std::lock_guard<std::mutex> lock(frameMutex);
                    ++framesDone;
                }
                frameCv.notify_all();
            }
        });
        auto waitForFrame = [&](std::uint64_t n) {
            std::unique_lock<std::mutex> lock(frameMutex);
            frameCv.wait(lock, [&] { return framesDone > n; });
            return framesDone;
        };
        queue.Notify(true);
        queue.Notify(true);
        std::uint64_t last = 0;
        for (int frame = 0; frame < kFrames; ++frame) {
            last = waitForFrame(last);
            periods.FrameStarts();
            for (int i = 0; i < kCommandsPerFrame; ++i) queue.Push([target] { target->SetViewport(0, 0, 640, 480); });
            queue.Notify(true);
        }
        waitForFrame(kFrames + 1);
        queue.Stop();
        render.join();
    }
    periods.Report(state);
}

BENCHMARK(BM_Lockstep_MTRenderer)->Apply(WithSpread);
BENCHMARK(BM_Lockstep_MutexDequeFunction)->Apply(WithSpread);

// ---------------------------------------------------------------------------
// Wake-up latency of a mid-frame hand-over: from the flush to the start of
// the command's execution on the waiting render thread. After each ping the
// sender lets the receiver go back to sleep, so every sample is a real
// wake-up.

constexpr int kPings = 5000;

void LetTheReceiverSleep() { std::this_thread::sleep_for(std::chrono::microseconds(50)); }

void ReportLatency(benchmark::State& state, std::vector<double>& samples)
{
    state.counters["median_us"] = Percentile(samples, 50);
    state.counters["p99_us"] = Percentile(samples, 99);
}

void BM_WakeUp_MTRendererFlush(benchmark::State& state)
{
    std::vector<double> samples;
    samples.reserve(kPings);
    for (auto _ : state) {
        samples.clear();
        auto renderer = Adopt(new NullRenderer);
        auto front = Adopt(new MTRenderer("bench"));
        front->SetRenderer(renderer);
        std::thread render([&] { front->ProcessCommands(); });
        for (int i = 0; i < kPings; ++i) {
            renderer->stamp.store(0, std::memory_order_relaxed);
            front->PushAttrib(0, nullptr);
            const auto sent = Clock::now();
            front->Flush(1);
            Clock::rep stamp;
            while ((stamp = renderer->stamp.load(std::memory_order_acquire)) == 0) {
            }
            samples.push_back(
                std::chrono::duration<double, std::micro>(Clock::duration(stamp) - sent.time_since_epoch()).count());
            LetTheReceiverSleep();
        }
        front->Flush(0);
        render.join();
    }
    ReportLatency(state, samples);
}

void BM_WakeUp_ConditionVariablePingPong(benchmark::State& state)
{
    std::vector<double> samples;
    samples.reserve(kPings);
    for (auto _ : state) {
        samples.clear();
        std::mutex mutex;
        std::condition_variable cv;
        int posted = 0;
        std::atomic<Clock::rep> stamp{0};
        std::thread waiter([&] {
            for (int served = 0; served < kPings; ++served) {
                std::unique_lock<std::mutex> lock(mutex);
                cv.wait(lock, [&] { return posted > served; });
                lock.unlock();
                stamp.store(Clock::now().time_since_epoch().count(), std::memory_order_release);
            }
        });
        for (int i = 0; i < kPings; ++i) {
            stamp.store(0, std::memory_order_relaxed);
            const auto sent = Clock::now();
            {
                std::lock_guard<std::mutex> lock(mutex);
                ++posted;
            }
            cv.notify_one();
            Clock::rep seen;
            while ((seen = stamp.load(std::memory_order_acquire)) == 0) {
            }
            samples.push_back(
                std::chrono::duration<double, std::micro>(Clock::duration(seen) - sent.time_since_epoch()).count());
            LetTheReceiverSleep();
        }
        waiter.join();
    }
    ReportLatency(state, samples);
}

BENCHMARK(BM_WakeUp_MTRendererFlush)->Apply(WithSpread)->Iterations(1);
BENCHMARK(BM_WakeUp_ConditionVariablePingPong)->Apply(WithSpread)->Iterations(1);

}  // namespace
