#pragma once
// A scene graph that records onto a real multithreaded renderer, whose
// commands a test render thread executes on a recording renderer, and the
// pieces scenes are built from.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <draw_recording_renderer.h>
#include <pass_builder.h>
#include <test_render_thread.h>

#include <halvo_core/handle.h>
#include <halvo_gfx/effect.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_gfx/mt_renderer.h>
#include <halvo_gfx/perspective_camera.h>
#include <halvo_sg/camera_node.h>
#include <halvo_sg/default_scene_graph.h>
#include <halvo_sg/geo_node.h>
#include <halvo_sg/primitive_set.h>
#include <halvo_slot/CEffectSlot.h>

namespace hlv_sg_test {

using hlv_core::Adopt;
using hlv_core::CResourceHandle;
using Calls = std::vector<std::string>;

// An effect whose passes have the three default matrices.
inline CResourceHandle<hlv_gfx::CEffect> MakeEffect(const std::string& name, std::size_t passes = 1)
{
    auto effect = Adopt(new hlv_gfx::CEffect(name));
    for (std::size_t i = 0; i < passes; ++i) {
        auto pass = Adopt(new hlv_gfx::CRenderPass(name + " pass " + std::to_string(i)));
        for (const char* variable : {"mat_world", "mat_view", "mat_proj"})
            hlv_gfx_test::AddVariable(*pass, variable, hlv_gfx::SVT_FLOAT_MAT4);
        pass->ResolveDefaultVariables();
        effect->passes.push_back(pass);
    }
    return effect;
}

inline CResourceHandle<hlv_sg::CIndexedPrimitiveSet> MakeMesh(const std::string& name)
{
    auto mesh = Adopt(new hlv_sg::CIndexedPrimitiveSet(name));
    mesh->primitiveType = hlv_gfx::PT_TRIANGLES;
    mesh->vertexBuffer = Adopt(new hlv_gfx::CVertexBuffer(name + " vertices"));
    mesh->indexBuffer = Adopt(new hlv_gfx::CIndexBuffer(name + " indices"));
    return mesh;
}

inline CResourceHandle<hlv_gfx::ICamera> MakeCamera(const std::string& name, const hlv_gfx::VIEWPORT& viewport,
                                                    const pld_math::vec3f& eye)
{
    auto camera = Adopt(new hlv_gfx::CPerspectiveCamera(name));
    camera->SetPerspective(60.0f, 1.0f, 1.0f, 100.0f);
    camera->SetViewport(viewport);
    camera->LookAt({0.0f, 0.0f, 0.0f}, eye);
    return CResourceHandle<hlv_gfx::ICamera>(camera);
}

// A camera node whose viewport input holds the camera's viewport.
inline CResourceHandle<hlv_sg::CCameraNode> MakeCameraNode(const std::string& name,
                                                           const CResourceHandle<hlv_gfx::ICamera>& camera)
{
    auto node = Adopt(new hlv_sg::CCameraNode(name));
    if (camera) {
        node->GetViewportInput().SetValue(camera->GetViewport());
        node->AddCamera(camera);
    }
    node->renderTarget = hlv_gfx::UBM_ZERO;
    return node;
}

// A geometry node drawing renderable with the effect of output.
inline CResourceHandle<hlv_sg::CGeoNode> AddGeometry(hlv_sg::CGroupNode& parent, const std::string& name,
                                                     hlv_slot::CEffectOutputSlot& effect,
                                                     const CResourceHandle<hlv_sg::IRenderable>& renderable)
{
    auto geo = Adopt(new hlv_sg::CGeoNode(name));
    geo->GetEffectInput().Connect(&effect);
    geo->SetRenderable(renderable);
    parent.AddChild(CResourceHandle<hlv_sg::INode>(geo));
    return geo;
}

inline std::size_t Count(const Calls& calls, const std::string& call)
{
    return static_cast<std::size_t>(std::count(calls.begin(), calls.end(), call));
}

// The calls that start with prefix.
inline Calls Only(const Calls& calls, const std::string& prefix)
{
    Calls kept;
    for (const auto& call : calls)
        if (call.rfind(prefix, 0) == 0) kept.push_back(call);
    return kept;
}

class CRenderScene {
public:
    // The render thread executes on recordingRenderer; with startPaused it
    // executes nothing until it is told to go on.
    explicit CRenderScene(CResourceHandle<hlv_shade_test::CDrawRecordingRenderer> recordingRenderer =
                              Adopt(new hlv_shade_test::CDrawRecordingRenderer),
                          bool startPaused = false)
        : renderer(Adopt(new hlv_gfx::MTRenderer("The Multi Threaded Renderer"))),
          recording(std::move(recordingRenderer)),
          graph(Adopt(new hlv_sg::CDefaultSceneGraph("The Scene Graph")))
    {
        renderer->SetRenderer(CResourceHandle<hlv_gfx::IRenderer>(recording));
        graph->SetRenderer(renderer);
        renderThread = std::make_unique<hlv_shade_test::CTestRenderThread>(*renderer, startPaused);
    }
    ~CRenderScene() { renderThread->Stop(); }

    hlv_sg::CGroupNode& Root() { return *graph->GetRoot(); }

    // Runs the scene graph's frame and the render thread's; returns the
    // renderer calls of this frame.
    Calls Frame()
    {
        hlv_sg::frame_time_record time;
        time.frameNumber = m_frame++;
        graph->Update(&time);
        renderThread->FinishFrame();
        return NewCalls();
    }

    // The renderer calls since the last look.
    Calls NewCalls()
    {
        const Calls all = recording->Calls();
        Calls fresh(all.begin() + static_cast<std::ptrdiff_t>(m_seen), all.end());
        m_seen = all.size();
        return fresh;
    }

    CResourceHandle<hlv_gfx::MTRenderer> renderer;
    CResourceHandle<hlv_shade_test::CDrawRecordingRenderer> recording;
    CResourceHandle<hlv_sg::CDefaultSceneGraph> graph;
    std::unique_ptr<hlv_shade_test::CTestRenderThread> renderThread;

private:
    std::uint64_t m_frame = 0;
    std::size_t m_seen = 0;
};

}  // namespace hlv_sg_test
