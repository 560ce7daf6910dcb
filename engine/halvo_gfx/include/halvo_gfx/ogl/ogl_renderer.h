#pragma once
// The OpenGL renderer: every IRenderer operation as immediate OpenGL calls on
// the context current on the calling thread (the render thread).
//
// It needs a compatibility-profile context: it uses the attribute and matrix
// stacks, texture matrices and client arrays. GL errors are told to the
// message listeners (ReportGlError) and the operation then answers
// GFXR_API_FAIL. Engine values that have no OpenGL counterpart are refused
// with GFXR_INVALID_ARGUMENT before any GL call.
//
// This header holds no GL declarations: GL enumerants and names are passed as
// 32-bit unsigned integers.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <halvo_core/handle.h>
#include <halvo_gfx/effect_snapshot.h>
#include <halvo_gfx/render_state_set.h>
#include <halvo_gfx/renderer.h>

namespace hlv_gfx {

class COglRenderer : public IRenderer {
public:
    HLV_RESOURCE_CLASS(COglRenderer)

    // Texture matrices available to the 2D bindings of a pass.
    static constexpr std::uint64_t kTextureMatrixCount = 100;

    explicit COglRenderer(const std::string& name);
    ~COglRenderer() override;

    // Drains the GL errors that context creation left behind, then creates
    // the full-screen quad (vertex array, vertex and index buffer).
    std::uint32_t InitAPISpecific() override;
    // Deletes the quad's objects.
    std::uint32_t ReleaseAPISpecific() override;

    std::uint32_t PushAttrib(std::uint32_t flags) override;
    std::uint32_t PopAttrib() override;
    std::uint32_t EnableRenderState(std::uint32_t state) override;
    std::uint32_t DisableRenderState(std::uint32_t state) override;
    std::uint32_t SetRenderState(BLEND_EQUATION colour, BLEND_EQUATION alpha) override;
    std::uint32_t SetRenderState(BLEND_EQUATION equation) override;
    std::uint32_t SetRenderState(BLEND_FACTOR sourceColour, BLEND_FACTOR destinationColour, BLEND_FACTOR sourceAlpha,
                                 BLEND_FACTOR destinationAlpha) override;
    std::uint32_t SetRenderState(BLEND_FACTOR source, BLEND_FACTOR destination) override;
    std::uint32_t SetFillMode(std::int32_t face, std::uint32_t mode) override;
    std::uint32_t SetFrontFace(std::uint32_t winding) override;
    std::uint32_t SetCullMode(std::uint32_t face) override;
    std::uint32_t GetFillMode(std::int32_t face, std::uint32_t& mode) override;
    std::uint32_t GetFrontFace(std::uint32_t& winding) override;
    std::uint32_t GetCullMode(std::uint32_t& face) override;
    std::uint32_t SetClearColor(float red, float green, float blue, float alpha) override;
    std::uint32_t Clear(std::uint32_t mask) override;
    std::uint32_t SetMatrixMode(std::uint32_t mode) override;
    std::uint32_t PushMatrix() override;
    std::uint32_t PopMatrix() override;
    std::uint32_t SetTransformation(const float* matrix) override;
    std::uint32_t SetViewport(const VIEWPORT& viewport) override;
    std::uint32_t SetViewport(std::uint64_t x, std::uint64_t y, std::uint64_t width, std::uint64_t height) override;
    std::uint32_t EnableLighting() override;
    std::uint32_t DisableLighting() override;
    std::uint32_t ReservedOperationA() override;
    std::uint32_t ReservedOperationB() override;
    std::uint32_t ReservedOperationC() override;

    // Keeps the effect and (by swapping) its captured values for the
    // RenderEffect draws that follow. Values that were not captured from this
    // effect (a caller on the render thread that skipped the capture) are
    // captured here.
    std::uint32_t UseEffect(const Handle<CEffect>& effect, CEffectSnapshot& values) override;
    // Program of the pass; texture units, sampler values and uniforms from
    // the captured values (captured here when they belong to another pass).
    std::uint32_t UseRenderPass(const Handle<CRenderPass>& pass, CRenderPassSnapshot& values) override;
    std::uint32_t UseTexture(const Handle<CTexture>& texture, std::uint64_t unit) override;
    // Uploads a changed texture buffer and attaches it to its texture; no GL
    // call when it is unchanged.
    std::uint32_t LoadTexture(Handle<CTextureBuffer> buffer) override;
    // Bind the texture to the active unit; upload its image when GL reports
    // it not resident or it is marked changed.
    std::uint32_t LoadTexture(Handle<CCubeMapTexture> texture) override;
    std::uint32_t LoadTexture(Handle<CDepthTexture> texture) override;
    std::uint32_t LoadTexture(Handle<CTexture> texture) override;
    std::uint32_t SetTextureMatrix(const float* matrix, std::uint64_t index) override;
    std::uint32_t UseFramebuffer(Handle<CFramebuffer> framebuffer) override;
    Handle<CFramebuffer> GetFramebuffer() override;
    std::uint32_t SwitchRenderTarget(const std::vector<unsigned>& ids, std::uint64_t count) override;
    std::uint32_t SwitchRenderTarget(std::int32_t id) override;
    std::uint32_t LoadBufferData(const Handle<CIndexBuffer>& buffer, std::uint32_t hint) override;
    std::uint32_t LoadBufferData(const Handle<CVertexBuffer>& buffer, std::uint32_t hint) override;
    std::uint32_t UpdateBufferData(const Handle<CTextureBuffer>& buffer, std::int32_t first,
                                   std::int32_t count) override;
    std::uint32_t UpdateBufferData(const Handle<CIndexBuffer>& buffer, std::int32_t first, std::int32_t count) override;
    std::uint32_t UpdateBufferData(const Handle<CVertexBuffer>& buffer, std::int32_t first,
                                   std::int32_t count) override;
    std::uint32_t MapBuffer(const Handle<CTextureBuffer>& buffer, std::uint32_t access) override;
    std::uint32_t MapBuffer(const Handle<CIndexBuffer>& buffer, std::uint32_t access) override;
    std::uint32_t MapBuffer(const Handle<CVertexBuffer>& buffer, std::uint32_t access) override;
    std::uint32_t UnmapBuffer(const Handle<CTextureBuffer>& buffer) override;
    std::uint32_t UnmapBuffer(const Handle<CIndexBuffer>& buffer) override;
    std::uint32_t UnmapBuffer(const Handle<CVertexBuffer>& buffer) override;
    std::uint32_t Render(std::uint32_t primitive, const Handle<CVertexBuffer>& vertices,
                         const Handle<CIndexBuffer>& indices) override;
    std::uint32_t RenderInstanced(std::uint32_t primitive, const Handle<CVertexBuffer>& vertices,
                                  const Handle<CIndexBuffer>& indices, std::uint32_t instances) override;
    std::uint32_t ReservedOperationD() override;
    std::uint32_t RenderEffect(std::uint32_t primitive, const Handle<CVertexBuffer>& vertices,
                               const Handle<CIndexBuffer>& indices) override;
    std::uint32_t RenderEffectInstanced(std::uint32_t primitive, const Handle<CVertexBuffer>& vertices,
                                        const Handle<CIndexBuffer>& indices, std::uint64_t instances) override;
    std::uint32_t RenderQuad() override;

    // Tells every listener "<context>, Error: <code>, <GLU text>; ".
    void ReportGlError(const std::string& context, std::uint32_t error) const;

    // What the renderer remembers (for the owner and for checks).
    VIEWPORT GetViewport() const { return m_viewport; }
    const Handle<CEffect>& GetEffect() const { return m_effect; }

private:
    static constexpr std::uint32_t kMatrixModeUnknown = 0xFFFFFFFFu;

    // Reads glGetError once; on an error reports it with the message and
    // answers true.
    bool CheckGlError(const char* message) const;
    // glPushAttrib of a GL mask; reports a failure and answers false.
    bool PushAttribBits(std::uint32_t glMask);
    // glPopAttrib; forgets the matrix mode, which the pop may have restored.
    std::uint32_t PopAttribGroup();

    // The texture steps behind the LoadTexture overloads and UseRenderPass.
    std::uint32_t LoadTexture2D(CTexture& texture);
    std::uint32_t LoadDepthTexture(CDepthTexture& texture);
    std::uint32_t LoadCubeMapTexture(CCubeMapTexture& texture);
    std::uint32_t LoadTextureBuffer(CTextureBuffer& buffer);
    std::uint32_t LoadTextureParameter(std::uint32_t target, const CTexture& texture);
    void ReadTextureLimits();
    std::uint32_t ActivateTextureUnit(std::uint64_t unit, const char* message);
    void LoadTextureMatrix(std::uint64_t index, std::uint64_t unit);

    // The vertex and index set-up of Render and RenderInstanced.
    std::uint32_t EnableVertexArrays(CVertexBuffer& vertices);
    std::uint32_t BindIndexBuffer(CIndexBuffer& indices, std::uint64_t& glSize);
    void DisableVertexArrays();
    // One indexed draw; instances 0 draws without instancing.
    std::uint32_t Draw(std::uint32_t primitive, const Handle<CVertexBuffer>& vertices,
                       const Handle<CIndexBuffer>& indices, bool instanced, std::uint32_t instances);
    std::uint32_t DrawEffect(std::uint32_t primitive, const Handle<CVertexBuffer>& vertices,
                             const Handle<CIndexBuffer>& indices, bool instanced, std::uint32_t instances);

    std::uint32_t SwitchToAllAttachments(const CFramebuffer& framebuffer);
    std::uint32_t SetDrawBuffers(const std::uint32_t* buffers, std::size_t count);

    // Culled face, winding and polygon modes as they were set.
    CRenderStateSet m_renderState;
    // MATRIX_MODE last selected; kMatrixModeUnknown after a pop of the
    // attribute stack (which may have restored another one).
    std::uint32_t m_matrixMode = 0;
    VIEWPORT m_viewport{};
    std::vector<std::array<float, 16>> m_textureMatrices;
    // GL_MAX_COMBINED_TEXTURE_IMAGE_UNITS and GL_MAX_TEXTURE_COORDS (units
    // from there on have no texture matrix), read on first use.
    std::uint64_t m_textureImageUnits = 0;
    std::uint64_t m_textureCoordUnits = 0;

    Handle<CEffect> m_effect;
    CEffectSnapshot m_effectValues;

    Handle<CFramebuffer> m_framebuffer;
    // The attribute group of the current framebuffer was pushed by this
    // renderer (a failed bind pushes none, and then nothing is popped).
    bool m_framebufferAttribPushed = false;

    // The full-screen quad; 0 while not created.
    std::uint32_t m_quadVertexArray = 0;
    std::uint32_t m_quadVertexBuffer = 0;
    std::uint32_t m_quadIndexBuffer = 0;
};
HLV_DEFINE_RESOURCE_CLASS(COglRenderer, IRenderer)

}  // namespace hlv_gfx
