// The render visitor through the real multithreaded renderer: a test render
// thread executes the recorded commands on a recording renderer.
#include <chrono>
#include <functional>
#include <sstream>
#include <thread>

#include <gtest/gtest.h>

#include <hlv_testing/watchdog.h>
#include <render_scene.h>

#include <halvo_sg/RESULT.h>
#include <halvo_sg/basic_mt_render_visitor.h>
#include <halvo_sg/linear_post_processing_node.h>
#include <halvo_sg/render_state_node.h>
#include <halvo_shade/custom_shade_node.h>
#include <halvo_shade/framebuffer_2d_node.h>
#include <halvo_slot/CVariantSlot.h>

namespace hlv_sg {
namespace {

using namespace hlv_sg_test;
using hlv_shade_test::Matrix;
using hlv_testing::CWatchdog;

const hlv_gfx::VIEWPORT kOuterViewport{0, 0, 200, 100};
const hlv_gfx::VIEWPORT kInnerViewport{10, 20, 64, 32};

Matrix ToArray(const pld_math::mat4f& m)
{
    Matrix a;
    std::copy(m.data(), m.data() + 16, a.begin());
    return a;
}

std::string TransformationCall(const pld_math::mat4f& m)
{
    std::ostringstream text;
    text << "SetTransformation " << m[0] << ' ' << m[15];
    return text.str();
}

// Runs a callback when the render pass reaches it.
class CProbeNode : public INode {
public:
    explicit CProbeNode(std::function<void()> probe) : INode("probe"), m_probe(std::move(probe)) {}
    std::uint32_t Enter(INodeVisitor* visitor) override
    {
        if (dynamic_cast<CBasicMtRenderVisitor*>(visitor)) m_probe();
        return INode::Enter(visitor);
    }

private:
    std::function<void()> m_probe;
};

// Waits until the renderer has executed `count` calls equal to `call`.
bool WaitForCalls(const CRenderScene& scene, const std::string& call, std::size_t count)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
        if (Count(scene.recording->Calls(), call) >= count) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

TEST(RenderVisitor, CameraClearMasks)
{
    CWatchdog watchdog(std::chrono::seconds(60), "camera clear masks");
    CRenderScene scene;
    auto camera = MakeCamera("camera", kInnerViewport, {0, 0, -5});
    auto node = MakeCameraNode("camera node", camera);
    node->clearColor = {0.25f, 0.5f, 0.75f, 1.0f};
    scene.Root().AddChild(CResourceHandle<INode>(node));

    node->clearMask = hlv_gfx::CLM_DEPTH_BUFFER;
    Calls calls = scene.Frame();
    EXPECT_EQ(Count(calls, "Clear 2"), 1u);
    EXPECT_TRUE(Only(calls, "SetClearColor").empty());

    node->clearMask = 0;
    calls = scene.Frame();
    EXPECT_TRUE(Only(calls, "Clear").empty());
    EXPECT_TRUE(Only(calls, "SetClearColor").empty());

    node->clearMask = hlv_gfx::CLM_COLOR_BUFFER | hlv_gfx::CLM_DEPTH_BUFFER;
    calls = scene.Frame();
    EXPECT_EQ(calls,
              (Calls{"UseFramebuffer null", "SwitchRenderTarget 1 1", "SetClearColor 0.25 0.5 0.75 1", "Clear 3",
                     "SetViewport 10 20 64 32", "SetMatrixMode 2", "PushMatrix",
                     TransformationCall(camera->GetProjectionMatrix()), "SetMatrixMode 1", "SetTransformation 0 0",
                     "UseFramebuffer null", "SetMatrixMode 2", "PopMatrix", "SetMatrixMode 1"}));
    // The modelview matrix is set to zero, not to the identity.
    EXPECT_EQ(scene.recording->Transformations().back(), Matrix{});
}

TEST(RenderVisitor, NestedCamerasRestoreTheOuterFramebufferAndCamera)
{
    CWatchdog watchdog(std::chrono::seconds(60), "nested cameras");
    CRenderScene scene;
    auto effect = MakeEffect("effect");
    hlv_slot::CEffectOutputSlot effectOutput(effect);
    auto mesh = MakeMesh("mesh");

    auto outerCamera = MakeCamera("outer", kOuterViewport, {0, 0, -10});
    auto innerCamera = MakeCamera("inner", kInnerViewport, {3, 4, -5});
    auto outer = MakeCameraNode("outer node", outerCamera);
    auto inner = MakeCameraNode("inner node", innerCamera);
    outer->framebuffer = Adopt(new hlv_gfx::CFramebuffer("outer framebuffer"));
    inner->framebuffer = Adopt(new hlv_gfx::CFramebuffer("inner framebuffer"));
    inner->renderTarget = hlv_gfx::UBM_ONE;
    AddGeometry(*inner, "inside", effectOutput, CResourceHandle<IRenderable>(mesh));
    outer->AddChild(CResourceHandle<INode>(inner));
    AddGeometry(*outer, "after", effectOutput, CResourceHandle<IRenderable>(mesh));
    scene.Root().AddChild(CResourceHandle<INode>(outer));

    const Calls calls = scene.Frame();
    EXPECT_EQ(Only(calls, "UseFramebuffer"),
              (Calls{"UseFramebuffer outer framebuffer", "UseFramebuffer inner framebuffer",
                     "UseFramebuffer outer framebuffer", "UseFramebuffer null"}));
    // Render target and viewport are not restored when the inner camera is
    // left: the outer ones are set once.
    EXPECT_EQ(Only(calls, "SwitchRenderTarget"), (Calls{"SwitchRenderTarget 1 1", "SwitchRenderTarget 2 1"}));
    EXPECT_EQ(Only(calls, "SetViewport"), (Calls{"SetViewport 0 0 200 100", "SetViewport 10 20 64 32"}));

    const auto draws = scene.recording->Draws();
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].view, ToArray(innerCamera->GetViewMatrix()));
    EXPECT_EQ(draws[0].projection, ToArray(innerCamera->GetProjectionMatrix()));
    EXPECT_EQ(draws[1].view, ToArray(outerCamera->GetViewMatrix()));
    EXPECT_EQ(draws[1].projection, ToArray(outerCamera->GetProjectionMatrix()));

    auto* visitor = scene.graph->GetRenderVisitor().get();
    EXPECT_EQ(visitor->GetCameraDepth(), 0u);
    EXPECT_EQ(visitor->GetFramebufferDepth(), 0u);
    EXPECT_FALSE(visitor->GetCurrentCamera());
}

TEST(RenderVisitor, InstanceCounts)
{
    CWatchdog watchdog(std::chrono::seconds(60), "instance counts");
    CRenderScene scene;
    auto effect = MakeEffect("effect");
    hlv_slot::CEffectOutputSlot effectOutput(effect);
    auto mesh = MakeMesh("mesh");
    auto camera = MakeCameraNode("camera node", MakeCamera("camera", kOuterViewport, {0, 0, -5}));
    hlv_slot::CVariantOutputSlot<std::uint64_t> zero(0), five(5), all(~std::uint64_t{0});
    AddGeometry(*camera, "zero", effectOutput, CResourceHandle<IRenderable>(mesh))
        ->GetInstanceCountInput()
        .Connect(&zero);
    AddGeometry(*camera, "five", effectOutput, CResourceHandle<IRenderable>(mesh))
        ->GetInstanceCountInput()
        .Connect(&five);
    AddGeometry(*camera, "unconnected", effectOutput, CResourceHandle<IRenderable>(mesh));
    AddGeometry(*camera, "all ones", effectOutput, CResourceHandle<IRenderable>(mesh))
        ->GetInstanceCountInput()
        .Connect(&all);
    scene.Root().AddChild(CResourceHandle<INode>(camera));

    // A connected 0 is no instance at all: nothing of that node is recorded.
    Calls calls = scene.Frame();
    EXPECT_EQ(Only(calls, "RenderEffect"),
              (Calls{"RenderEffectInstanced 6 mesh vertices mesh indices 5",
                     "RenderEffect 6 mesh vertices mesh indices", "RenderEffect 6 mesh vertices mesh indices"}));
    EXPECT_EQ(Count(calls, "UseEffect effect"), 3u);

    // The count that came back draws again, instanced.
    zero.Value() = 2;
    zero.NotifyInputs();
    calls = scene.Frame();
    EXPECT_EQ(Only(calls, "RenderEffect"),
              (Calls{"RenderEffectInstanced 6 mesh vertices mesh indices 2",
                     "RenderEffectInstanced 6 mesh vertices mesh indices 5",
                     "RenderEffect 6 mesh vertices mesh indices", "RenderEffect 6 mesh vertices mesh indices"}));
}

TEST(RenderVisitor, EveryDrawSeesItsOwnMatricesWithASharedEffect)
{
    CWatchdog watchdog(std::chrono::seconds(60), "per-draw values");
    CRenderScene scene;
    auto effect = MakeEffect("shared effect");
    hlv_slot::CEffectOutputSlot effectOutput(effect);
    auto mesh = MakeMesh("mesh");
    auto camera = MakeCamera("camera", kOuterViewport, {1, 2, -5});
    auto cameraNode = MakeCameraNode("camera node", camera);
    constexpr int kNodes = 50;
    std::vector<CResourceHandle<CGeoNode>> nodes;
    for (int i = 0; i < kNodes; ++i) {
        auto geo =
            AddGeometry(*cameraNode, "geo " + std::to_string(i), effectOutput, CResourceHandle<IRenderable>(mesh));
        const float place = static_cast<float>(i);
        geo->LocalTransform().translation = {place, 0.5f * place, -1.0f * place};
        geo->LocalTransform().scale = {1.0f + place, 1.0f, 2.0f};
        nodes.push_back(geo);
    }
    scene.Root().AddChild(CResourceHandle<INode>(cameraNode));

    for (int frame = 0; frame < 3; ++frame) {
        // The effect's storage ends the traversal holding the last node's
        // matrix; each draw still sees its own.
        const std::size_t before = scene.recording->Draws().size();
        scene.Frame();
        const auto draws = scene.recording->Draws();
        ASSERT_EQ(draws.size(), before + kNodes);
        const auto transformations = scene.recording->Transformations();
        for (int i = 0; i < kNodes; ++i) {
            const pld_math::mat4f model = ModelMatrix(nodes[i]->WorldTransform());
            EXPECT_EQ(draws[before + i].world, ToArray(model)) << "node " << i;
            EXPECT_EQ(draws[before + i].view, ToArray(camera->GetViewMatrix()));
            EXPECT_EQ(draws[before + i].projection, ToArray(camera->GetProjectionMatrix()));
        }
        // The modelview of each node is view x model.
        const Matrix lastModelView = ToArray(camera->GetViewMatrix() * ModelMatrix(nodes.back()->WorldTransform()));
        EXPECT_EQ(transformations.back(), lastModelView);
    }
}

TEST(RenderVisitor, BatchIsHandedOverAfterEveryTenthGeometryNode)
{
    CWatchdog watchdog(std::chrono::seconds(60), "batches every 10 geometry nodes");
    CRenderScene scene;
    auto effect = MakeEffect("effect");
    hlv_slot::CEffectOutputSlot effectOutput(effect);
    // Not indexed: these draws hand nothing over by themselves.
    auto points = Adopt(new CPrimitiveSet("points"));
    auto camera = MakeCameraNode("camera node", MakeCamera("camera", kOuterViewport, {0, 0, -5}));
    for (int i = 0; i < 25; ++i)
        AddGeometry(*camera, "geo " + std::to_string(i), effectOutput, CResourceHandle<IRenderable>(points));

    // When the traversal reaches the probe, exactly the first 20 nodes have
    // been handed over: the render thread executes them (each ends with an
    // empty UseEffect) and can never execute the other five before the frame
    // ends.
    std::size_t expected = 20;
    bool reached = false;
    std::size_t executed = 0;
    auto probe = Adopt(new CProbeNode([&] {
        reached = WaitForCalls(scene, "UseEffect null", expected);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        executed = Count(scene.recording->Calls(), "UseEffect null");
    }));
    camera->AddChild(CResourceHandle<INode>(probe));
    scene.Root().AddChild(CResourceHandle<INode>(camera));

    testing::internal::CaptureStdout();
    scene.Frame();
    std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(reached);
    EXPECT_EQ(executed, 20u);
    EXPECT_EQ(scene.graph->GetRenderVisitor()->GetGeometryCounter(), 5u);

    // The count carries over between frames: the 5th, 15th and 25th nodes of
    // the next frame end batches (without the carry-over only the first 20
    // would have been handed over at the probe).
    expected = 25 + 25;
    testing::internal::CaptureStdout();
    scene.Frame();
    printed += testing::internal::GetCapturedStdout();
    EXPECT_TRUE(reached);
    EXPECT_EQ(executed, 25u + 25u);
    EXPECT_EQ(scene.graph->GetRenderVisitor()->GetGeometryCounter(), 0u);

    // Each frame says once per node that it cannot draw a primitive set.
    std::size_t lines = 0;
    const std::string line = "Render Primitive Set: not implemented.\n";
    for (std::size_t at = printed.find(line); at != std::string::npos; at = printed.find(line, at + 1)) ++lines;
    EXPECT_EQ(lines, 50u);
}

TEST(RenderVisitor, EveryIndexedDrawIsHandedOver)
{
    CWatchdog watchdog(std::chrono::seconds(60), "indexed draws hand over");
    CRenderScene scene;
    auto effect = MakeEffect("effect");
    hlv_slot::CEffectOutputSlot effectOutput(effect);
    auto mesh = MakeMesh("mesh");
    auto camera = MakeCameraNode("camera node", MakeCamera("camera", kOuterViewport, {0, 0, -5}));
    for (int i = 0; i < 3; ++i)
        AddGeometry(*camera, "geo " + std::to_string(i), effectOutput, CResourceHandle<IRenderable>(mesh));
    bool reached = false;
    camera->AddChild(CResourceHandle<INode>(
        Adopt(new CProbeNode([&] { reached = WaitForCalls(scene, "RenderEffect 6 mesh vertices mesh indices", 3); }))));
    scene.Root().AddChild(CResourceHandle<INode>(camera));
    scene.Frame();
    EXPECT_TRUE(reached);
}

TEST(RenderVisitor, GeometryOutsideACameraRecordsNothing)
{
    CWatchdog watchdog(std::chrono::seconds(60), "geometry outside a camera");
    CRenderScene scene;
    auto effect = MakeEffect("effect");
    hlv_slot::CEffectOutputSlot effectOutput(effect);
    auto geo = AddGeometry(scene.Root(), "lonely", effectOutput, CResourceHandle<IRenderable>(MakeMesh("mesh")));
    EXPECT_TRUE(scene.Frame().empty());
    EXPECT_EQ(scene.graph->GetRenderVisitor()->EnterGeoNode(geo.get()), MSGR_INVALID_ARGUMENT);
}

TEST(RenderVisitor, CameraNodeWithoutCameraStaysBalanced)
{
    CWatchdog watchdog(std::chrono::seconds(60), "camera node without camera");
    CRenderScene scene;
    auto effect = MakeEffect("effect");
    hlv_slot::CEffectOutputSlot effectOutput(effect);
    auto empty = MakeCameraNode("no camera", {});
    empty->clearMask = hlv_gfx::CLM_DEPTH_BUFFER;
    auto geo = AddGeometry(*empty, "below", effectOutput, CResourceHandle<IRenderable>(MakeMesh("mesh")));
    scene.Root().AddChild(CResourceHandle<INode>(empty));

    const Calls calls = scene.Frame();
    EXPECT_EQ(calls, (Calls{"UseFramebuffer null", "SwitchRenderTarget 1 1", "Clear 2", "SetMatrixMode 2", "PushMatrix",
                            "SetMatrixMode 1", "SetTransformation 0 0", "UseFramebuffer null", "SetMatrixMode 2",
                            "PopMatrix", "SetMatrixMode 1"}));
    EXPECT_EQ(scene.graph->GetRenderVisitor()->GetCameraDepth(), 0u);
}

TEST(RenderVisitor, RenderStateNodeBracketsItsSubtree)
{
    CWatchdog watchdog(std::chrono::seconds(60), "render-state node");
    CRenderScene scene;
    auto effect = MakeEffect("effect");
    hlv_slot::CEffectOutputSlot effectOutput(effect);
    auto camera = MakeCameraNode("camera node", MakeCamera("camera", kOuterViewport, {0, 0, -5}));
    auto state = Adopt(new CRenderStateNode("state"));
    state->GetRenderStateSet()->depthTest = true;
    state->GetRenderStateSet()->AddState(hlv_gfx::RS_DEPTH_TEST);
    auto group = Adopt(new CGroupNode("group"));
    AddGeometry(*group, "geo", effectOutput, CResourceHandle<IRenderable>(MakeMesh("mesh")));
    state->SetChild(CResourceHandle<INode>(group));
    camera->AddChild(CResourceHandle<INode>(state));
    scene.Root().AddChild(CResourceHandle<INode>(camera));

    const Calls calls = scene.Frame();
    const auto push = std::find(calls.begin(), calls.end(), "PushAttrib 64");
    const auto draw = std::find(calls.begin(), calls.end(), "RenderEffect 6 mesh vertices mesh indices");
    const auto pop = std::find(calls.begin(), calls.end(), "PopAttrib");
    ASSERT_NE(push, calls.end());
    ASSERT_NE(pop, calls.end());
    EXPECT_EQ(*(push + 1), "EnableRenderState 6");
    EXPECT_LT(push, draw);
    EXPECT_LT(draw, pop);
}

TEST(RenderVisitor, PostProcessingNodeDrawsItsShadeNodesInOrderAndHandsThemOver)
{
    CWatchdog watchdog(std::chrono::seconds(60), "post-processing node");
    CRenderScene scene;
    auto post = Adopt(new CLinearPostProcessingNode("post"));
    auto published = std::make_unique<hlv_shade::CFramebuffer2DNode>();
    auto scene2 = Adopt(new hlv_gfx::CFramebuffer("scene framebuffer"));
    published->SetFramebuffer(scene2);
    post->shadeNodes.push_back(std::move(published));
    for (const char* name : {"first", "second"}) {
        auto node = std::make_unique<hlv_shade::CCustomShadeNode>();
        auto effect = MakeEffect(name);
        node->SetRenderPass(effect->passes[0]);
        node->SetRenderTarget(Adopt(new hlv_gfx::CFramebuffer(std::string(name) + " target")), {1});
        post->shadeNodes.push_back(std::move(node));
    }
    bool reached = false;
    auto after = Adopt(new CProbeNode([&] { reached = WaitForCalls(scene, "RenderQuad", 2); }));
    scene.Root().AddChild(CResourceHandle<INode>(post));
    scene.Root().AddChild(CResourceHandle<INode>(after));

    const Calls calls = scene.Frame();
    EXPECT_TRUE(reached);
    EXPECT_EQ(Only(calls, "UseFramebuffer"), (Calls{"UseFramebuffer first target", "UseFramebuffer null",
                                                    "UseFramebuffer second target", "UseFramebuffer null"}));
    EXPECT_EQ(Count(calls, "RenderQuad"), 2u);
    EXPECT_EQ(post->GetShadeNodeVisitor()->GetRenderer().get(), scene.renderer.get());
}

TEST(RenderVisitor, RenderStateNodeReportsARefusedSet)
{
    auto visitor = Adopt(new CBasicMtRenderVisitor("no renderer"));
    auto state = Adopt(new CRenderStateNode("state"));
    EXPECT_EQ(visitor->EnterRenderStateNode(state.get()), MSGR_FAIL);
    EXPECT_EQ(visitor->EnterRenderStateNode(nullptr), MSGR_INVALID_ARGUMENT);
}

}  // namespace
}  // namespace hlv_sg
