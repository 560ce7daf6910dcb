// The render thread and the update thread as the application runs them, on
// the real front ends, with a loader thread creating resources meanwhile:
// many frames with random mid-frame hand-overs and random pauses at the
// points where a lost wake-up or a lost frame end would show.
//
// Checked: nothing hangs (watchdog), every recorded command runs exactly once
// and in order, each frame runs whole and alone between two presents, the
// frame counter only rises, the update thread is never more than one frame
// ahead, and every creation command runs once, in order, with its result.
#include <halvo_gfx/mt_gfx_system.h>
#include <halvo_gfx/mt_renderer.h>

#include <atomic>
#include <chrono>
#include <random>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include <hlv_testing/slow_build.h>
#include <hlv_testing/watchdog.h>
#include <recording_gfx_system.h>
#include <recording_renderer.h>

using namespace std::chrono_literals;
using namespace hlv_gfx;
using hlv_core::Adopt;
using hlv_testing::CWatchdog;
using hlv_testing::kSlowBuild;

namespace {

// Pauses now and then: mostly a yield, rarely a short sleep.
class Jitter {
public:
    explicit Jitter(unsigned seed) : m_rng(seed) {}
    void operator()()
    {
        const unsigned roll = m_rng() % 256;
        if (roll == 0)
            std::this_thread::sleep_for(std::chrono::microseconds(m_rng() % 200));
        else if (roll < 16)
            std::this_thread::yield();
    }
    unsigned Next(unsigned bound) { return static_cast<unsigned>(m_rng() % bound); }

private:
    std::minstd_rand m_rng;
};

constexpr std::uint64_t kFrameEnd = ~std::uint64_t{0};

// One executed SetViewport: (frame, index in frame or kFrameEnd, sequence).
struct Executed {
    std::uint64_t frame;
    std::uint64_t index;
    std::uint64_t sequence;
};

// Render-thread side fakes: record without allocating per call (storage is
// reserved up front), pause inside batches.
class LockstepRenderer : public hlv_gfx_test::CRecordingRenderer {
public:
    explicit LockstepRenderer(std::size_t capacity) : m_jitter(11) { executed.reserve(capacity); }

    using CRecordingRenderer::Render;
    using CRecordingRenderer::SetViewport;

    std::uint32_t SetViewport(std::uint64_t frame, std::uint64_t index, std::uint64_t sequence, std::uint64_t) override
    {
        executed.push_back({frame, index, sequence});
        m_jitter();
        return GFXR_OK;
    }
    std::uint32_t Render(std::uint32_t, const Handle<CVertexBuffer>& vertices,
                         const Handle<CIndexBuffer>& indices) override
    {
        draws += vertices && indices ? 1 : 0;
        return GFXR_OK;
    }

    std::vector<Executed> executed;
    std::uint64_t draws = 0;

private:
    Jitter m_jitter;
};

class LockstepGfxSystem : public hlv_gfx_test::CRecordingGfxSystem {
public:
    using CRecordingGfxSystem::Compile;
    std::uint32_t Compile(Handle<CShader>& shader) override
    {
        compiled.push_back(shader->GetId());
        return shader->GetId() & 0xFFFFu;
    }
    std::vector<std::uint32_t> compiled;
};

}  // namespace

TEST(LockstepStress, FramesRunWholeOnceInOrderAndTheUpdateThreadStaysOneFrameAhead)
{
    // In sanitized builds (several times slower, 2 cores in CI) the
    // run is cut to 50 000 frames. A hang is a limit without a frame.
    const std::uint64_t frames = kSlowBuild ? 50000 : 100000;
    CWatchdog watchdog(kSlowBuild ? 100s : 60s, "lockstep");

    auto renderer = Adopt(new LockstepRenderer(frames * 22));
    auto system = Adopt(new LockstepGfxSystem);
    auto gfx = Adopt(new MTGfxSystem("The Multi Threaded Gfx System"));
    auto front = Adopt(new MTRenderer("The Multi Threaded Renderer"));
    gfx->SetGfxSystem(system);
    front->SetRenderer(renderer);
    auto vb = Adopt(new CVertexBuffer("vb"));
    auto ib = Adopt(new CIndexBuffer("ib"));

    std::atomic<bool> renderStop{false};
    std::atomic<bool> updateStop{false};
    std::atomic<bool> loaderStop{false};
    // Frame ends handed over so far, by anyone (incremented before the flush).
    std::atomic<std::uint64_t> framesPosted{0};
    std::atomic<int> failures{0};
    auto fail = [&](const char* what, std::uint64_t a, std::uint64_t b) {
        if (failures.fetch_add(1) < 10) ADD_FAILURE() << what << " (" << a << ", " << b << ")";
    };

    // Render thread: creation commands, the frame, present, count.
    std::uint64_t updateFramesPresented = 0;
    std::uint64_t presents = 0;
    std::thread renderThread([&] {
        Jitter jitter(1);
        std::size_t seen = 0;
        while (!renderStop.load()) {
            gfx->ProcessCommands();
            jitter();
            front->ProcessCommands();
            if (renderStop.load()) break;
            // The commands run since the last present are one whole frame of
            // the update thread (its end last), or none (a start-up frame).
            const auto& executed = renderer->executed;
            if (seen != executed.size()) {
                const std::uint64_t frame = executed[seen].frame;
                if (frame != updateFramesPresented) fail("frame out of turn", frame, updateFramesPresented);
                for (std::size_t i = seen; i < executed.size(); ++i) {
                    const bool last = i + 1 == executed.size();
                    if (executed[i].frame != frame) fail("two frames between presents", executed[i].frame, frame);
                    if ((executed[i].index == kFrameEnd) != last) fail("frame end misplaced", frame, i - seen);
                }
                ++updateFramesPresented;
                seen = executed.size();
            }
            jitter();
            ++presents;
            front->SignalFrameDone();
        }
        front->SignalFrameDone();
    });

    // Update thread: wait for the frame, build it (with random hand-overs),
    // end it.
    std::thread updateThread([&] {
        Jitter jitter(2);
        std::uint64_t last = 0;
        std::uint64_t sequence = 0;
        for (std::uint64_t frame = 0; frame < frames && !updateStop.load(); ++frame) {
            jitter();
            const std::uint64_t counter = front->WaitForFrame(last);
            if (updateStop.load()) break;
            if (counter <= last && frame > 0) fail("frame counter did not rise", counter, last);
            // One frame may still be in flight (drawn while this one is built).
            if (framesPosted.load() > counter + 1) fail("more than one frame ahead", framesPosted.load(), counter);
            last = counter;
            watchdog.Progress();

            const unsigned count = 1 + jitter.Next(20);
            const unsigned handOvers = jitter.Next(4);
            for (unsigned i = 0; i < count; ++i) {
                if (front->SetViewport(VIEWPORT{frame, i, sequence++, 0}) != GFXR_OK) fail("refused", frame, i);
                if (i % 8 == 0 && front->Render(vb, ib) != GFXR_OK) fail("draw refused", frame, i);
                if (handOvers && jitter.Next(count) < handOvers) {
                    jitter();
                    front->Flush(1);
                }
            }
            if (front->SetViewport(VIEWPORT{frame, kFrameEnd, sequence++, 0}) != GFXR_OK)
                fail("frame end refused", frame, 0);
            front->FlushSecondQueue();
            jitter();
            framesPosted.fetch_add(1);
            front->Flush(0);
        }
    });

    // Start-up as the application does it: creation commands while the
    // render thread stays in the creation queue, end of start-up, then the
    // first frames.
    std::vector<HandleOf<CShader>> shaders;
    std::vector<std::uint32_t> words(64, 0xFFFFFFFFu);
    for (std::size_t i = 0; i < words.size(); ++i) {
        shaders.push_back(Adopt(new CShader("shader")));
        ASSERT_EQ(gfx->Compile(shaders.back(), &words[i]), GFXR_OK);
        if (i % 16 == 15) gfx->Flush(2);
    }
    gfx->Flush(0);
    ASSERT_TRUE(gfx->WaitUntilDrained());
    for (std::size_t i = 0; i < words.size(); ++i) ASSERT_EQ(words[i], shaders[i]->GetId() & 0xFFFFu);
    // The two start-up frame ends are both given before the update thread
    // can record (it waits for the first of them to be presented): a frame
    // end given while the update thread records would cut its frame in two.
    for (int i = 0; i < 2; ++i) {
        front->FlushSecondQueue();
        framesPosted.fetch_add(1);
        front->Flush(0);
    }
    front->WaitForFrame(2);

    // A loader creates resources while frames run and waits for each batch.
    std::uint64_t loaderBatches = 0;
    std::thread loader([&] {
        Jitter jitter(3);
        std::vector<std::uint32_t> results(8);
        std::vector<HandleOf<CShader>> batch(8);
        while (!loaderStop.load()) {
            const unsigned count = 1 + jitter.Next(8);
            for (unsigned i = 0; i < count; ++i) {
                batch[i] = Adopt(new CShader("loaded"));
                results[i] = 0xFFFFFFFFu;
                if (gfx->Compile(batch[i], &results[i]) != GFXR_OK) fail("creation refused", i, count);
            }
            gfx->Flush(2);
            jitter();
            if (!gfx->WaitUntilDrained()) break;
            for (unsigned i = 0; i < count; ++i)
                if (results[i] != (batch[i]->GetId() & 0xFFFFu)) fail("result word", results[i], i);
            ++loaderBatches;
        }
    });

    updateThread.join();
    // Every posted frame is presented before the render thread is stopped.
    const std::uint64_t allFrames = framesPosted.load();
    front->WaitForFrame(allFrames - 1);
    // The stop routine: stop flags, then release every wait (the loader may
    // wait for a drain, the render thread for a frame that never comes),
    // then join.
    loaderStop = true;
    updateStop = true;
    renderStop = true;
    gfx->Shutdown();
    front->Shutdown();
    loader.join();
    renderThread.join();

    EXPECT_EQ(failures.load(), 0);
    EXPECT_EQ(updateFramesPresented, frames);
    EXPECT_EQ(presents, allFrames);
    ASSERT_FALSE(renderer->executed.empty());
    for (std::size_t i = 0; i < renderer->executed.size(); ++i)
        ASSERT_EQ(renderer->executed[i].sequence, i) << "each command once, in the order recorded";
    EXPECT_GT(renderer->draws, frames - 1);
    EXPECT_GT(loaderBatches, 0u);
    // Creation commands ran in the order queued: ids rise.
    for (std::size_t i = 1; i < system->compiled.size(); ++i) ASSERT_LT(system->compiled[i - 1], system->compiled[i]);
}
