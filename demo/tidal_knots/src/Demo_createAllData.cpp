#include <tidal_knots/gpu_data.h>

#include <chrono>
#include <cstring>
#include <iostream>
#include <vector>

#include <halvo_app/Context/CManagedContext.h>
#include <halvo_core/property/PropertyTypes.h>
#include <halvo_gfx/depth_texture.h>
#include <halvo_gfx/framebuffer.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_gfx/image.h>
#include <halvo_gfx/index_buffer.h>
#include <halvo_gfx/mt_gfx_system.h>
#include <halvo_gfx/texture.h>
#include <halvo_gfx/vertex_buffer.h>
#include <halvo_gfx/vertex_buffer_layout.h>
#include <halvo_ptl/random.h>
#include <tidal_knots/load_functions.h>

namespace dmo_nimra {

namespace {

using hlv_core::Adopt;
template <typename T>
using Handle = hlv_core::CResourceHandle<T>;

static_assert(hlv_gfx::TF_DEPTH_COMPONENT32 == 15 && hlv_gfx::TF_RGBA == 34 && hlv_gfx::TF_RGBA32F == 40 &&
              hlv_gfx::TF_RGB32F == 41);

// The kinds of render-target texture.
struct TargetKind {
    std::uint32_t colorType;
    std::uint32_t valueType;
    std::uint32_t textureFormat;
    bool depth;
};
constexpr TargetKind kColor8{hlv_gfx::CT_RGBA, hlv_core::T_CHAR, hlv_gfx::TF_RGBA, false};
constexpr TargetKind kColor32F{hlv_gfx::CT_RGBA, hlv_core::T_FLOAT, hlv_gfx::TF_RGBA32F, false};
constexpr TargetKind kDepth{hlv_gfx::CT_INTENSITY, hlv_core::T_FLOAT, hlv_gfx::TF_DEPTH_COMPONENT32, true};

// One render target: its texture and image names and the keys they are
// published under.
struct TargetSpec {
    TargetKind kind;
    const char* textureName;
    const char* imageName;
    std::string textureKey;
    std::string imageKey;
};

class CGpuDataBuilder {
public:
    CGpuDataBuilder(hlv_gfx::MTGfxSystem& gfxSystem, hlv_app::CManagedContext& context, std::uint64_t width,
                    std::uint64_t height)
        : m_gfx(gfxSystem), m_context(context), m_width(width), m_height(height)
    {
    }

    Handle<hlv_gfx::CTexture> MakeTarget(const TargetSpec& target)
    {
        auto image = Adopt(new hlv_gfx::CImage(target.imageName));
        image->SetFormat(target.kind.colorType, target.kind.valueType);
        image->Allocate(m_width, m_height);
        Handle<hlv_gfx::CDepthTexture> depth;
        Handle<hlv_gfx::CTexture> texture;
        if (target.kind.depth) {
            depth = Adopt(new hlv_gfx::CDepthTexture(target.textureName));
            texture = depth;
        } else {
            texture = Adopt(new hlv_gfx::CTexture(target.textureName));
        }
        texture->textureFormat = target.kind.textureFormat;
        texture->wrap[0] = 0;
        texture->wrap[1] = 0;
        texture->magFilter = 1;
        texture->minFilter = 1;
        texture->textureType = hlv_gfx::TT_TEXTURE_2D;
        // Copies the size and derives the sized format.
        texture->SetImage(image);
        Publish(m_context.images, target.imageKey, image);
        if (depth) {
            m_gfx.CreateDepthTexture(depth);
            Publish(m_context.depthTextures, target.textureKey, depth);
        } else {
            m_gfx.CreateTexture(texture);
            Publish(m_context.textures, target.textureKey, texture);
        }
        return texture;
    }

    // A framebuffer of the colour targets, an optional depth target and,
    // for the scene framebuffers, the shared option texture as the last
    // colour attachment.
    bool MakeFramebuffer(const std::string& key, const std::string& resourceName, const std::vector<TargetSpec>& colors,
                         const TargetSpec* depth, bool withOption)
    {
        auto framebuffer = Adopt(new hlv_gfx::CFramebuffer(resourceName));
        std::vector<Handle<hlv_gfx::CTexture>> colorTextures;
        for (const TargetSpec& color : colors) colorTextures.push_back(MakeTarget(color));
        Handle<hlv_gfx::CTexture> depthTexture = depth ? MakeTarget(*depth) : Handle<hlv_gfx::CTexture>();
        Publish(m_context.framebuffers, key, framebuffer);
        m_gfx.CreateFramebuffer(framebuffer);
        for (const auto& texture : colorTextures) framebuffer->colorAttachments.push_back(texture);
        if (depthTexture) framebuffer->depthAttachment = depthTexture;
        if (withOption) {
            hlv_gfx::CTexture* option = m_context.textures.Get("OptionBuffer");
            if (!option) {
                std::cerr << "The texture \"OptionBuffer\" is missing: framebuffer " << key << std::endl;
                return false;
            }
            framebuffer->colorAttachments.push_back(Handle<hlv_gfx::CTexture>(option));
        }
        std::uint32_t valid = 1;
        m_gfx.ValidateFramebuffer(framebuffer, &valid);
        m_gfx.Flush(2);
        if (!m_gfx.WaitUntilDrained()) {
            std::cerr << "The render thread stopped while creating the framebuffer " << key << "." << std::endl;
            return false;
        }
        if (valid != 0) {
            std::cerr << "Invalid Framebuffer." << '\n' << "Framebuffer: " << key << std::endl;
            return false;
        }
        return true;
    }

    void MakeOptionBuffer(const std::string& key)
    {
        MakeTarget({kColor8, "Option Buffer", "Option Image", key, key + ".Option Buffer Image"});
    }

    bool MakeSceneFramebuffer(const std::string& key)
    {
        const TargetSpec depth{kDepth, "Depth Buffer", "Depth Image", key + ".Depth Texture", key + ".Depth Image"};
        return MakeFramebuffer(
            key, key,
            {{kColor8, "Color Buffer", "Color Image", key + ".Color 8uffer 1 Texture", key + ".Color Buffer 1 Image"},
             {kColor8, "Normal Buffer", "Normal Image", key + ".Normal 8uffer Texture", key + ".Normal Buffer Image"}},
            &depth, true);
    }

    bool MakeMaskFramebuffer(const std::string& key)
    {
        const TargetSpec depth{kDepth, "Depth Buffer", "Depth Image", key + ".Depth Texture", key + ".Depth Image"};
        return MakeFramebuffer(
            key, key,
            {{kColor8, "Color Buffer", "Color Image", key + ".Color 8uffer 1 Texture", key + ".Color Buffer 1 Image"},
             {kColor8, "Mask Buffer", "Mask Image", key + ".Mask 8uffer Texture", key + ".Mask Buffer Image"}},
            &depth, true);
    }

    bool MakeSwapFramebuffer(const std::string& key)
    {
        return MakeFramebuffer(
            key, key,
            {{kColor8, "Swap Buffer 1", "Buffer1 Image", key + ".Swap 8uffer 1 Texture", key + ".Swap Buffer 1 Image"},
             {kColor32F, "Swap Buffer 2", "Swap Buffer Image 2", key + ".Swap 8uffer Texture 2",
              key + ".Swap Buffer Image 2"}},
            nullptr, false);
    }

    bool MakeLayerFramebuffer()
    {
        return MakeFramebuffer(
            "Layer Frame Buffer", "Layer Framebuffer",
            {{kColor8, "Color Buffer1", "Color Image", "Color 8uffer 1 Texture for Layer Framebuffer",
              "Color Buffer 1 Image for Layer Framebuffer"},
             {kColor8, "Color Buffer2", "Color Image", "Color 8uffer 2 Texture for Layer Framebuffer",
              "Color Buffer 2 Image for Layer Framebuffer"}},
            nullptr, false);
    }

    // Ten by ten random vectors with components in [0, 254/255], drawn from
    // the demo's generator seeded from the clock.
    void MakeSsaoTexture()
    {
        auto texture = Adopt(new hlv_gfx::CTexture("Random SSAO Texture"));
        m_gfx.CreateTexture(texture);
        auto image = Adopt(new hlv_gfx::CImage("SSAO Random Vectors"));
        image->SetFormat(hlv_gfx::CT_RGB, hlv_core::T_FLOAT);
        image->Allocate(10, 10);
        texture->textureFormat = hlv_gfx::TF_RGB32F;
        texture->textureType = hlv_gfx::TT_TEXTURE_2D;
        texture->minFilter = 1;
        texture->magFilter = 1;
        hlv_ptl::SeedRandom(static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
        std::vector<float> texels(10 * 10 * 3);
        for (std::size_t i = 0; i < 100; ++i) {
            const int r1 = hlv_ptl::Random();
            const int r2 = hlv_ptl::Random();
            const int r3 = hlv_ptl::Random();
            texels[i * 3 + 2] = static_cast<float>(r1 % 255) / 255.0f;
            texels[i * 3 + 1] = static_cast<float>(r2 % 255) / 255.0f;
            texels[i * 3 + 0] = static_cast<float>(r3 % 255) / 255.0f;
        }
        std::memcpy(image->GetPixelBuffer()->GetData(), texels.data(), texels.size() * sizeof(float));
        texture->SetImage(image);
        m_context.textureSlotManager.SetTexture("Random SSAO Texture", texture)
            ->SetViewport(hlv_gfx::VIEWPORT{0, 0, 10, 10});
    }

    void MakeCube()
    {
        CubeMesh mesh;
        mesh.Build(1.0f);
        auto vertices = Adopt(new hlv_gfx::CVertexBuffer("Cube"));
        auto indices = Adopt(new hlv_gfx::CIndexBuffer("Cube"));
        auto layout = vertices->GetVertexBufferLayout();
        layout->AddElement(hlv_gfx::VBL_POSITION);
        layout->AddElement(hlv_gfx::VBL_NORMAL);
        indices->InitLayout();
        vertices->Allocate(layout, 24);
        indices->Allocate(indices->GetAnyLayout(), 36);
        auto* out = reinterpret_cast<float*>(vertices->GetData());
        for (std::size_t v = 0; v < 24; ++v) {
            for (std::size_t c = 0; c < 3; ++c) {
                out[v * 6 + c] = mesh.positions[v][c];
                out[v * 6 + 3 + c] = mesh.normals[v][c];
            }
        }
        std::memcpy(indices->GetData(), mesh.indices.data(), sizeof(mesh.indices));
        Publish(m_context.vertexBuffers, "Derirozuz Cube", vertices);
        Publish(m_context.indexBuffers, "Derirozuz Cube", indices);
        m_gfx.CreateVertexBuffer(vertices);
        m_gfx.CreateIndexBuffer(indices);
    }

    void MakeParticleQuad()
    {
        auto vertices = Adopt(new hlv_gfx::CVertexBuffer("Particles"));
        auto indices = Adopt(new hlv_gfx::CIndexBuffer("Particle Indices"));
        m_gfx.CreateVertexBuffer(vertices);
        m_gfx.CreateIndexBuffer(indices);
        auto layout = Adopt(new hlv_gfx::CVertexBufferLayout("VB Layout"));
        layout->AddElement(hlv_gfx::VBL_POSITION);
        indices->InitLayout();
        vertices->Allocate(layout, 4);
        indices->Allocate(indices->GetAnyLayout(), 6);
        static const float kCorners[4][3] = {{-1, -1, 0}, {-1, 1, 0}, {1, 1, 0}, {1, -1, 0}};
        static const std::uint32_t kIndices[6] = {0, 1, 2, 0, 2, 3};
        std::memcpy(vertices->GetData(), kCorners, sizeof(kCorners));
        std::memcpy(indices->GetData(), kIndices, sizeof(kIndices));
        Publish(m_context.vertexBuffers, "Particle Quad", vertices);
        Publish(m_context.indexBuffers, "Particle Quad", indices);
    }

private:
    hlv_gfx::MTGfxSystem& m_gfx;
    hlv_app::CManagedContext& m_context;
    std::uint64_t m_width;
    std::uint64_t m_height;
};

}  // namespace

void CubeMesh::Build(float edge)
{
    size = edge;
    const float h = edge / 2.0f;
    struct Face {
        std::array<std::array<float, 3>, 4> corners;
        std::array<float, 3> normal;
    };
    const Face faces[6] = {
        {{{{-h, -h, -h}, {-h, h, -h}, {h, h, -h}, {h, -h, -h}}}, {0, 0, -1}},
        {{{{h, -h, -h}, {h, h, -h}, {h, h, h}, {h, -h, h}}}, {1, 0, 0}},
        {{{{h, -h, h}, {h, h, h}, {-h, h, h}, {-h, -h, h}}}, {0, 0, 1}},
        {{{{-h, -h, h}, {-h, h, h}, {-h, h, -h}, {-h, -h, -h}}}, {-1, 0, 0}},
        {{{{h, h, -h}, {-h, h, -h}, {-h, h, h}, {h, h, h}}}, {0, 1, 0}},
        {{{{-h, -h, h}, {-h, -h, -h}, {h, -h, -h}, {h, -h, h}}}, {0, -1, 0}},
    };
    for (std::uint32_t f = 0; f < 6; ++f) {
        const std::uint32_t v = 4 * f;
        for (std::uint32_t k = 0; k < 4; ++k) {
            positions[v + k] = faces[f].corners[k];
            normals[v + k] = faces[f].normal;
        }
        const std::uint32_t triangles[6] = {v, v + 1, v + 2, v, v + 2, v + 3};
        for (std::uint32_t k = 0; k < 6; ++k) indices[6 * f + k] = triangles[k];
    }
}

bool CreateAllData(hlv_gfx::MTGfxSystem& gfxSystem, hlv_app::CManagedContext& context)
{
    const hlv_slot::CViewportOutputSlot* backplane = context.viewportSlotManager.GetSlot("Backplane Viewport");
    if (!backplane) {
        std::cerr << "The viewport \"Backplane Viewport\" is missing." << std::endl;
        return false;
    }
    const hlv_gfx::VIEWPORT size = backplane->GetValue();
    CGpuDataBuilder builder(gfxSystem, context, size.width, size.height);
    builder.MakeOptionBuffer("OptionBuffer");
    for (const char* key : {"Intro Outro Frame Buffer", "Main Frame Buffer Scene 1", "Main Frame Buffer Scene 2"}) {
        if (!builder.MakeSceneFramebuffer(key)) return false;
    }
    if (!builder.MakeMaskFramebuffer("Scene 2 Background Framebuffer")) return false;
    if (!builder.MakeSwapFramebuffer("Postprocessing Framebuffer")) return false;
    if (!builder.MakeLayerFramebuffer()) return false;
    builder.MakeSsaoTexture();
    builder.MakeCube();
    builder.MakeParticleQuad();
    return true;
}

}  // namespace dmo_nimra
