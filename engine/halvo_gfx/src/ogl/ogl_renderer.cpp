// The OpenGL renderer object: construction, error reports and the reserved
// operations.
#include "ogl/ogl_error_check.h"

#include <GL/glu.h>

#include <halvo_gfx/ogl/ogl_renderer.h>

#include <sstream>

#include <halvo_gfx/GFX_RESULT.h>

namespace hlv_gfx {

namespace {

constexpr std::array<float, 16> kIdentity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

}  // namespace

COglRenderer::COglRenderer(const std::string& name)
    : IRenderer(name), m_renderState(""), m_textureMatrices(kTextureMatrixCount, kIdentity)
{
}

// The quad's GL objects belong to the context; ReleaseAPISpecific deletes
// them while it is current.
COglRenderer::~COglRenderer() = default;

void COglRenderer::ReportGlError(const std::string& context, std::uint32_t error) const
{
    // gluErrorString answers null for a code it does not know.
    const GLubyte* text = gluErrorString(static_cast<GLenum>(error));
    std::ostringstream message;
    message << context << ", "
            << "Error: " << error << ", " << (text ? reinterpret_cast<const char*>(text) : "unknown error") << "; ";
    BroadcastMessage(message.str());
}

bool COglRenderer::CheckGlError(const char* message) const { return ogl::GlFailed(*this, message); }

std::uint32_t COglRenderer::ReservedOperationA() { return GFXR_FAIL; }
std::uint32_t COglRenderer::ReservedOperationB() { return GFXR_FAIL; }
std::uint32_t COglRenderer::ReservedOperationC() { return GFXR_FAIL; }
std::uint32_t COglRenderer::ReservedOperationD() { return GFXR_FAIL; }

}  // namespace hlv_gfx
