#pragma once
// The OpenGL graphics system: gives graphics resources their OpenGL objects,
// compiles and links GLSL programs and discovers their uniforms.
//
// Runs on the render thread with the OpenGL context current (producers reach
// it through the multithreaded graphics system). A failed OpenGL call is told
// to the message list as three texts, in this order: the operation's own text
// ("COglSystem::..."), "Internal error: " with the result code's name, and
// "OpenGL error: " with the OpenGL error code in decimal; the operation then
// returns that result code. Argument errors return a code without text.
//
// GL-free: OpenGL names are held by the API objects of ogl/api_objects.h.
#include <cstdint>
#include <list>
#include <string>

#include <halvo_core/handle.h>
#include <halvo_gfx/gfx_system.h>

namespace hlv_gfx {

class COglRenderer;

class COglSystem : public IGfxSystem {
public:
    HLV_RESOURCE_CLASS(COglSystem)

    // Makes the system's own renderer, "The default main renderer". That
    // renderer is not the one the application draws with: its GL part is never
    // initialised, and the system uses it only to give framebuffer
    // attachments their storage.
    explicit COglSystem(const std::string& name);
    ~COglSystem() override;

    std::uint32_t CreateVertexBuffer(Handle<CVertexBuffer>& buffer) override;
    std::uint32_t CreateIndexBuffer(Handle<CIndexBuffer>& buffer) override;
    std::uint32_t DeleteBuffer(Handle<CIndexBuffer>& buffer) override;
    std::uint32_t DeleteBuffer(Handle<CVertexBuffer>& buffer) override;
    std::uint32_t CreateVertexShader(Handle<CShader>& shader) override;
    std::uint32_t CreateGeometryShader(Handle<CGeometryShader>& shader) override;
    std::uint32_t CreatePixelShader(Handle<CShader>& shader) override;
    std::uint32_t CreateHullShader(Handle<CHullShader>& shader) override;
    std::uint32_t CreateDomainShader(Handle<CDomainShader>& shader) override;
    std::uint32_t CreateRenderPass(Handle<CRenderPass>& pass) override;
    std::uint32_t ReleaseShader(Handle<CShader>& shader) override;
    std::uint32_t ReleaseRenderPass(Handle<CRenderPass>& pass) override;
    std::uint32_t SetShaderSource(Handle<CShader>& shader, const std::list<std::string>& lines) override;
    std::uint32_t LoadDomainShaderFromFile(const std::string& path, Handle<CDomainShader>& shader) override;
    std::uint32_t LoadHullShaderFromFile(const std::string& path, Handle<CHullShader>& shader) override;
    std::uint32_t LoadShaderFromFile2(const std::string& path, Handle<CShader>& shader) override;
    std::uint32_t LoadShaderFromFile(const std::string& path, Handle<CShader>& shader) override;
    std::uint32_t Compile(Handle<CShader>& shader) override;
    std::uint32_t Link(Handle<CRenderPass>& pass) override;
    std::uint32_t CreateShaderVariable(const std::string& name, std::uint32_t type,
                                       Handle<CShaderVariable>& variable) override;
    std::uint32_t ReleaseShaderVariables(Handle<CRenderPass>& pass) override;
    std::uint32_t ReleaseShaderVariable(Handle<CShaderVariable>& variable) override;
    std::uint32_t SetShaderVariableVec4(Handle<CShaderVariable>& variable, const float* values) override;
    std::uint32_t SetShaderVariableVec3(Handle<CShaderVariable>& variable, const float* values) override;
    std::uint32_t SetShaderVariableFloat(Handle<CShaderVariable>& variable, float value) override;
    std::uint32_t GetActiveShaderVariableList(Handle<CRenderPass>& pass, ShaderVariableList* variables) override;
    std::uint32_t UpdateShaderVariables(Handle<CRenderPass>& pass) override;
    std::uint32_t UpdateShaderVariableList(Handle<CRenderPass>& pass, ShaderVariableList* variables) override;
    std::uint32_t UpdateShaderVariable(Handle<CRenderPass>& pass, Handle<CShaderVariable>& variable) override;
    std::uint32_t CreateCubeMapTexture(Handle<CCubeMapTexture>& texture) override;
    std::uint32_t CreateDepthTexture(Handle<CDepthTexture>& texture) override;
    std::uint32_t CreateTexture(Handle<CTexture>& texture) override;
    std::uint32_t ReleaseCubeMapTexture(Handle<CCubeMapTexture>& texture) override;
    std::uint32_t ReleaseDepthTexture(Handle<CDepthTexture>& texture) override;
    std::uint32_t ReleaseTexture(Handle<CTexture>& texture) override;
    std::uint32_t CreateFramebuffer(Handle<CFramebuffer>& framebuffer) override;
    std::uint32_t ReleaseFramebuffer(Handle<CFramebuffer>& framebuffer) override;
    std::uint32_t ValidateFramebuffer(Handle<CFramebuffer> framebuffer) override;
    std::uint32_t CreateTextureMemory(Handle<CTextureBuffer>& buffer) override;
    std::uint32_t ReleaseTextureMemory(Handle<CTextureBuffer>& buffer) override;
    Handle<IRenderer> GetRenderer() override;

    // Helpers of Compile and Link. GFXR_OK when the shader compiled (the list
    // untouched); otherwise its log's non-empty lines are appended and the
    // result is GFXR_FAIL, or GFXR_API_FAIL when the failure left no log.
    std::uint32_t GetCompilationLog(Handle<CShader>& shader, std::list<std::string>& lines);
    // Appends the program's link log, one element per line (empty lines kept,
    // and a last line without line feed too). GFXR_OK for a linked program
    // without log, GFXR_WITH_WARNING for a linked program with one, GFXR_FAIL
    // when the program did not link.
    std::uint32_t GetLinkLog(Handle<CRenderPass>& pass, std::list<std::string>& lines);

private:
    // The three-text report of a failed OpenGL call.
    void ReportGlError(const std::string& text, std::uint32_t result, std::uint32_t glError) const;
    // Reads the GL error of the call just made: GFXR_OK when there is none,
    // else reports it with text and returns failure.
    std::uint32_t CheckGlError(const std::string& text, std::uint32_t failure) const;
    // A new API object holding a new OpenGL shader of the GL shader type, or
    // an empty handle after reporting failureText.
    Handle<IApiSpecific> NewShaderObject(std::uint32_t glShaderType, const std::string& failureText);
    // A new OpenGL buffer name in the buffer API object existing (a new one
    // of that name when existing is none), or an empty handle after reporting
    // failureText with failure.
    Handle<IApiSpecific> NewBufferName(Handle<IApiSpecific> existing, const std::string& name,
                                       const std::string& failureText, std::uint32_t failure);

    hlv_core::CResourceHandle<COglRenderer> m_renderer;
};
HLV_DEFINE_RESOURCE_CLASS(COglSystem, IGfxSystem)

}  // namespace hlv_gfx
