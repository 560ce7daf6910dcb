// The render visitor against command pools that run dry: with 250 geometry
// nodes per frame and pools of 200 commands, no command may be lost, and a
// render thread that is stopped or paused must not hang the traversal.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <gtest/gtest.h>

#include <hlv_testing/slow_build.h>
#include <hlv_testing/thread_gate.h>
#include <hlv_testing/watchdog.h>
#include <render_scene.h>

#include <halvo_gfx/render_commands.h>
#include <halvo_sg/basic_mt_render_visitor.h>

namespace hlv_sg {
namespace {

using namespace hlv_sg_test;
using hlv_testing::CWatchdog;
using hlv_testing::kThreadSanitizer;

constexpr int kGeometryNodes = 250;

constexpr int kFrames = kThreadSanitizer ? 4 : 20;  // the thread sanitizer runs several times slower

// Holds the render thread in its first PushMatrix until the gate opens, and
// can slow every PushMatrix down.
class CGatedRenderer : public hlv_shade_test::CDrawRecordingRenderer, public hlv_testing::CThreadGate {
public:
    std::uint32_t PushMatrix() override
    {
        Pass();
        return CDrawRecordingRenderer::PushMatrix();
    }
};

struct GatedScene {
    explicit GatedScene(bool startPaused = false)
        : scene(CResourceHandle<hlv_shade_test::CDrawRecordingRenderer>(gate), startPaused)
    {
        camera = MakeCameraNode("camera node", MakeCamera("camera", {0, 0, 320, 240}, {0, 0, -5}));
        for (int i = 0; i < kGeometryNodes; ++i)
            AddGeometry(*camera, "geo " + std::to_string(i), effectOutput, CResourceHandle<IRenderable>(mesh));
        scene.Root().AddChild(CResourceHandle<INode>(camera));
    }

    // The first pool to run dry: two effect selections per node.
    hlv_gfx::CommandPool<hlv_gfx::comr_use_effect>& EffectPool()
    {
        return scene.renderer->Pool<hlv_gfx::comr_use_effect>();
    }

    // The calls the render thread executed since the last look.
    Calls NewCalls() { return scene.NewCalls(); }

    CResourceHandle<CGatedRenderer> gate = Adopt(new CGatedRenderer);
    CRenderScene scene;
    CResourceHandle<hlv_gfx::CEffect> effect = MakeEffect("effect");
    hlv_slot::CEffectOutputSlot effectOutput{effect};
    CResourceHandle<CIndexedPrimitiveSet> mesh = MakeMesh("mesh");
    CResourceHandle<CCameraNode> camera;
};

// Every push is matched by a later pop, every draw is there, in node order.
void ExpectCompleteFrame(const Calls& calls)
{
    int matrices = 0, attributes = 0, draws = 0;
    for (const auto& call : calls) {
        if (call == "PushMatrix") ++matrices;
        if (call == "PopMatrix") --matrices;
        if (call == "PushAttrib 64") ++attributes;
        if (call == "PopAttrib") --attributes;
        ASSERT_GE(matrices, 0);
        ASSERT_GE(attributes, 0);
        if (call == "RenderEffect 6 mesh vertices mesh indices") ++draws;
    }
    EXPECT_EQ(matrices, 0);
    EXPECT_EQ(attributes, 0);
    EXPECT_EQ(draws, kGeometryNodes);
    EXPECT_EQ(Count(calls, "PushMatrix"), static_cast<std::size_t>(kGeometryNodes + 1));
    EXPECT_EQ(Count(calls, "UseEffect effect"), static_cast<std::size_t>(kGeometryNodes));
    EXPECT_EQ(Count(calls, "UseEffect null"), static_cast<std::size_t>(kGeometryNodes));
    EXPECT_EQ(Only(calls, "UseFramebuffer"), (Calls{"UseFramebuffer null", "UseFramebuffer null"}));
}

void RunFrame(GatedScene& s)
{
    hlv_sg::frame_time_record time;
    s.scene.graph->Update(&time);
    s.scene.renderThread->FinishFrame();
}

TEST(RenderVisitorStress, PoolRunsDryAndNothingIsLost)
{
    CWatchdog watchdog(std::chrono::seconds(100), "render visitor with exhausted pools");
    GatedScene s;

    // Frame 1: the render thread is held until the update thread has used up
    // every effect-selection command; the traversal must wait, not drop.
    s.gate->SetOpen(false);
    std::thread opener([&] {
        while (s.EffectPool().FreeCount() != 0) std::this_thread::sleep_for(std::chrono::microseconds(100));
        s.gate->SetOpen(true);
    });
    testing::internal::CaptureStderr();
    RunFrame(s);
    opener.join();
    ExpectCompleteFrame(s.NewCalls());

    // More frames with a render thread slower than the update thread.
    s.gate->delayMicroseconds = 20;
    for (int frame = 0; frame < kFrames; ++frame) {
        RunFrame(s);
        ExpectCompleteFrame(s.NewCalls());
    }
    // Waiting for the render thread is no failure: nothing was reported.
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(s.scene.graph->GetRenderVisitor()->GetCameraDepth(), 0u);
}

// Counts the lines that report giving up.
std::size_t GiveUpReports(const std::string& text)
{
    std::size_t count = 0;
    const std::string mark = "the render thread is stopped or paused";
    for (std::size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + 1)) ++count;
    return count;
}

TEST(RenderVisitorStress, PausedRenderThreadEndsTheWaitWithOneReport)
{
    CWatchdog watchdog(std::chrono::seconds(60), "render visitor with a paused render thread");
    GatedScene s(true);

    testing::internal::CaptureStderr();
    hlv_sg::frame_time_record time;
    s.scene.graph->Update(&time);  // must return though nothing executes
    const std::string paused = testing::internal::GetCapturedStderr();
    EXPECT_EQ(GiveUpReports(paused), 1u) << paused;

    // Rendering resumes: the dropped frame is executed as far as it was
    // recorded, and the next frames are complete again with no report.
    s.scene.renderThread->SetPaused(false);
    s.scene.renderThread->FinishFrame();
    s.NewCalls();
    testing::internal::CaptureStderr();
    for (int frame = 0; frame < 3; ++frame) {
        RunFrame(s);
        ExpectCompleteFrame(s.NewCalls());
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(RenderVisitorStress, StoppedRenderThreadEndsTheWaitWithOneReport)
{
    CWatchdog watchdog(std::chrono::seconds(60), "render visitor with a stopped render thread");
    GatedScene s;
    s.scene.renderThread->Stop();

    testing::internal::CaptureStderr();
    hlv_sg::frame_time_record time;
    for (int frame = 0; frame < 3; ++frame) s.scene.graph->Update(&time);
    const std::string stopped = testing::internal::GetCapturedStderr();
    EXPECT_EQ(GiveUpReports(stopped), 1u) << stopped;
}

}  // namespace
}  // namespace hlv_sg
