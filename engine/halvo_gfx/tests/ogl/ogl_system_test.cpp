// The OpenGL graphics system itself: its renderer, and the three-text report
// of a failed OpenGL call with its order across printers.
#include "ogl/system_fixture.h"

#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/ogl/ogl_renderer.h>

namespace hlv_ogl_system_test {
namespace {

using namespace hlv_gfx;

using OglSystemTest = COglSystemTest;

// A shader whose API object names a program: deleting it as a shader is
// GL_INVALID_OPERATION (1282).
Handle<CShader> ShaderNamingAProgram(GLuint program)
{
    Handle<CShader> shader(hlv_core::Adopt(new CShader("mislabelled")));
    auto apiObject = hlv_core::Adopt(new CGLSL_ApiSpecific("OGL Api Specific"));
    apiObject->shader = program;
    shader->apiObject = std::move(apiObject);
    return shader;
}

TEST_F(OglSystemTest, FailedGlCallSendsThreeTextsToEveryPrinterInListOrder)
{
    Handle<CRecordingPrinter> second(hlv_core::Adopt(new CRecordingPrinter("second", events)));
    system->AddMessagePrinter(nullptr);
    system->AddMessagePrinter(second.get());

    const GLuint program = glCreateProgram();
    Handle<CShader> shader = ShaderNamingAProgram(program);
    EXPECT_EQ(system->ReleaseShader(shader), GFXR_FAIL);
    EXPECT_EQ(ShaderName(shader->apiObject), program) << "a failed release keeps the name";

    const std::vector<std::string> texts{"COglSystem::ReleaseShader: Couldn't release the GL shader id.",
                                         "Internal error: GFXR_FAIL", "OpenGL error: 1282"};
    EXPECT_EQ(printer->texts, texts);
    EXPECT_EQ(second->texts, texts);
    // Each text reaches all printers before the next text goes out.
    EXPECT_EQ(events, (EventLog{"printer: " + texts[0], "second: " + texts[0], "printer: " + texts[1],
                                "second: " + texts[1], "printer: " + texts[2], "second: " + texts[2]}));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glDeleteProgram(program);
}

TEST_F(OglSystemTest, InternalErrorNamesTheOperationsOwnResultCode)
{
    Handle<CRenderPass> pass(hlv_core::Adopt(new CRenderPass("mislabelled pass")));
    auto apiObject = hlv_core::Adopt(new CGLSL_RenderPass_ApiSpecific("OGL Api Specific"));
    apiObject->program = 0x7FFFFFF0u;  // no such object: GL_INVALID_VALUE (1281)
    pass->apiObject = std::move(apiObject);
    EXPECT_EQ(system->ReleaseRenderPass(pass), GFXR_FAIL);

    ShaderVariableList variables;
    EXPECT_EQ(system->GetActiveShaderVariableList(pass, &variables), GFXR_FAIL);
    EXPECT_TRUE(variables.empty());
    EXPECT_EQ(printer->texts, (std::vector<std::string>{
                                  "COglSystem::ReleaseRenderPass: Couldn't release the GL program id.",
                                  "Internal error: GFXR_FAIL", "OpenGL error: 1281",
                                  "COglSystem::GetActiveShaderVariableList: Failed to get number of active uniforms.",
                                  "Internal error: GFXR_FAIL", "OpenGL error: 1281"}));
}

TEST_F(OglSystemTest, ErrorsLeftByEarlierCallsAreNotBlamedOnTheNextOperation)
{
    glEnable(0x1234);  // leaves GL_INVALID_ENUM pending, as context creation may
    Handle<CTexture> texture;
    EXPECT_EQ(system->CreateTexture(texture), GFXR_OK);
    EXPECT_NE(TextureName(texture->apiObject), 0u);
    EXPECT_TRUE(printer->texts.empty());
    system->ReleaseTexture(texture);
}

TEST_F(OglSystemTest, RendererIsSharedThroughHandlesAndReleasedWithTheSystem)
{
    Handle<IRenderer> first = system->GetRenderer();
    Handle<IRenderer> second = system->GetRenderer();
    ASSERT_TRUE(first);
    EXPECT_EQ(first.get(), second.get());
    EXPECT_EQ(first->GetName(), "The default main renderer");
    EXPECT_TRUE(hlv_core::IsExactly<COglRenderer>(first.get()));
    EXPECT_EQ(first->GetRefCount(), 3u);
    second.Reset();

    EXPECT_EQ(system->GetClassInfo()->class_name, "COglSystem");
    EXPECT_EQ(system->GetClassInfo()->parent, &IGfxSystem::s_classInfo);
    system.Reset();
    EXPECT_EQ(first->GetRefCount(), 1u);
}

}  // namespace
}  // namespace hlv_ogl_system_test
