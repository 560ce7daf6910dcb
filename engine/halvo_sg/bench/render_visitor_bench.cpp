// Recording a frame of geometry nodes with the render visitor onto the
// multithreaded renderer (whose render thread executes on a renderer that
// does nothing), against making the same calls directly on that renderer.
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include <pass_builder.h>
#include <test_render_thread.h>

#include <halvo_core/handle.h>
#include <halvo_gfx/effect.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_gfx/mt_renderer.h>
#include <halvo_gfx/perspective_camera.h>
#include <halvo_gfx/renderer.h>
#include <halvo_sg/basic_mt_render_visitor.h>
#include <halvo_sg/camera_node.h>
#include <halvo_sg/geo_node.h>
#include <halvo_sg/primitive_set.h>
#include <halvo_sg/trafo_visitor.h>
#include <halvo_slot/CEffectSlot.h>

namespace {

using hlv_core::Adopt;
using hlv_core::CResourceHandle;
using namespace hlv_gfx;

// Answers every call with GFXR_OK; keeps effect values the way a renderer
// does (by swapping them in).
class CNoOpRenderer : public IRenderer {
public:
    CNoOpRenderer() : IRenderer("no-op renderer") {}
    std::uint32_t InitAPISpecific() override { return 0; }
    std::uint32_t ReleaseAPISpecific() override { return 0; }
    std::uint32_t PushAttrib(std::uint32_t) override { return 0; }
    std::uint32_t PopAttrib() override { return 0; }
    std::uint32_t EnableRenderState(std::uint32_t) override { return 0; }
    std::uint32_t DisableRenderState(std::uint32_t) override { return 0; }
    std::uint32_t SetRenderState(BLEND_EQUATION, BLEND_EQUATION) override { return 0; }
    std::uint32_t SetRenderState(BLEND_EQUATION) override { return 0; }
    std::uint32_t SetRenderState(BLEND_FACTOR, BLEND_FACTOR, BLEND_FACTOR, BLEND_FACTOR) override { return 0; }
    std::uint32_t SetRenderState(BLEND_FACTOR, BLEND_FACTOR) override { return 0; }
    std::uint32_t SetFillMode(std::int32_t, std::uint32_t) override { return 0; }
    std::uint32_t SetFrontFace(std::uint32_t) override { return 0; }
    std::uint32_t SetCullMode(std::uint32_t) override { return 0; }
    std::uint32_t GetFillMode(std::int32_t, std::uint32_t& mode) override { return mode = 0; }
    std::uint32_t GetFrontFace(std::uint32_t& winding) override { return winding = 0; }
    std::uint32_t GetCullMode(std::uint32_t& face) override { return face = 0; }
    std::uint32_t SetClearColor(float, float, float, float) override { return 0; }
    std::uint32_t Clear(std::uint32_t) override { return 0; }
    std::uint32_t SetMatrixMode(std::uint32_t) override { return 0; }
    std::uint32_t PushMatrix() override { return 0; }
    std::uint32_t PopMatrix() override { return 0; }
    std::uint32_t SetTransformation(const float* m) override { return m[0] == 12345.0f ? 1 : 0; }
    std::uint32_t SetViewport(const VIEWPORT&) override { return 0; }
    std::uint32_t SetViewport(std::uint64_t, std::uint64_t, std::uint64_t, std::uint64_t) override { return 0; }
    std::uint32_t EnableLighting() override { return 0; }
    std::uint32_t DisableLighting() override { return 0; }
    std::uint32_t ReservedOperationA() override { return 1; }
    std::uint32_t ReservedOperationB() override { return 1; }
    std::uint32_t ReservedOperationC() override { return 1; }
    std::uint32_t UseEffect(const Handle<CEffect>& effect, CEffectSnapshot& values) override
    {
        if (!effect) return GFXR_INVALID_ARGUMENT;
        swap(m_values, values);
        return 0;
    }
    std::uint32_t UseRenderPass(const Handle<CRenderPass>&, CRenderPassSnapshot&) override { return 0; }
    std::uint32_t UseTexture(const Handle<CTexture>&, std::uint64_t) override { return 0; }
    std::uint32_t LoadTexture(Handle<CTextureBuffer>) override { return 0; }
    std::uint32_t LoadTexture(Handle<CCubeMapTexture>) override { return 0; }
    std::uint32_t LoadTexture(Handle<CDepthTexture>) override { return 0; }
    std::uint32_t LoadTexture(Handle<CTexture>) override { return 0; }
    std::uint32_t SetTextureMatrix(const float*, std::uint64_t) override { return 0; }
    std::uint32_t UseFramebuffer(Handle<CFramebuffer>) override { return 0; }
    Handle<CFramebuffer> GetFramebuffer() override { return {}; }
    std::uint32_t SwitchRenderTarget(const std::vector<unsigned>&, std::uint64_t) override { return 0; }
    std::uint32_t SwitchRenderTarget(std::int32_t) override { return 0; }
    std::uint32_t LoadBufferData(const Handle<CIndexBuffer>&, std::uint32_t) override { return 0; }
    std::uint32_t LoadBufferData(const Handle<CVertexBuffer>&, std::uint32_t) override { return 0; }
    std::uint32_t UpdateBufferData(const Handle<CTextureBuffer>&, std::int32_t, std::int32_t) override { return 0; }
    std::uint32_t UpdateBufferData(const Handle<CIndexBuffer>&, std::int32_t, std::int32_t) override { return 0; }
    std::uint32_t UpdateBufferData(const Handle<CVertexBuffer>&, std::int32_t, std::int32_t) override { return 0; }
    std::uint32_t MapBuffer(const Handle<CTextureBuffer>&, std::uint32_t) override { return 0; }
    std::uint32_t MapBuffer(const Handle<CIndexBuffer>&, std::uint32_t) override { return 0; }
    std::uint32_t MapBuffer(const Handle<CVertexBuffer>&, std::uint32_t) override { return 0; }
    std::uint32_t UnmapBuffer(const Handle<CTextureBuffer>&) override { return 0; }
    std::uint32_t UnmapBuffer(const Handle<CIndexBuffer>&) override { return 0; }
    std::uint32_t UnmapBuffer(const Handle<CVertexBuffer>&) override { return 0; }
    std::uint32_t Render(std::uint32_t, const Handle<CVertexBuffer>&, const Handle<CIndexBuffer>&) override
    {
        return 0;
    }
    std::uint32_t RenderInstanced(std::uint32_t, const Handle<CVertexBuffer>&, const Handle<CIndexBuffer>&,
                                  std::uint32_t) override
    {
        return 0;
    }
    std::uint32_t ReservedOperationD() override { return 1; }
    std::uint32_t RenderEffect(std::uint32_t, const Handle<CVertexBuffer>&, const Handle<CIndexBuffer>&) override
    {
        return 0;
    }
    std::uint32_t RenderEffectInstanced(std::uint32_t, const Handle<CVertexBuffer>&, const Handle<CIndexBuffer>&,
                                        std::uint64_t) override
    {
        return 0;
    }
    std::uint32_t RenderQuad() override { return 0; }

private:
    CEffectSnapshot m_values;
};

// The demo's usual pass, its variables resolved, as the one pass of an
// effect.
CResourceHandle<CEffect> TypicalEffect()
{
    auto pass = hlv_gfx_test::TypicalPass();
    pass->ResolveDefaultVariables();
    auto effect = Adopt(new CEffect("effect"));
    effect->passes.push_back(pass);
    return effect;
}

struct Scene {
    explicit Scene(int nodes)
    {
        auto perspective = Adopt(new CPerspectiveCamera("camera"));
        perspective->SetPerspective(60, 1, 1, 100);
        perspective->SetViewport(VIEWPORT{0, 0, 640, 480});
        perspective->LookAt({0, 0, 0}, {0, 0, -5});
        cameraNode->GetViewportInput().SetValue(perspective->GetViewport());
        cameraNode->AddCamera(CResourceHandle<ICamera>(perspective));
        mesh->vertexBuffer = Adopt(new CVertexBuffer("vertices"));
        mesh->indexBuffer = Adopt(new CIndexBuffer("indices"));
        mesh->primitiveType = PT_TRIANGLES;
        for (int i = 0; i < nodes; ++i) {
            auto geo = Adopt(new hlv_sg::CGeoNode("geo"));
            geo->GetEffectInput().Connect(&effectOutput);
            geo->SetRenderable(CResourceHandle<hlv_sg::IRenderable>(mesh));
            geo->LocalTransform().translation = {static_cast<float>(i), 1, 2};
            cameraNode->AddChild(CResourceHandle<hlv_sg::INode>(geo));
            geometry.push_back(geo);
        }
        auto trafo = Adopt(new hlv_sg::CTrafoVisitor("trafo"));
        cameraNode->Accept(trafo.get());
        camera = CResourceHandle<ICamera>(perspective);
    }

    CResourceHandle<CEffect> effect = TypicalEffect();
    hlv_slot::CEffectOutputSlot effectOutput{effect};
    CResourceHandle<hlv_sg::CIndexedPrimitiveSet> mesh = Adopt(new hlv_sg::CIndexedPrimitiveSet("mesh"));
    CResourceHandle<hlv_sg::CCameraNode> cameraNode = Adopt(new hlv_sg::CCameraNode("camera node"));
    std::vector<CResourceHandle<hlv_sg::CGeoNode>> geometry;
    CResourceHandle<ICamera> camera;
};

// Seconds per geometry node (shown with an SI prefix: 2.5u is 2.5 us).
void SetNodeCounter(benchmark::State& state, int nodes)
{
    state.counters["per_node"] = benchmark::Counter(
        static_cast<double>(nodes), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The render visitor's traversal on the update thread while a render thread
// executes each batch into a no-op renderer; with timeFrameEnd false the
// end-of-frame wait is not timed.
void RecordThroughMtRenderer(benchmark::State& state, bool timeFrameEnd)
{
    const int nodes = static_cast<int>(state.range(0));
    Scene scene(nodes);
    auto renderer = Adopt(new MTRenderer("renderer"));
    renderer->SetRenderer(CResourceHandle<IRenderer>(Adopt(new CNoOpRenderer)));
    hlv_shade_test::CTestRenderThread thread(*renderer);
    auto visitor = Adopt(new hlv_sg::CBasicMtRenderVisitor("visitor"));
    visitor->SetRenderer(renderer);
    for (auto _ : state) {
        scene.cameraNode->Accept(visitor.get());
        if (!timeFrameEnd) state.PauseTiming();
        thread.FinishFrame();
        if (!timeFrameEnd) state.ResumeTiming();
    }
    thread.Stop();
    SetNodeCounter(state, nodes);
}

// Recording alone.
void BM_RecordThroughMtRenderer(benchmark::State& state) { RecordThroughMtRenderer(state, false); }

// The same frame, end to end: recording, and waiting until the render thread
// has executed it.
void BM_RecordAndExecuteThroughMtRenderer(benchmark::State& state) { RecordThroughMtRenderer(state, true); }

// The calls a geometry node makes, on the same renderer directly, with the
// same matrix work and the capture of the effect's values. The calls go
// through the renderer interface, as the render thread makes them, on a
// pointer the compiler cannot see through, so the matrix product handed to
// SetTransformation is computed as it is when recorded (on the concrete no-op
// renderer the compiler inlined the calls and dropped the product).
void BM_DirectCalls(benchmark::State& state)
{
    const int nodes = static_cast<int>(state.range(0));
    Scene scene(nodes);
    CNoOpRenderer noOp;
    // Read back through a volatile, the pointer's value is unknown to the
    // compiler. (With GCC 12, benchmark::DoNotOptimize on the pointer left it
    // unset in the optimised loop and the benchmark crashed.)
    IRenderer* volatile target = &noOp;
    IRenderer& renderer = *target;
    CEffectSnapshot values;
    const CResourceHandle<CEffect> none;
    const ICamera& camera = *scene.camera;
    for (auto _ : state) {
        for (const auto& geo : scene.geometry) {
            const pld_math::mat4f model = hlv_sg::ModelMatrix(geo->WorldTransform());
            const CResourceHandle<CEffect> effect = geo->GetEffectInput().GetValue();
            for (const auto& pass : effect->passes) {
                std::memcpy(pass->GetDefaultVariable(DV_WORLD)->GetValue(), model.data(), 64);
                std::memcpy(pass->GetDefaultVariable(DV_VIEW)->GetValue(), camera.GetViewMatrix().data(), 64);
                std::memcpy(pass->GetDefaultVariable(DV_PROJECTION)->GetValue(), camera.GetProjectionMatrix().data(),
                            64);
            }
            values.CaptureFrom(effect);
            renderer.UseEffect(effect, values);
            renderer.PushMatrix();
            const pld_math::mat4f modelView = camera.GetViewMatrix() * model;
            renderer.SetTransformation(modelView.data());
            const auto mesh = geo->GetRenderable();
            auto* set = static_cast<hlv_sg::CIndexedPrimitiveSet*>(mesh.get());
            renderer.RenderEffect(set->primitiveType, set->vertexBuffer, set->indexBuffer);
            renderer.PopMatrix();
            renderer.UseEffect(none, values);
        }
        benchmark::ClobberMemory();
    }
    SetNodeCounter(state, nodes);
}

BENCHMARK(BM_DirectCalls)->Arg(250)->Arg(1000)->UseRealTime();
BENCHMARK(BM_RecordThroughMtRenderer)->Arg(250)->Arg(1000)->UseRealTime();
BENCHMARK(BM_RecordAndExecuteThroughMtRenderer)->Arg(250)->Arg(1000)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
