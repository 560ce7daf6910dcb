// The full-screen post-processing quad: its creation with the renderer's GL
// part, its release, and RenderQuad.
#include "ogl/gl_errors.h"
#include "ogl/gl_extensions.h"

#include <halvo_gfx/ogl/ogl_renderer.h>

#include <cstddef>
#include <iostream>
#include <string>
#include <vector>

#include <halvo_gfx/GFX_RESULT.h>

namespace hlv_gfx {

namespace {

// Position x, y, z and texture coordinates s, t per vertex. Both triangles
// wind clockwise in normalised device coordinates.
constexpr GLfloat kQuadVertices[] = {
    -1.0f, -1.0f, 0.0f, 0.0f, 0.0f,  //
    -1.0f, 1.0f,  0.0f, 0.0f, 1.0f,  //
    1.0f,  1.0f,  0.0f, 1.0f, 1.0f,  //
    1.0f,  -1.0f, 0.0f, 1.0f, 0.0f,
};
constexpr GLuint kQuadIndices[] = {0, 1, 2, 0, 2, 3};
constexpr GLsizei kQuadStride = 5 * sizeof(GLfloat);
static_assert(sizeof kQuadVertices == 80 && sizeof kQuadIndices == 24);

// A message of the quad's creation: first part, six tabs and three blanks,
// second part.
std::string InitMessage(const char* first, const char* second)
{
    return std::string(first) + "\t\t\t\t\t\t   " + second;
}

}  // namespace

std::uint32_t COglRenderer::InitAPISpecific()
{
    if (m_quadVertexArray != 0) {
        std::cerr << "COglRenderer::InitAPISpecific: Still initialized." << std::endl;
        return GFXR_OK;
    }
    // The renderer calls its GL entry points without looking: on a context
    // that lacks a feature, GLEW left them null.
    const std::vector<std::string> missing = ogl::MissingGlFeatures();
    for (const std::string& line : missing) std::cerr << "COglRenderer::InitAPISpecific: " << line << std::endl;
    if (!missing.empty()) return GFXR_API_FAIL;
    // Errors a fresh context holds (left by its creation or by glewInit) would
    // otherwise be reported by the first checked call as its own failure.
    ogl::DiscardPendingGlErrors();

    auto failed = [this](const char* first, const char* second) {
        const GLenum error = glGetError();
        if (error == GL_NO_ERROR) return false;
        ReportGlError(InitMessage(first, second), error);
        return true;
    };

    glGenVertexArrays(1, &m_quadVertexArray);
    if (failed("COglRenderer::Init: Not able to generate vertex array ", "object id for post processing quad."))
        return GFXR_API_FAIL;
    glGenBuffers(1, &m_quadVertexBuffer);
    if (failed("COglRenderer::Init: Not able to generate vertex buffer ", "id for post processing quad."))
        return GFXR_API_FAIL;
    glGenBuffers(1, &m_quadIndexBuffer);
    if (failed("COglRenderer::Init: Not able to generate index buffer ", "id for post processing quad."))
        return GFXR_API_FAIL;
    glBindVertexArray(m_quadVertexArray);
    if (failed("COglRenderer::Init: Not able to bind vertex array ", "object id for post processing quad."))
        return GFXR_API_FAIL;
    glBindBuffer(GL_ARRAY_BUFFER, m_quadVertexBuffer);
    if (failed("COglRenderer::Init: Not able to bind vertex buffer ", "id for post processing quad."))
        return GFXR_API_FAIL;
    glBufferData(GL_ARRAY_BUFFER, sizeof kQuadVertices, kQuadVertices, GL_STATIC_DRAW);
    if (failed("COglRenderer::Init: Not able to load vertex buffer ", "data for post processing quad."))
        return GFXR_API_FAIL;

    // Recorded in the vertex array.
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(3, GL_FLOAT, kQuadStride, nullptr);
    glTexCoordPointer(2, GL_FLOAT, kQuadStride, reinterpret_cast<const void*>(3 * sizeof(GLfloat)));

    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_quadIndexBuffer);
    if (failed("COglRenderer::Init: Not able to bind index buffer ", "id for post processing quad."))
        return GFXR_API_FAIL;
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, sizeof kQuadIndices, kQuadIndices, GL_STATIC_DRAW);
    if (failed("COglRenderer::Init: Not able to load index buffer ", "data for post processing quad."))
        return GFXR_API_FAIL;

    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    return GFXR_OK;
}

std::uint32_t COglRenderer::ReleaseAPISpecific()
{
    glDeleteVertexArrays(1, &m_quadVertexArray);
    glDeleteBuffers(1, &m_quadVertexBuffer);
    glDeleteBuffers(1, &m_quadIndexBuffer);
    m_quadVertexArray = m_quadVertexBuffer = m_quadIndexBuffer = 0;
    return GFXR_OK;
}

std::uint32_t COglRenderer::RenderQuad()
{
    // A renderer whose GL part was never initialised has no quad to draw.
    if (m_quadVertexArray == 0) return GFXR_INVALID_ARGUMENT;

    GLint winding = GL_CCW;
    glGetIntegerv(GL_FRONT_FACE, &winding);
    glFrontFace(GL_CW);
    glBindVertexArray(m_quadVertexArray);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, m_quadIndexBuffer);
    glDrawElements(GL_TRIANGLES, 6, GL_UNSIGNED_INT, nullptr);
    const bool failed = CheckGlError("COglRenderer::RenderQuad: Failed to render quad.");
    // The vertex array and winding are restored in either case, so that the
    // client-array set-up of later draws is not recorded into the quad.
    glBindVertexArray(0);
    glFrontFace(static_cast<GLenum>(winding));
    return failed ? GFXR_API_FAIL : GFXR_OK;
}

}  // namespace hlv_gfx
