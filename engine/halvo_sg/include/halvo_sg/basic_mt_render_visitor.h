#pragma once
// The third pass of every frame: records the tree's drawing on the
// multithreaded renderer, on the update thread.
//
// Camera nodes select their framebuffer, render target, viewport and
// projection (nested cameras restore the outer framebuffer and camera when
// they are left), render-state nodes bracket their subtree with PushAttrib and
// PopAttrib, geometry nodes write their matrices into their effect's default
// variables and draw, and post-processing nodes draw their shade nodes. The
// values of an effect are captured when its selection is queued, so each draw
// sees the matrices written for its own node. What has been recorded is handed
// to the render thread after every indexed draw, after every post-processing
// node and after every 10 geometry nodes, so the render thread draws while the
// traversal goes on. No command is lost to an empty command pool (see
// CRenderCommandRecorder).
#include <cstdint>
#include <string>
#include <vector>

#include <halvo_core/handle.h>
#include <halvo_gfx/framebuffer.h>
#include <halvo_gfx/mt_gfx_system.h>
#include <halvo_gfx/mt_renderer.h>
#include <halvo_gfx/render_command_recorder.h>
#include <halvo_sg/render_visitor.h>

namespace hlv_sg {

class CBasicMtRenderVisitor : public IRenderVisitor {
public:
    HLV_RESOURCE_CLASS(CBasicMtRenderVisitor)

    // Geometry nodes per batch handed to the render thread.
    static constexpr std::uint64_t kGeometryPerBatch = 10;
    // The instance count that means "not instanced".
    static constexpr std::uint64_t kNotInstanced = ~std::uint64_t{0};

    explicit CBasicMtRenderVisitor(const std::string& name);

    std::uint32_t EnterLinearPostProcessingNode(CLinearPostProcessingNode* node) override;
    std::uint32_t EnterRenderStateNode(CRenderStateNode* node) override;
    std::uint32_t EnterCameraNode(CCameraNode* node) override;
    std::uint32_t EnterGeoNode(CGeoNode* node) override;
    std::uint32_t LeaveRenderStateNode(CRenderStateNode* node) override;
    std::uint32_t LeaveCameraNode(CCameraNode* node) override;
    std::uint32_t VisitIndexedPrimitiveSet(CIndexedPrimitiveSet* set) override;
    std::uint32_t VisitPrimitiveSet(CPrimitiveSet* set) override;
    std::uint32_t VisitRenderable(IRenderable* renderable) override;

    void SetRenderer(const hlv_core::CResourceHandle<hlv_gfx::MTRenderer>& renderer)
    {
        m_recorder.SetRenderer(renderer);
    }
    const hlv_core::CResourceHandle<hlv_gfx::MTRenderer>& GetRenderer() const { return m_recorder.GetRenderer(); }
    // Kept for the application; not used while rendering.
    void SetGfxSystem(const hlv_core::CResourceHandle<hlv_gfx::MTGfxSystem>& gfxSystem) { m_gfxSystem = gfxSystem; }
    const hlv_core::CResourceHandle<hlv_gfx::MTGfxSystem>& GetGfxSystem() const { return m_gfxSystem; }

    // Camera nodes entered and not yet left.
    std::uint64_t GetCameraDepth() const { return m_cameraDepth; }
    std::uint64_t GetFramebufferDepth() const { return m_framebufferDepth; }
    // Geometry nodes since the last batch; carries over between frames.
    std::uint64_t GetGeometryCounter() const { return m_geometryCounter; }

private:
    using FramebufferHandle = hlv_core::CResourceHandle<hlv_gfx::CFramebuffer>;
    using CameraHandle = hlv_core::CResourceHandle<hlv_gfx::ICamera>;

    // Stacks keep their length between frames: a push overwrites the entry at
    // the depth when there is one.
    template <typename Handle>
    static void Push(std::vector<Handle>& stack, std::uint64_t& depth, const Handle& value);
    template <typename Handle>
    static Handle Pop(std::vector<Handle>& stack, std::uint64_t& depth);

    hlv_gfx::CRenderCommandRecorder m_recorder;
    hlv_core::CResourceHandle<hlv_gfx::MTGfxSystem> m_gfxSystem;
    std::uint64_t m_instanceCount = kNotInstanced;
    std::vector<FramebufferHandle> m_framebufferStack;
    std::uint64_t m_framebufferDepth = 0;
    std::vector<CameraHandle> m_cameraStack;
    std::uint64_t m_cameraDepth = 0;
    std::uint64_t m_geometryCounter = 0;
};
HLV_DEFINE_RESOURCE_CLASS(CBasicMtRenderVisitor, IRenderVisitor)

}  // namespace hlv_sg
