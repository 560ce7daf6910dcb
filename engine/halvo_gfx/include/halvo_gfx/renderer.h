#pragma once
// The API-neutral, immediate-mode renderer.
//
// Every operation acts at once on the graphics context current on the calling
// thread, so all of them run on the render thread; producers record calls on
// the multithreaded renderer, whose commands call these operations. Every
// operation except GetFramebuffer returns a HALVO_GFX_RESULT (GFXR_OK on
// success). Enumerations are passed as 32-bit integers; matrices are 16 floats,
// row-major, for column vectors.
//
// Shader values: UseEffect and UseRenderPass receive the values and texture
// bindings captured when the command was queued (CEffectSnapshot,
// CRenderPassSnapshot) and apply those, never the variables' live storage.
#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include <halvo_core/handle.h>
#include <halvo_core/message_listener.h>
#include <halvo_core/resource.h>
#include <halvo_gfx/cube_map_texture.h>
#include <halvo_gfx/depth_texture.h>
#include <halvo_gfx/effect.h>
#include <halvo_gfx/effect_snapshot.h>
#include <halvo_gfx/framebuffer.h>
#include <halvo_gfx/index_buffer.h>
#include <halvo_gfx/render_pass.h>
#include <halvo_gfx/render_pass_snapshot.h>
#include <halvo_gfx/texture.h>
#include <halvo_gfx/texture_buffer.h>
#include <halvo_gfx/vertex_buffer.h>
#include <halvo_gfx/viewport.h>

namespace hlv_gfx {

// Blend equation and blend factor codes (indices of the renderer's mapping
// tables). They have no named values; their types only tell the two-argument
// SetRenderState forms apart.
enum BLEND_EQUATION : std::uint32_t {};
enum BLEND_FACTOR : std::uint32_t {};

class IRenderer : public hlv_core::IResource {
public:
    HLV_RESOURCE_CLASS(IRenderer)

    template <typename T>
    using Handle = hlv_core::CResourceHandle<T>;
    using ListenerList = std::list<Handle<hlv_core::IMessageListener>>;

    // Releases every listener of the list once.
    ~IRenderer() override = default;

    // Render thread: once after the context became current, once before it goes.
    virtual std::uint32_t InitAPISpecific() = 0;
    virtual std::uint32_t ReleaseAPISpecific() = 0;

    virtual std::uint32_t PushAttrib(std::uint32_t flags) = 0;
    virtual std::uint32_t PopAttrib() = 0;
    virtual std::uint32_t EnableRenderState(std::uint32_t state) = 0;   // RENDER_STATE
    virtual std::uint32_t DisableRenderState(std::uint32_t state) = 0;  // RENDER_STATE
    // Separate blend equations for colour and alpha.
    virtual std::uint32_t SetRenderState(BLEND_EQUATION colour, BLEND_EQUATION alpha) = 0;
    // One blend equation for both.
    virtual std::uint32_t SetRenderState(BLEND_EQUATION equation) = 0;
    // Separate blend factors.
    virtual std::uint32_t SetRenderState(BLEND_FACTOR sourceColour, BLEND_FACTOR destinationColour,
                                         BLEND_FACTOR sourceAlpha, BLEND_FACTOR destinationAlpha) = 0;
    // Joint blend factors.
    virtual std::uint32_t SetRenderState(BLEND_FACTOR source, BLEND_FACTOR destination) = 0;
    // face: 0 front, 1 back, 2 both; mode: 0 points, 1 lines, 2 fill.
    virtual std::uint32_t SetFillMode(std::int32_t face, std::uint32_t mode) = 0;
    // 0 clockwise, 1 counter-clockwise.
    virtual std::uint32_t SetFrontFace(std::uint32_t winding) = 0;
    // 0 front, 1 back, 2 both.
    virtual std::uint32_t SetCullMode(std::uint32_t face) = 0;
    virtual std::uint32_t GetFillMode(std::int32_t face, std::uint32_t& mode) = 0;
    virtual std::uint32_t GetFrontFace(std::uint32_t& winding) = 0;
    virtual std::uint32_t GetCullMode(std::uint32_t& face) = 0;
    virtual std::uint32_t SetClearColor(float red, float green, float blue, float alpha) = 0;
    virtual std::uint32_t Clear(std::uint32_t mask) = 0;          // CLEAR_MASK bits
    virtual std::uint32_t SetMatrixMode(std::uint32_t mode) = 0;  // MATRIX_MODE
    virtual std::uint32_t PushMatrix() = 0;
    virtual std::uint32_t PopMatrix() = 0;
    virtual std::uint32_t SetTransformation(const float* matrix) = 0;
    virtual std::uint32_t SetViewport(const VIEWPORT& viewport) = 0;
    virtual std::uint32_t SetViewport(std::uint64_t x, std::uint64_t y, std::uint64_t width, std::uint64_t height) = 0;
    virtual std::uint32_t EnableLighting() = 0;
    virtual std::uint32_t DisableLighting() = 0;
    // Kept in their places; implementations answer GFXR_FAIL.
    virtual std::uint32_t ReservedOperationA() = 0;
    virtual std::uint32_t ReservedOperationB() = 0;
    virtual std::uint32_t ReservedOperationC() = 0;

    // Makes the effect current for the RenderEffect draws that follow, with
    // the values captured from its passes when the command was queued
    // (values.GetEffect() is effect). The renderer keeps the values by swapping
    // them into storage of its own; afterwards values holds what the renderer
    // gave back, which the caller clears or captures into again. An empty
    // effect gives GFXR_INVALID_ARGUMENT and leaves the current effect and its
    // values as they were.
    virtual std::uint32_t UseEffect(const Handle<CEffect>& effect, CEffectSnapshot& values) = 0;
    // Applies the pass: program and stages from pass, texture bindings and
    // uniform values from values (captured from pass). The renderer writes the
    // texture unit of each binding into values (SetSamplerUnit) and uploads
    // every value from there.
    virtual std::uint32_t UseRenderPass(const Handle<CRenderPass>& pass, CRenderPassSnapshot& values) = 0;
    virtual std::uint32_t UseTexture(const Handle<CTexture>& texture, std::uint64_t unit) = 0;
    virtual std::uint32_t LoadTexture(Handle<CTextureBuffer> buffer) = 0;
    virtual std::uint32_t LoadTexture(Handle<CCubeMapTexture> texture) = 0;
    virtual std::uint32_t LoadTexture(Handle<CDepthTexture> texture) = 0;
    virtual std::uint32_t LoadTexture(Handle<CTexture> texture) = 0;
    virtual std::uint32_t SetTextureMatrix(const float* matrix, std::uint64_t index) = 0;
    // An empty handle selects the default framebuffer.
    virtual std::uint32_t UseFramebuffer(Handle<CFramebuffer> framebuffer) = 0;
    virtual Handle<CFramebuffer> GetFramebuffer() = 0;
    // USED_BUFFER_MASK values.
    virtual std::uint32_t SwitchRenderTarget(const std::vector<unsigned>& ids, std::uint64_t count) = 0;
    virtual std::uint32_t SwitchRenderTarget(std::int32_t id) = 0;
    virtual std::uint32_t LoadBufferData(const Handle<CIndexBuffer>& buffer, std::uint32_t hint) = 0;
    virtual std::uint32_t LoadBufferData(const Handle<CVertexBuffer>& buffer, std::uint32_t hint) = 0;
    virtual std::uint32_t UpdateBufferData(const Handle<CTextureBuffer>& buffer, std::int32_t first,
                                           std::int32_t count) = 0;
    virtual std::uint32_t UpdateBufferData(const Handle<CIndexBuffer>& buffer, std::int32_t first,
                                           std::int32_t count) = 0;
    virtual std::uint32_t UpdateBufferData(const Handle<CVertexBuffer>& buffer, std::int32_t first,
                                           std::int32_t count) = 0;
    virtual std::uint32_t MapBuffer(const Handle<CTextureBuffer>& buffer, std::uint32_t access) = 0;
    virtual std::uint32_t MapBuffer(const Handle<CIndexBuffer>& buffer, std::uint32_t access) = 0;
    virtual std::uint32_t MapBuffer(const Handle<CVertexBuffer>& buffer, std::uint32_t access) = 0;
    virtual std::uint32_t UnmapBuffer(const Handle<CTextureBuffer>& buffer) = 0;
    virtual std::uint32_t UnmapBuffer(const Handle<CIndexBuffer>& buffer) = 0;
    virtual std::uint32_t UnmapBuffer(const Handle<CVertexBuffer>& buffer) = 0;
    virtual std::uint32_t Render(std::uint32_t primitive, const Handle<CVertexBuffer>& vertices,
                                 const Handle<CIndexBuffer>& indices) = 0;
    virtual std::uint32_t RenderInstanced(std::uint32_t primitive, const Handle<CVertexBuffer>& vertices,
                                          const Handle<CIndexBuffer>& indices, std::uint32_t instances) = 0;
    virtual std::uint32_t ReservedOperationD() = 0;
    // One draw per pass of the current effect, each with its captured values.
    virtual std::uint32_t RenderEffect(std::uint32_t primitive, const Handle<CVertexBuffer>& vertices,
                                       const Handle<CIndexBuffer>& indices) = 0;
    virtual std::uint32_t RenderEffectInstanced(std::uint32_t primitive, const Handle<CVertexBuffer>& vertices,
                                                const Handle<CIndexBuffer>& indices, std::uint64_t instances) = 0;
    virtual std::uint32_t RenderQuad() = 0;

    // The listeners told of every graphics-API error. The owner appends to the
    // list before the render thread executes commands; it is not locked.
    ListenerList& GetMessageListeners() { return m_listeners; }
    const ListenerList& GetMessageListeners() const { return m_listeners; }

    // Tells the text to every listener of the list, in order; handles that
    // hold no listener are skipped. The listeners' results are ignored.
    void BroadcastMessage(const std::string& text) const;

protected:
    explicit IRenderer(const std::string& name) : IResource(name) {}

private:
    ListenerList m_listeners;
};
HLV_DEFINE_RESOURCE_CLASS(IRenderer, hlv_core::IResource)

}  // namespace hlv_gfx
