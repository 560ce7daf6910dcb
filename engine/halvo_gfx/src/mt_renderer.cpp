#include <halvo_gfx/mt_renderer.h>

#include <algorithm>

#include <halvo_gfx/render_state_commands.h>

namespace hlv_gfx {

namespace {

// Queues the commands of a render-state set, each from its own pool.
struct RenderStateRecorder {
    MTRenderer& renderer;

    void ClearColor(float r, float g, float b, float a) { renderer.SetClearColor(r, g, b, a); }
    void Clear(std::uint32_t mask) { renderer.Clear(mask); }
    void RenderState(bool enable, std::uint32_t state) { renderer.Queue<comr_render_state>(nullptr, enable, state); }
    void CullMode(std::uint32_t mode) { renderer.Queue<comr_rs_cull_mode>(nullptr, mode); }
    void FrontFace(std::uint32_t winding) { renderer.Queue<comr_rs_front_face>(nullptr, winding); }
    void FillMode(std::uint32_t face, std::uint32_t mode) { renderer.Queue<comr_rs_fill_mode>(nullptr, face, mode); }
    void BlendFunction(bool separate, std::uint32_t colour, std::uint32_t alpha)
    {
        renderer.Queue<comr_blend_func>(nullptr, separate, colour, alpha);
    }
    void BlendFactor(bool separate, std::uint32_t sourceColour, std::uint32_t destinationColour,
                     std::uint32_t sourceAlpha, std::uint32_t destinationAlpha)
    {
        renderer.Queue<comr_blend_fac>(nullptr, separate, sourceColour, destinationColour, sourceAlpha,
                                       destinationAlpha);
    }
};

}  // namespace

MTRenderer::MTRenderer(const std::string& name) : IResource(name), m_frontEnd(true) {}

MTRenderer::~MTRenderer() = default;

std::uint32_t MTRenderer::PushAttrib(std::uint32_t flags, std::uint32_t* result)
{
    return Queue<comr_push_attrib>(result, flags);
}

std::uint32_t MTRenderer::PopAttrib(std::uint32_t* result) { return Queue<comr_pop_attrib>(result); }

std::uint32_t MTRenderer::SetTransformation(const float* matrix)
{
    return m_frontEnd.QueueWith<comr_set_transformation>(
        kMainQueue, nullptr, [matrix](Matrix4x4& stored) { std::copy_n(matrix, stored.size(), stored.begin()); });
}

std::uint32_t MTRenderer::UseEffect(const HandleOf<CEffect>& effect)
{
    return m_frontEnd.QueueWith<comr_use_effect>(kMainQueue, nullptr,
                                                 [&effect](HandleOf<CEffect>& stored, CEffectSnapshot& values) {
                                                     stored = effect;
                                                     values.CaptureFrom(effect);
                                                 });
}

std::uint32_t MTRenderer::UseRenderPass(const HandleOf<CRenderPass>& pass)
{
    if (!pass) return GFXR_INVALID_ARGUMENT;
    return m_frontEnd.QueueWith<comr_use_render_pass>(
        kMainQueue, nullptr, [&pass](HandleOf<CRenderPass>& stored, CRenderPassSnapshot& values) {
            stored = pass;
            values.CaptureFrom(pass);
        });
}

std::uint32_t MTRenderer::SwitchRenderTarget(std::uint32_t id)
{
    return m_frontEnd.QueueWith<comr_switch_render_target>(kMainQueue, nullptr,
                                                           [id](std::vector<unsigned>& ids, std::uint64_t& count) {
                                                               ids.assign(1, id);
                                                               count = 1;
                                                           });
}

std::uint32_t MTRenderer::SetRenderStateSet(const CRenderStateSet* set)
{
    if (!set) return GFXR_OK;
    RenderStateRecorder recorder{*this};
    ForEachRenderStateCommand(*set, recorder);
    return GFXR_OK;
}

void MTRenderer::Enqueue(renderer_command* command) { m_frontEnd.GetQueue().Enqueue(kMainQueue, *command); }

std::uint32_t MTRenderer::Flush(std::uint32_t keep)
{
    m_frontEnd.GetQueue().Flush(kMainQueue, keep == 0);
    return GFXR_OK;
}

std::uint32_t MTRenderer::FlushSecondQueue()
{
    m_frontEnd.GetQueue().Flush(kSecondQueue, false);
    return GFXR_OK;
}

bool MTRenderer::WaitSecondQueueDrained() { return m_frontEnd.GetQueue().WaitUntilDrained(kSecondQueue); }

std::uint32_t MTRenderer::ProcessCommands()
{
    // One reference for the whole frame: the renderer cannot go while it runs.
    const HandleOf<IRenderer> renderer(m_renderer);
    m_frontEnd.Process(renderer.get());
    return GFXR_OK;
}

void MTRenderer::Shutdown()
{
    m_frontEnd.GetQueue().Shutdown();
    m_frames.Shutdown();
}

}  // namespace hlv_gfx
