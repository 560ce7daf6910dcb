#include <halvo_sg/default_scene_graph.h>

namespace hlv_sg {

ASceneGraph::ASceneGraph(const std::string& name)
    : IResource(name), m_root(hlv_core::Adopt(new CGroupNode("Scene Root")))
{
}

CDefaultSceneGraph::CDefaultSceneGraph(const std::string& name)
    : ASceneGraph(name),
      m_renderVisitor(hlv_core::Adopt(new CBasicMtRenderVisitor("Default MT Render Visitor"))),
      m_updateVisitor(hlv_core::Adopt(new CUpdateVisitor("Default Update Visitor")))
{
    // Created in the order render, update, transform (their ids follow it).
    m_trafoVisitor = hlv_core::Adopt(new CTrafoVisitor("Default Trafo Visitor"));
}

std::uint32_t CDefaultSceneGraph::Update(const frame_time_record* time)
{
    if (time) m_lastTime = *time;
    const GroupHandle root = GetRoot();
    if (!root) return 0;
    // Three complete passes: every controller has run before any transform is
    // composed, and every world transform is written before the first render
    // command is recorded.
    if (CUpdateVisitor* update = m_updateVisitor.get()) {
        update->SetFrameTime(m_lastTime);
        root->Accept(update);
    }
    if (CTrafoVisitor* trafo = m_trafoVisitor.get()) root->Accept(trafo);
    if (CBasicMtRenderVisitor* render = m_renderVisitor.get()) root->Accept(render);
    return 0;
}

void CDefaultSceneGraph::SetRenderer(const hlv_core::CResourceHandle<hlv_gfx::MTRenderer>& renderer)
{
    m_renderVisitor->SetRenderer(renderer);
}

void CDefaultSceneGraph::SetGfxSystem(const hlv_core::CResourceHandle<hlv_gfx::MTGfxSystem>& gfxSystem)
{
    m_renderVisitor->SetGfxSystem(gfxSystem);
}

}  // namespace hlv_sg
