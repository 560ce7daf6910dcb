// A two-pass post-processing chain drawn by the scene graph on a real
// OpenGL context: the first pass writes a colour into part of a framebuffer,
// the second reads that part, scaled by its texture matrix, onto the screen.
#include <GL/glew.h>

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gl/gl_test.h"
#include "ogl/collecting_listener.h"
#include "ogl/gl_resource_builder.h"
#include "screen_window.h"

#include <halvo_core/handle.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_gfx/mt_renderer.h>
#include <halvo_gfx/ogl/ogl_renderer.h>
#include <halvo_gfx/perspective_camera.h>
#include <halvo_sg/camera_node.h>
#include <halvo_sg/default_scene_graph.h>
#include <halvo_sg/linear_post_processing_node.h>
#include <halvo_shade/custom_shade_node.h>

namespace hlv_sg {
namespace {

using hlv_core::Adopt;
using hlv_core::CResourceHandle;
using hlv_gl_test::Rgba8;
using hlv_ogl_test::CCollectingListener;

constexpr char kFullScreenVertex[] = R"(#version 150 compatibility
out vec2 v_uv;
void main()
{
    gl_Position = vec4(gl_Vertex.xy, 0.0, 1.0);
    v_uv = (gl_TextureMatrix[0] * gl_MultiTexCoord0).xy;
}
)";

// The first pass: a colour from two controller-driven values.
constexpr char kColourPixel[] = R"(#version 150 compatibility
uniform float uni_red;
uniform float uni_blue;
void main()
{
    gl_FragColor = vec4(uni_red, 0.0, uni_blue, 1.0);
}
)";

// The second pass: input 0 at its scaled coordinates.
constexpr char kReadPixel[] = R"(#version 150 compatibility
uniform sampler2D uni_src;
in vec2 v_uv;
void main()
{
    gl_FragColor = texture(uni_src, v_uv);
}
)";

class PostProcessingChain : public hlv_gl_test::CGlTest {
protected:
    static constexpr std::uint64_t kSize = 64;

    void SetUp() override
    {
        CGlTest::SetUp();
        if (HasFatalFailure()) return;
        gl = Adopt(new hlv_gfx::COglRenderer("OpenGL renderer"));
        gl->GetMessageListeners().push_back(listener);
        ASSERT_EQ(gl->InitAPISpecific(), hlv_gfx::GFXR_OK);
        renderer->SetRenderer(CResourceHandle<hlv_gfx::IRenderer>(gl));
        graph->SetRenderer(renderer);
    }

    void TearDown() override
    {
        if (gl) gl->ReleaseAPISpecific();
        EXPECT_EQ(listener->texts, std::vector<std::string>{}) << "renderer errors";
        EXPECT_EQ(hlv_gl_test::GetInteger(GL_ATTRIB_STACK_DEPTH), 0);
        EXPECT_EQ(hlv_gl_test::GetInteger(GL_MODELVIEW_STACK_DEPTH), 1);
        EXPECT_EQ(hlv_gl_test::GetInteger(GL_PROJECTION_STACK_DEPTH), 1);
        glUseProgram(0);
        CGlTest::TearDown();
    }

    // One frame: the scene graph records it, then this thread (which holds the
    // context) executes it as the render thread would.
    void RenderFrame()
    {
        frame_time_record time;
        graph->Update(&time);
        renderer->FlushSecondQueue();
        renderer->Flush(0);
        renderer->ProcessCommands();
    }

    CResourceHandle<CCollectingListener> listener = Adopt(new CCollectingListener);
    CResourceHandle<hlv_gfx::COglRenderer> gl;
    CResourceHandle<hlv_gfx::MTRenderer> renderer = Adopt(new hlv_gfx::MTRenderer("The Multi Threaded Renderer"));
    CResourceHandle<CDefaultSceneGraph> graph = Adopt(new CDefaultSceneGraph("The Scene Graph"));
    hlv_ogl_test::CGlResourceBuilder build;
};

Rgba8 Pixel(std::uint8_t r, std::uint8_t g, std::uint8_t b) { return Rgba8{r, g, b, 255}; }

// The pixel at (x, y) of a width-pixel-wide RGBA8 image.
Rgba8 At(const std::vector<std::uint8_t>& pixels, std::size_t width, std::size_t x, std::size_t y)
{
    const std::size_t i = (y * width + x) * 4;
    return Rgba8{pixels[i], pixels[i + 1], pixels[i + 2], pixels[i + 3]};
}

TEST_F(PostProcessingChain, SecondPassReadsTheFirstPassesPartOfItsTarget)
{
    // The scene framebuffer: one 64 x 64 colour texture, cleared green each
    // frame by a camera node.
    const auto colour = build.MakeTexture(hlv_gfx::TF_RGBA8, hlv_gfx::CT_RGBA, hlv_core::T_UCHAR, kSize, kSize);
    ASSERT_TRUE(colour) << ::testing::PrintToString(build.errors);
    const auto target = build.MakeFramebuffer(*gl, {colour}, {});
    ASSERT_TRUE(target) << ::testing::PrintToString(build.errors);

    auto camera = Adopt(new hlv_gfx::CPerspectiveCamera("camera"));
    camera->SetPerspective(60.0f, 1.0f, 1.0f, 10.0f);
    auto cameraNode = Adopt(new CCameraNode("clear the target"));
    cameraNode->GetViewportInput().SetValue(hlv_gfx::VIEWPORT{0, 0, kSize, kSize});
    cameraNode->AddCamera(CResourceHandle<hlv_gfx::ICamera>(camera));
    cameraNode->framebuffer = target;
    cameraNode->renderTarget = hlv_gfx::UBM_ZERO;
    cameraNode->clearMask = hlv_gfx::CLM_COLOR_BUFFER;
    cameraNode->clearColor = {0.0f, 1.0f, 0.0f, 1.0f};
    graph->GetRoot()->AddChild(CResourceHandle<INode>(cameraNode));

    // Pass 1 draws into the lower-left 32 x 32 of the target: its output's
    // texture scale is 0.5 x 0.5.
    auto writer = std::make_unique<hlv_shade::CCustomShadeNode>();
    auto writeEffect = Adopt(new hlv_gfx::CEffect("write"));
    writeEffect->passes.push_back(build.MakePassFromSource(kFullScreenVertex, kColourPixel));
    ASSERT_TRUE(writeEffect->passes[0]) << ::testing::PrintToString(build.errors);
    hlv_slot::CEffectOutputSlot writeEffectOutput(writeEffect);
    writer->GetEffectInput().Connect(&writeEffectOutput);
    writer->SetRenderTarget(target, {hlv_gfx::UBM_ZERO});
    hlv_slot::CViewportOutputSlot half(hlv_gfx::VIEWPORT{0, 0, kSize / 2, kSize / 2});
    writer->ConnectViewport(&half);
    hlv_slot::CVariantOutputSlot<float> red(1.0f), blue(0.5f);
    ASSERT_EQ(writer->ConnectFloatInput("uni_red", &red), 0u);
    ASSERT_EQ(writer->ConnectFloatInput("uni_blue", &blue), 0u);

    // Pass 2 reads the target onto the screen (the default framebuffer).
    auto reader = std::make_unique<hlv_shade::CCustomShadeNode>();
    auto readEffect = Adopt(new hlv_gfx::CEffect("read"));
    readEffect->passes.push_back(build.MakePassFromSource(kFullScreenVertex, kReadPixel));
    ASSERT_TRUE(readEffect->passes[0]) << ::testing::PrintToString(build.errors);
    hlv_slot::CEffectOutputSlot readEffectOutput(readEffect);
    reader->GetEffectInput().Connect(&readEffectOutput);
    hlv_slot::CViewportOutputSlot screen(hlv_gfx::VIEWPORT{0, 0, kSize, kSize});
    reader->ConnectViewport(&screen);
    ASSERT_EQ(reader->ConnectTexture2DInput("uni_src", writer->GetOutputSlot(hlv_gfx::UBM_ZERO)), 0u);
    ASSERT_EQ(reader->GetTexture2DInputs()[0]->GetTextureScale(), (hlv_slot::TextureScale{0.5f, 0.5f}));

    auto post = Adopt(new CLinearPostProcessingNode("post"));
    post->shadeNodes.push_back(std::move(writer));
    post->shadeNodes.push_back(std::move(reader));
    graph->GetRoot()->AddChild(CResourceHandle<INode>(post));

    // The screen: a window's default framebuffer, painted blue first so that
    // every pixel the chain sets is seen.
    hlv_sg_test::CScreenWindow window(100, 100);
    ASSERT_EQ(window.Error(), "");
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);

    RenderFrame();

    // The target: pass 1's colour in its lower-left quarter, green elsewhere.
    const std::vector<std::uint8_t> texels =
        hlv_gl_test::ReadTextureRgba8(GL_TEXTURE_2D, hlv_ogl_test::TextureNameOf(colour->apiObject));
    ASSERT_EQ(texels.size(), kSize * kSize * 4);
    const Rgba8 written = Pixel(255, 0, 128);
    for (const auto& [x, y] : {std::pair{0u, 0u}, {31u, 31u}, {16u, 5u}})
        EXPECT_EQ(At(texels, kSize, x, y), written) << x << ", " << y;
    for (const auto& [x, y] : {std::pair{32u, 0u}, {0u, 32u}, {63u, 63u}, {40u, 10u}})
        EXPECT_EQ(At(texels, kSize, x, y), Pixel(0, 255, 0)) << x << ", " << y;

    // The screen: the whole 64 x 64 viewport shows that quarter, stretched by
    // the texture matrix; without it three quarters would be green.
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    for (const auto& [x, y] : {std::pair{0, 0}, {63, 0}, {0, 63}, {63, 63}, {32, 32}, {50, 20}})
        EXPECT_EQ(hlv_gl_test::ReadPixel(x, y), written) << x << ", " << y;
    EXPECT_EQ(hlv_gl_test::ReadPixel(80, 80), Pixel(0, 0, 255)) << "outside the pass's viewport";

    // The next frame follows the controllers' new values.
    red.Value() = 0.0f;
    red.NotifyInputs();
    RenderFrame();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    EXPECT_EQ(hlv_gl_test::ReadPixel(63, 63), Pixel(0, 0, 128));
}

}  // namespace
}  // namespace hlv_sg
