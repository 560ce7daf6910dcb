#pragma once
// The multithreaded renderer: the update thread records render calls, the
// render thread executes them on the real renderer, which owns the graphics
// context.
//
// Recording: each operation below queues one render command and returns at
// once: GFXR_OK when queued, GFXR_INVALID_ARGUMENT for an empty handle the
// operation refuses or an integer that the renderer operation cannot take
// unchanged (a count beyond its parameter's range, see TRenderCommand),
// GFXR_MT_NO_COMMAND when all 200 commands of its class are in use (nothing is
// queued in either case). Only PushAttrib and PopAttrib take a result
// pointer; the renderer reports its failures to its own listeners.
//
// Hand-over: Flush(1) hands what has been recorded so far to the render
// thread in the middle of a frame; Flush(0) ends the frame. Each flush cuts
// the list at the moment it is made, so a frame never runs commands recorded
// after its end. ProcessCommands (render thread) waits for flushes, executes
// each handed-over list in order, and returns once it has executed a list
// that ended a frame. The render thread then presents the frame and calls
// SignalFrameDone; the update thread calls WaitForFrame before it builds the
// next frame, which keeps it at most one frame ahead.
//
// Shader values: UseEffect and UseRenderPass copy the values of the pass's
// variables and its texture bindings when they are queued; the renderer
// receives that copy, so every draw sees the values written for it.
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include <halvo_core/handle.h>
#include <halvo_core/resource.h>
#include <halvo_gfx/command_front_end.h>
#include <halvo_gfx/frame_counter.h>
#include <halvo_gfx/render_commands.h>
#include <halvo_gfx/render_state_set.h>
#include <halvo_gfx/renderer.h>
#include <halvo_gfx/viewport.h>

namespace hlv_gfx {

#define HLV_RENDER_COMMAND_CLASS(name, ...) , name
using RenderCommandPools = TCommandPools<CommandListStart HLV_RENDER_COMMAND_LIST(HLV_RENDER_COMMAND_CLASS)>;
#undef HLV_RENDER_COMMAND_CLASS

class MTRenderer : public hlv_core::IResource {
public:
    HLV_RESOURCE_CLASS(MTRenderer)

    explicit MTRenderer(const std::string& name);
    // Queued commands are not executed; their handles are released.
    ~MTRenderer() override;

    // The result pointer may be null.
    virtual std::uint32_t PushAttrib(std::uint32_t flags, std::uint32_t* result);
    virtual std::uint32_t PopAttrib(std::uint32_t* result);

    std::uint32_t SetClearColor(float red, float green, float blue, float alpha)
    {
        return Queue<comr_rs_clear_color>(nullptr, red, green, blue, alpha);
    }
    std::uint32_t Clear(std::uint32_t mask) { return Queue<comr_rs_clear>(nullptr, mask); }
    // Copies the 16 floats (row-major).
    std::uint32_t SetTransformation(const float* matrix);
    std::uint32_t SetViewport(const VIEWPORT& viewport)
    {
        return Queue<comr_set_viewport>(nullptr, viewport.x, viewport.y, viewport.width, viewport.height);
    }
    std::uint32_t RenderQuad() { return Queue<comr_render_quad>(nullptr); }
    std::uint32_t EnableRenderState(std::uint32_t state) { return Queue<comr_render_state>(nullptr, true, state); }
    std::uint32_t DisableRenderState(std::uint32_t state) { return Queue<comr_render_state>(nullptr, false, state); }
    std::uint32_t SetBlendFunction(std::uint32_t equation)
    {
        return Queue<comr_blend_func>(nullptr, false, equation, 0u);
    }
    std::uint32_t SetBlendFactor(std::uint32_t source, std::uint32_t destination)
    {
        return Queue<comr_blend_fac>(nullptr, false, source, destination, 0u, 0u);
    }
    // Queued even when empty (the renderer refuses it then).
    std::uint32_t UseEffect(const HandleOf<CEffect>& effect);
    // An empty pass is refused.
    std::uint32_t UseRenderPass(const HandleOf<CRenderPass>& pass);
    // Queued empty or not: an empty handle selects the default framebuffer.
    std::uint32_t UseFramebuffer(HandleOf<CFramebuffer> framebuffer)
    {
        return Queue<comr_use_framebuffer>(nullptr, std::move(framebuffer));
    }
    // One USED_BUFFER_MASK value.
    std::uint32_t SwitchRenderTarget(std::uint32_t id);
    std::uint32_t SwitchRenderTarget(const std::vector<unsigned>& ids, std::uint64_t count)
    {
        return Queue<comr_switch_render_target>(nullptr, ids, count);
    }
    // Drawn as points. Either handle empty is refused.
    std::uint32_t Render(const HandleOf<CVertexBuffer>& vertices, const HandleOf<CIndexBuffer>& indices)
    {
        if (!vertices || !indices) return GFXR_INVALID_ARGUMENT;
        return Queue<comr_render>(nullptr, std::uint32_t{PT_POINTS}, vertices, indices);
    }
    std::uint32_t RenderEffect(std::uint32_t primitive, const HandleOf<CVertexBuffer>& vertices,
                               const HandleOf<CIndexBuffer>& indices)
    {
        if (!vertices || !indices) return GFXR_INVALID_ARGUMENT;
        return Queue<comr_render_effect>(nullptr, primitive, vertices, indices);
    }
    std::uint32_t RenderEffectInstanced(std::uint32_t primitive, const HandleOf<CVertexBuffer>& vertices,
                                        const HandleOf<CIndexBuffer>& indices, std::uint64_t instances)
    {
        if (!vertices || !indices) return GFXR_INVALID_ARGUMENT;
        return Queue<comr_render_effect_instanced>(nullptr, primitive, vertices, indices, instances);
    }
    // The commands of the set's changed states, in list order; a null set
    // queues nothing. A state whose command pool is empty is skipped.
    std::uint32_t SetRenderStateSet(const CRenderStateSet* set);

    // Appends a filled command (taken from Pool<C>()) to the frame's list.
    void Enqueue(renderer_command* command);
    // keep 1: hand over what has been recorded, the frame goes on; keep 0:
    // hand it over as the end of the frame. Returns GFXR_OK.
    std::uint32_t Flush(std::uint32_t keep);
    // The second queue: nothing records into it; its flush only hands over an
    // empty list and its drain returns at once.
    std::uint32_t FlushSecondQueue();
    bool WaitSecondQueueDrained();
    // Render thread: executes handed-over lists until one that ended a frame
    // has run, or until Shutdown. Returns GFXR_OK.
    std::uint32_t ProcessCommands();

    // Blocks until more than `frame` frames are done (or Shutdown); returns
    // the count of frames done.
    std::uint64_t WaitForFrame(std::uint64_t frame) { return m_frames.WaitForFrame(frame); }
    // Render thread, after presenting a frame.
    void SignalFrameDone() { m_frames.SignalFrameDone(); }
    std::uint64_t GetFrameCount() const { return m_frames.Frames(); }

    // Stop: ProcessCommands, WaitSecondQueueDrained and WaitForFrame return
    // at once from now on; commands still queued are not executed.
    void Shutdown();
    bool IsShutDown() const { return m_frontEnd.GetQueue().IsShutDown(); }

    // For producers that wait for commands to come back to their pools: the
    // application marks rendering paused (after a renderer error the render
    // thread no longer executes render commands), and
    // WaitUntilDrainedFor waits at most `limit` for every command queued
    // before the call to run. It returns false on time-out, after Shutdown,
    // and at once while rendering is paused.
    void SetPaused(bool paused) { m_frontEnd.GetQueue().SetPaused(paused); }
    bool IsPaused() const { return m_frontEnd.GetQueue().IsPaused(); }
    bool WaitUntilDrainedFor(std::chrono::milliseconds limit)
    {
        return m_frontEnd.GetQueue().WaitUntilDrainedFor(kMainQueue, limit);
    }

    // The renderer the commands run on (set by the application).
    void SetRenderer(const HandleOf<IRenderer>& renderer) { m_renderer = renderer; }
    HandleOf<IRenderer> GetRenderer() const { return m_renderer; }

    template <class Command>
    CommandPool<Command>& Pool()
    {
        return m_frontEnd.template Pool<Command>();
    }

    // Queues a command of class Command with the given argument values (the
    // way producers queue commands that have no operation of their own, such
    // as comr_set_texture_matrix). An integer value outside the range of the
    // renderer operation's parameter is refused (GFXR_INVALID_ARGUMENT).
    template <class Command, class... Values>
    std::uint32_t Queue(std::uint32_t* result, Values&&... values)
    {
        return m_frontEnd.template QueueValues<Command>(kMainQueue, result, std::forward<Values>(values)...);
    }

private:
    static constexpr std::size_t kSecondQueue = 0;  // served first
    static constexpr std::size_t kMainQueue = 1;

    TCommandFrontEnd<renderer_command, RenderCommandPools, 2> m_frontEnd;
    CFrameCounter m_frames;
    HandleOf<IRenderer> m_renderer;
};
HLV_DEFINE_RESOURCE_CLASS(MTRenderer, IRenderer)

}  // namespace hlv_gfx
