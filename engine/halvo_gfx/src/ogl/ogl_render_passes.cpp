// The OpenGL graphics system: programs of render passes and linking.
#include <GL/glew.h>

#include <halvo_gfx/ogl/ogl_system.h>

#include <algorithm>
#include <vector>

#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/ogl/api_objects.h>

#include "ogl/gl_errors.h"
#include "ogl/gl_extensions.h"
#include "ogl/gl_tables.h"
#include "ogl/log_lines.h"

namespace hlv_gfx {
namespace {

bool IsAttached(GLuint program, GLuint shader)
{
    GLint count = 0;
    glGetProgramiv(program, GL_ATTACHED_SHADERS, &count);
    if (count <= 0) return false;
    std::vector<GLuint> attached(static_cast<std::size_t>(count));
    glGetAttachedShaders(program, count, nullptr, attached.data());
    return std::find(attached.begin(), attached.end(), shader) != attached.end();
}

// Attaches the shader unless an earlier link attached it already (GL refuses
// a second attachment of the same shader).
void AttachOnce(GLuint program, GLuint shader)
{
    if (!IsAttached(program, shader)) glAttachShader(program, shader);
}

// Geometry-shader program parameters exist only where the driver offers the
// ARB extension; otherwise the shader declares its layouts in GLSL.
bool HasGeometryProgramParameters()
{
    return glProgramParameteriARB != nullptr && ogl::HasGlExtension("GL_ARB_geometry_shader4");
}

}  // namespace

std::uint32_t COglSystem::CreateRenderPass(Handle<CRenderPass>& pass)
{
    auto apiObject = hlv_core::Adopt(new CGLSL_RenderPass_ApiSpecific("OGL Api Specific"));
    ogl::DiscardPendingGlErrors();
    const GLuint program = glCreateProgram();
    const GLenum error = glGetError();
    if (error != GL_NO_ERROR || program == 0) {
        ReportGlError("COglSystem::CreateRenderPass: Couldn't create render pass.", GFXR_RENDERPASS_CREATION_FAILED,
                      error);
        return GFXR_RENDERPASS_CREATION_FAILED;
    }
    apiObject->program = program;
    if (!pass) pass = hlv_core::Adopt(new CRenderPass("A GLSL RenderPass"));
    if (pass->apiObject.get() != apiObject.get()) pass->apiObject = apiObject;
    return GFXR_OK;
}

std::uint32_t COglSystem::ReleaseRenderPass(Handle<CRenderPass>& pass)
{
    if (!pass) return GFXR_INVALID_ARGUMENT;
    const Handle<IApiSpecific> keep = pass->apiObject;
    CGLSL_RenderPass_ApiSpecific* apiObject = OglApiObject<CGLSL_RenderPass_ApiSpecific>(keep);
    if (!apiObject) return GFXR_INVALID_ARGUMENT;
    ogl::DiscardPendingGlErrors();
    glDeleteProgram(apiObject->program);
    if (const auto r = CheckGlError("COglSystem::ReleaseRenderPass: Couldn't release the GL program id.", GFXR_FAIL))
        return r;
    apiObject->program = 0;
    return GFXR_OK;
}

std::uint32_t COglSystem::Link(Handle<CRenderPass>& pass)
{
    if (!pass) {
        BroadcastLinkerMessage("COglSystem::Link : Invalid render pass.");
        return GFXR_INVALID_ARGUMENT;
    }
    const Handle<IApiSpecific> passObject = pass->apiObject;
    const auto* program = OglApiObject<CGLSL_RenderPass_ApiSpecific>(passObject);
    if (!program) {
        BroadcastLinkerMessage("COglSystem::Link : Invalid render pass api specific.");
        return GFXR_INVALID_API_SPECIFIC;
    }

    const Handle<CShader> vertexShader = pass->vertexShader;
    if (!vertexShader) {
        BroadcastLinkerMessage("COglSystem::Link : No vertex shader is specified.");
        return GFXR_INVALID_ARGUMENT;
    }
    const Handle<IApiSpecific> vertexObject = vertexShader->apiObject;
    const auto* vertex = OglApiObject<CGLSL_ApiSpecific>(vertexObject);
    if (!vertex) {
        BroadcastLinkerMessage("COglSystem::Link : Invalid vertex shader api specific.");
        return GFXR_INVALID_API_SPECIFIC;
    }
    ogl::DiscardPendingGlErrors();
    AttachOnce(program->program, vertex->shader);
    if (const auto r = CheckGlError("COglSystem::Link: Attaching vertex shader failed. Abort linking.", GFXR_FAIL))
        return r;

    const Handle<CShader> pixelShader = pass->pixelShader;
    if (!pixelShader) {
        BroadcastLinkerMessage("COglSystem::Link : No pixel shader is specified.");
        return GFXR_INVALID_ARGUMENT;
    }
    const Handle<IApiSpecific> pixelObject = pixelShader->apiObject;
    const auto* pixel = OglApiObject<CGLSL_ApiSpecific>(pixelObject);
    if (!pixel) {
        BroadcastLinkerMessage("COglSystem::Link : Invalid pixel shader api specific.");
        return GFXR_INVALID_API_SPECIFIC;
    }
    AttachOnce(program->program, pixel->shader);
    if (const auto r = CheckGlError("COglSystem::Link: Attaching pixel shader failed. Abort linking.", GFXR_FAIL))
        return r;

    const Handle<CGeometryShader> geometryShader = pass->geometryShader;
    const Handle<IApiSpecific> geometryObject = geometryShader ? geometryShader->apiObject : Handle<IApiSpecific>();
    if (const auto* geometry = OglApiObject<CGLSL_ApiSpecific>(geometryObject)) {
        const bool setParameters = HasGeometryProgramParameters();
        GLenum inputType = 0, outputType = 0;
        if (setParameters && (ogl::GEOMETRY_INPUT.Get(geometryShader->inputType, inputType) != GFXR_OK ||
                              ogl::GEOMETRY_OUTPUT.Get(geometryShader->outputType, outputType) != GFXR_OK))
            return GFXR_INVALID_ARGUMENT;
        AttachOnce(program->program, geometry->shader);
        if (const auto r =
                CheckGlError("COglSystem::Link: Attaching geometry shader failed. Abort linking.", GFXR_API_FAIL))
            return r;
        if (setParameters) {
            glProgramParameteriARB(program->program, GL_GEOMETRY_VERTICES_OUT_ARB,
                                   static_cast<GLint>(geometryShader->maxOutputVertices));
            if (const auto r =
                    CheckGlError("COglSystem::Link: Setting output count failed. Abort linking.", GFXR_API_FAIL))
                return r;
            glProgramParameteriARB(program->program, GL_GEOMETRY_INPUT_TYPE_ARB, static_cast<GLint>(inputType));
            if (const auto r =
                    CheckGlError("COglSystem::Link: Setting input type failed. Abort linking.", GFXR_API_FAIL))
                return r;
            glProgramParameteriARB(program->program, GL_GEOMETRY_OUTPUT_TYPE_ARB, static_cast<GLint>(outputType));
            if (const auto r =
                    CheckGlError("COglSystem::Link: Setting output type failed. Abort linking.", GFXR_API_FAIL))
                return r;
        }
    }

    // Tessellation stages: a failed attachment is told and linking goes on.
    const Handle<CHullShader> hullShader = pass->hullShader;
    const Handle<IApiSpecific> hullObject = hullShader ? hullShader->apiObject : Handle<IApiSpecific>();
    if (const auto* hull = OglApiObject<CGLSL_ApiSpecific>(hullObject)) {
        AttachOnce(program->program, hull->shader);
        CheckGlError("COglSystem::Link: Attaching hull shader failed. Abort linking.", GFXR_INVALID_CONTROL_SHADER);
    }
    const Handle<CDomainShader> domainShader = pass->domainShader;
    const Handle<IApiSpecific> domainObject = domainShader ? domainShader->apiObject : Handle<IApiSpecific>();
    if (const auto* domain = OglApiObject<CGLSL_ApiSpecific>(domainObject)) {
        AttachOnce(program->program, domain->shader);
        CheckGlError("COglSystem::Link: Attaching domain shader failed. Abort linking.",
                     GFXR_INVALID_EVALUATION_SHADER);
    }

    glLinkProgram(program->program);
    if (const auto r = CheckGlError("COglSystem::Link: Linking failed.", GFXR_LINKAGE_FAILED)) return r;

    // The link status decides; the log (warnings or errors) goes to the
    // linker listeners whenever there is one.
    std::list<std::string> log;
    const std::uint32_t result = GetLinkLog(pass, log);
    if (!log.empty()) BroadcastLinkerMessages(log);
    return result == GFXR_OK || result == GFXR_WITH_WARNING ? GFXR_OK : GFXR_FAIL;
}

std::uint32_t COglSystem::GetLinkLog(Handle<CRenderPass>& pass, std::list<std::string>& lines)
{
    if (!pass) return GFXR_INVALID_ARGUMENT;
    const Handle<IApiSpecific> keep = pass->apiObject;
    const auto* apiObject = OglApiObject<CGLSL_RenderPass_ApiSpecific>(keep);
    if (!apiObject || apiObject->program == 0) return GFXR_INVALID_API_SPECIFIC;

    GLint linked = GL_FALSE;
    GLint length = 0;
    glGetProgramiv(apiObject->program, GL_LINK_STATUS, &linked);
    glGetProgramiv(apiObject->program, GL_INFO_LOG_LENGTH, &length);
    if (length > 0) {
        std::vector<GLchar> text(static_cast<std::size_t>(length), '\0');
        GLsizei written = 0;
        glGetProgramInfoLog(apiObject->program, length, &written, text.data());
        ogl::AppendLinkLogLines(std::string_view(text.data(), static_cast<std::size_t>(written)), lines);
        if (written == 0) length = 0;
    }
    if (linked == GL_FALSE) return GFXR_FAIL;
    return length > 0 ? GFXR_WITH_WARNING : GFXR_OK;
}

}  // namespace hlv_gfx
