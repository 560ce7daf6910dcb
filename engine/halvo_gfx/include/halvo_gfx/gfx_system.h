#pragma once
// The API-neutral factory of graphics resources.
//
// An implementation gives buffers, shaders, render passes, shader variables,
// textures, framebuffers and texture memory their API objects, compiles and
// links programs and hands out its renderer. It is called on one thread at a
// time: the render thread, which owns the graphics context; producers reach it
// through the multithreaded graphics system's creation commands.
//
// Every operation returns a HALVO_GFX_RESULT (GFXR_OK on success). An empty
// handle where an object is required gives GFXR_INVALID_ARGUMENT (the three
// texture-creating operations instead fill an empty handle with a new
// texture); a failure of the graphics API is reported as text to the message
// list (link and compile output also to the linker and compiler lists) and
// gives a non-zero code.
#include <cstdint>
#include <list>
#include <string>

#include <halvo_core/handle.h>
#include <halvo_core/message_printer.h>
#include <halvo_core/resource.h>
#include <halvo_gfx/compiler_listener.h>
#include <halvo_gfx/cube_map_texture.h>
#include <halvo_gfx/depth_texture.h>
#include <halvo_gfx/framebuffer.h>
#include <halvo_gfx/index_buffer.h>
#include <halvo_gfx/linker_listener.h>
#include <halvo_gfx/render_pass.h>
#include <halvo_gfx/renderer.h>
#include <halvo_gfx/shader.h>
#include <halvo_gfx/shader_variable.h>
#include <halvo_gfx/texture.h>
#include <halvo_gfx/texture_buffer.h>
#include <halvo_gfx/vertex_buffer.h>

namespace hlv_gfx {

class IGfxSystem : public hlv_core::IResource {
public:
    HLV_RESOURCE_CLASS(IGfxSystem)

    template <typename T>
    using Handle = hlv_core::CResourceHandle<T>;

    // The listener lists are emptied; the listeners themselves belong to
    // whoever registered them.
    ~IGfxSystem() override = default;

    virtual std::uint32_t CreateVertexBuffer(Handle<CVertexBuffer>& buffer) = 0;
    virtual std::uint32_t CreateIndexBuffer(Handle<CIndexBuffer>& buffer) = 0;
    virtual std::uint32_t DeleteBuffer(Handle<CIndexBuffer>& buffer) = 0;
    virtual std::uint32_t DeleteBuffer(Handle<CVertexBuffer>& buffer) = 0;
    virtual std::uint32_t CreateVertexShader(Handle<CShader>& shader) = 0;
    virtual std::uint32_t CreateGeometryShader(Handle<CGeometryShader>& shader) = 0;
    virtual std::uint32_t CreatePixelShader(Handle<CShader>& shader) = 0;
    virtual std::uint32_t CreateHullShader(Handle<CHullShader>& shader) = 0;
    virtual std::uint32_t CreateDomainShader(Handle<CDomainShader>& shader) = 0;
    virtual std::uint32_t CreateRenderPass(Handle<CRenderPass>& pass) = 0;
    virtual std::uint32_t ReleaseShader(Handle<CShader>& shader) = 0;
    virtual std::uint32_t ReleaseRenderPass(Handle<CRenderPass>& pass) = 0;
    virtual std::uint32_t SetShaderSource(Handle<CShader>& shader, const std::list<std::string>& lines) = 0;
    virtual std::uint32_t LoadDomainShaderFromFile(const std::string& path, Handle<CDomainShader>& shader) = 0;
    virtual std::uint32_t LoadHullShaderFromFile(const std::string& path, Handle<CHullShader>& shader) = 0;
    virtual std::uint32_t LoadShaderFromFile2(const std::string& path, Handle<CShader>& shader) = 0;
    virtual std::uint32_t LoadShaderFromFile(const std::string& path, Handle<CShader>& shader) = 0;
    virtual std::uint32_t Compile(Handle<CShader>& shader) = 0;
    virtual std::uint32_t Link(Handle<CRenderPass>& pass) = 0;
    // Fills the handle (a new variable when it is empty) with storage of the
    // SHADER_VARIABLE_TYPE's size.
    virtual std::uint32_t CreateShaderVariable(const std::string& name, std::uint32_t type,
                                               Handle<CShaderVariable>& variable) = 0;
    virtual std::uint32_t ReleaseShaderVariables(Handle<CRenderPass>& pass) = 0;
    virtual std::uint32_t ReleaseShaderVariable(Handle<CShaderVariable>& variable) = 0;
    virtual std::uint32_t SetShaderVariableVec4(Handle<CShaderVariable>& variable, const float* values) = 0;
    virtual std::uint32_t SetShaderVariableVec3(Handle<CShaderVariable>& variable, const float* values) = 0;
    virtual std::uint32_t SetShaderVariableFloat(Handle<CShaderVariable>& variable, float value) = 0;
    // Appends the program's active uniforms to variables.
    virtual std::uint32_t GetActiveShaderVariableList(Handle<CRenderPass>& pass, ShaderVariableList* variables) = 0;
    virtual std::uint32_t UpdateShaderVariables(Handle<CRenderPass>& pass) = 0;
    virtual std::uint32_t UpdateShaderVariableList(Handle<CRenderPass>& pass, ShaderVariableList* variables) = 0;
    virtual std::uint32_t UpdateShaderVariable(Handle<CRenderPass>& pass, Handle<CShaderVariable>& variable) = 0;
    virtual std::uint32_t CreateCubeMapTexture(Handle<CCubeMapTexture>& texture) = 0;
    virtual std::uint32_t CreateDepthTexture(Handle<CDepthTexture>& texture) = 0;
    virtual std::uint32_t CreateTexture(Handle<CTexture>& texture) = 0;
    virtual std::uint32_t ReleaseCubeMapTexture(Handle<CCubeMapTexture>& texture) = 0;
    virtual std::uint32_t ReleaseDepthTexture(Handle<CDepthTexture>& texture) = 0;
    virtual std::uint32_t ReleaseTexture(Handle<CTexture>& texture) = 0;
    virtual std::uint32_t CreateFramebuffer(Handle<CFramebuffer>& framebuffer) = 0;
    virtual std::uint32_t ReleaseFramebuffer(Handle<CFramebuffer>& framebuffer) = 0;
    virtual std::uint32_t ValidateFramebuffer(Handle<CFramebuffer> framebuffer) = 0;
    virtual std::uint32_t CreateTextureMemory(Handle<CTextureBuffer>& buffer) = 0;
    virtual std::uint32_t ReleaseTextureMemory(Handle<CTextureBuffer>& buffer) = 0;
    virtual Handle<IRenderer> GetRenderer() = 0;

    // Registration appends at the end. The lists hold plain pointers: the
    // system adds no reference and frees nothing. Register before the render
    // thread executes creation commands; the lists are not locked.
    void AddMessagePrinter(hlv_io::IMessagePrinter* printer) { m_messagePrinters.push_back(printer); }
    void AddLinkerListener(ILinkerListener* listener) { m_linkerListeners.push_back(listener); }
    void AddCompilerListener(ICompilerListener* listener) { m_compilerListeners.push_back(listener); }
    const std::list<hlv_io::IMessagePrinter*>& GetMessagePrinters() const { return m_messagePrinters; }
    const std::list<ILinkerListener*>& GetLinkerListeners() const { return m_linkerListeners; }
    const std::list<ICompilerListener*>& GetCompilerListeners() const { return m_compilerListeners; }

    // Each broadcast reaches the non-null elements of its list in list order.
    // An error text to the message list (Print).
    void BroadcastMessage(const std::string& text) const;
    // One link message to the linker list (OnMessage).
    void BroadcastLinkerMessage(const std::string& text) const;
    // A whole link log to the linker list (OnMessages).
    void BroadcastLinkerMessages(const std::list<std::string>& log) const;
    // A whole compile log to the compiler list (OnMessages).
    void BroadcastCompilerMessages(const std::list<std::string>& log) const;

    // Appends the lines of a text file to lines, each ending in exactly one
    // line feed (a carriage return before a line end is dropped). A file that
    // ends in a line feed, and an empty file, give one last element holding a
    // line feed alone. GFXR_FILE_NOT_FOUND when the file cannot be opened (the
    // list is untouched), else GFXR_OK.
    static std::uint32_t ReadTextFile(const std::string& path, std::list<std::string>& lines);

protected:
    explicit IGfxSystem(const std::string& name) : IResource(name) {}

private:
    std::list<hlv_io::IMessagePrinter*> m_messagePrinters;
    std::list<ILinkerListener*> m_linkerListeners;
    std::list<ICompilerListener*> m_compilerListeners;
};
HLV_DEFINE_RESOURCE_CLASS(IGfxSystem, hlv_core::IResource)

}  // namespace hlv_gfx
