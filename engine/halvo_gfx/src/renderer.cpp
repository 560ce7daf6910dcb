#include <halvo_gfx/renderer.h>

namespace hlv_gfx {

void IRenderer::BroadcastMessage(const std::string& text) const
{
    for (const auto& listener : m_listeners)
        if (listener) listener->OnMessage(text);
}

}  // namespace hlv_gfx
