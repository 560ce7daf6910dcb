#pragma once
// A renderer that records every call as text ("Name arg arg ...") and answers
// each with a settable result. Handles are recorded by resource name, or
// "null" when empty. UseEffect keeps the values it is given the way a real
// renderer does (by swapping them into currentEffectValues).
#include <cstdint>
#include <mutex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/renderer.h>

namespace hlv_gfx_test {

class CRecordingRenderer : public hlv_gfx::IRenderer {
public:
    explicit CRecordingRenderer(const std::string& name = "recording renderer") : IRenderer(name) {}

    std::vector<std::string> Calls() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_calls;
    }

    // The answer of every operation.
    std::uint32_t result = hlv_gfx::GFXR_OK;
    hlv_gfx::CEffectSnapshot currentEffectValues;
    Handle<hlv_gfx::CEffect> currentEffect;

    std::uint32_t InitAPISpecific() override { return Record("InitAPISpecific"); }
    std::uint32_t ReleaseAPISpecific() override { return Record("ReleaseAPISpecific"); }
    std::uint32_t PushAttrib(std::uint32_t flags) override { return Record("PushAttrib", flags); }
    std::uint32_t PopAttrib() override { return Record("PopAttrib"); }
    std::uint32_t EnableRenderState(std::uint32_t state) override { return Record("EnableRenderState", state); }
    std::uint32_t DisableRenderState(std::uint32_t state) override { return Record("DisableRenderState", state); }
    std::uint32_t SetRenderState(hlv_gfx::BLEND_EQUATION colour, hlv_gfx::BLEND_EQUATION alpha) override
    {
        return Record("SetBlendEquationSeparate", +colour, +alpha);
    }
    std::uint32_t SetRenderState(hlv_gfx::BLEND_EQUATION equation) override
    {
        return Record("SetBlendEquation", +equation);
    }
    std::uint32_t SetRenderState(hlv_gfx::BLEND_FACTOR sc, hlv_gfx::BLEND_FACTOR dc, hlv_gfx::BLEND_FACTOR sa,
                                 hlv_gfx::BLEND_FACTOR da) override
    {
        return Record("SetBlendFactorSeparate", +sc, +dc, +sa, +da);
    }
    std::uint32_t SetRenderState(hlv_gfx::BLEND_FACTOR source, hlv_gfx::BLEND_FACTOR destination) override
    {
        return Record("SetBlendFactor", +source, +destination);
    }
    std::uint32_t SetFillMode(std::int32_t face, std::uint32_t mode) override
    {
        return Record("SetFillMode", face, mode);
    }
    std::uint32_t SetFrontFace(std::uint32_t winding) override { return Record("SetFrontFace", winding); }
    std::uint32_t SetCullMode(std::uint32_t face) override { return Record("SetCullMode", face); }
    std::uint32_t GetFillMode(std::int32_t face, std::uint32_t& mode) override
    {
        mode = 0;
        return Record("GetFillMode", face);
    }
    std::uint32_t GetFrontFace(std::uint32_t& winding) override
    {
        winding = 0;
        return Record("GetFrontFace");
    }
    std::uint32_t GetCullMode(std::uint32_t& face) override
    {
        face = 0;
        return Record("GetCullMode");
    }
    std::uint32_t SetClearColor(float r, float g, float b, float a) override
    {
        return Record("SetClearColor", r, g, b, a);
    }
    std::uint32_t Clear(std::uint32_t mask) override { return Record("Clear", mask); }
    std::uint32_t SetMatrixMode(std::uint32_t mode) override { return Record("SetMatrixMode", mode); }
    std::uint32_t PushMatrix() override { return Record("PushMatrix"); }
    std::uint32_t PopMatrix() override { return Record("PopMatrix"); }
    std::uint32_t SetTransformation(const float* m) override { return Record("SetTransformation", m[0], m[15]); }
    std::uint32_t SetViewport(const hlv_gfx::VIEWPORT& v) override { return SetViewport(v.x, v.y, v.width, v.height); }
    std::uint32_t SetViewport(std::uint64_t x, std::uint64_t y, std::uint64_t w, std::uint64_t h) override
    {
        return Record("SetViewport", x, y, w, h);
    }
    std::uint32_t EnableLighting() override { return Record("EnableLighting"); }
    std::uint32_t DisableLighting() override { return Record("DisableLighting"); }
    std::uint32_t ReservedOperationA() override { return hlv_gfx::GFXR_FAIL; }
    std::uint32_t ReservedOperationB() override { return hlv_gfx::GFXR_FAIL; }
    std::uint32_t ReservedOperationC() override { return hlv_gfx::GFXR_FAIL; }
    std::uint32_t UseEffect(const Handle<hlv_gfx::CEffect>& effect, hlv_gfx::CEffectSnapshot& values) override
    {
        if (effect) {
            currentEffect = effect;
            using std::swap;
            swap(currentEffectValues, values);
        }
        return Record("UseEffect", Name(effect));
    }
    std::uint32_t UseRenderPass(const Handle<hlv_gfx::CRenderPass>& pass, hlv_gfx::CRenderPassSnapshot&) override
    {
        return Record("UseRenderPass", Name(pass));
    }
    std::uint32_t UseTexture(const Handle<hlv_gfx::CTexture>& t, std::uint64_t unit) override
    {
        return Record("UseTexture", Name(t), unit);
    }
    std::uint32_t LoadTexture(Handle<hlv_gfx::CTextureBuffer> b) override
    {
        return Record("LoadTextureBuffer", Name(b));
    }
    std::uint32_t LoadTexture(Handle<hlv_gfx::CCubeMapTexture> t) override { return Record("LoadCubeMap", Name(t)); }
    std::uint32_t LoadTexture(Handle<hlv_gfx::CDepthTexture> t) override { return Record("LoadDepthTexture", Name(t)); }
    std::uint32_t LoadTexture(Handle<hlv_gfx::CTexture> t) override { return Record("LoadTexture", Name(t)); }
    std::uint32_t SetTextureMatrix(const float* m, std::uint64_t index) override
    {
        return Record("SetTextureMatrix", m[0], index);
    }
    std::uint32_t UseFramebuffer(Handle<hlv_gfx::CFramebuffer> f) override
    {
        m_framebuffer = f;
        return Record("UseFramebuffer", Name(f));
    }
    Handle<hlv_gfx::CFramebuffer> GetFramebuffer() override { return m_framebuffer; }
    std::uint32_t SwitchRenderTarget(const std::vector<unsigned>& ids, std::uint64_t count) override
    {
        return Record("SwitchRenderTarget", ids.empty() ? 0u : ids.front(), count);
    }
    std::uint32_t SwitchRenderTarget(std::int32_t id) override { return Record("SwitchRenderTarget", id); }
    std::uint32_t LoadBufferData(const Handle<hlv_gfx::CIndexBuffer>& b, std::uint32_t hint) override
    {
        return Record("LoadIndexBuffer", Name(b), hint);
    }
    std::uint32_t LoadBufferData(const Handle<hlv_gfx::CVertexBuffer>& b, std::uint32_t hint) override
    {
        return Record("LoadVertexBuffer", Name(b), hint);
    }
    std::uint32_t UpdateBufferData(const Handle<hlv_gfx::CTextureBuffer>& b, std::int32_t first,
                                   std::int32_t count) override
    {
        return Record("UpdateTextureBuffer", Name(b), first, count);
    }
    std::uint32_t UpdateBufferData(const Handle<hlv_gfx::CIndexBuffer>& b, std::int32_t first,
                                   std::int32_t count) override
    {
        return Record("UpdateIndexBuffer", Name(b), first, count);
    }
    std::uint32_t UpdateBufferData(const Handle<hlv_gfx::CVertexBuffer>& b, std::int32_t first,
                                   std::int32_t count) override
    {
        return Record("UpdateVertexBuffer", Name(b), first, count);
    }
    std::uint32_t MapBuffer(const Handle<hlv_gfx::CTextureBuffer>& b, std::uint32_t a) override
    {
        return Record("MapTextureBuffer", Name(b), a);
    }
    std::uint32_t MapBuffer(const Handle<hlv_gfx::CIndexBuffer>& b, std::uint32_t a) override
    {
        return Record("MapIndexBuffer", Name(b), a);
    }
    std::uint32_t MapBuffer(const Handle<hlv_gfx::CVertexBuffer>& b, std::uint32_t a) override
    {
        return Record("MapVertexBuffer", Name(b), a);
    }
    std::uint32_t UnmapBuffer(const Handle<hlv_gfx::CTextureBuffer>& b) override
    {
        return Record("UnmapTextureBuffer", Name(b));
    }
    std::uint32_t UnmapBuffer(const Handle<hlv_gfx::CIndexBuffer>& b) override
    {
        return Record("UnmapIndexBuffer", Name(b));
    }
    std::uint32_t UnmapBuffer(const Handle<hlv_gfx::CVertexBuffer>& b) override
    {
        return Record("UnmapVertexBuffer", Name(b));
    }
    std::uint32_t Render(std::uint32_t p, const Handle<hlv_gfx::CVertexBuffer>& v,
                         const Handle<hlv_gfx::CIndexBuffer>& i) override
    {
        return Record("Render", p, Name(v), Name(i));
    }
    std::uint32_t RenderInstanced(std::uint32_t p, const Handle<hlv_gfx::CVertexBuffer>& v,
                                  const Handle<hlv_gfx::CIndexBuffer>& i, std::uint32_t n) override
    {
        return Record("RenderInstanced", p, Name(v), Name(i), n);
    }
    std::uint32_t ReservedOperationD() override { return hlv_gfx::GFXR_FAIL; }
    std::uint32_t RenderEffect(std::uint32_t p, const Handle<hlv_gfx::CVertexBuffer>& v,
                               const Handle<hlv_gfx::CIndexBuffer>& i) override
    {
        return Record("RenderEffect", p, Name(v), Name(i));
    }
    std::uint32_t RenderEffectInstanced(std::uint32_t p, const Handle<hlv_gfx::CVertexBuffer>& v,
                                        const Handle<hlv_gfx::CIndexBuffer>& i, std::uint64_t n) override
    {
        return Record("RenderEffectInstanced", p, Name(v), Name(i), n);
    }
    std::uint32_t RenderQuad() override { return Record("RenderQuad"); }

protected:
    template <typename T>
    static std::string Name(const Handle<T>& handle)
    {
        return handle ? handle->GetName() : std::string("null");
    }

    template <typename... A>
    std::uint32_t Record(const char* operation, const A&... args)
    {
        std::ostringstream text;
        text << operation;
        ((text << ' ' << args), ...);
        std::lock_guard<std::mutex> lock(m_mutex);
        m_calls.push_back(text.str());
        return result;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<std::string> m_calls;
    Handle<hlv_gfx::CFramebuffer> m_framebuffer;
};

}  // namespace hlv_gfx_test
