#pragma once
// The scene graph of the application: update, transform and render passes,
// each a complete traversal of the tree, in that order.
#include <cstdint>
#include <string>

#include <halvo_core/handle.h>
#include <halvo_sg/basic_mt_render_visitor.h>
#include <halvo_sg/scene_graph.h>
#include <halvo_sg/trafo_visitor.h>
#include <halvo_sg/update_visitor.h>

namespace hlv_sg {

class CDefaultSceneGraph : public ASceneGraph {
public:
    HLV_RESOURCE_CLASS(CDefaultSceneGraph)

    // Creates "Default MT Render Visitor", "Default Update Visitor" and
    // "Default Trafo Visitor".
    explicit CDefaultSceneGraph(const std::string& name);

    // Keeps the record; then every controller runs (update pass), every world
    // transform is composed (transform pass) and the render commands of the
    // frame are recorded (render pass). Returns 0.
    std::uint32_t Update(const frame_time_record* time) override;
    void SetRenderer(const hlv_core::CResourceHandle<hlv_gfx::MTRenderer>& renderer) override;
    void SetGfxSystem(const hlv_core::CResourceHandle<hlv_gfx::MTGfxSystem>& gfxSystem) override;

    const frame_time_record& GetLastFrameTime() const { return m_lastTime; }
    const hlv_core::CResourceHandle<CBasicMtRenderVisitor>& GetRenderVisitor() const { return m_renderVisitor; }
    const hlv_core::CResourceHandle<CTrafoVisitor>& GetTrafoVisitor() const { return m_trafoVisitor; }
    const hlv_core::CResourceHandle<CUpdateVisitor>& GetUpdateVisitor() const { return m_updateVisitor; }

private:
    hlv_core::CResourceHandle<CBasicMtRenderVisitor> m_renderVisitor;
    hlv_core::CResourceHandle<CTrafoVisitor> m_trafoVisitor;
    hlv_core::CResourceHandle<CUpdateVisitor> m_updateVisitor;
    frame_time_record m_lastTime;
};
// ASceneGraph has no record of its own, so the parent named is IResource.
HLV_DEFINE_RESOURCE_CLASS(CDefaultSceneGraph, hlv_core::IResource)

}  // namespace hlv_sg
