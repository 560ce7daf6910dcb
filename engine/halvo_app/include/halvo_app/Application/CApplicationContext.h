#pragma once
// The run-time objects that the threads and the concrete application reach
// through the application: both front ends, the shade-node system, the image
// system, the scene graph and the application itself.
// Owned by the update-thread state; its handles are released in reverse order
// of declaration.
#include <halvo_core/fatal.h>
#include <halvo_core/handle.h>
#include <halvo_core/resource.h>
#include <halvo_gfx/mt_gfx_system.h>
#include <halvo_gfx/mt_renderer.h>
#include <halvo_io/IOFreeImageSystem.h>
#include <halvo_sg/default_scene_graph.h>
#include <halvo_shade/shade_node_system.h>

namespace hlv_app {

class AHalvoApplication;

class CApplicationContext {
public:
    // The application must not be null.
    explicit CApplicationContext(AHalvoApplication* application);
    CApplicationContext(const CApplicationContext&) = delete;
    CApplicationContext& operator=(const CApplicationContext&) = delete;

    AHalvoApplication* GetApplication() const { return m_application; }

    hlv_core::CResourceHandle<hlv_gfx::MTRenderer> renderer;
    hlv_core::CResourceHandle<hlv_gfx::MTGfxSystem> gfxSystem;
    hlv_core::CResourceHandle<hlv_shade::CShadeNodeSystem> shadeNodeSystem;
    hlv_core::CResourceHandle<hlv_io::IOFreeImageSystem> imageSystem;
    // Not set by the engine; free for the concrete application.
    hlv_core::CResourceHandle<hlv_core::IResource> resource;
    hlv_core::CResourceHandle<hlv_sg::CDefaultSceneGraph> sceneGraph;

private:
    AHalvoApplication* m_application;
};

}  // namespace hlv_app
