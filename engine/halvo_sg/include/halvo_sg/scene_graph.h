#pragma once
// The owner of the node tree and of the passes that run over it each frame.
#include <cstdint>
#include <string>

#include <halvo_core/handle.h>
#include <halvo_core/resource.h>
#include <halvo_gfx/mt_gfx_system.h>
#include <halvo_gfx/mt_renderer.h>
#include <halvo_sg/frame_time_record.h>
#include <halvo_sg/group_node.h>

namespace hlv_sg {

class ASceneGraph : public hlv_core::IResource {
public:
    using GroupHandle = hlv_core::CResourceHandle<CGroupNode>;

    // Creates the root, a group named "Scene Root".
    explicit ASceneGraph(const std::string& name);

    // Once per frame on the update thread; the result is not looked at.
    virtual std::uint32_t Update(const frame_time_record* time) = 0;
    virtual void SetRenderer(const hlv_core::CResourceHandle<hlv_gfx::MTRenderer>& renderer) = 0;
    virtual void SetGfxSystem(const hlv_core::CResourceHandle<hlv_gfx::MTGfxSystem>& gfxSystem) = 0;

    GroupHandle GetRoot() const { return m_root; }

private:
    GroupHandle m_root;
};

}  // namespace hlv_sg
