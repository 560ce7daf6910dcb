// The GL test harness itself: the context every GL test relies on, and the
// read-back helpers the tests judge by.
#include "gl/gl_test.h"

#include <string>

namespace {

using hlv_gl_test::CGlTest;
using hlv_gl_test::CTestFramebuffer;
using hlv_gl_test::GetInteger;
using hlv_gl_test::ReadPixel;
using hlv_gl_test::Rgba8;

using GlHarnessTest = CGlTest;

TEST_F(GlHarnessTest, ContextHasTheCompatibilityProfileAndGlewEntryPoints)
{
    const auto info = hlv_gl_test::GetGlContextInfo();
    RecordProperty("GL_VERSION", info.version);
    RecordProperty("GL_RENDERER", info.renderer);
    EXPECT_NE(GetInteger(GL_CONTEXT_PROFILE_MASK) & GL_CONTEXT_COMPATIBILITY_PROFILE_BIT, 0);
    EXPECT_GE(GetInteger(GL_MAJOR_VERSION) * 10 + GetInteger(GL_MINOR_VERSION), 32) << info.version;
    EXPECT_FALSE(info.glslVersion.empty());

    // Entry points beyond GL 1.1 come from GLEW.
    EXPECT_NE(glGenFramebuffers, nullptr);
    EXPECT_NE(glUniformMatrix4fv, nullptr);
    EXPECT_NE(glTexBufferARB, nullptr);
    EXPECT_NE(glDrawElementsInstancedARB, nullptr);

    // The fixed-function stacks the renderer uses exist.
    glPushAttrib(GL_VIEWPORT_BIT);
    EXPECT_EQ(GetInteger(GL_ATTRIB_STACK_DEPTH), 1);
    glPopAttrib();
    EXPECT_EQ(GetInteger(GL_ATTRIB_STACK_DEPTH), 0);
}

TEST_F(GlHarnessTest, SecondRequestKeepsTheSameContext)
{
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    ASSERT_EQ(hlv_gl_test::EnsureGlContext(), "");
    EXPECT_TRUE(glIsTexture(texture));
    glBindTexture(GL_TEXTURE_2D, 0);
    glDeleteTextures(1, &texture);
}

TEST_F(GlHarnessTest, FramebufferDrawsAndReadsBackPixels)
{
    {
        CTestFramebuffer target(16, 8);
        ASSERT_TRUE(target.IsComplete());
        EXPECT_EQ(hlv_gl_test::GetIntegers(GL_VIEWPORT, 4), (std::vector<GLint>{0, 0, 16, 8}));

        glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        // A red quad over the left half, through client arrays.
        const GLfloat quad[] = {-1, -1, 0, -1, 0, 1, -1, 1};
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glColor4f(1.0f, 0.0f, 0.0f, 1.0f);
        glEnableClientState(GL_VERTEX_ARRAY);
        glVertexPointer(2, GL_FLOAT, 0, quad);
        glDrawArrays(GL_TRIANGLE_FAN, 0, 4);
        glDisableClientState(GL_VERTEX_ARRAY);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);

        EXPECT_EQ(ReadPixel(2, 4), (Rgba8{255, 0, 0, 255}));
        EXPECT_EQ(ReadPixel(13, 4), (Rgba8{0, 0, 255, 255}));
        const auto texels = hlv_gl_test::ReadTextureRgba8(GL_TEXTURE_2D, target.ColorTexture());
        ASSERT_EQ(texels.size(), 16u * 8u * 4u);
        EXPECT_EQ(texels[0], 255);
        EXPECT_EQ(texels[(16 * 4 + 15) * 4 + 2], 255);
    }
    EXPECT_EQ(GetInteger(GL_FRAMEBUFFER_BINDING), 0);
}

TEST_F(GlHarnessTest, TextureReadBackRestoresTheBinding)
{
    GLuint textures[2] = {};
    glGenTextures(2, textures);
    glBindTexture(GL_TEXTURE_2D, textures[0]);
    const float texels[] = {0.25f, 0.5f, 0.75f, 1.0f, 2.0f, -1.0f, 0.0f, 8.0f};
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA32F, 2, 1, 0, GL_RGBA, GL_FLOAT, texels);
    glBindTexture(GL_TEXTURE_2D, textures[1]);

    EXPECT_EQ(hlv_gl_test::ReadTextureRgbaF(GL_TEXTURE_2D, textures[0]),
              std::vector<float>(std::begin(texels), std::end(texels)));
    EXPECT_EQ(hlv_gl_test::GetTextureLevelParameter(GL_TEXTURE_2D, textures[0], GL_TEXTURE_INTERNAL_FORMAT),
              GL_RGBA32F);
    EXPECT_EQ(GetInteger(GL_TEXTURE_BINDING_2D), static_cast<GLint>(textures[1]));
    glBindTexture(GL_TEXTURE_2D, 0);
    glDeleteTextures(2, textures);
}

TEST_F(GlHarnessTest, DrainingCollectsEveryPendingError)
{
    glEnable(0x1234);  // GL_INVALID_ENUM
    glBindTexture(GL_TEXTURE_2D, 0);
    glLineWidth(-1.0f);  // GL_INVALID_VALUE
    // Drivers may keep one error flag (Mesa) or one per kind of error.
    const auto errors = hlv_gl_test::DrainGlErrors();
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.front(), static_cast<GLenum>(GL_INVALID_ENUM));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
