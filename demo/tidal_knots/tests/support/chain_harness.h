#pragma once
// The demo's graphics on the GL test context, without the application: the
// OpenGL graphics system and renderer behind the two multithreaded front
// ends, the named context with the viewports and size slots the application
// makes, a scene graph and a controller store, and a window whose default
// framebuffer is the screen.
//
// Loading runs through the demo's own functions on a worker thread while this
// thread, which holds the context, executes the creation commands as the
// render thread does at start-up. Frames are recorded and executed on this
// thread.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <halvo_app/Context/CManagedContext.h>
#include <halvo_core/handle.h>
#include <halvo_gfx/mt_gfx_system.h>
#include <halvo_gfx/mt_renderer.h>
#include <halvo_gfx/texture.h>
#include <halvo_sg/default_scene_graph.h>
#include <tidal_knots/SceneBuild.h>

namespace dmo_nimra_test {

class CChainHarness {
public:
    // A backplane (and screen) of width x height; the demo's is 1920 x 1080.
    CChainHarness(std::uint64_t width, std::uint64_t height);
    ~CChainHarness();
    CChainHarness(const CChainHarness&) = delete;
    CChainHarness& operator=(const CChainHarness&) = delete;

    // Empty when the harness stands, else what failed.
    const std::string& Error() const { return m_error; }

    // The demo's effects of these keys from the demo's shader folder, its
    // fifteen textures, its GPU data; false when one failed (the demo's
    // message is on the standard error stream).
    bool LoadEffects(const std::vector<std::string>& keys);
    bool LoadTextures();
    bool CreateGpuData();

    dmo_nimra::SceneBuildContext Build();

    // One frame at that demo time: controllers, transforms, render commands,
    // executed here. The screen is the window's default framebuffer.
    void RenderFrame(std::uint64_t milliseconds);

    // The floats of an RGBA32F texture, bottom row first, four per texel.
    std::vector<float> ReadTextureFloats(const hlv_core::CResourceHandle<hlv_gfx::CTexture>& texture) const;

    // What the renderer and the graphics system reported.
    std::vector<std::string> RendererMessages() const;

    hlv_app::CManagedContext context;
    dmo_nimra::CControllerStore controllers;

private:
    struct State;
    bool RunLoading(const std::function<bool()>& work);

    std::unique_ptr<State> m_state;
    std::string m_error;
    std::uint64_t m_lastTime = 0;
    std::uint64_t m_frameNumber = 0;
};

// The demo folder (LocalData/, LocalShader/) of the source tree.
std::string DemoFolder();

}  // namespace dmo_nimra_test
