#include "chain_harness.h"

#include <GL/glew.h>

#include <thread>

#include "gl/gl_context.h"
#include "gl/gl_queries.h"
#include "ogl/collecting_listener.h"
#include "ogl/gl_resource_builder.h"
#include "screen_window.h"

#include <halvo_gfx/ogl/ogl_renderer.h>
#include <halvo_gfx/ogl/ogl_system.h>
#include <halvo_io/IOFreeImageSystem.h>
#include <halvo_io/cerr_compiler_listener.h>
#include <halvo_io/cerr_linker_listener.h>
#include <halvo_io/cerr_printer.h>
#include <halvo_slot/CViewportSlot.h>
#include <tidal_knots/asset_lists.h>
#include <tidal_knots/gpu_data.h>
#include <tidal_knots/load_functions.h>

namespace dmo_nimra_test {

using hlv_core::Adopt;
template <typename T>
using Handle = hlv_core::CResourceHandle<T>;

std::string DemoFolder() { return DMO_DEMO_DIR; }

struct CChainHarness::State {
    Handle<hlv_gfx::COglSystem> system = Adopt(new hlv_gfx::COglSystem("A OpenGL Gfx System"));
    Handle<hlv_gfx::COglRenderer> renderer = Adopt(new hlv_gfx::COglRenderer("A OpenGL Renderer"));
    Handle<hlv_gfx::MTGfxSystem> gfx = Adopt(new hlv_gfx::MTGfxSystem("A Multithreaded GFX System"));
    Handle<hlv_gfx::MTRenderer> mtRenderer = Adopt(new hlv_gfx::MTRenderer("A Multithreaded Renderer"));
    Handle<hlv_sg::CDefaultSceneGraph> graph = Adopt(new hlv_sg::CDefaultSceneGraph("The Scene Graph"));
    Handle<hlv_io::IOFreeImageSystem> images = Adopt(new hlv_io::IOFreeImageSystem("The Image System"));
    Handle<hlv_ogl_test::CCollectingListener> listener = Adopt(new hlv_ogl_test::CCollectingListener);
    Handle<hlv_io::CCerrPrinter> printer = Adopt(new hlv_io::CCerrPrinter("The Printer"));
    Handle<hlv_io::CCerrCompilerListener> compiler = Adopt(new hlv_io::CCerrCompilerListener("The Compiler Listener"));
    Handle<hlv_io::CCerrLinkerListener> linker = Adopt(new hlv_io::CCerrLinkerListener("The Linker Listener"));
    std::unique_ptr<hlv_sg_test::CScreenWindow> window;
    bool rendererReady = false;
};

CChainHarness::CChainHarness(std::uint64_t width, std::uint64_t height) : m_state(std::make_unique<State>())
{
    m_error = hlv_gl_test::EnsureGlContext();
    if (!m_error.empty()) return;
    m_state->window = std::make_unique<hlv_sg_test::CScreenWindow>(static_cast<int>(width), static_cast<int>(height));
    m_error = m_state->window->Error();
    if (!m_error.empty()) return;
    hlv_gl_test::DrainGlErrors();

    State& s = *m_state;
    s.system->AddMessagePrinter(s.printer.get());
    s.system->AddCompilerListener(s.compiler.get());
    s.system->AddLinkerListener(s.linker.get());
    s.renderer->GetMessageListeners().push_back(s.listener);
    if (s.renderer->InitAPISpecific() != 0) {
        m_error = "the renderer could not be initialised";
        return;
    }
    s.rendererReady = true;
    s.gfx->SetGfxSystem(s.system);
    s.mtRenderer->SetRenderer(s.renderer);
    s.graph->SetRenderer(s.mtRenderer);
    s.graph->SetGfxSystem(s.gfx);

    // The viewports and size slots the application makes.
    auto addViewport = [this](const char* name, std::uint64_t w, std::uint64_t h) {
        auto* slot = new hlv_slot::CViewportOutputSlot();
        context.viewportSlotManager.InsertSlot(name, slot);
        slot->SetValue(hlv_gfx::VIEWPORT{0, 0, w, h});
    };
    auto& floats = context.VariantSlots<float>();
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    addViewport("Backplane Viewport", width, height);
    addViewport("Screen Viewport", width, height);
    addViewport("Backplane Viewport Half", width / 2, height / 2);
    addViewport("Backplane Viewport Quater", width / 4, height / 4);
    floats.AddSlot("Backplane Width", w);
    floats.AddSlot("Backplane Height", h);
    floats.AddSlot("Backplane Width Recip", 1.0f / w);
    floats.AddSlot("Backplane Height Recip", 1.0f / h);
    floats.AddSlot("Backplane Width Half", w * 0.5f);
    floats.AddSlot("Backplane Height Half", h * 0.5f);
    floats.AddSlot("Backplane Width Half Recip", 2.0f / w);
    floats.AddSlot("Backplane Height Half Recip", 2.0f / h);
}

CChainHarness::~CChainHarness()
{
    if (m_state->rendererReady) {
        m_state->renderer->UseFramebuffer({});
        m_state->renderer->ReleaseAPISpecific();
    }
    glUseProgram(0);
}

bool CChainHarness::RunLoading(const std::function<bool()>& work)
{
    hlv_gfx::MTGfxSystem& gfx = *m_state->gfx;
    // Stay in ProcessCommands until the worker's last flush.
    gfx.Flush(1);
    bool result = false;
    std::thread worker([&] {
        result = work();
        gfx.Flush(0);
    });
    gfx.ProcessCommands();
    worker.join();
    // What the worker queued after its last drain (the GPU data's SSAO
    // texture and buffers) has run with the final flush.
    return result;
}

bool CChainHarness::LoadEffects(const std::vector<std::string>& keys)
{
    std::vector<dmo_nimra::EffectDescription> effects;
    for (const auto& effect : dmo_nimra::DemoEffectList(DemoFolder() + "/LocalShader/"))
        for (const std::string& key : keys)
            if (effect.key == key) effects.push_back(effect);
    if (effects.size() != keys.size()) return false;
    return RunLoading([&] { return dmo_nimra::LoadEffects(effects, *m_state->gfx, context); });
}

bool CChainHarness::LoadTextures()
{
    return RunLoading([&] {
        return dmo_nimra::LoadTextures(dmo_nimra::DemoTextureList(DemoFolder() + "/LocalData/"), *m_state->images,
                                       *m_state->gfx, *m_state->mtRenderer, context);
    });
}

bool CChainHarness::CreateGpuData()
{
    return RunLoading([&] { return dmo_nimra::CreateAllData(*m_state->gfx, context); });
}

dmo_nimra::SceneBuildContext CChainHarness::Build()
{
    return dmo_nimra::SceneBuildContext{context, *m_state->graph, *m_state->gfx, controllers};
}

void CChainHarness::RenderFrame(std::uint64_t milliseconds)
{
    hlv_sg::frame_time_record time;
    time.milliseconds = milliseconds;
    time.seconds = static_cast<double>(milliseconds) / 1000.0;
    time.absDeltaMilliseconds = milliseconds > m_lastTime ? milliseconds - m_lastTime : m_lastTime - milliseconds;
    time.deltaSeconds = static_cast<float>(time.absDeltaMilliseconds) / 1000.0f;
    time.deltaMilliseconds = static_cast<std::int32_t>(milliseconds - m_lastTime);
    time.backwards = milliseconds < m_lastTime ? 1 : 0;
    time.frameNumber = m_frameNumber++;
    m_lastTime = milliseconds;

    m_state->graph->Update(&time);
    m_state->mtRenderer->FlushSecondQueue();
    m_state->mtRenderer->Flush(0);
    m_state->mtRenderer->ProcessCommands();
    glFinish();
}

std::vector<float> CChainHarness::ReadTextureFloats(const Handle<hlv_gfx::CTexture>& texture) const
{
    if (!texture) return {};
    return hlv_gl_test::ReadTextureRgbaF(GL_TEXTURE_2D, hlv_ogl_test::TextureNameOf(texture->apiObject));
}

std::vector<std::string> CChainHarness::RendererMessages() const { return m_state->listener->texts; }

}  // namespace dmo_nimra_test
