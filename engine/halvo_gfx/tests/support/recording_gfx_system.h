#pragma once
// A graphics system that records every call as text ("Name arg arg ...") and
// answers each with a settable result. Handles are recorded by resource name,
// or "null" when empty.
#include <cstdint>
#include <list>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/gfx_system.h>

namespace hlv_gfx_test {

class CRecordingGfxSystem : public hlv_gfx::IGfxSystem {
public:
    explicit CRecordingGfxSystem(const std::string& name = "recording gfx system") : IGfxSystem(name) {}

    std::vector<std::string> Calls() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_calls;
    }

    // The answer of every operation.
    std::uint32_t result = hlv_gfx::GFXR_OK;
    // What GetRenderer hands out.
    Handle<hlv_gfx::IRenderer> renderer;

    std::uint32_t CreateVertexBuffer(Handle<hlv_gfx::CVertexBuffer>& b) override
    {
        return Record("CreateVertexBuffer", b);
    }
    std::uint32_t CreateIndexBuffer(Handle<hlv_gfx::CIndexBuffer>& b) override
    {
        return Record("CreateIndexBuffer", b);
    }
    std::uint32_t DeleteBuffer(Handle<hlv_gfx::CIndexBuffer>& b) override { return Record("DeleteIndexBuffer", b); }
    std::uint32_t DeleteBuffer(Handle<hlv_gfx::CVertexBuffer>& b) override { return Record("DeleteVertexBuffer", b); }
    std::uint32_t CreateVertexShader(Handle<hlv_gfx::CShader>& s) override { return Record("CreateVertexShader", s); }
    std::uint32_t CreateGeometryShader(Handle<hlv_gfx::CGeometryShader>& s) override
    {
        return Record("CreateGeometryShader", s);
    }
    std::uint32_t CreatePixelShader(Handle<hlv_gfx::CShader>& s) override { return Record("CreatePixelShader", s); }
    std::uint32_t CreateHullShader(Handle<hlv_gfx::CHullShader>& s) override { return Record("CreateHullShader", s); }
    std::uint32_t CreateDomainShader(Handle<hlv_gfx::CDomainShader>& s) override
    {
        return Record("CreateDomainShader", s);
    }
    std::uint32_t CreateRenderPass(Handle<hlv_gfx::CRenderPass>& p) override { return Record("CreateRenderPass", p); }
    std::uint32_t ReleaseShader(Handle<hlv_gfx::CShader>& s) override { return Record("ReleaseShader", s); }
    std::uint32_t ReleaseRenderPass(Handle<hlv_gfx::CRenderPass>& p) override { return Record("ReleaseRenderPass", p); }
    std::uint32_t SetShaderSource(Handle<hlv_gfx::CShader>& s, const std::list<std::string>& lines) override
    {
        return Record("SetShaderSource", s, lines.size());
    }
    std::uint32_t LoadDomainShaderFromFile(const std::string& path, Handle<hlv_gfx::CDomainShader>& s) override
    {
        return Record("LoadDomainShaderFromFile", path, s);
    }
    std::uint32_t LoadHullShaderFromFile(const std::string& path, Handle<hlv_gfx::CHullShader>& s) override
    {
        return Record("LoadHullShaderFromFile", path, s);
    }
    std::uint32_t LoadShaderFromFile2(const std::string& path, Handle<hlv_gfx::CShader>& s) override
    {
        return Record("LoadShaderFromFile2", path, s);
    }
    std::uint32_t LoadShaderFromFile(const std::string& path, Handle<hlv_gfx::CShader>& s) override
    {
        return Record("LoadShaderFromFile", path, s);
    }
    std::uint32_t Compile(Handle<hlv_gfx::CShader>& s) override { return Record("Compile", s); }
    std::uint32_t Link(Handle<hlv_gfx::CRenderPass>& p) override { return Record("Link", p); }
    std::uint32_t CreateShaderVariable(const std::string& name, std::uint32_t type,
                                       Handle<hlv_gfx::CShaderVariable>& v) override
    {
        return Record("CreateShaderVariable", name, type, v);
    }
    std::uint32_t ReleaseShaderVariables(Handle<hlv_gfx::CRenderPass>& p) override
    {
        return Record("ReleaseShaderVariables", p);
    }
    std::uint32_t ReleaseShaderVariable(Handle<hlv_gfx::CShaderVariable>& v) override
    {
        return Record("ReleaseShaderVariable", v);
    }
    std::uint32_t SetShaderVariableVec4(Handle<hlv_gfx::CShaderVariable>& v, const float* values) override
    {
        return Record("SetShaderVariableVec4", v, values[0], values[1], values[2], values[3]);
    }
    std::uint32_t SetShaderVariableVec3(Handle<hlv_gfx::CShaderVariable>& v, const float* values) override
    {
        return Record("SetShaderVariableVec3", v, values[0], values[1], values[2]);
    }
    std::uint32_t SetShaderVariableFloat(Handle<hlv_gfx::CShaderVariable>& v, float value) override
    {
        return Record("SetShaderVariableFloat", v, value);
    }
    std::uint32_t GetActiveShaderVariableList(Handle<hlv_gfx::CRenderPass>& p,
                                              hlv_gfx::ShaderVariableList* variables) override
    {
        return Record("GetActiveShaderVariableList", p, variables ? variables->size() : 0u);
    }
    std::uint32_t UpdateShaderVariables(Handle<hlv_gfx::CRenderPass>& p) override
    {
        return Record("UpdateShaderVariables", p);
    }
    std::uint32_t UpdateShaderVariableList(Handle<hlv_gfx::CRenderPass>& p,
                                           hlv_gfx::ShaderVariableList* variables) override
    {
        return Record("UpdateShaderVariableList", p, variables ? variables->size() : 0u);
    }
    std::uint32_t UpdateShaderVariable(Handle<hlv_gfx::CRenderPass>& p, Handle<hlv_gfx::CShaderVariable>& v) override
    {
        return Record("UpdateShaderVariable", p, v);
    }
    std::uint32_t CreateCubeMapTexture(Handle<hlv_gfx::CCubeMapTexture>& t) override
    {
        return Record("CreateCubeMapTexture", t);
    }
    std::uint32_t CreateDepthTexture(Handle<hlv_gfx::CDepthTexture>& t) override
    {
        return Record("CreateDepthTexture", t);
    }
    std::uint32_t CreateTexture(Handle<hlv_gfx::CTexture>& t) override { return Record("CreateTexture", t); }
    std::uint32_t ReleaseCubeMapTexture(Handle<hlv_gfx::CCubeMapTexture>& t) override
    {
        return Record("ReleaseCubeMapTexture", t);
    }
    std::uint32_t ReleaseDepthTexture(Handle<hlv_gfx::CDepthTexture>& t) override
    {
        return Record("ReleaseDepthTexture", t);
    }
    std::uint32_t ReleaseTexture(Handle<hlv_gfx::CTexture>& t) override { return Record("ReleaseTexture", t); }
    std::uint32_t CreateFramebuffer(Handle<hlv_gfx::CFramebuffer>& f) override
    {
        return Record("CreateFramebuffer", f);
    }
    std::uint32_t ReleaseFramebuffer(Handle<hlv_gfx::CFramebuffer>& f) override
    {
        return Record("ReleaseFramebuffer", f);
    }
    std::uint32_t ValidateFramebuffer(Handle<hlv_gfx::CFramebuffer> f) override
    {
        return Record("ValidateFramebuffer", f);
    }
    std::uint32_t CreateTextureMemory(Handle<hlv_gfx::CTextureBuffer>& b) override
    {
        return Record("CreateTextureMemory", b);
    }
    std::uint32_t ReleaseTextureMemory(Handle<hlv_gfx::CTextureBuffer>& b) override
    {
        return Record("ReleaseTextureMemory", b);
    }
    Handle<hlv_gfx::IRenderer> GetRenderer() override { return renderer; }

private:
    template <typename T>
    static void Write(std::ostringstream& text, const Handle<T>& handle)
    {
        text << ' ' << (handle ? handle->GetName() : std::string("null"));
    }
    template <typename T>
    static void Write(std::ostringstream& text, const T& value)
    {
        text << ' ' << value;
    }

    template <typename... A>
    std::uint32_t Record(const char* operation, const A&... args)
    {
        std::ostringstream text;
        text << operation;
        (Write(text, args), ...);
        std::lock_guard<std::mutex> lock(m_mutex);
        m_calls.push_back(text.str());
        return result;
    }

    mutable std::mutex m_mutex;
    std::vector<std::string> m_calls;
};

}  // namespace hlv_gfx_test
