// A program linked and its uniforms discovered by the OpenGL graphics system,
// values written into the pass, captured and uploaded by the renderer, read
// back from GL.
#include "ogl/system_fixture.h"

#include <cstring>

#include <halvo_core/property/PropertyTypes.h>
#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_gfx/image.h>
#include <halvo_gfx/ogl/ogl_renderer.h>
#include <halvo_gfx/render_pass_snapshot.h>

namespace hlv_ogl_system_test {
namespace {

using namespace hlv_gfx;

Handle<CImage> SolidImage(std::uint64_t size, std::uint8_t value)
{
    Handle<CImage> image(hlv_core::Adopt(new CImage("solid")));
    EXPECT_EQ(image->SetFormat(CT_RGBA, hlv_core::T_UCHAR), GFXR_OK);
    EXPECT_EQ(image->Allocate(size, size), GFXR_OK);
    const auto pixels = image->GetPixelBuffer();
    std::memset(pixels->GetData(), value, pixels->GetDataSize());
    return image;
}

class OglSystemUniformRoundTrip : public COglSystemTest {
protected:
    void SetUp() override
    {
        COglSystemTest::SetUp();
        if (HasFatalFailure()) return;
        renderer = hlv_core::Adopt(new COglRenderer("A OpenGL Renderer"));
        rendererErrors = hlv_core::Adopt(new CRecordingLinker("renderer", events));
        renderer->GetMessageListeners().emplace_back(rendererErrors);
        ASSERT_EQ(renderer->InitAPISpecific(), GFXR_OK);
    }

    void TearDown() override
    {
        if (renderer) {
            EXPECT_TRUE(rendererErrors->messages.empty()) << ::testing::PrintToString(rendererErrors->messages);
            renderer->ReleaseAPISpecific();
        }
        renderer.Reset();
        glUseProgram(0);
        glActiveTexture(GL_TEXTURE0);
        COglSystemTest::TearDown();
    }

    std::vector<float> Floats(const char* name, std::size_t count)
    {
        std::vector<float> values(16, 0.0f);
        glGetUniformfv(program, glGetUniformLocation(program, name), values.data());
        values.resize(count);
        return values;
    }

    std::vector<GLint> Ints(const char* name, std::size_t count)
    {
        std::vector<GLint> values(4, 0);
        glGetUniformiv(program, glGetUniformLocation(program, name), values.data());
        values.resize(count);
        return values;
    }

    void Write(const char* name, const void* bytes, std::size_t size)
    {
        const Handle<CShaderVariable> variable = pass->FindVariable(name);
        ASSERT_TRUE(variable) << name;
        ASSERT_EQ(variable->GetValueSize(), size) << name;
        std::memcpy(variable->GetValue(), bytes, size);
    }

    Handle<COglRenderer> renderer;
    Handle<CRecordingLinker> rendererErrors;
    Handle<CRenderPass> pass;
    GLuint program = 0;
};

TEST_F(OglSystemUniformRoundTrip, CapturedValuesAndSamplerUnitsReachTheProgram)
{
    pass = MakePass("uniform_types.vs.glsl", "uniform_types.ps.glsl");
    ASSERT_TRUE(pass);
    ASSERT_EQ(system->UpdateShaderVariables(pass), GFXR_OK);
    program = ProgramName(pass->apiObject);

    // One texture of each kind, named by the system.
    Handle<CTexture> colour;
    ASSERT_EQ(system->CreateTexture(colour), GFXR_OK);
    colour->textureType = TT_TEXTURE_2D;
    colour->textureFormat = TF_RGBA8;
    colour->SetImage(SolidImage(2, 200));
    Handle<CDepthTexture> depth;
    ASSERT_EQ(system->CreateDepthTexture(depth), GFXR_OK);
    depth->textureType = TT_TEXTURE_2D;
    depth->textureFormat = TF_DEPTH_COMPONENT32;
    Handle<CImage> depthImage(hlv_core::Adopt(new CImage("depth")));
    depthImage->GetPixelBuffer()->GetPixelBufferLayout()->SetFormat(CT_LUMINANCE, hlv_core::T_FLOAT);
    depth->SetImage(depthImage);
    depth->width = depth->height = 2;
    Handle<CCubeMapTexture> cube;
    ASSERT_EQ(system->CreateCubeMapTexture(cube), GFXR_OK);
    cube->textureType = TT_TEXTURE_CUBE;
    for (auto& face : cube->faces) face = SolidImage(1, 90);
    cube->SetImage(cube->faces[0]);
    Handle<CTextureBuffer> particles;
    ASSERT_EQ(system->CreateTextureMemory(particles), GFXR_OK);
    ASSERT_EQ(particles->SetTexelFormat(), GFXR_OK);
    particles->WriteData([](CBuffer& memory) { ASSERT_EQ(memory.Allocate(memory.GetLayout(), 3), GFXR_OK); });

    // Bound in another order than the units go: units follow the four lists.
    ASSERT_EQ(pass->SetTextureBuffer(particles, "particle_data_buffer"), GFXR_OK);
    ASSERT_EQ(pass->SetCubeMapTexture(cube, "tex_cube"), GFXR_OK);
    ASSERT_EQ(pass->SetDepthTexture(depth, "tex_shadow"), GFXR_OK);
    ASSERT_EQ(pass->SetTexture(colour, "tex_color"), GFXR_OK);

    Handle<CShaderVariable> scalar = pass->FindVariable("u_float");
    ASSERT_EQ(system->SetShaderVariableFloat(scalar, 1.5f), GFXR_OK);
    const float v3[] = {1.0f, -2.0f, 0.5f};
    Handle<CShaderVariable> vec3 = pass->FindVariable("u_vec3");
    ASSERT_EQ(system->SetShaderVariableVec3(vec3, v3), GFXR_OK);
    const std::int32_t i4[] = {4, -3, 2, -1};
    Write("u_ivec4", i4, sizeof i4);
    float world[16];
    for (int i = 0; i < 16; ++i) world[i] = static_cast<float>(i + 1);
    Write("mat_world", world, sizeof world);
    const float m2[] = {1.0f, 2.0f, 3.0f, 4.0f};
    Write("u_mat2", m2, sizeof m2);

    CRenderPassSnapshot values;
    values.CaptureFrom(pass);
    // Written after the capture: this draw must not see it.
    ASSERT_EQ(system->SetShaderVariableFloat(scalar, 99.0f), GFXR_OK);
    ASSERT_EQ(renderer->UseRenderPass(pass, values), GFXR_OK);

    EXPECT_EQ(static_cast<GLuint>(hlv_gl_test::GetInteger(GL_CURRENT_PROGRAM)), program);
    EXPECT_EQ(Floats("u_float", 1), (std::vector<float>{1.5f}));
    EXPECT_EQ(Floats("u_vec3", 3), (std::vector<float>{1.0f, -2.0f, 0.5f}));
    EXPECT_EQ(Ints("u_ivec4", 4), (std::vector<GLint>{4, -3, 2, -1}));
    // GL gives matrices back column by column: the row-major storage arrives transposed.
    EXPECT_EQ(Floats("u_mat2", 4), (std::vector<float>{1.0f, 3.0f, 2.0f, 4.0f}));
    const auto worldBack = Floats("mat_world", 16);
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            EXPECT_EQ(worldBack[column * 4 + row], world[row * 4 + column]) << row << "," << column;
    EXPECT_EQ(Ints("tex_color", 1), (std::vector<GLint>{0}));
    EXPECT_EQ(Ints("tex_shadow", 1), (std::vector<GLint>{1}));
    EXPECT_EQ(Ints("tex_cube", 1), (std::vector<GLint>{2}));
    EXPECT_EQ(Ints("particle_data_buffer", 1), (std::vector<GLint>{3}));

    // Each unit holds its texture.
    glActiveTexture(GL_TEXTURE0);
    EXPECT_EQ(static_cast<GLuint>(hlv_gl_test::GetInteger(GL_TEXTURE_BINDING_2D)), TextureName(colour->apiObject));
    glActiveTexture(GL_TEXTURE2);
    EXPECT_EQ(static_cast<GLuint>(hlv_gl_test::GetInteger(GL_TEXTURE_BINDING_CUBE_MAP)), TextureName(cube->apiObject));
    glActiveTexture(GL_TEXTURE3);
    EXPECT_EQ(static_cast<GLuint>(hlv_gl_test::GetInteger(GL_TEXTURE_BINDING_BUFFER)),
              TextureName(particles->textureApiObject));
    EXPECT_TRUE(printer->texts.empty());

    glActiveTexture(GL_TEXTURE0);
    pass.Reset();
    values.Clear();
    // The fixture still holds the pass, whose binding shares the texture.
    EXPECT_EQ(system->ReleaseTexture(colour), GFXR_MULTI_REF);
    glDeleteTextures(1, &OglApiObject<oglCTexture_ApiSpecific>(colour->apiObject)->texture);
    EXPECT_EQ(system->ReleaseDepthTexture(depth), GFXR_OK);
    EXPECT_EQ(system->ReleaseCubeMapTexture(cube), GFXR_OK);
    EXPECT_EQ(system->ReleaseTextureMemory(particles), GFXR_OK);
}

}  // namespace
}  // namespace hlv_ogl_system_test
