#pragma once
// Records render commands on the multithreaded renderer from a traversal on
// the update thread, so that none is lost when a command pool runs dry.
//
// Every command comes from a pool of 200. A frame that records more commands
// of one class than the render thread has given back would otherwise lose the
// surplus, and a lost pop, PopAttrib or framebuffer reset unbalances the
// graphics API's stacks for good. So before each command the recorder makes
// sure its pool has a free one: when it has none, everything recorded so far
// is handed to the render thread (FlushSecondQueue, Flush(1)) and the recorder
// waits, a bounded time per round, until the render thread has executed it and
// the commands are back in their pools; then it records. It gives up (the
// command is skipped, GFXR_MT_NO_COMMAND) only while the render thread is
// stopped or paused, which it reports once on the standard error stream until
// a command can be recorded again.
//
// The update thread is the only producer of render commands while a frame is
// recorded, so a free command seen in a pool is still free when it is taken.
#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/mt_renderer.h>

namespace hlv_gfx {

class CRenderCommandRecorder {
public:
    using RendererHandle = HandleOf<MTRenderer>;
    using Matrix = Matrix4x4;

    // How long one round of waiting for the render thread lasts.
    static constexpr std::chrono::milliseconds kWaitRound{20};

    // `owner` names the recorder's user in its diagnostic.
    explicit CRenderCommandRecorder(std::string owner) : m_owner(std::move(owner)) {}

    void SetRenderer(const RendererHandle& renderer) { m_renderer = renderer; }
    const RendererHandle& GetRenderer() const { return m_renderer; }
    bool HasRenderer() const { return m_renderer.IsValid(); }

    // Makes sure `count` commands of class Command can be taken (see above).
    // False when there is no renderer or the render thread is stopped or
    // paused.
    template <class Command>
    bool Reserve(std::size_t count = 1)
    {
        MTRenderer* renderer = m_renderer.get();
        if (!renderer) return false;
        CommandPool<Command>& pool = renderer->template Pool<Command>();
        count = std::min<std::size_t>(count, pool.size());
        if (pool.FreeCount() >= count) {
            // A report is due again once the render thread runs again.
            if (m_givenUp && !RenderThreadHalted(*renderer)) m_givenUp = false;
            return true;
        }
        return WaitForRecycled(*renderer, [&pool, count] { return pool.FreeCount() >= count; });
    }

    // Records one command through `call` (an operation of the renderer that
    // takes one command of class Command). The call's result, or
    // GFXR_MT_NO_COMMAND when the recorder gave up, GFXR_INVALID_HANDLE
    // without a renderer.
    template <class Command, class Call>
    std::uint32_t Record(Call&& call)
    {
        if (!m_renderer) return GFXR_INVALID_HANDLE;
        for (;;) {
            if (!Reserve<Command>()) return GFXR_MT_NO_COMMAND;
            const std::uint32_t result = call(*m_renderer);
            if (result != GFXR_MT_NO_COMMAND) return result;
        }
    }

    // Queues a command class that has no operation of its own. Values the
    // command refuses (see MTRenderer::Queue) give GFXR_INVALID_ARGUMENT
    // without waiting for a command.
    template <class Command, class... Values>
    std::uint32_t Queue(const Values&... values)
    {
        if (!Command::Accepts(values...)) return GFXR_INVALID_ARGUMENT;
        return Record<Command>([&](MTRenderer& r) { return r.template Queue<Command>(nullptr, values...); });
    }

    std::uint32_t UseFramebuffer(const HandleOf<CFramebuffer>& framebuffer);
    std::uint32_t SwitchRenderTarget(std::uint32_t id);
    std::uint32_t SwitchRenderTarget(const std::vector<unsigned>& ids);
    std::uint32_t SetClearColor(float red, float green, float blue, float alpha);
    std::uint32_t Clear(std::uint32_t mask);
    std::uint32_t SetViewport(const VIEWPORT& viewport);
    std::uint32_t SetMatrixMode(std::uint32_t mode);
    std::uint32_t PushMatrix();
    std::uint32_t PopMatrix();
    std::uint32_t SetTransformation(const float* matrix);
    std::uint32_t SetTextureMatrix(const Matrix& matrix, std::uint64_t index);
    std::uint32_t UseEffect(const HandleOf<CEffect>& effect);
    std::uint32_t UseRenderPass(const HandleOf<CRenderPass>& pass);
    std::uint32_t RenderEffect(std::uint32_t primitive, const HandleOf<CVertexBuffer>& vertices,
                               const HandleOf<CIndexBuffer>& indices);
    std::uint32_t RenderEffectInstanced(std::uint32_t primitive, const HandleOf<CVertexBuffer>& vertices,
                                        const HandleOf<CIndexBuffer>& indices, std::uint64_t instances);
    std::uint32_t RenderQuad();
    std::uint32_t PushAttrib(std::uint32_t flags);
    std::uint32_t PopAttrib();
    // Reserves every command the set turns into, then records them.
    std::uint32_t SetRenderStateSet(const CRenderStateSet* set);

    // Flush(keep) on the renderer.
    std::uint32_t Flush(std::uint32_t keep);
    // Hands the batch recorded so far to the render thread: FlushSecondQueue,
    // then Flush(1).
    std::uint32_t SubmitBatch();

private:
    // Hands everything over and waits in rounds until `ready` holds or the
    // render thread is stopped or paused.
    template <class Ready>
    bool WaitForRecycled(MTRenderer& renderer, Ready&& ready)
    {
        for (;;) {
            if (RenderThreadHalted(renderer)) return GiveUp();
            renderer.FlushSecondQueue();
            renderer.Flush(1);
            renderer.WaitUntilDrainedFor(kWaitRound);
            if (ready()) {
                m_givenUp = false;
                return true;
            }
        }
    }

    static bool RenderThreadHalted(const MTRenderer& renderer);
    // Reports the first give-up of an episode; returns false.
    bool GiveUp();

    std::string m_owner;
    RendererHandle m_renderer;
    bool m_givenUp = false;
};

}  // namespace hlv_gfx
