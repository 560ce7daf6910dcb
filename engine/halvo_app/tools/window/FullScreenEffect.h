#pragma once
// Builds a one-pass effect from a vertex and a pixel shader file through the
// creation front end, the way the demo loads its effects, and waits until the
// render thread has compiled and linked it.
#include <string>

#include <halvo_core/handle.h>
#include <halvo_gfx/effect.h>
#include <halvo_gfx/mt_gfx_system.h>

namespace hlv_app_window {

// An empty handle when a shader does not compile or the pass does not link
// (the graphics system's listeners have the logs); error names the step.
hlv_core::CResourceHandle<hlv_gfx::CEffect> LoadFullScreenEffect(hlv_gfx::MTGfxSystem& gfxSystem,
                                                                 const std::string& name, const std::string& vertexPath,
                                                                 const std::string& pixelPath, std::string& error);

}  // namespace hlv_app_window
