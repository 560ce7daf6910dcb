// The OpenGL graphics system: shader stages, their source and compilation.
#include <GL/glew.h>

#include <halvo_gfx/ogl/ogl_system.h>

#include <iostream>
#include <vector>

#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_gfx/ogl/api_objects.h>

#include "ogl/gl_errors.h"
#include "ogl/log_lines.h"

namespace hlv_gfx {
namespace {

// What tells the five shader creators apart.
struct SHADER_KIND {
    GLenum glType;
    const char* resourceName;  // of a shader made for an empty handle
    std::uint32_t shaderType;  // SHADER_TYPE
    const char* failureText;
};

constexpr SHADER_KIND VERTEX_SHADER{GL_VERTEX_SHADER, "A GLSL Vertex Shader", SHT_VERTEX,
                                    "COglSystem::CreateVertexShader: Couldn't create vertex shader."};
constexpr SHADER_KIND GEOMETRY_SHADER{GL_GEOMETRY_SHADER, "A GLSL Geometry Shader", SHT_GEOMETRY,
                                      "COglSystem::CreateGeometryShader: Couldn't create geometry shader."};
constexpr SHADER_KIND PIXEL_SHADER{GL_FRAGMENT_SHADER, "A GLSL Pixel Shader", SHT_PIXEL,
                                   "COglSystem::CreatePixelShader: Couldn't create pixel shader."};
constexpr SHADER_KIND HULL_SHADER{GL_TESS_CONTROL_SHADER, "A GLSL Tessellaion Control Shader(Hull Shader)", SHT_HULL,
                                  "COglSystem::CreateHullShader: Couldn't create the hull(tess. control) shader."};
constexpr SHADER_KIND DOMAIN_SHADER{
    GL_TESS_EVALUATION_SHADER, "A GLSL Tessellation Evaluation Shader(Domain Shader)", SHT_DOMAIN,
    "COglSystem::CreateDomainShader: Couldn't create the domain(tess. evaluation) shader."};

// Gives the shader (a new T for an empty handle) the API object and its type.
// A previous API object is dropped; its OpenGL shader is not deleted.
template <typename T>
std::uint32_t InstallShader(hlv_core::CResourceHandle<T>& shader,
                            const hlv_core::CResourceHandle<IApiSpecific>& apiObject, const SHADER_KIND& kind)
{
    if (!shader) shader = hlv_core::Adopt(new T(kind.resourceName));
    if (shader->apiObject.get() != apiObject.get()) shader->apiObject = apiObject;
    shader->shaderType = kind.shaderType;
    return GFXR_OK;
}

}  // namespace

IGfxSystem::Handle<IApiSpecific> COglSystem::NewShaderObject(std::uint32_t glShaderType, const std::string& failureText)
{
    auto apiObject = hlv_core::Adopt(new CGLSL_ApiSpecific("OGL Api Specific"));
    ogl::DiscardPendingGlErrors();
    const GLuint name = glCreateShader(glShaderType);
    const GLenum error = glGetError();
    if (error != GL_NO_ERROR || name == 0) {
        ReportGlError(failureText, GFXR_SHADER_CREATION_FAILED, error);
        return {};
    }
    apiObject->shader = name;
    return Handle<IApiSpecific>(std::move(apiObject));
}

#define HLV_OGL_CREATE_SHADER(Operation, Class, kind)                                          \
    std::uint32_t COglSystem::Operation(Handle<Class>& shader)                                 \
    {                                                                                          \
        const Handle<IApiSpecific> apiObject = NewShaderObject(kind.glType, kind.failureText); \
        if (!apiObject) return GFXR_SHADER_CREATION_FAILED;                                    \
        return InstallShader(shader, apiObject, kind);                                         \
    }

HLV_OGL_CREATE_SHADER(CreateVertexShader, CShader, VERTEX_SHADER)
HLV_OGL_CREATE_SHADER(CreateGeometryShader, CGeometryShader, GEOMETRY_SHADER)
HLV_OGL_CREATE_SHADER(CreatePixelShader, CShader, PIXEL_SHADER)
HLV_OGL_CREATE_SHADER(CreateHullShader, CHullShader, HULL_SHADER)
HLV_OGL_CREATE_SHADER(CreateDomainShader, CDomainShader, DOMAIN_SHADER)
#undef HLV_OGL_CREATE_SHADER

std::uint32_t COglSystem::ReleaseShader(Handle<CShader>& shader)
{
    if (!shader) return GFXR_INVALID_ARGUMENT;
    const Handle<IApiSpecific> keep = shader->apiObject;
    CGLSL_ApiSpecific* apiObject = OglApiObject<CGLSL_ApiSpecific>(keep);
    if (!apiObject) return GFXR_INVALID_ARGUMENT;
    ogl::DiscardPendingGlErrors();
    glDeleteShader(apiObject->shader);
    if (const auto r = CheckGlError("COglSystem::ReleaseShader: Couldn't release the GL shader id.", GFXR_FAIL))
        return r;
    apiObject->shader = 0;
    return GFXR_OK;
}

std::uint32_t COglSystem::SetShaderSource(Handle<CShader>& shader, const std::list<std::string>& lines)
{
    if (!shader || lines.empty()) return GFXR_INVALID_ARGUMENT;
    const Handle<IApiSpecific> keep = shader->apiObject;
    CGLSL_ApiSpecific* apiObject = OglApiObject<CGLSL_ApiSpecific>(keep);
    if (!apiObject) return GFXR_INVALID_API_SPECIFIC;

    // Each line goes as it is, its line feed included.
    std::vector<const GLchar*> texts;
    texts.reserve(lines.size());
    for (const std::string& line : lines) texts.push_back(line.c_str());
    ogl::DiscardPendingGlErrors();
    glShaderSource(apiObject->shader, static_cast<GLsizei>(texts.size()), texts.data(), nullptr);
    if (const auto r = CheckGlError("COglSystem::SetShaderSource: Couldn't set the shader source code.", GFXR_FAIL))
        return r;
    if (&lines != &shader->sourceLines) shader->sourceLines = lines;
    return GFXR_OK;
}

std::uint32_t COglSystem::LoadShaderFromFile(const std::string& path, Handle<CShader>& shader)
{
    if (!shader) return GFXR_INVALID_ARGUMENT;
    std::list<std::string> lines;
    if (const auto r = ReadTextFile(path, lines)) return r;
    return SetShaderSource(shader, lines);
}

std::uint32_t COglSystem::LoadShaderFromFile2(const std::string& path, Handle<CShader>& shader)
{
    return LoadShaderFromFile(path, shader);
}

std::uint32_t COglSystem::LoadHullShaderFromFile(const std::string& path, Handle<CHullShader>& shader)
{
    Handle<CShader> stage(shader);
    return LoadShaderFromFile(path, stage);
}

std::uint32_t COglSystem::LoadDomainShaderFromFile(const std::string& path, Handle<CDomainShader>& shader)
{
    Handle<CShader> stage(shader);
    return LoadShaderFromFile(path, stage);
}

std::uint32_t COglSystem::Compile(Handle<CShader>& shader)
{
    if (!shader) return GFXR_INVALID_ARGUMENT;
    const Handle<IApiSpecific> keep = shader->apiObject;
    const CGLSL_ApiSpecific* apiObject = OglApiObject<CGLSL_ApiSpecific>(keep);
    // A released shader (name 0) has nothing to compile.
    if (!apiObject || apiObject->shader == 0) return GFXR_INVALID_API_SPECIFIC;

    glCompileShader(apiObject->shader);
    std::list<std::string> log;
    const std::uint32_t result = GetCompilationLog(shader, log);
    if (result == GFXR_OK) return GFXR_OK;

    // The failing shader's name goes to the standard output between empty lines.
    std::cout << "\n" << std::endl;
    std::cout << shader->GetName() << std::endl;
    BroadcastCompilerMessages(log);
    std::cout << "\n" << std::endl;
    return result;
}

std::uint32_t COglSystem::GetCompilationLog(Handle<CShader>& shader, std::list<std::string>& lines)
{
    if (!shader) return GFXR_INVALID_ARGUMENT;
    const Handle<IApiSpecific> keep = shader->apiObject;
    const CGLSL_ApiSpecific* apiObject = OglApiObject<CGLSL_ApiSpecific>(keep);
    if (!apiObject || apiObject->shader == 0) return GFXR_INVALID_API_SPECIFIC;

    GLint compiled = GL_FALSE;
    glGetShaderiv(apiObject->shader, GL_COMPILE_STATUS, &compiled);
    if (compiled != GL_FALSE) return GFXR_OK;

    GLint length = 0;
    glGetShaderiv(apiObject->shader, GL_INFO_LOG_LENGTH, &length);
    if (length <= 0) {
        BroadcastMessage("COglSystem::GetCompilationLog:Couldn't determine the compilation log."
                         "Determined compilation fail, but no log is generated.");
        return GFXR_API_FAIL;
    }
    std::vector<GLchar> text(static_cast<std::size_t>(length), '\0');
    GLsizei written = 0;
    glGetShaderInfoLog(apiObject->shader, length, &written, text.data());
    ogl::AppendCompileLogLines(std::string_view(text.data(), static_cast<std::size_t>(written)), lines);
    return GFXR_FAIL;
}

}  // namespace hlv_gfx
