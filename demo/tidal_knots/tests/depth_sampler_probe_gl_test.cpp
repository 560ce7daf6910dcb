// What a shadow sampler reads from a depth texture that the renderer sets up
// with its comparison off: the post-processing passes take the scene's depth
// through such samplers (the only sampler type a depth input is made for) and
// need the stored depth itself, not a comparison result.
#include <GL/glew.h>

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gl/gl_test.h"
#include "ogl/collecting_listener.h"
#include "ogl/gl_resource_builder.h"

#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/ogl/ogl_renderer.h>
#include <halvo_gfx/render_pass_snapshot.h>

namespace dmo_nimra {
namespace {

using hlv_core::Adopt;

constexpr char kFullScreenVertex[] = R"(#version 150 compatibility
out vec2 v_uv;
void main()
{
    gl_Position = vec4(gl_Vertex.xy, 0.0, 1.0);
    v_uv = gl_MultiTexCoord0.xy;
}
)";

// Red: the value read; green: its distance below 1 magnified 100 times, so
// that depths near the far plane are told apart in 8 bits.
constexpr char kShadowReadPixel[] = R"(#version 150 compatibility
uniform sampler2DShadow smp_depth;
in vec2 v_uv;
void main()
{
    float d = texture(smp_depth, vec3(v_uv, 0.5));
    gl_FragColor = vec4(d, clamp((1.0 - d) * 100.0, 0.0, 1.0), 0.0, 1.0);
}
)";

class DepthSamplerProbe : public hlv_gl_test::CGlTest {
protected:
    void SetUp() override
    {
        CGlTest::SetUp();
        if (HasFatalFailure()) return;
        renderer = Adopt(new hlv_gfx::COglRenderer("A OpenGL Renderer"));
        renderer->GetMessageListeners().push_back(listener);
        ASSERT_EQ(renderer->InitAPISpecific(), hlv_gfx::GFXR_OK);
    }

    void TearDown() override
    {
        if (renderer) renderer->ReleaseAPISpecific();
        EXPECT_EQ(listener->texts, std::vector<std::string>{});
        glUseProgram(0);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        CGlTest::TearDown();
    }

    hlv_core::CResourceHandle<hlv_gfx::COglRenderer> renderer;
    hlv_core::CResourceHandle<hlv_ogl_test::CCollectingListener> listener =
        Adopt(new hlv_ogl_test::CCollectingListener);
    hlv_ogl_test::CGlResourceBuilder resources;
};

TEST_F(DepthSamplerProbe, ShadowSamplerReadsTheStoredDepthWhenComparisonIsOff)
{
    constexpr GLsizei kSize = 64;
    // A depth texture as the demo's render targets are: 32-bit depth, linear
    // filtering, loaded by the renderer (comparison off).
    auto depth = resources.MakeDepthTexture(kSize, kSize);
    ASSERT_TRUE(depth) << ::testing::PrintToString(resources.errors);
    depth->magFilter = depth->minFilter = 1;
    ASSERT_EQ(renderer->LoadTexture(depth), hlv_gfx::GFXR_OK);
    const GLuint depthName = hlv_ogl_test::TextureNameOf(depth->apiObject);
    GLint compareMode = -1;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE, &compareMode);
    ASSERT_EQ(compareMode, GL_NONE);

    // Three bands of known depth: one below the comparison value the shader
    // passes, one above it, one close to the far plane.
    GLuint fbo = 0;
    glGenFramebuffers(1, &fbo);
    glBindFramebuffer(GL_FRAMEBUFFER, fbo);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, depthName, 0);
    glDrawBuffer(GL_NONE);
    glReadBuffer(GL_NONE);
    ASSERT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    glEnable(GL_SCISSOR_TEST);
    const float bands[] = {0.25f, 0.75f, 0.997f};
    for (int band = 0; band < 3; ++band) {
        glScissor(0, band * 16, kSize, 16);
        glClearDepth(bands[band]);
        glClear(GL_DEPTH_BUFFER_BIT);
    }
    glDisable(GL_SCISSOR_TEST);
    glClearDepth(1.0);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &fbo);

    auto pass = resources.MakePassFromSource(kFullScreenVertex, kShadowReadPixel);
    ASSERT_TRUE(pass) << ::testing::PrintToString(resources.errors);
    ASSERT_EQ(pass->SetDepthTexture(depth, "smp_depth"), hlv_gfx::GFXR_OK);

    hlv_gl_test::CTestFramebuffer target(kSize, kSize);
    ASSERT_TRUE(target.IsComplete());
    hlv_gfx::CRenderPassSnapshot values;
    ASSERT_EQ(renderer->UseRenderPass(pass, values), hlv_gfx::GFXR_OK);
    ASSERT_EQ(renderer->RenderQuad(), hlv_gfx::GFXR_OK);

    for (int band = 0; band < 3; ++band) {
        const hlv_gl_test::Rgba8 read = hlv_gl_test::ReadPixel(kSize / 2, band * 16 + 8);
        const float stored = bands[band];
        EXPECT_NEAR(read[0], stored * 255.0f, 1.5f) << "band " << band;
        const float nearFar = std::min(1.0f, (1.0f - stored) * 100.0f);
        EXPECT_NEAR(read[1], nearFar * 255.0f, 1.5f) << "band " << band;
    }
}

}  // namespace
}  // namespace dmo_nimra
