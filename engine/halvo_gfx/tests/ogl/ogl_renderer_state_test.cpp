// The OpenGL renderer's own object and its fixed state: error texts and
// listeners, the quad's lifecycle, attribute and matrix stacks, render
// states, and the refusal of values that have no GL counterpart.
#include "ogl/renderer_fixture.h"

#include <sstream>

#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/gfx_types.h>

namespace hlv_ogl_test {
namespace {

using namespace hlv_gfx;
using hlv_gl_test::GetFloats;
using hlv_gl_test::GetInteger;
using hlv_gl_test::GetIntegers;

using OglRendererStateTest = COglRendererTest;

TEST_F(OglRendererStateTest, GlErrorReachesEveryListenerInOrderAndSkipsEmptyHandles)
{
    auto second = hlv_core::Adopt(new CCollectingListener("second"));
    renderer->GetMessageListeners().push_back({});
    renderer->GetMessageListeners().push_back(second);

    // Nothing was pushed: GL_STACK_UNDERFLOW.
    EXPECT_EQ(renderer->PopAttrib(), GFXR_API_FAIL);
    const std::string expected = "COglRenderer::PopAttrib: glPopAttrib failed, Error: 1284, stack underflow; ";
    EXPECT_EQ(listener->texts, std::vector<std::string>{expected});
    EXPECT_EQ(second->texts, std::vector<std::string>{expected});
    listener->texts.clear();

    // An error is reported once: the next checked call succeeds.
    EXPECT_EQ(renderer->Clear(CLM_COLOR_BUFFER), GFXR_OK);
    EXPECT_TRUE(second->texts.size() == 1);
}

TEST_F(OglRendererStateTest, CodeWithoutGluTextIsAnUnknownError)
{
    renderer->ReportGlError("context", 0x9999);
    EXPECT_EQ(listener->texts, std::vector<std::string>{"context, Error: 39321, unknown error; "});
    listener->texts.clear();
}

TEST_F(OglRendererStateTest, WithoutListenersAGlErrorStillFails)
{
    renderer->GetMessageListeners().clear();
    EXPECT_EQ(renderer->PopMatrix(), GFXR_API_FAIL);  // the model-view stack holds one matrix
}

TEST_F(OglRendererStateTest, ErrorsLeftByContextCreationAreDrainedAtStart)
{
    renderer->ReleaseAPISpecific();
    glEnable(0x1234);  // a stale GL_INVALID_ENUM, as a fresh context may hold
    EXPECT_EQ(renderer->InitAPISpecific(), GFXR_OK);
    EXPECT_EQ(renderer->SetClearColor(0, 0, 0, 1), GFXR_OK);
    EXPECT_TRUE(listener->texts.empty());
}

TEST_F(OglRendererStateTest, QuadIsCreatedOnceAndAgainAfterRelease)
{
    const GLint arrays = GetInteger(GL_VERTEX_ARRAY_BINDING);
    testing::internal::CaptureStderr();
    EXPECT_EQ(renderer->InitAPISpecific(), GFXR_OK);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "COglRenderer::InitAPISpecific: Still initialized.\n");
    EXPECT_EQ(GetInteger(GL_VERTEX_ARRAY_BINDING), arrays);

    EXPECT_EQ(renderer->ReleaseAPISpecific(), GFXR_OK);
    EXPECT_EQ(renderer->RenderQuad(), GFXR_INVALID_ARGUMENT);  // no quad, no draw
    EXPECT_EQ(renderer->InitAPISpecific(), GFXR_OK);
    EXPECT_EQ(GetInteger(GL_ARRAY_BUFFER_BINDING), 0);
    EXPECT_EQ(GetInteger(GL_ELEMENT_ARRAY_BUFFER_BINDING), 0);
}

TEST_F(OglRendererStateTest, ReservedOperationsFailAndTouchNothing)
{
    EXPECT_EQ(renderer->ReservedOperationA(), GFXR_FAIL);
    EXPECT_EQ(renderer->ReservedOperationB(), GFXR_FAIL);
    EXPECT_EQ(renderer->ReservedOperationC(), GFXR_FAIL);
    EXPECT_EQ(renderer->ReservedOperationD(), GFXR_FAIL);
}

TEST_F(OglRendererStateTest, AttributeGroupsFollowTheFlags)
{
    EXPECT_EQ(renderer->PushAttrib(0), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(GetInteger(GL_ATTRIB_STACK_DEPTH), 0);

    glDisable(GL_BLEND);
    EXPECT_EQ(renderer->PushAttrib(64 + 1), GFXR_OK);  // all groups
    EXPECT_EQ(GetInteger(GL_ATTRIB_STACK_DEPTH), 1);
    glEnable(GL_BLEND);
    EXPECT_EQ(renderer->PopAttrib(), GFXR_OK);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));

    // Viewport group only: the enable bits are not restored.
    EXPECT_EQ(renderer->PushAttrib(32), GFXR_OK);
    glEnable(GL_BLEND);
    glViewport(1, 2, 3, 4);
    EXPECT_EQ(renderer->PopAttrib(), GFXR_OK);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_NE(GetIntegers(GL_VIEWPORT, 4), (std::vector<GLint>{1, 2, 3, 4}));
    glDisable(GL_BLEND);
}

TEST_F(OglRendererStateTest, MatrixModeIsCachedButNotAcrossAnAttributePop)
{
    EXPECT_EQ(renderer->SetMatrixMode(MM_UNDEFINED), GFXR_OK);  // equals the fresh renderer's mode
    EXPECT_EQ(renderer->SetMatrixMode(MM_PROJECTION), GFXR_OK);
    EXPECT_EQ(GetInteger(GL_MATRIX_MODE), GL_PROJECTION);
    EXPECT_EQ(renderer->SetMatrixMode(MM_UNDEFINED), GFXR_INVALID_ARGUMENT);
    // A mode past MM_TEXTURE reaches GL as stack 0, which GL refuses: reported
    // each time it is asked for, and GL stays on its stack.
    const std::string refused = "COglRenderer::SetMatrixMode: Failed to switch matrix mode., Error: 1280, "
                                "invalid enumerant; ";
    EXPECT_EQ(renderer->SetMatrixMode(4), GFXR_API_FAIL);
    EXPECT_EQ(renderer->SetMatrixMode(4), GFXR_API_FAIL);
    EXPECT_EQ(renderer->SetMatrixMode(0xFFFFFFFFu), GFXR_API_FAIL);
    EXPECT_EQ(listener->texts, std::vector<std::string>(3, refused));
    listener->texts.clear();
    EXPECT_EQ(GetInteger(GL_MATRIX_MODE), GL_PROJECTION);
    EXPECT_EQ(renderer->SetMatrixMode(MM_PROJECTION), GFXR_OK);

    // A group with the transform bit brings GL back to the projection stack.
    EXPECT_EQ(renderer->PushAttrib(64), GFXR_OK);
    EXPECT_EQ(renderer->SetMatrixMode(MM_MODELVIEW), GFXR_OK);
    EXPECT_EQ(renderer->PopAttrib(), GFXR_OK);
    EXPECT_EQ(GetInteger(GL_MATRIX_MODE), GL_PROJECTION);
    EXPECT_EQ(renderer->SetMatrixMode(MM_MODELVIEW), GFXR_OK);
    EXPECT_EQ(GetInteger(GL_MATRIX_MODE), GL_MODELVIEW);

    // A selected mode is not sent again.
    glMatrixMode(GL_TEXTURE);
    EXPECT_EQ(renderer->SetMatrixMode(MM_MODELVIEW), GFXR_OK);
    EXPECT_EQ(GetInteger(GL_MATRIX_MODE), GL_TEXTURE);
    glMatrixMode(GL_MODELVIEW);
}

TEST_F(OglRendererStateTest, TransformationIsLoadedTransposedOnTheStack)
{
    ASSERT_EQ(renderer->SetMatrixMode(MM_MODELVIEW), GFXR_OK);
    EXPECT_EQ(renderer->PushMatrix(), GFXR_OK);
    const float rowMajor[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};
    EXPECT_EQ(renderer->SetTransformation(rowMajor), GFXR_OK);
    const auto columnMajor = GetFloats(GL_MODELVIEW_MATRIX, 16);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_EQ(columnMajor[c * 4 + r], rowMajor[r * 4 + c]);
    EXPECT_EQ(renderer->PopMatrix(), GFXR_OK);
    EXPECT_EQ(GetFloats(GL_MODELVIEW_MATRIX, 1)[0], 1.0f);
}

TEST_F(OglRendererStateTest, FaceWindingAndFillModeAreSetAndRemembered)
{
    std::uint32_t value = 99;
    EXPECT_EQ(renderer->GetCullMode(value), GFXR_OK);
    EXPECT_EQ(value, 1u);
    EXPECT_EQ(renderer->GetFrontFace(value), GFXR_OK);
    EXPECT_EQ(value, 1u);

    EXPECT_EQ(renderer->SetCullMode(0), GFXR_OK);
    EXPECT_EQ(GetInteger(GL_CULL_FACE_MODE), GL_FRONT);
    EXPECT_EQ(renderer->SetFrontFace(0), GFXR_OK);
    EXPECT_EQ(GetInteger(GL_FRONT_FACE), GL_CW);
    EXPECT_EQ(renderer->SetFillMode(1, 1), GFXR_OK);
    EXPECT_EQ(GetIntegers(GL_POLYGON_MODE, 2)[1], GL_LINE);
    EXPECT_EQ(renderer->GetFillMode(1, value), GFXR_OK);
    EXPECT_EQ(value, 1u);

    // Values outside the tables: refused, nothing stored, GL untouched.
    EXPECT_EQ(renderer->SetFillMode(3, 0), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(renderer->SetFillMode(-1, 0), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(renderer->SetFillMode(0, 3), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(renderer->GetFillMode(3, value), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(renderer->SetFrontFace(7), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(renderer->SetCullMode(3), GFXR_INVALID_ARGUMENT);
    for (std::int32_t face = 0; face < 3; ++face) {
        EXPECT_EQ(renderer->GetFillMode(face, value), GFXR_OK);
        EXPECT_EQ(value, face == 1 ? 1u : 2u);
    }
    EXPECT_EQ(renderer->GetFrontFace(value), GFXR_OK);
    EXPECT_EQ(value, 0u);
    EXPECT_EQ(GetInteger(GL_FRONT_FACE), GL_CW);
    EXPECT_EQ(GetInteger(GL_CULL_FACE_MODE), GL_FRONT);

    renderer->SetCullMode(1);
    renderer->SetFrontFace(1);
    renderer->SetFillMode(2, 2);
}

TEST_F(OglRendererStateTest, RenderStatesAndBlendingMapToGl)
{
    EXPECT_EQ(renderer->EnableRenderState(RS_BLEND), GFXR_OK);
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(renderer->DisableRenderState(RS_BLEND), GFXR_OK);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(renderer->DisableRenderState(RS_DEPTH_WRITE), GFXR_OK);
    EXPECT_EQ(GetInteger(GL_DEPTH_WRITEMASK), GL_FALSE);
    EXPECT_EQ(renderer->EnableRenderState(RS_DEPTH_WRITE), GFXR_OK);
    EXPECT_EQ(GetInteger(GL_DEPTH_WRITEMASK), GL_TRUE);
    // States without a GL capability, values past RS_DEPTH_WRITE among them,
    // succeed and change nothing; RS_UNDEFINED is refused.
    for (const std::uint32_t state : {std::uint32_t{RS_FILLMODE}, 8u, 0xFFFFFFFFu}) {
        EXPECT_EQ(renderer->EnableRenderState(state), GFXR_OK) << state;
        EXPECT_EQ(renderer->DisableRenderState(state), GFXR_OK) << state;
    }
    EXPECT_EQ(renderer->EnableRenderState(RS_UNDEFINED), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(renderer->DisableRenderState(RS_UNDEFINED), GFXR_INVALID_ARGUMENT);
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(GetInteger(GL_DEPTH_WRITEMASK), GL_TRUE);
    EXPECT_TRUE(listener->texts.empty());

    // Factor 6 is source alpha, 7 one minus source alpha, 4 destination colour.
    EXPECT_EQ(renderer->SetRenderState(BLEND_FACTOR{6}, BLEND_FACTOR{7}), GFXR_OK);
    EXPECT_EQ(GetInteger(GL_BLEND_SRC_RGB), GL_SRC_ALPHA);
    EXPECT_EQ(GetInteger(GL_BLEND_DST_ALPHA), GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_EQ(renderer->SetRenderState(BLEND_FACTOR{1}, BLEND_FACTOR{4}, BLEND_FACTOR{0}, BLEND_FACTOR{1}), GFXR_OK);
    EXPECT_EQ(GetInteger(GL_BLEND_DST_RGB), GL_DST_COLOR);
    EXPECT_EQ(GetInteger(GL_BLEND_SRC_ALPHA), GL_ZERO);
    EXPECT_EQ(renderer->SetRenderState(BLEND_EQUATION{1}, BLEND_EQUATION{4}), GFXR_OK);
    EXPECT_EQ(GetInteger(GL_BLEND_EQUATION_RGB), GL_FUNC_SUBTRACT);
    EXPECT_EQ(GetInteger(GL_BLEND_EQUATION_ALPHA), GL_MAX);

    EXPECT_EQ(renderer->SetRenderState(BLEND_FACTOR{15}, BLEND_FACTOR{0}), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(renderer->SetRenderState(BLEND_FACTOR{0}, BLEND_FACTOR{0}, BLEND_FACTOR{0}, BLEND_FACTOR{99}),
              GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(renderer->SetRenderState(BLEND_EQUATION{6}), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(GetInteger(GL_BLEND_SRC_RGB), GL_ONE);
    EXPECT_EQ(GetInteger(GL_BLEND_EQUATION_RGB), GL_FUNC_SUBTRACT);

    renderer->SetRenderState(BLEND_EQUATION{0});
    renderer->SetRenderState(BLEND_FACTOR{1}, BLEND_FACTOR{0});
}

TEST_F(OglRendererStateTest, ViewportIsRememberedOnlyWhenSet)
{
    EXPECT_EQ(renderer->SetViewport(VIEWPORT{2, 3, 40, 50}), GFXR_OK);
    EXPECT_EQ(GetIntegers(GL_VIEWPORT, 4), (std::vector<GLint>{2, 3, 40, 50}));
    EXPECT_EQ(renderer->GetViewport(), (VIEWPORT{2, 3, 40, 50}));
    EXPECT_EQ(renderer->SetViewport(0, 0, std::uint64_t{1} << 40, 10), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(renderer->GetViewport(), (VIEWPORT{2, 3, 40, 50}));
}

TEST_F(OglRendererStateTest, ClearUsesTheClearColourAndAcceptsAnEmptyMask)
{
    hlv_gl_test::CTestFramebuffer target(4, 4);
    EXPECT_EQ(renderer->SetClearColor(0.0f, 1.0f, 0.0f, 1.0f), GFXR_OK);
    EXPECT_EQ(renderer->Clear(CLM_COLOR_BUFFER | CLM_DEPTH_BUFFER), GFXR_OK);
    EXPECT_EQ(hlv_gl_test::ReadPixel(1, 1), (hlv_gl_test::Rgba8{0, 255, 0, 255}));
    EXPECT_EQ(renderer->SetClearColor(1.0f, 0.0f, 0.0f, 1.0f), GFXR_OK);
    EXPECT_EQ(renderer->Clear(0), GFXR_OK);
    EXPECT_EQ(hlv_gl_test::ReadPixel(1, 1), (hlv_gl_test::Rgba8{0, 255, 0, 255}));
    renderer->SetClearColor(0, 0, 0, 0);
}

}  // namespace
}  // namespace hlv_ogl_test
