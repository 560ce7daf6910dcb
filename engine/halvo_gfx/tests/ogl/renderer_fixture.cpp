#include "ogl/renderer_fixture.h"

#include <halvo_gfx/GFX_RESULT.h>

namespace hlv_ogl_test {

void COglRendererTest::SetUp()
{
    CGlTest::SetUp();
    renderer = hlv_core::Adopt(new hlv_gfx::COglRenderer("A OpenGL Renderer"));
    listener = hlv_core::Adopt(new CCollectingListener());
    renderer->GetMessageListeners().push_back(listener);
    ASSERT_EQ(renderer->InitAPISpecific(), hlv_gfx::GFXR_OK);
}

void COglRendererTest::TearDown()
{
    if (renderer) {
        renderer->UseFramebuffer({});
        renderer->ReleaseAPISpecific();
    }
    EXPECT_EQ(listener->texts, std::vector<std::string>{}) << "GL errors the test did not expect";
    glUseProgram(0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    EXPECT_EQ(hlv_gl_test::GetInteger(GL_ATTRIB_STACK_DEPTH), 0);
    CGlTest::TearDown();
}

}  // namespace hlv_ogl_test
