// The multithreaded graphics system on one thread: what each operation
// queues, what it refuses, and how flushes drive ProcessCommands.
#include <halvo_gfx/mt_gfx_system.h>

#include <chrono>
#include <future>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <hlv_testing/watchdog.h>
#include <recording_gfx_system.h>

using namespace std::chrono_literals;
using namespace hlv_gfx;
using hlv_core::Adopt;
using hlv_gfx_test::CRecordingGfxSystem;
using hlv_testing::CWatchdog;
using Calls = std::vector<std::string>;

namespace {

struct GfxFixture : testing::Test {
    GfxFixture()
    {
        recorder = Adopt(new CRecordingGfxSystem);
        front = Adopt(new MTGfxSystem("The Multi Threaded Gfx System"));
        front->SetGfxSystem(recorder);
        front->Flush(1);  // keep the stay flag, as after construction
    }

    // Flushes as the end of start-up and runs everything on this thread.
    void RunAll()
    {
        front->Flush(0);
        front->ProcessCommands();
    }

    // ProcessCommands runs on the test's own thread: a lost hand-over would hang it.
    CWatchdog watchdog{10s, testing::UnitTest::GetInstance()->current_test_info()->name()};
    HandleOf<CRecordingGfxSystem> recorder;
    HandleOf<MTGfxSystem> front;
};

TEST_F(GfxFixture, EveryOperationQueuesItsOwnCallWithItsArguments)
{
    auto vb = Adopt(new CVertexBuffer("vb"));
    auto ib = Adopt(new CIndexBuffer("ib"));
    auto vs = Adopt(new CShader("vs"));
    auto gs = Adopt(new CGeometryShader("gs"));
    auto hs = Adopt(new CHullShader("hs"));
    auto ds = Adopt(new CDomainShader("ds"));
    auto pass = Adopt(new CRenderPass("pass"));
    auto var = Adopt(new CShaderVariable("var"));
    auto tex = Adopt(new CTexture("tex"));
    auto depth = Adopt(new CDepthTexture("depth"));
    auto cube = Adopt(new CCubeMapTexture("cube"));
    auto fb = Adopt(new CFramebuffer("fb"));
    auto tb = Adopt(new CTextureBuffer("tb"));
    ShaderVariableList list{var, var};
    std::uint32_t compiled = 99, linked = 99, validated = 99;

    ASSERT_EQ(front->CreateVertexBuffer(vb), GFXR_OK);
    front->CreateIndexBuffer(ib);
    front->DeleteBuffer(vb);
    front->DeleteBuffer(ib);
    front->CreateVertexShader(vs);
    front->CreateGeometryShader(gs);
    front->CreatePixelShader(vs);
    front->CreateHullShader(hs);
    front->CreateDomainShader(ds);
    front->ReleaseShader(gs);
    front->CreateRenderPass(pass);
    front->ReleaseRenderPass(pass);
    front->Compile(vs, &compiled);
    front->Link(pass, &linked);
    front->LoadShaderFromFile("a.vert", vs);
    front->LoadShaderFromFile2("b.frag", vs);
    front->LoadHullShaderFromFile("c.tesc", hs);
    front->LoadDomainShaderFromFile("d.tese", ds);
    front->CreateShaderVariable("mat_world", SVT_FLOAT_MAT4, var);
    front->ReleaseShaderVariable(var);
    front->ReleaseShaderVariables(pass);
    front->GetActiveShaderVariableList(pass, &list);
    front->UpdateShaderVariable(pass, var);
    front->UpdateShaderVariableList(pass, &list);
    front->UpdateShaderVariables(pass);
    front->CreateTexture(tex);
    front->CreateDepthTexture(depth);
    front->CreateCubeMapTexture(cube);
    front->ReleaseTexture(tex);
    front->ReleaseDepthTexture(depth);
    front->ReleaseCubeMapTexture(cube);
    front->CreateFramebuffer(fb);
    front->ReleaseFramebuffer(fb);
    front->ValidateFramebuffer(fb, &validated);
    front->CreateTextureMemory(tb);
    front->ReleaseTextureMemory(tb);
    EXPECT_TRUE(recorder->Calls().empty()) << "nothing runs before the render thread does";

    recorder->result = GFXR_WITH_WARNING;
    RunAll();
    // clang-format off
    const Calls expected{
        "CreateVertexBuffer vb", "CreateIndexBuffer ib", "DeleteVertexBuffer vb", "DeleteIndexBuffer ib",
        "CreateVertexShader vs", "CreateGeometryShader gs", "CreatePixelShader vs", "CreateHullShader hs",
        "CreateDomainShader ds", "ReleaseShader gs", "CreateRenderPass pass", "ReleaseRenderPass pass",
        "Compile vs", "Link pass", "LoadShaderFromFile a.vert vs", "LoadShaderFromFile2 b.frag vs",
        "LoadHullShaderFromFile c.tesc hs", "LoadDomainShaderFromFile d.tese ds",
        "CreateShaderVariable mat_world 15 var", "ReleaseShaderVariable var", "ReleaseShaderVariables pass",
        "GetActiveShaderVariableList pass 2", "UpdateShaderVariable pass var", "UpdateShaderVariableList pass 2",
        "UpdateShaderVariables pass", "CreateTexture tex", "CreateDepthTexture depth", "CreateCubeMapTexture cube",
        "ReleaseTexture tex", "ReleaseDepthTexture depth", "ReleaseCubeMapTexture cube", "CreateFramebuffer fb",
        "ReleaseFramebuffer fb", "ValidateFramebuffer fb", "CreateTextureMemory tb", "ReleaseTextureMemory tb"};
    // clang-format on
    EXPECT_EQ(recorder->Calls(), expected);
    EXPECT_EQ(compiled, GFXR_WITH_WARNING);
    EXPECT_EQ(linked, GFXR_WITH_WARNING);
    EXPECT_EQ(validated, GFXR_WITH_WARNING);
}

TEST_F(GfxFixture, EmptyHandlesAreRefusedExceptWhereTheSystemFillsThem)
{
    std::uint32_t word = 77;
    EXPECT_EQ(front->Compile({}, &word), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(front->Link({}, &word), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(front->CreateVertexBuffer({}), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(front->DeleteBuffer(HandleOf<CIndexBuffer>{}), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(front->LoadShaderFromFile("x", {}), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(front->CreateShaderVariable("x", SVT_FLOAT, {}), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(front->UpdateShaderVariableList({}, nullptr), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(front->CreateCubeMapTexture({}), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(front->ReleaseTexture({}), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(front->ReleaseTextureMemory({}), GFXR_INVALID_ARGUMENT);
    // Queued as they are.
    EXPECT_EQ(front->CreateTexture({}), GFXR_OK);
    EXPECT_EQ(front->CreateDepthTexture({}), GFXR_OK);
    EXPECT_EQ(front->CreateFramebuffer({}), GFXR_OK);
    EXPECT_EQ(front->ValidateFramebuffer({}, nullptr), GFXR_OK);
    EXPECT_EQ(front->CreateTextureMemory({}), GFXR_OK);
    RunAll();
    EXPECT_EQ(recorder->Calls(), (Calls{"CreateTexture null", "CreateDepthTexture null", "CreateFramebuffer null",
                                        "ValidateFramebuffer null", "CreateTextureMemory null"}));
    EXPECT_EQ(word, 77u) << "a refused call never touches its result word";
}

TEST_F(GfxFixture, TheTwoHundredAndFirstCreationWithoutADrainIsRefused)
{
    auto vb = Adopt(new CVertexBuffer("vb"));
    for (int i = 0; i < 200; ++i) ASSERT_EQ(front->CreateVertexBuffer(vb), GFXR_OK) << i;
    testing::internal::CaptureStderr();
    EXPECT_EQ(front->CreateVertexBuffer(vb), GFXR_MT_NO_COMMAND);
    const std::string diagnostic = testing::internal::GetCapturedStderr();
    EXPECT_NE(diagnostic.find("comc_vertex_buffer"), std::string::npos) << diagnostic;
    EXPECT_EQ(front->CreateIndexBuffer(Adopt(new CIndexBuffer("ib"))), GFXR_OK) << "other pools are not affected";
    RunAll();
    EXPECT_EQ(recorder->Calls().size(), 201u);
    EXPECT_EQ(front->CreateVertexBuffer(vb), GFXR_OK) << "executed commands are back in their pool";
}

TEST_F(GfxFixture, FlushModesSetClearOrKeepTheStayFlag)
{
    EXPECT_TRUE(front->Stays());
    front->Flush(2);
    EXPECT_TRUE(front->Stays());
    front->Flush(0);
    EXPECT_FALSE(front->Stays());
    front->Flush(7);
    EXPECT_FALSE(front->Stays());
    front->Flush(1);
    EXPECT_TRUE(front->Stays());
}

TEST_F(GfxFixture, StayingProcessBlocksUntilAFlushThatEndsTheStay)
{
    auto render = std::async(std::launch::async, [&] { return front->ProcessCommands(); });
    EXPECT_EQ(render.wait_for(30ms), std::future_status::timeout) << "nothing flushed: it stays";
    front->CreateVertexBuffer(Adopt(new CVertexBuffer("vb")));
    front->Flush(2);
    ASSERT_TRUE(front->WaitUntilDrained());
    EXPECT_EQ(recorder->Calls(), (Calls{"CreateVertexBuffer vb"}));
    EXPECT_EQ(render.wait_for(10ms), std::future_status::timeout) << "still staying after serving a flush";
    front->Flush(0);  // nothing queued: one empty hand-over, then it returns
    EXPECT_EQ(render.get(), GFXR_OK);
    // Without the stay flag and with nothing flushed it returns at once.
    EXPECT_EQ(front->ProcessCommands(), GFXR_OK);
}

TEST_F(GfxFixture, AQueuedCommandKeepsItsResourceAliveUntilItHasRun)
{
    auto shader = Adopt(new CShader("vs"));
    front->CreateVertexShader(shader);
    const auto* raw = shader.get();
    EXPECT_EQ(raw->GetRefCount(), 2u);
    shader.Reset();
    EXPECT_EQ(raw->GetRefCount(), 1u) << "the command's copy";
    RunAll();
    EXPECT_EQ(recorder->Calls(), (Calls{"CreateVertexShader vs"}));
}

TEST(MTGfxSystem, CommandsRunWithoutASystemReportAnInvalidHandle)
{
    auto front = Adopt(new MTGfxSystem("front"));
    std::uint32_t word = 0;
    front->Compile(Adopt(new CShader("vs")), &word);
    front->Flush(0);
    front->ProcessCommands();
    EXPECT_EQ(word, GFXR_INVALID_HANDLE);
}

TEST(MTGfxSystem, DestroyingItWithQueuedCommandsReleasesTheirResources)
{
    auto shader = Adopt(new CShader("vs"));
    {
        auto front = Adopt(new MTGfxSystem("front"));
        front->CreateVertexShader(shader);
        front->Flush(2);
        front->CreatePixelShader(shader);
        EXPECT_EQ(shader->GetRefCount(), 3u);
    }
    EXPECT_EQ(shader->GetRefCount(), 1u);
}

TEST(MTGfxSystem, ItsClassRecordNamesTheGraphicsSystemInterfaceAsParent)
{
    auto front = Adopt(new MTGfxSystem("front"));
    EXPECT_EQ(front->GetClassInfo()->class_name, "MTGfxSystem");
    EXPECT_TRUE(hlv_core::IsKindOf<IGfxSystem>(front.get()));
}

}  // namespace
