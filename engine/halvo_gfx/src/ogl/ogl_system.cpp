// The OpenGL graphics system: construction, its renderer and the report of
// failed OpenGL calls.
#include <GL/glew.h>

#include <halvo_gfx/ogl/ogl_system.h>

#include <string>

#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/ogl/ogl_renderer.h>

namespace hlv_gfx {

COglSystem::COglSystem(const std::string& name)
    : IGfxSystem(name), m_renderer(hlv_core::Adopt(new COglRenderer("The default main renderer")))
{
}

COglSystem::~COglSystem() = default;

IGfxSystem::Handle<IRenderer> COglSystem::GetRenderer() { return Handle<IRenderer>(m_renderer); }

void COglSystem::ReportGlError(const std::string& text, std::uint32_t result, std::uint32_t glError) const
{
    BroadcastMessage(text);
    BroadcastMessage("Internal error: " + GetEnumName(static_cast<HALVO_GFX_RESULT>(result)));
    BroadcastMessage("OpenGL error: " + std::to_string(glError));
}

std::uint32_t COglSystem::CheckGlError(const std::string& text, std::uint32_t failure) const
{
    const GLenum error = glGetError();
    if (error == GL_NO_ERROR) return GFXR_OK;
    ReportGlError(text, failure, error);
    return failure;
}

}  // namespace hlv_gfx
