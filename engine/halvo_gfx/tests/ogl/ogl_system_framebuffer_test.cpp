// Framebuffer objects made and validated by the OpenGL graphics system: the
// attachments GL holds afterwards, the framebuffer binding on every way out,
// and a draw into all targets through the renderer.
#include "ogl/system_fixture.h"

#include <halvo_core/property/PropertyTypes.h>
#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_gfx/image.h>
#include <halvo_gfx/ogl/ogl_renderer.h>
#include <halvo_gfx/render_pass_snapshot.h>

namespace hlv_ogl_system_test {
namespace {

using namespace hlv_gfx;
using hlv_gl_test::GetInteger;
using hlv_gl_test::GetIntegers;

constexpr std::uint64_t kSize = 8;

GLint AttachedObject(GLenum attachment)
{
    GLint name = -1;
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, attachment, GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME, &name);
    return name;
}

class OglSystemFramebufferTest : public COglSystemTest {
protected:
    void TearDown() override
    {
        if (framebuffer) system->ReleaseFramebuffer(framebuffer);
        framebuffer.Reset();
        for (auto& texture : textures) system->ReleaseTexture(texture);
        textures.clear();
        COglSystemTest::TearDown();
    }

    // A texture named by the system, of a format, whose image gives GL empty
    // storage of kSize x kSize.
    template <typename T = CTexture>
    Handle<T> Attachment(std::uint32_t textureFormat, std::uint32_t colorFormat, std::uint32_t valueType)
    {
        Handle<T> texture;
        if constexpr (std::is_same_v<T, CDepthTexture>)
            EXPECT_EQ(system->CreateDepthTexture(texture), GFXR_OK);
        else
            EXPECT_EQ(system->CreateTexture(texture), GFXR_OK);
        texture->textureType = TT_TEXTURE_2D;
        texture->textureFormat = textureFormat;
        texture->wrap = {3, 3, 3};
        texture->magFilter = texture->minFilter = 0;
        Handle<CImage> image(hlv_core::Adopt(new CImage("attachment image")));
        image->GetPixelBuffer()->GetPixelBufferLayout()->SetFormat(colorFormat, valueType);
        texture->SetImage(image);
        texture->width = texture->height = kSize;
        textures.emplace_back(texture);
        return texture;
    }

    // Three colour targets (RGBA8, RGBA8, RGBA32F) and a 32-bit depth texture.
    void MakeThreeTargets()
    {
        ASSERT_EQ(system->CreateFramebuffer(framebuffer), GFXR_OK);
        framebuffer->colorAttachments = {Attachment(TF_RGBA8, CT_RGBA, hlv_core::T_UCHAR),
                                         Attachment(TF_RGBA8, CT_RGBA, hlv_core::T_UCHAR),
                                         Attachment(TF_RGBA32F, CT_RGBA, hlv_core::T_FLOAT)};
        framebuffer->depthAttachment = Attachment<CDepthTexture>(TF_DEPTH_COMPONENT32, CT_LUMINANCE, hlv_core::T_FLOAT);
    }

    Handle<CFramebuffer> framebuffer;
    std::vector<Handle<CTexture>> textures;
};

TEST_F(OglSystemFramebufferTest, ValidationAttachesEveryTargetAndRestoresTheBinding)
{
    MakeThreeTargets();
    ASSERT_EQ(framebuffer->GetName(), "FB");
    ASSERT_EQ(framebuffer->apiObject->GetName(), "FB apis");
    const GLuint name = FramebufferName(framebuffer->apiObject);
    ASSERT_NE(name, 0u);

    hlv_gl_test::CTestFramebuffer outside(4, 4);
    ASSERT_EQ(system->ValidateFramebuffer(framebuffer), GFXR_OK) << ::testing::PrintToString(printer->texts);
    EXPECT_EQ(GetInteger(GL_FRAMEBUFFER_BINDING), static_cast<GLint>(outside.Name()));
    EXPECT_EQ(framebuffer->validationPending, 0);

    glBindFramebuffer(GL_FRAMEBUFFER, name);
    EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    for (GLenum i = 0; i < 3; ++i)
        EXPECT_EQ(AttachedObject(GL_COLOR_ATTACHMENT0 + i),
                  static_cast<GLint>(TextureName(framebuffer->colorAttachments[i]->apiObject)));
    EXPECT_EQ(AttachedObject(GL_DEPTH_ATTACHMENT),
              static_cast<GLint>(TextureName(framebuffer->depthAttachment->apiObject)));
    EXPECT_EQ(AttachedObject(GL_STENCIL_ATTACHMENT), 0);
    GLint depthBits = 0;
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_FRAMEBUFFER_ATTACHMENT_DEPTH_SIZE,
                                          &depthBits);
    EXPECT_EQ(depthBits, 32);
    glBindFramebuffer(GL_FRAMEBUFFER, outside.Name());
    EXPECT_EQ(hlv_gl_test::GetTextureLevelParameter(
                  GL_TEXTURE_2D, TextureName(framebuffer->colorAttachments[2]->apiObject), GL_TEXTURE_INTERNAL_FORMAT),
              GL_RGBA32F);

    // Validated once: a second call changes nothing.
    glBindFramebuffer(GL_FRAMEBUFFER, name);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT1, GL_TEXTURE_2D, 0, 0);
    glBindFramebuffer(GL_FRAMEBUFFER, outside.Name());
    EXPECT_EQ(system->ValidateFramebuffer(framebuffer), GFXR_OK);
    glBindFramebuffer(GL_FRAMEBUFFER, name);
    EXPECT_EQ(AttachedObject(GL_COLOR_ATTACHMENT1), 0);
    glBindFramebuffer(GL_FRAMEBUFFER, outside.Name());
}

TEST_F(OglSystemFramebufferTest, FailedValidationRestoresTheBindingAndStaysPending)
{
    MakeThreeTargets();
    framebuffer->colorAttachments[1].Reset();
    const GLuint name = FramebufferName(framebuffer->apiObject);

    hlv_gl_test::CTestFramebuffer outside(4, 4);
    EXPECT_EQ(system->ValidateFramebuffer(framebuffer), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(GetInteger(GL_FRAMEBUFFER_BINDING), static_cast<GLint>(outside.Name()));
    EXPECT_EQ(framebuffer->validationPending, 1);
    // Attachments before the empty one stay attached.
    glBindFramebuffer(GL_FRAMEBUFFER, name);
    EXPECT_EQ(AttachedObject(GL_COLOR_ATTACHMENT0),
              static_cast<GLint>(TextureName(framebuffer->colorAttachments[0]->apiObject)));
    glBindFramebuffer(GL_FRAMEBUFFER, outside.Name());

    // A depth attachment that is no depth texture.
    framebuffer->colorAttachments.resize(1);
    framebuffer->depthAttachment = Attachment(TF_RGBA8, CT_RGBA, hlv_core::T_UCHAR);
    EXPECT_EQ(system->ValidateFramebuffer(framebuffer), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(GetInteger(GL_FRAMEBUFFER_BINDING), static_cast<GLint>(outside.Name()));
    EXPECT_EQ(framebuffer->validationPending, 1);
}

TEST_F(OglSystemFramebufferTest, DepthOnlyFramebufferDrawsToNoColourBuffer)
{
    ASSERT_EQ(system->CreateFramebuffer(framebuffer), GFXR_OK);
    framebuffer->depthAttachment = Attachment<CDepthTexture>(TF_DEPTH_COMPONENT32, CT_LUMINANCE, hlv_core::T_FLOAT);
    ASSERT_EQ(system->ValidateFramebuffer(framebuffer), GFXR_OK) << ::testing::PrintToString(printer->texts);
    EXPECT_EQ(GetInteger(GL_FRAMEBUFFER_BINDING), 0);
    glBindFramebuffer(GL_FRAMEBUFFER, FramebufferName(framebuffer->apiObject));
    EXPECT_EQ(GetInteger(GL_DRAW_BUFFER), GL_NONE);
    EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

TEST_F(OglSystemFramebufferTest, EmptyFramebufferIsToldIncompleteButValidates)
{
    ASSERT_EQ(system->CreateFramebuffer(framebuffer), GFXR_OK);
    EXPECT_EQ(system->ValidateFramebuffer(framebuffer), GFXR_OK);
    EXPECT_EQ(GetInteger(GL_FRAMEBUFFER_BINDING), 0);
    ASSERT_FALSE(printer->texts.empty());
    for (const std::string& text : printer->texts)
        EXPECT_EQ(text, "COglSystem::ValidateFramebuffer: Failed validating the framebuffer.");
}

TEST_F(OglSystemFramebufferTest, FramebufferWithoutNameOrApiObjectIsRefused)
{
    Handle<CFramebuffer> empty;
    EXPECT_EQ(system->ValidateFramebuffer(empty), GFXR_INVALID_ARGUMENT);
    Handle<CFramebuffer> bare(hlv_core::Adopt(new CFramebuffer("bare")));
    EXPECT_EQ(system->ValidateFramebuffer(bare), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(system->ReleaseFramebuffer(bare), GFXR_INVALID_ARGUMENT);
    bare->apiObject = hlv_core::Adopt(new oglCFramebuffer_ApiSpecific("FB apis"));
    EXPECT_EQ(system->ValidateFramebuffer(bare), GFXR_INVALID_ARGUMENT);

    ASSERT_EQ(system->CreateFramebuffer(framebuffer), GFXR_OK);
    const GLuint name = FramebufferName(framebuffer->apiObject);
    ASSERT_EQ(system->CreateFramebuffer(framebuffer), GFXR_OK);
    EXPECT_EQ(FramebufferName(framebuffer->apiObject), name) << "created once";
    glBindFramebuffer(GL_FRAMEBUFFER, name);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    ASSERT_EQ(system->ReleaseFramebuffer(framebuffer), GFXR_OK);
    EXPECT_EQ(FramebufferName(framebuffer->apiObject), 0u);
    EXPECT_FALSE(glIsFramebuffer(name));
    EXPECT_EQ(system->ValidateFramebuffer(framebuffer), GFXR_INVALID_ARGUMENT);
    EXPECT_TRUE(printer->texts.empty());
}

// Validated by the system, drawn by the application's renderer.
TEST_F(OglSystemFramebufferTest, ValidatedTargetsTakeTheQuadsColoursEach)
{
    MakeThreeTargets();
    ASSERT_EQ(system->ValidateFramebuffer(framebuffer), GFXR_OK);
    Handle<CRenderPass> pass = MakePass("fullscreen.vs.glsl", "three_targets.ps.glsl");
    ASSERT_TRUE(pass);

    Handle<COglRenderer> renderer(hlv_core::Adopt(new COglRenderer("A OpenGL Renderer")));
    Handle<CRecordingLinker> rendererErrors(hlv_core::Adopt(new CRecordingLinker("renderer", events)));
    renderer->GetMessageListeners().emplace_back(rendererErrors);
    ASSERT_EQ(renderer->InitAPISpecific(), GFXR_OK);
    const auto viewport = GetIntegers(GL_VIEWPORT, 4);
    glFrontFace(GL_CCW);

    CRenderPassSnapshot values;
    values.CaptureFrom(pass);
    ASSERT_EQ(renderer->UseFramebuffer(framebuffer), GFXR_OK);
    ASSERT_EQ(renderer->SetViewport(0, 0, kSize, kSize), GFXR_OK);
    ASSERT_EQ(renderer->SwitchRenderTarget(UBM_ALL), GFXR_OK);
    ASSERT_EQ(renderer->UseRenderPass(pass, values), GFXR_OK);
    ASSERT_EQ(renderer->RenderQuad(), GFXR_OK);
    ASSERT_EQ(renderer->UseFramebuffer({}), GFXR_OK);
    glUseProgram(0);

    EXPECT_EQ(GetInteger(GL_ATTRIB_STACK_DEPTH), 0);
    EXPECT_EQ(GetIntegers(GL_VIEWPORT, 4), viewport);
    EXPECT_EQ(GetInteger(GL_FRONT_FACE), GL_CCW);
    EXPECT_EQ(GetInteger(GL_FRAMEBUFFER_BINDING), 0);

    const auto first = hlv_gl_test::ReadTextureRgba8(GL_TEXTURE_2D, TextureName(textures[0]->apiObject));
    const auto second = hlv_gl_test::ReadTextureRgba8(GL_TEXTURE_2D, TextureName(textures[1]->apiObject));
    const auto third = hlv_gl_test::ReadTextureRgbaF(GL_TEXTURE_2D, TextureName(textures[2]->apiObject));
    ASSERT_EQ(first.size(), kSize * kSize * 4);
    ASSERT_EQ(third.size(), kSize * kSize * 4);
    for (std::size_t i = 0; i < first.size(); i += 4) {
        ASSERT_EQ((std::vector<std::uint8_t>(first.begin() + i, first.begin() + i + 4)),
                  (std::vector<std::uint8_t>{255, 0, 0, 255}));
        ASSERT_EQ((std::vector<std::uint8_t>(second.begin() + i, second.begin() + i + 4)),
                  (std::vector<std::uint8_t>{0, 255, 0, 255}));
        ASSERT_EQ((std::vector<float>(third.begin() + i, third.begin() + i + 4)),
                  (std::vector<float>{0.25f, 2.5f, -1.0f, 1.0f}));
    }
    EXPECT_EQ(renderer->ReleaseAPISpecific(), GFXR_OK);
    EXPECT_TRUE(rendererErrors->messages.empty()) << ::testing::PrintToString(rendererErrors->messages);
}

}  // namespace
}  // namespace hlv_ogl_system_test
