#include <halvo_app/Application/AHalvoApplication.h>

#include <iostream>
#include <utility>

#include <halvo_core/fatal.h>

namespace hlv_app {

AHalvoApplication* g_application = nullptr;

AHalvoApplication::AHalvoApplication()
{
    m_mtRenderer = hlv_core::Adopt(new hlv_gfx::MTRenderer("The Multi Threaded Renderer"));
    m_mtGfxSystem = hlv_core::Adopt(new hlv_gfx::MTGfxSystem("The Multi Threaded Gfx System"));
    m_frameHandlers.reserve(10);
    setTimer();
}

AHalvoApplication::~AHalvoApplication()
{
    HaltThreads();
    for (const auto& listener : m_errorListeners) listener->SetHandler(nullptr);
    m_updateThreadState.reset();
    m_renderThreadState.reset();
    m_updateThread.reset();
    m_renderThread.reset();
    m_gfxSystem.Reset();
    m_renderer.Reset();
    m_mtRenderer.Reset();
    m_mtGfxSystem.Reset();
}

void AHalvoApplication::setRenderer(const Handle<hlv_gfx::IRenderer>& renderer)
{
    if (!m_mtRenderer) {
        m_mtRenderer = hlv_core::Adopt(new hlv_gfx::MTRenderer("A Multithreaded Renderer"));
        if (CApplicationContext* context = GetContext(); context && context->sceneGraph)
            context->sceneGraph->SetRenderer(m_mtRenderer);
    }
    m_renderer = renderer;
    m_mtRenderer->SetRenderer(renderer);
    if (!renderer) return;

    Handle<hlv_io::CHandlerListener> listener =
        hlv_core::Adopt(new hlv_io::CHandlerListener("Application's handler listener"));
    listener->SetHandler(new renderer_error_handler(this));
    renderer->GetMessageListeners().push_back(Handle<hlv_core::IMessageListener>(listener));
    m_errorListeners.push_back(std::move(listener));
}

void AHalvoApplication::setGfxSystem(const Handle<hlv_gfx::IGfxSystem>& system)
{
    m_gfxSystem = system;
    if (!m_mtGfxSystem) {
        m_mtGfxSystem = hlv_core::Adopt(new hlv_gfx::MTGfxSystem("A Multithreaded GFX System"));
        if (CApplicationContext* context = GetContext()) {
            if (context->sceneGraph) context->sceneGraph->SetGfxSystem(m_mtGfxSystem);
            if (context->shadeNodeSystem) {
                context->shadeNodeSystem->SetGfxSystem(m_mtGfxSystem);
                context->shadeNodeSystem->GetShaderLibrary()->SetGfxSystem(m_mtGfxSystem);
            }
        }
    }
    m_mtGfxSystem->SetGfxSystem(system);
}

void AHalvoApplication::setTimer(hlv_core::ITimer* timer, bool owned)
{
    if (!timer) {
        m_ownedTimer = std::make_unique<hlv_core::CWin32PerfTimer>();
        m_timer = m_ownedTimer.get();
        return;
    }
    if (timer == m_ownedTimer.get()) {
        if (!owned) static_cast<void>(m_ownedTimer.release());
    } else {
        m_ownedTimer.reset(owned ? timer : nullptr);
    }
    m_timer = timer;
}

CApplicationContext* AHalvoApplication::GetContext() const
{
    std::lock_guard<std::mutex> lock(m_lifecycleMutex);
    return m_updateThreadState ? m_updateThreadState->context.get() : nullptr;
}

AHalvoApplication::Handle<hlv_sg::CDefaultSceneGraph> AHalvoApplication::getSceneGraph() const
{
    const CApplicationContext* context = GetContext();
    return context ? context->sceneGraph : Handle<hlv_sg::CDefaultSceneGraph>();
}

void AHalvoApplication::Init()
{
    if (!m_renderer)
        std::cerr << "AHalvoApplication::Init: No renderer specified. Check the concrete application object"
                  << std::endl;
    if (!m_gfxSystem)
        std::cerr << "AHalvoApplication::Init: No gfx system specified. Check the concrete application object"
                  << std::endl;
    const bool valid = m_renderer.IsValid() && m_gfxSystem.IsValid();

    auto context = std::make_unique<CApplicationContext>(this);
    context->renderer = m_mtRenderer;
    context->gfxSystem = m_mtGfxSystem;
    Handle<hlv_sg::CDefaultSceneGraph> sceneGraph = hlv_core::Adopt(new hlv_sg::CDefaultSceneGraph("The Scene Graph"));
    sceneGraph->SetGfxSystem(m_mtGfxSystem);
    sceneGraph->SetRenderer(m_mtRenderer);
    context->sceneGraph = std::move(sceneGraph);
    context->imageSystem = hlv_core::Adopt(new hlv_io::IOFreeImageSystem("Default Free Image System"));
    auto updateState = std::make_unique<update_thread_state>(std::move(context));
    auto renderState = std::make_unique<render_thread_state>(m_mtGfxSystem, m_mtRenderer);

    if (!valid) {
        // Nothing will ever execute queued commands: no wait may block.
        m_mtGfxSystem->Shutdown();
        m_mtRenderer->Shutdown();
    }

    std::lock_guard<std::mutex> lock(m_lifecycleMutex);
    HLV_FATAL_CHECK(!m_updateThreadState, "AHalvoApplication::Init: the application is initialised once.");
    if (m_stopRequested) {
        updateState->RequestStop();
        renderState->RequestStop();
    }
    m_updateThreadState = std::move(updateState);
    m_renderThreadState = std::move(renderState);
    m_valid = valid;
    if (valid) {
        m_updateThread = std::make_unique<update_thread>(m_updateThreadState.get());
        m_renderThread =
            std::make_unique<render_thread>(m_renderThreadState.get(), m_updateThreadState.get(), GetRenderContext());
    }
}

void AHalvoApplication::CallFrameHandlers()
{
    std::lock_guard<std::mutex> lock(m_applicationMutex);
    for (IFrameHandler* handler : m_frameHandlers)
        if (handler) handler->OnFrame();
}

std::size_t AHalvoApplication::AddFrameHandler(IFrameHandler* handler)
{
    std::lock_guard<std::mutex> lock(m_applicationMutex);
    m_frameHandlers.push_back(handler);
    return m_frameHandlers.size() - 1;
}

void AHalvoApplication::RemoveFrameHandler(std::size_t index)
{
    std::lock_guard<std::mutex> lock(m_applicationMutex);
    if (index < m_frameHandlers.size()) m_frameHandlers[index] = nullptr;
}

void AHalvoApplication::PauseRendering()
{
    render_thread_state* state = nullptr;
    {
        std::lock_guard<std::mutex> lock(m_lifecycleMutex);
        state = m_renderThreadState.get();
    }
    if (state) state->Pause();
}

std::uint32_t AHalvoApplication::renderer_error_handler::HandleMessages(const std::list<std::string>& messages)
{
    m_application->PauseRendering();
    m_application->OnRendererHalted(messages);
    return 0;
}

std::uint32_t AHalvoApplication::renderer_error_handler::HandleMessage(const std::string& message)
{
    m_application->PauseRendering();
    m_application->OnRendererHalted(message);
    return 0;
}

}  // namespace hlv_app
