// The multithreaded renderer on one thread (plus short watched waits): what
// each operation queues, what it refuses, render-state sets, and frames.
#include <halvo_gfx/mt_renderer.h>

#include <chrono>
#include <future>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <hlv_testing/watchdog.h>
#include <recording_renderer.h>

using namespace std::chrono_literals;
using namespace hlv_gfx;
using hlv_core::Adopt;
using hlv_gfx_test::CRecordingRenderer;
using hlv_testing::CWatchdog;
using Calls = std::vector<std::string>;

namespace {

struct RendererFixture : testing::Test {
    RendererFixture()
    {
        recorder = Adopt(new CRecordingRenderer);
        front = Adopt(new MTRenderer("The Multi Threaded Renderer"));
        front->SetRenderer(recorder);
    }

    // Ends the frame and executes it on this thread.
    Calls RunFrame()
    {
        const std::size_t before = recorder->Calls().size();
        front->Flush(0);
        front->ProcessCommands();
        const Calls all = recorder->Calls();
        return Calls(all.begin() + static_cast<std::ptrdiff_t>(before), all.end());
    }

    // ProcessCommands runs on the test's own thread: a lost hand-over would hang it.
    CWatchdog watchdog{10s, testing::UnitTest::GetInstance()->current_test_info()->name()};
    HandleOf<CRecordingRenderer> recorder;
    HandleOf<MTRenderer> front;
    HandleOf<CVertexBuffer> vb = Adopt(new CVertexBuffer("vb"));
    HandleOf<CIndexBuffer> ib = Adopt(new CIndexBuffer("ib"));
};

TEST_F(RendererFixture, EveryOperationQueuesItsOwnCallWithItsArguments)
{
    auto effect = Adopt(new CEffect("effect"));
    auto pass = Adopt(new CRenderPass("pass"));
    auto fb = Adopt(new CFramebuffer("fb"));
    std::uint32_t pushed = 99, popped = 99;
    float matrix[16] = {};
    matrix[0] = 2.5f;
    matrix[15] = 1.0f;

    EXPECT_EQ(front->PushAttrib(10, &pushed), GFXR_OK);
    front->PopAttrib(&popped);
    front->SetClearColor(0.25f, 0.5f, 0.75f, 1.0f);
    front->Clear(CLM_COLOR_BUFFER | CLM_DEPTH_BUFFER);
    front->SetTransformation(matrix);
    matrix[0] = -1.0f;  // the command holds its own copy
    front->SetViewport(VIEWPORT{1, 2, 640, 480});
    front->RenderQuad();
    front->EnableRenderState(RS_BLEND);
    front->DisableRenderState(RS_DEPTH_WRITE);
    front->SetBlendFunction(3);
    front->SetBlendFactor(4, 5);
    front->UseEffect(effect);
    front->UseRenderPass(pass);
    front->UseFramebuffer(fb);
    front->UseFramebuffer({});
    front->SwitchRenderTarget(UBM_TWO);
    front->SwitchRenderTarget(std::vector<unsigned>{UBM_ZERO, UBM_ONE}, 2);
    front->Render(vb, ib);
    front->RenderEffect(PT_TRIANGLES, vb, ib);
    front->RenderEffectInstanced(PT_TRIANGLES, vb, ib, 12);
    // Commands without an operation of their own.
    front->Queue<comr_set_matrix_mode>(nullptr, std::uint32_t{MM_PROJECTION});
    front->Queue<comr_push_matrix>(nullptr);
    front->Queue<comr_pop_matrix>(nullptr);
    front->Queue<comr_set_texture_matrix>(nullptr, Matrix4x4{0.5f}, std::uint64_t{3});
    front->Queue<comr_load_vertex_buffer>(nullptr, vb, std::uint32_t{MH_STATIC_DRAW});
    front->Queue<comr_load_index_buffer>(nullptr, ib, std::uint32_t{MH_DYNAMIC_DRAW});
    front->Queue<comr_load_texture_buffer>(nullptr, Adopt(new CTextureBuffer("tb")));
    front->Queue<comr_render_instanced>(nullptr, std::uint32_t{PT_LINES}, vb, ib, std::uint64_t{7});
    front->Queue<comr_udpate_texture_buffer>(nullptr, Adopt(new CTextureBuffer("tb")), std::uint64_t{4},
                                             std::uint64_t{8});
    front->Queue<comr_blend_func>(nullptr, true, 1u, 2u);
    front->Queue<comr_blend_fac>(nullptr, true, 1u, 2u, 3u, 4u);
    front->Queue<comr_rs_fill_mode>(nullptr, 2u, 1u);
    front->Queue<comr_rs_cull_mode>(nullptr, 0u);
    front->Queue<comr_rs_front_face>(nullptr, 1u);

    recorder->result = GFXR_WITH_WARNING;
    // clang-format off
    const Calls expected{"PushAttrib 10", "PopAttrib", "SetClearColor 0.25 0.5 0.75 1", "Clear 3",
                         "SetTransformation 2.5 1", "SetViewport 1 2 640 480", "RenderQuad",
                         "EnableRenderState 5", "DisableRenderState 7", "SetBlendEquation 3",
                         "SetBlendFactor 4 5", "UseEffect effect", "UseRenderPass pass", "UseFramebuffer fb",
                         "UseFramebuffer null", "SwitchRenderTarget 3 1", "SwitchRenderTarget 1 2",
                         "Render 1 vb ib", "RenderEffect 6 vb ib", "RenderEffectInstanced 6 vb ib 12",
                         "SetMatrixMode 2", "PushMatrix", "PopMatrix", "SetTextureMatrix 0.5 3",
                         "LoadVertexBuffer vb 4", "LoadIndexBuffer ib 7", "LoadTextureBuffer tb",
                         "RenderInstanced 3 vb ib 7", "UpdateTextureBuffer tb 4 8",
                         "SetBlendEquationSeparate 1 2", "SetBlendFactorSeparate 1 2 3 4", "SetFillMode 2 1",
                         "SetCullMode 0", "SetFrontFace 1"};
    // clang-format on
    EXPECT_EQ(RunFrame(), expected);
    EXPECT_EQ(pushed, GFXR_WITH_WARNING);
    EXPECT_EQ(popped, GFXR_WITH_WARNING);
}

// Counts and faces that the renderer takes as 32-bit integers arrive wider;
// a value beyond the renderer's parameter is refused when it is queued (it
// used to be cut to its low bits, so 2^32 + 4 drew from element 4).
TEST_F(RendererFixture, IntegersTheRendererCannotTakeAreRefusedNotTruncated)
{
    auto tb = Adopt(new CTextureBuffer("tb"));
    const std::uint64_t beyond32 = (std::uint64_t{1} << 32) + 4;
    const std::uint64_t beyondInt32 = std::uint64_t{1} << 31;

    EXPECT_EQ(front->Queue<comr_udpate_texture_buffer>(nullptr, tb, beyond32, std::uint64_t{8}), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(front->Queue<comr_udpate_texture_buffer>(nullptr, tb, std::uint64_t{0}, beyondInt32),
              GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(front->Queue<comr_render_instanced>(nullptr, std::uint32_t{PT_LINES}, vb, ib, beyond32),
              GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(front->Queue<comr_rs_fill_mode>(nullptr, 0x80000000u, 1u), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(front->Pool<comr_udpate_texture_buffer>().FreeCount(), CommandPool<comr_udpate_texture_buffer>::kSize)
        << "a refused value takes no command";

    // The largest values that fit arrive unchanged.
    EXPECT_EQ(front->Queue<comr_udpate_texture_buffer>(nullptr, tb, beyondInt32 - 1, beyondInt32 - 1), GFXR_OK);
    EXPECT_EQ(front->Queue<comr_render_instanced>(nullptr, std::uint32_t{PT_LINES}, vb, ib, std::uint64_t{0xFFFFFFFFu}),
              GFXR_OK);

    // A count written into a command directly, past the checks of queueing,
    // is refused when the command runs: the renderer is not called.
    std::uint32_t word = 0;
    comr_render_instanced* command = front->Pool<comr_render_instanced>().Acquire();
    ASSERT_NE(command, nullptr);
    command->Fill(std::uint32_t{PT_LINES}, vb, ib, beyond32);
    command->SetResult(&word);
    front->Enqueue(command);

    EXPECT_EQ(RunFrame(),
              (Calls{"UpdateTextureBuffer tb 2147483647 2147483647", "RenderInstanced 3 vb ib 4294967295"}));
    EXPECT_EQ(word, GFXR_INVALID_ARGUMENT);
}

TEST_F(RendererFixture, EmptyHandlesAreRefusedWhereTheRendererCannotUseThem)
{
    EXPECT_EQ(front->UseRenderPass({}), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(front->Render(vb, {}), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(front->Render({}, ib), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(front->RenderEffect(PT_POINTS, {}, ib), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(front->RenderEffectInstanced(PT_POINTS, vb, {}, 2), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(front->UseEffect({}), GFXR_OK);
    EXPECT_EQ(RunFrame(), (Calls{"UseEffect null"}));
}

TEST_F(RendererFixture, AllTwoHundredRenderCommandsInUseRefuseTheNext)
{
    for (int i = 0; i < 200; ++i) ASSERT_EQ(front->Render(vb, ib), GFXR_OK) << i;
    testing::internal::CaptureStderr();
    EXPECT_EQ(front->Render(vb, ib), GFXR_MT_NO_COMMAND);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("comr_render"), std::string::npos);
    EXPECT_EQ(RunFrame().size(), 200u);
    EXPECT_EQ(front->Render(vb, ib), GFXR_OK);
}

TEST_F(RendererFixture, ExecutedCommandsLetGoOfTheirResources)
{
    auto pass = Adopt(new CRenderPass("pass"));
    front->UseRenderPass(pass);
    front->Render(vb, ib);
    EXPECT_GE(pass->GetRefCount(), 3u) << "handle and snapshot of the queued command";
    RunFrame();
    EXPECT_EQ(pass->GetRefCount(), 1u);
    EXPECT_EQ(vb->GetRefCount(), 1u);
}

TEST_F(RendererFixture, RenderStateSetsQueueTheCommandsOfTheirStates)
{
    EXPECT_EQ(front->SetRenderStateSet(nullptr), GFXR_OK);
    CRenderStateSet set("states");
    set.AddState(RS_DEPTH_WRITE);
    front->SetRenderStateSet(&set);
    EXPECT_TRUE(RunFrame().empty()) << "a null set and depth write queue nothing";

    CRenderStateSet blend("blend");
    blend.AddState(RS_BLEND);
    blend.blendEquation = 2;
    blend.blendFactors = {6, 1, 7, 1};  // source colour, source alpha, destination colour, destination alpha
    front->SetRenderStateSet(&blend);
    EXPECT_EQ(RunFrame(), (Calls{"EnableRenderState 5", "SetBlendEquation 2", "SetBlendFactor 6 7"}));

    CRenderStateSet all("all");
    for (std::uint32_t id : {RS_CLEARSCREEN, RS_CULLMODE, RS_FRONTFACE, RS_FILLMODE, RS_BLEND, RS_DEPTH_TEST})
        all.AddState(id);
    all.clearFlags = CLM_COLOR_BUFFER;
    all.clearColor = {0.5f, 0.0f, 0.0f, 1.0f};
    all.cullMode = 0;
    all.frontFace = 0;
    all.fillModeSet = {true, false, true};
    all.fillMode = {1, 2, 0};
    all.separateBlendFunction = true;
    all.blendEquation = 1;
    all.blendEquationAlpha = 4;
    all.separateBlendFactor = true;
    all.blendFactors = {2, 3, 4, 5};
    all.depthTest = true;
    front->SetRenderStateSet(&all);
    EXPECT_EQ(RunFrame(),
              (Calls{"SetClearColor 0.5 0 0 1", "Clear 1", "EnableRenderState 2", "SetCullMode 0", "SetFrontFace 0",
                     "SetFillMode 0 1", "SetFillMode 2 0", "EnableRenderState 5", "SetBlendEquationSeparate 1 4",
                     "SetBlendFactorSeparate 2 4 3 5", "EnableRenderState 6"}));
}

TEST_F(RendererFixture, FlushesGivenBeforeTheRenderThreadWakesEndTheFrameOnce)
{
    front->Clear(1);
    front->Flush(1);
    front->Clear(2);
    front->Flush(1);
    front->Clear(4);
    front->Flush(0);
    EXPECT_EQ(front->ProcessCommands(), GFXR_OK);
    EXPECT_EQ(recorder->Calls(), (Calls{"Clear 1", "Clear 2", "Clear 4"}));
    // The next call waits for the next frame's end.
    auto render = std::async(std::launch::async, [&] { return front->ProcessCommands(); });
    front->Clear(8);
    front->Flush(1);
    EXPECT_EQ(render.wait_for(30ms), std::future_status::timeout);
    front->FlushSecondQueue();
    EXPECT_TRUE(front->WaitSecondQueueDrained());
    EXPECT_EQ(render.wait_for(10ms), std::future_status::timeout);
    front->Flush(0);
    EXPECT_EQ(render.get(), GFXR_OK);
    EXPECT_EQ(recorder->Calls().back(), "Clear 8");
}

TEST_F(RendererFixture, WaitForFrameReturnsTheCountOnceItExceedsTheFrameGiven)
{
    EXPECT_EQ(front->GetFrameCount(), 0u);
    front->SignalFrameDone();
    EXPECT_EQ(front->WaitForFrame(0), 1u);
    auto waiter = std::async(std::launch::async, [&] { return front->WaitForFrame(1); });
    EXPECT_EQ(waiter.wait_for(20ms), std::future_status::timeout);
    front->SignalFrameDone();
    EXPECT_EQ(waiter.get(), 2u);
}

TEST_F(RendererFixture, TimedDrainWaitsForTheRenderThreadAndGivesUpWhenPausedOrStopped)
{
    front->Clear(1);
    EXPECT_FALSE(front->WaitUntilDrainedFor(20ms)) << "not flushed: runs out of time";
    auto render = std::async(std::launch::async, [&] { return front->ProcessCommands(); });
    front->Flush(1);
    EXPECT_TRUE(front->WaitUntilDrainedFor(5s));
    EXPECT_EQ(recorder->Calls(), (Calls{"Clear 1"}));

    // Rendering paused: a waiter gives up at once, and new ones do not wait.
    front->Clear(2);
    auto waiter = std::async(std::launch::async, [&] { return front->WaitUntilDrainedFor(10s); });
    EXPECT_EQ(waiter.wait_for(20ms), std::future_status::timeout);
    const auto start = std::chrono::steady_clock::now();
    front->SetPaused(true);
    EXPECT_FALSE(waiter.get());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    EXPECT_TRUE(front->IsPaused());
    EXPECT_FALSE(front->WaitUntilDrainedFor(10s));
    front->SetPaused(false);
    front->Flush(0);
    EXPECT_EQ(render.get(), GFXR_OK);
    EXPECT_TRUE(front->WaitUntilDrainedFor(0ms)) << "drained already";

    // Shutdown releases a timed waiter too.
    front->Clear(4);
    auto stopped = std::async(std::launch::async, [&] { return front->WaitUntilDrainedFor(10s); });
    EXPECT_EQ(stopped.wait_for(20ms), std::future_status::timeout);
    EXPECT_FALSE(front->IsShutDown());
    front->Shutdown();
    EXPECT_FALSE(stopped.get());
    EXPECT_TRUE(front->IsShutDown());
}

TEST(MTRenderer, CommandsRunWithoutARendererReportAnInvalidHandle)
{
    auto front = Adopt(new MTRenderer("front"));
    std::uint32_t word = 0;
    front->PushAttrib(1, &word);
    front->Flush(0);
    front->ProcessCommands();
    EXPECT_EQ(word, GFXR_INVALID_HANDLE);
}

TEST(MTRenderer, ItsClassRecordNamesTheRendererInterfaceAsParent)
{
    auto front = Adopt(new MTRenderer("front"));
    EXPECT_EQ(front->GetClassInfo()->class_name, "MTRenderer");
    EXPECT_TRUE(hlv_core::IsKindOf<IRenderer>(front.get()));
}

}  // namespace
