// The recorder that waits for free commands: a frame with more commands of a
// class than its pool holds reaches the render thread whole and in order; a
// paused or stopped render thread ends the wait with one report per episode,
// and a render-state set is recorded whole or not at all.
#include <halvo_gfx/render_command_recorder.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include <hlv_testing/slow_build.h>
#include <hlv_testing/thread_gate.h>
#include <hlv_testing/watchdog.h>
#include <recording_renderer.h>

using namespace std::chrono_literals;
using namespace hlv_gfx;
using hlv_core::Adopt;
using hlv_testing::CWatchdog;
using Calls = std::vector<std::string>;

namespace {

// Holds the render thread in every Clear while the gate is shut, and can
// slow each Clear down.
class CGatedRenderer : public hlv_gfx_test::CRecordingRenderer, public hlv_testing::CThreadGate {
public:
    std::uint32_t Clear(std::uint32_t mask) override
    {
        Pass();
        return CRecordingRenderer::Clear(mask);
    }
};

// Executes the front end's frames on a thread of its own until it is shut down.
class CRenderThread {
public:
    explicit CRenderThread(MTRenderer& front) : m_front(front), m_thread([this] { Run(); }) {}
    CRenderThread(const CRenderThread&) = delete;
    CRenderThread& operator=(const CRenderThread&) = delete;
    ~CRenderThread()
    {
        m_front.Shutdown();
        m_thread.join();
    }

private:
    void Run()
    {
        while (!m_front.IsShutDown()) {
            m_front.ProcessCommands();
            m_front.SignalFrameDone();
        }
    }

    MTRenderer& m_front;
    std::thread m_thread;
};

struct RecorderFixture : testing::Test {
    RecorderFixture()
    {
        front->SetRenderer(gate);
        recorder.SetRenderer(front);
    }

    // Counts the lines that report giving up.
    static std::size_t GiveUpReports(const std::string& text)
    {
        std::size_t count = 0;
        const std::string mark = "recorder test: a render command pool is empty";
        for (std::size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + 1)) ++count;
        return count;
    }

    CWatchdog watchdog{60s, testing::UnitTest::GetInstance()->current_test_info()->name()};
    HandleOf<CGatedRenderer> gate = Adopt(new CGatedRenderer);
    HandleOf<MTRenderer> front = Adopt(new MTRenderer("The Multi Threaded Renderer"));
    CRenderCommandRecorder recorder{"recorder test"};
};

constexpr std::uint32_t kCommandsPerFrame = 2 * CommandPool<comr_rs_clear>::kSize + 50;

TEST_F(RecorderFixture, FramesLargerThanThePoolsReachTheRenderThreadWholeAndInOrder)
{
    CRenderThread renderThread(*front);
    const int frames = hlv_testing::kSlowBuild ? 4 : 20;
    Calls expected;
    for (std::uint32_t i = 0; i < kCommandsPerFrame; ++i) {
        expected.push_back("Clear " + std::to_string(i));
        expected.push_back("PushMatrix");
    }

    testing::internal::CaptureStderr();
    for (int frame = 0; frame < frames; ++frame) {
        // The first frame holds the render thread until the producer has used
        // up every clear command, so the recorder must wait rather than drop;
        // later frames run against a render thread slower than the producer.
        std::thread opener;
        if (frame == 0) {
            gate->SetOpen(false);
            opener = std::thread([&] {
                while (front->Pool<comr_rs_clear>().FreeCount() != 0) std::this_thread::sleep_for(100us);
                gate->SetOpen(true);
            });
        } else {
            gate->delayMicroseconds = frame % 2 ? 5 : 0;
        }
        const std::size_t before = gate->Calls().size();
        for (std::uint32_t i = 0; i < kCommandsPerFrame; ++i) {
            ASSERT_EQ(recorder.Clear(i), GFXR_OK) << "frame " << frame << ", command " << i;
            ASSERT_EQ(recorder.PushMatrix(), GFXR_OK);
        }
        if (opener.joinable()) opener.join();
        recorder.SubmitBatch();
        front->Flush(0);
        front->WaitForFrame(static_cast<std::uint64_t>(frame));
        const Calls all = gate->Calls();
        ASSERT_EQ(Calls(all.begin() + static_cast<std::ptrdiff_t>(before), all.end()), expected) << "frame " << frame;
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "waiting for the render thread is no failure";
}

TEST_F(RecorderFixture, APausedOrStoppedRenderThreadEndsTheWaitWithOneReportPerEpisode)
{
    const auto fillClearPool = [&] {
        while (front->Pool<comr_rs_clear>().FreeCount() != 0) ASSERT_EQ(recorder.Clear(1), GFXR_OK);
    };
    CRenderStateSet clearScreen("clear screen");
    clearScreen.AddState(RS_CLEARSCREEN);

    fillClearPool();
    front->SetPaused(true);
    testing::internal::CaptureStderr();
    EXPECT_EQ(recorder.Clear(2), GFXR_MT_NO_COMMAND);
    EXPECT_EQ(recorder.Clear(2), GFXR_MT_NO_COMMAND);
    // The set needs a clear command too: none of it is recorded, not even the
    // clear colour, whose pool has room.
    EXPECT_EQ(recorder.SetRenderStateSet(&clearScreen), GFXR_MT_NO_COMMAND);
    // A value the renderer cannot take is refused before any waiting.
    auto buffer = Adopt(new CTextureBuffer("tb"));
    EXPECT_EQ(recorder.Queue<comr_udpate_texture_buffer>(buffer, std::uint64_t{1} << 32, std::uint64_t{1}),
              GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(GiveUpReports(testing::internal::GetCapturedStderr()), 1u);

    // Rendering resumes: what was recorded runs, and recording works again.
    front->SetPaused(false);
    front->Flush(0);
    front->ProcessCommands();
    EXPECT_EQ(gate->Calls(), Calls(CommandPool<comr_rs_clear>::kSize, "Clear 1"));
    EXPECT_EQ(recorder.SetRenderStateSet(&clearScreen), GFXR_OK);

    // A new episode is reported again, once; so is a stopped render thread.
    testing::internal::CaptureStderr();
    fillClearPool();
    front->SetPaused(true);
    EXPECT_EQ(recorder.Clear(3), GFXR_MT_NO_COMMAND);
    front->SetPaused(false);
    front->Shutdown();
    EXPECT_EQ(recorder.Clear(3), GFXR_MT_NO_COMMAND);
    EXPECT_EQ(recorder.Clear(3), GFXR_MT_NO_COMMAND);
    EXPECT_EQ(GiveUpReports(testing::internal::GetCapturedStderr()), 1u)
        << "the pause and the stop follow without a recorded command between them: one episode";

    CRenderCommandRecorder unset("unset");
    EXPECT_EQ(unset.Clear(1), GFXR_INVALID_HANDLE);
}

}  // namespace
