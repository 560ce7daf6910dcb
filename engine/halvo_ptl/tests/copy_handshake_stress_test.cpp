// Steps and write-backs frame after frame, as the particle nodes drive them,
// with a render thread uploading the buffers meanwhile; and the lifetime of
// copy stages. Under a watchdog.
#include <halvo_gfx/GFX_RESULT.h>

#include <atomic>
#include <chrono>
#include <random>
#include <thread>

#include <gtest/gtest.h>

#include <hlv_testing/watchdog.h>

#include "test_copy.h"

using namespace hlv_ptl;
using namespace ptl_test;
using namespace std::chrono_literals;
using hlv_testing::CWatchdog;

namespace {

constexpr std::uint64_t kOneShotCount = 200;
constexpr std::uint64_t kLimitedCount = 300;

// Uploads whatever changed until told to stop. Every upload must see one
// whole frame: all records stamped alike, never a frame half written.
class CRenderThread {
public:
    CRenderThread(std::vector<hlv_gfx::CTextureBuffer*> buffers, std::vector<std::uint64_t> counts)
        : m_buffers(std::move(buffers)), m_counts(std::move(counts)), m_thread([this] { Run(); })
    {
    }
    ~CRenderThread()
    {
        m_stop = true;
        m_thread.join();
    }
    int TornFrames() const { return m_torn.load(); }
    int Uploads() const { return m_uploads.load(); }

private:
    void Run()
    {
        while (!m_stop.load()) {
            for (std::size_t b = 0; b < m_buffers.size(); ++b) {
                m_buffers[b]->UploadIfChanged([&](const hlv_gfx::CBuffer& memory) {
                    const std::byte* data = memory.GetData();
                    float first = 0.0f;
                    std::memcpy(&first, data, sizeof(float));
                    for (std::uint64_t i = 1; i < m_counts[b]; ++i) {
                        float stamp = 0.0f;
                        std::memcpy(&stamp, data + 48 * i, sizeof(float));
                        if (stamp != first) {
                            ++m_torn;
                            break;
                        }
                    }
                    ++m_uploads;
                    return std::uint32_t(hlv_gfx::GFXR_OK);
                });
            }
            std::this_thread::yield();
        }
    }

    std::vector<hlv_gfx::CTextureBuffer*> m_buffers;
    std::vector<std::uint64_t> m_counts;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_torn{0};
    std::atomic<int> m_uploads{0};
    std::thread m_thread;
};

}  // namespace

// Each frame: request both steps, request both copies, wait for both copies.
// The stamp filter writes the frame number into every particle, so each
// buffer must hold exactly this frame's particles once its copy is done.
TEST(CopyHandshake, EveryCopySeesTheStepItFollows)
{
    CWatchdog watchdog(240s, "frames of step, copy and wait");
    constexpr int kFrames = 10000;
    std::uint64_t frame = 0;

    OneShotSystem oneShot(kOneShotCount);
    oneShot.SetEmitter(new PointEmitter(MortalTemplate(1u << 30)));  // ages by every served step
    oneShot.InitializeParticles();
    oneShot.SetPreFilter(new CStampFilter(frame), true);
    oneShot.SetIntegrationMode(ptl_cpu::IM_FILTER_ONLY);
    LimitedSystem limited(kLimitedCount);
    limited.SetEmitter(new PointEmitter(MortalTemplate(40)));  // deaths and births every few frames
    limited.SetPreFilter(new CStampFilter(frame), true);
    limited.SetIntegrationMode(ptl_cpu::IM_PREFILTER_THEN_SOLVER);
    limited.SetTargetCount(kLimitedCount);

    BufferHandle oneShotBuffer = NewTextureBuffer("Particle Cube1 Data");
    BufferHandle limitedBuffer = NewTextureBuffer("Particle Cube2 Data");
    {
        SizeCopy oneShotCopy;
        SizeCopy limitedCopy;
        oneShotCopy.SetTextureBuffer(oneShotBuffer.get());
        limitedCopy.SetTextureBuffer(limitedBuffer.get());
        ASSERT_EQ(oneShotCopy.FitBufferToSystem(&oneShot), PTLR_OK);
        ASSERT_EQ(limitedCopy.FitBufferToSystem(&limited), PTLR_OK);
        CRenderThread render({oneShotBuffer.get(), limitedBuffer.get()}, {kOneShotCount, kLimitedCount});

        std::mt19937 rng(17);
        auto maybeSleep = [&rng] {
            if (rng() % 4 == 0) std::this_thread::sleep_for(std::chrono::microseconds(rng() % 150));
        };
        for (int f = 1; f <= kFrames; ++f) {
            frame = static_cast<std::uint64_t>(f);
            ASSERT_EQ(oneShot.RequestUpdate(Step(16 * f, 16)), PTLR_OK);
            ASSERT_EQ(limited.RequestUpdate(Step(16 * f, 16)), PTLR_OK);
            maybeSleep();
            ASSERT_EQ(oneShotCopy.RequestCopy(&oneShot), PTLR_OK);
            ASSERT_EQ(limitedCopy.RequestCopy(&limited), PTLR_OK);
            maybeSleep();
            ASSERT_EQ(oneShotCopy.WaitForCopy(), PTLR_THREAD_FINISHED);
            ASSERT_EQ(limitedCopy.WaitForCopy(), PTLR_THREAD_FINISHED);
            ASSERT_EQ(oneShot.WaitForUpdate(false), PTLR_THREAD_FINISHED);
            ASSERT_EQ(oneShot.GetParticles()[0].age, 16u * static_cast<std::uint64_t>(f));  // one step per request
            ASSERT_EQ(limited.GetParticles().size(), kLimitedCount);
            const float stamp = static_cast<float>(f);
            ASSERT_EQ(RecordFloats(*oneShotBuffer, 0)[0], stamp) << "frame " << f;
            ASSERT_EQ(RecordFloats(*oneShotBuffer, kOneShotCount - 1)[0], stamp) << "frame " << f;
            ASSERT_EQ(RecordFloats(*limitedBuffer, static_cast<std::uint64_t>(f) % kLimitedCount)[0], stamp)
                << "frame " << f;
            ASSERT_EQ(RecordFloats(*limitedBuffer, kLimitedCount - 1)[0], stamp) << "frame " << f;
        }
        EXPECT_EQ(render.TornFrames(), 0);
        EXPECT_GT(render.Uploads(), 0);
    }  // the copy stages go before the systems they read
}

// Requests that follow their previous copy's completion as closely as
// possible: none may lose its source and leave the stage pending for ever.
TEST(CopyHandshake, RequestRightAfterCompletion)
{
    CWatchdog watchdog(60s, "request right after completion");
    OneShotSystem system(2);
    BufferHandle buffer = NewTextureBuffer();
    SizeCopy copy;
    copy.SetTextureBuffer(buffer.get());
    copy.FitBufferToSystem(&system);
    for (int i = 0; i < 50000; ++i) {
        ASSERT_EQ(copy.RequestCopy(&system), PTLR_OK) << i;
        while (copy.WaitForCopy(false) == PTLR_THREAD_RUNNING) {
        }
    }
    EXPECT_EQ(copy.WaitForCopy(), PTLR_THREAD_FINISHED);
}

// The copy thread waits for its source's step while its stage is destroyed:
// the destructor waits for that step to end, then the thread leaves without
// writing.
TEST(CopyStageLifetime, DestroyAStageWaitingOnItsSource)
{
    CWatchdog watchdog(60s, "destroy a stage waiting on its source");
    CGate gate;
    OneShotSystem source(16);
    source.SetEmitter(new PointEmitter());
    source.InitializeParticles();
    source.SetPreFilter(new CGateFilter(gate), true);
    source.SetIntegrationMode(ptl_cpu::IM_FILTER_ONLY);
    BufferHandle buffer = NewTextureBuffer();
    auto copy = std::make_unique<SizeCopy>();
    copy->SetTextureBuffer(buffer.get());
    copy->FitBufferToSystem(&source);
    std::memset(buffer->GetMemory()->GetData(), 0x5A, 16 * 48);
    buffer->UploadIfChanged([](const hlv_gfx::CBuffer&) { return std::uint32_t(hlv_gfx::GFXR_OK); });

    source.RequestUpdate(Step(16, 16));
    gate.WaitForArrival();
    ASSERT_EQ(copy->RequestCopy(&source), PTLR_OK);
    std::thread opener([&] {
        std::this_thread::sleep_for(30ms);
        gate.Open();
    });
    copy.reset();
    opener.join();
    EXPECT_FALSE(buffer->IsChanged());
    EXPECT_EQ(buffer->GetMemory()->GetData()[0], std::byte{0x5A});
    EXPECT_EQ(source.WaitForUpdate(true), PTLR_THREAD_FINISHED);
}

// Systems and their copy stages made and destroyed: idle, after a finished
// frame, and right after the requests. Stages go before the systems they
// read; whatever the systems own is freed every time.
TEST(Lifetime, CreateAndDestroyManyTimes)
{
    CWatchdog watchdog(240s, "create and destroy");
    std::atomic<int> destroyed{0};
    BufferHandle buffers[2] = {NewTextureBuffer("Particle Cube1 Data"), NewTextureBuffer("Particle Cube2 Data")};
    for (int i = 0; i < 1000; ++i) {
        {
            LimitedSystem limited(20);
            limited.SetEmitter(new CCountedEmitter(destroyed, MortalTemplate(30)));
            limited.SetPreFilter(new CCountedFilter(destroyed), true);
            limited.SetTargetCount(20);
            limited.SetIntegrationMode(ptl_cpu::IM_PREFILTER_THEN_SOLVER);
            OneShotSystem oneShot(20);
            oneShot.SetEmitter(new CCountedEmitter(destroyed, MortalTemplate(20)));
            oneShot.SetPreFilter(new CCountedFilter(destroyed), true);
            oneShot.InitializeParticles();
            SizeCopy limitedCopy;
            SizeCopy oneShotCopy;
            limitedCopy.SetTextureBuffer(buffers[0].get());
            oneShotCopy.SetTextureBuffer(buffers[1].get());
            limitedCopy.FitBufferToSystem(&limited);
            oneShotCopy.FitBufferToSystem(&oneShot);
            if (i % 3 != 0) {
                limited.RequestUpdate(Step(16 * i, 16));
                oneShot.RequestUpdate(Step(16 * i, 16));
                ASSERT_EQ(limitedCopy.RequestCopy(&limited), PTLR_OK);
                ASSERT_EQ(oneShotCopy.RequestCopy(&oneShot), PTLR_OK);
            }
            if (i % 3 == 1) {
                ASSERT_EQ(limitedCopy.WaitForCopy(), PTLR_THREAD_FINISHED);
                ASSERT_EQ(oneShotCopy.WaitForCopy(), PTLR_THREAD_FINISHED);
            }
            // i % 3 == 2: everything goes right after the requests
        }
        ASSERT_EQ(destroyed.load(), 4 * (i + 1));
    }
}
