// The handshakes of the two front ends, each repeated under load and
// watched: start-up, drains with result words, shutdown, per-draw values.
#include <halvo_gfx/mt_gfx_system.h>
#include <halvo_gfx/mt_renderer.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <future>
#include <mutex>
#include <random>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include <hlv_testing/slow_build.h>
#include <hlv_testing/watchdog.h>
#include <pass_builder.h>
#include <recording_gfx_system.h>
#include <recording_renderer.h>

using namespace std::chrono_literals;
using namespace hlv_gfx;
using hlv_core::Adopt;
using hlv_testing::CWatchdog;
using hlv_testing::kSlowBuild;

namespace {

void MaybePause(std::minstd_rand& rng)
{
    const unsigned roll = rng() % 64;
    if (roll == 0)
        std::this_thread::sleep_for(std::chrono::microseconds(rng() % 100));
    else if (roll < 8)
        std::this_thread::yield();
}

// Counts creations and answers Compile with a code derived from the shader.
class CountingGfxSystem : public hlv_gfx_test::CRecordingGfxSystem {
public:
    using CRecordingGfxSystem::Compile;
    using CRecordingGfxSystem::CreateVertexBuffer;

    std::uint32_t CreateVertexBuffer(Handle<CVertexBuffer>&) override
    {
        created.fetch_add(1, std::memory_order_relaxed);
        return GFXR_OK;
    }
    std::uint32_t Compile(Handle<CShader>& shader) override
    {
        if (pause) std::this_thread::sleep_for(std::chrono::microseconds(shader->GetId() % 50));
        return CodeOf(*shader);
    }
    static std::uint32_t CodeOf(const CShader& shader) { return 1000 + shader.GetId() % 1000; }

    std::atomic<std::uint64_t> created{0};
    bool pause = false;
};

}  // namespace

// The application's start-up: the render thread stays in the creation queue
// while batches are handed over, and the flush that ends the stay lets it
// return. A fresh front end each round, pauses on both sides.
TEST(FrontEndStress, StartUpPatternAlwaysLetsProcessCommandsReturn)
{
    // A fresh front end and render thread per round cost far more in slow
    // (sanitized or unoptimised) builds: 2 000 rounds there.
    const int rounds = kSlowBuild ? 2000 : 10000;
    CWatchdog watchdog(kSlowBuild ? 100s : 30s, "start-up pattern");
    auto system = Adopt(new CountingGfxSystem);
    auto buffer = Adopt(new CVertexBuffer("vb"));
    std::minstd_rand producer(1);
    std::uint64_t queued = 0;
    for (int round = 0; round < rounds; ++round) {
        watchdog.Progress();
        auto gfx = Adopt(new MTGfxSystem("The Multi Threaded Gfx System"));
        gfx->SetGfxSystem(system);
        std::thread render([&, round] {
            std::minstd_rand rng(static_cast<unsigned>(round));
            MaybePause(rng);
            gfx->ProcessCommands();
        });
        const unsigned batches = producer() % 4;
        for (unsigned b = 0; b < batches; ++b) {
            const unsigned count = 1 + static_cast<unsigned>(producer() % 20);
            for (unsigned i = 0; i < count; ++i) ASSERT_EQ(gfx->CreateVertexBuffer(buffer), GFXR_OK);
            queued += count;
            gfx->Flush(2);
            MaybePause(producer);
            if (producer() % 2) {
                ASSERT_TRUE(gfx->WaitUntilDrained());
            }
        }
        gfx->Flush(0);
        MaybePause(producer);
        ASSERT_TRUE(gfx->WaitUntilDrained());
        render.join();
        ASSERT_EQ(system->created.load(), queued) << "round " << round;
    }
}

// Producers that wait for the drain find the result word of each command they
// queued written, while other producers queue and wait too.
TEST(FrontEndStress, DrainReturnsOnlyAfterEveryEarlierCommandWroteItsResult)
{
    const int rounds = kSlowBuild ? 400 : 2000;
    CWatchdog watchdog(kSlowBuild ? 100s : 30s, "drains with result words");
    auto system = Adopt(new CountingGfxSystem);
    system->pause = true;
    auto gfx = Adopt(new MTGfxSystem("The Multi Threaded Gfx System"));
    gfx->SetGfxSystem(system);
    std::thread render([&] {
        // Stays: serves every flush until shut down.
        gfx->ProcessCommands();
    });
    std::vector<std::thread> producers;
    for (unsigned p = 0; p < 3; ++p) {
        producers.emplace_back([&, p] {
            std::minstd_rand rng(p + 10);
            std::vector<HandleOf<CShader>> shaders(6);
            std::vector<std::uint32_t> words(6);
            for (int round = 0; round < rounds; ++round) {
                watchdog.Progress();
                const std::size_t count = 1 + rng() % shaders.size();
                for (std::size_t i = 0; i < count; ++i) {
                    shaders[i] = Adopt(new CShader("s"));
                    words[i] = 0;
                    ASSERT_EQ(gfx->Compile(shaders[i], &words[i]), GFXR_OK);
                    if (rng() % 3 == 0) gfx->Flush(2);
                }
                gfx->Flush(2);
                MaybePause(rng);
                ASSERT_TRUE(gfx->WaitUntilDrained());
                for (std::size_t i = 0; i < count; ++i)
                    ASSERT_EQ(words[i], CountingGfxSystem::CodeOf(*shaders[i])) << "round " << round;
            }
        });
    }
    for (auto& producer : producers) producer.join();
    gfx->Shutdown();
    render.join();
}

// Shutdown releases a render thread waiting in either front end and an update
// thread waiting for a frame, at any moment, within a second.
TEST(FrontEndStress, ShutdownReleasesEveryWaitWithinASecond)
{
    const int rounds = kSlowBuild ? 300 : 1000;
    CWatchdog watchdog(kSlowBuild ? 100s : 30s, "shutdown of both front ends");
    auto system = Adopt(new CountingGfxSystem);
    auto renderer = Adopt(new hlv_gfx_test::CRecordingRenderer);
    std::minstd_rand rng(5);
    for (int round = 0; round < rounds; ++round) {
        watchdog.Progress();
        auto gfx = Adopt(new MTGfxSystem("gfx"));
        auto front = Adopt(new MTRenderer("renderer"));
        gfx->SetGfxSystem(system);
        front->SetRenderer(renderer);
        std::atomic<bool> stop{false};
        // The two loops, reduced.
        std::thread render([&] {
            while (!stop.load()) {
                gfx->ProcessCommands();
                front->ProcessCommands();
                front->SignalFrameDone();
            }
            front->SignalFrameDone();
        });
        std::thread update([&] {
            std::uint64_t last = 0;
            while (!stop.load()) {
                last = front->WaitForFrame(last);
                if (stop.load()) break;
                front->Clear(1);
                front->Flush(0);
            }
        });
        // Even rounds: the render thread stays in the creation queue. Odd
        // rounds: start-up ends and it waits in the render queue for a frame
        // nobody posts, or (every fourth round) the first frame starts the
        // lockstep, which is stopped while it runs.
        if (round % 2) {
            gfx->Flush(0);
            if (round % 4 == 1) front->Flush(0);
        }
        MaybePause(rng);
        const auto start = std::chrono::steady_clock::now();
        stop = true;
        gfx->Shutdown();
        front->Shutdown();
        render.join();
        update.join();
        ASSERT_LT(std::chrono::steady_clock::now() - start, 1s) << "round " << round;
    }
}

namespace {

// Records the world matrix each draw of the current effect receives, from
// the values it was handed with the effect, pausing at random meanwhile.
class MatrixRecordingRenderer : public hlv_gfx_test::CRecordingRenderer {
public:
    using CRecordingRenderer::RenderEffect;
    using CRecordingRenderer::UseEffect;
    using CRecordingRenderer::UseRenderPass;

    std::uint32_t UseEffect(const Handle<CEffect>& effect, CEffectSnapshot& values) override
    {
        Pause();
        using std::swap;
        swap(m_effectValues, values);
        m_effect = effect;
        return GFXR_OK;
    }
    std::uint32_t UseRenderPass(const Handle<CRenderPass>&, CRenderPassSnapshot& values) override
    {
        Pause();
        passDraws.push_back(WorldMatrixOf(values));
        return GFXR_OK;
    }
    std::uint32_t RenderEffect(std::uint32_t, const Handle<CVertexBuffer>&, const Handle<CIndexBuffer>&) override
    {
        Pause();
        for (std::size_t i = 0; i < m_effectValues.GetPassCount(); ++i)
            effectDraws.push_back(WorldMatrixOf(m_effectValues.GetPassValues(i)));
        return GFXR_OK;
    }

    std::vector<Matrix4x4> effectDraws;
    std::vector<Matrix4x4> passDraws;

private:
    static Matrix4x4 WorldMatrixOf(const CRenderPassSnapshot& values)
    {
        Matrix4x4 matrix{};
        for (std::size_t i = 0; i < values.GetValueCount(); ++i) {
            const auto& entry = values.GetValueEntry(i);
            if (entry.variable && entry.variable->GetName() == "mat_world" && values.GetValueData(i))
                std::memcpy(matrix.data(), values.GetValueData(i), sizeof matrix);
        }
        return matrix;
    }
    void Pause()
    {
        if (m_rng() % 4 == 0) std::this_thread::sleep_for(std::chrono::microseconds(m_rng() % 300));
    }

    CEffectSnapshot m_effectValues;
    Handle<CEffect> m_effect;
    std::minstd_rand m_rng{21};
};

Matrix4x4 WorldMatrix(float draw, float frame)
{
    Matrix4x4 matrix{};
    matrix[0] = draw;
    matrix[5] = frame;
    matrix[10] = 1.0f;
    matrix[15] = 1.0f;
    return matrix;
}

}  // namespace

// 50 draws share one effect (and one pass), each with its own world matrix,
// written into the same variable just before it is queued; the update thread
// runs ahead while the render thread draws slowly. Each draw receives its own.
TEST(FrontEndStress, EachDrawReceivesTheShaderValuesWrittenForIt)
{
    constexpr int kDraws = 50;
    const int frames = kSlowBuild ? 10 : 30;
    CWatchdog watchdog(60s, "per-draw shader values");
    auto renderer = Adopt(new MatrixRecordingRenderer);
    auto front = Adopt(new MTRenderer("renderer"));
    front->SetRenderer(renderer);

    auto pass = Adopt(new CRenderPass("pass"));
    auto world = hlv_gfx_test::AddVariable(*pass, "mat_world", SVT_FLOAT_MAT4);
    hlv_gfx_test::AddVariable(*pass, "color", SVT_FLOAT_VEC4);
    auto effect = Adopt(new CEffect("effect"));
    effect->passes.push_back(pass);
    auto vb = Adopt(new CVertexBuffer("vb"));
    auto ib = Adopt(new CIndexBuffer("ib"));

    std::atomic<bool> stop{false};
    std::thread render([&] {
        while (!stop.load()) {
            front->ProcessCommands();
            front->SignalFrameDone();
        }
    });
    std::minstd_rand rng(8);
    // Two start-up frames, as the application posts them: from then on the
    // update thread builds frame n + 1 while the render thread draws frame n.
    std::uint64_t last = 0;
    front->Flush(0);
    front->Flush(0);
    for (int frame = 0; frame < frames; ++frame) {
        last = front->WaitForFrame(last);
        for (int draw = 0; draw < kDraws; ++draw) {
            const Matrix4x4 matrix = WorldMatrix(static_cast<float>(draw), static_cast<float>(frame));
            std::memcpy(world->GetValue(), matrix.data(), sizeof matrix);
            ASSERT_EQ(front->UseEffect(effect), GFXR_OK);
            ASSERT_EQ(front->RenderEffect(PT_TRIANGLES, vb, ib), GFXR_OK);
            ASSERT_EQ(front->UseRenderPass(pass), GFXR_OK);
            if (rng() % 10 == 0) front->Flush(1);
        }
        front->Flush(0);
    }
    front->WaitForFrame(static_cast<std::uint64_t>(frames) + 1);
    stop = true;
    front->Shutdown();
    render.join();

    ASSERT_EQ(renderer->effectDraws.size(), static_cast<std::size_t>(kDraws * frames));
    ASSERT_EQ(renderer->passDraws.size(), static_cast<std::size_t>(kDraws * frames));
    for (int frame = 0; frame < frames; ++frame) {
        for (int draw = 0; draw < kDraws; ++draw) {
            const Matrix4x4 expected = WorldMatrix(static_cast<float>(draw), static_cast<float>(frame));
            const std::size_t i = static_cast<std::size_t>(frame * kDraws + draw);
            ASSERT_EQ(renderer->effectDraws[i], expected) << "effect draw " << draw << " of frame " << frame;
            ASSERT_EQ(renderer->passDraws[i], expected) << "pass draw " << draw << " of frame " << frame;
        }
    }
}
