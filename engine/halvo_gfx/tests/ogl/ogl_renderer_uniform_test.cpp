// Uniforms and texture units of a render pass: values written by the
// renderer from the copy taken when the draw was queued, read back from the
// linked program with glGetUniform*.
#include "ogl/renderer_fixture.h"

#include <algorithm>

#include <cstring>

#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/effect_snapshot.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_gfx/render_pass_snapshot.h>

#include "pass_builder.h"

namespace hlv_ogl_test {
namespace {

using namespace hlv_gfx;
using hlv_gl_test::GetFloats;
using hlv_gl_test::GetInteger;

GLuint CurrentProgram() { return static_cast<GLuint>(GetInteger(GL_CURRENT_PROGRAM)); }

GLint LocationOf(GLuint program, const char* name) { return glGetUniformLocation(program, name); }

std::vector<float> UniformFloats(GLuint program, const char* name, std::size_t count)
{
    std::vector<float> values(16, 0.0f);
    glGetUniformfv(program, LocationOf(program, name), values.data());
    values.resize(count);
    return values;
}

std::vector<GLint> UniformInts(GLuint program, const char* name, std::size_t count)
{
    std::vector<GLint> values(4, 0);
    glGetUniformiv(program, LocationOf(program, name), values.data());
    values.resize(count);
    return values;
}

// Fills every non-sampler variable with values that tell its elements apart:
// float k of variable v is v + k / 32, int k is 10 v + k.
void WriteDistinctValues(CRenderPass& pass, float bias)
{
    int v = 0;
    for (const auto& variable : pass.GetVariables()) {
        ++v;
        const std::uint32_t type = variable->GetType();
        if (IsSamplerType(type)) continue;
        const std::size_t count = ShaderVariableTypeSize(type) / 4;
        for (std::size_t k = 0; k < count; ++k) {
            if (type >= SVT_INT && type <= SVT_INT_VEC4) {
                const std::int32_t value = 10 * v + static_cast<std::int32_t>(k) + static_cast<std::int32_t>(bias);
                std::memcpy(variable->GetValue() + 4 * k, &value, 4);
            } else {
                const float value = static_cast<float>(v) + static_cast<float>(k) / 32.0f + bias;
                std::memcpy(variable->GetValue() + 4 * k, &value, 4);
            }
        }
    }
}

class OglRendererUniformTest : public COglRendererTest {
protected:
    void SetUp() override
    {
        COglRendererTest::SetUp();
        pass = MakePass("uniform_types.vs.glsl", "uniform_types.ps.glsl");
        ASSERT_TRUE(pass);
        colour = MakeTexture(TF_RGBA8, CT_RGBA, hlv_core::T_UCHAR, 2, 2, std::vector<std::uint8_t>(16, 200));
        depth = MakeDepthTexture(2, 2);
        cube = MakeCubeMap(1, {0xFF0000FF, 0x00FF00FF, 0x0000FFFF, 0xFFFF00FF, 0xFF00FFFF, 0x00FFFFFF});
        buffer = MakeTextureBuffer(std::vector<float>(12, 0.5f));
        // Bound in an order other than the units': units follow the lists.
        ASSERT_EQ(pass->SetTextureBuffer(buffer, "particle_data_buffer"), GFXR_OK);
        ASSERT_EQ(pass->SetCubeMapTexture(cube, "tex_cube"), GFXR_OK);
        ASSERT_EQ(pass->SetDepthTexture(depth, "tex_shadow"), GFXR_OK);
        ASSERT_EQ(pass->SetTexture(colour, "tex_color"), GFXR_OK);
    }

    Handle<CRenderPass> pass;
    Handle<CTexture> colour;
    Handle<CDepthTexture> depth;
    Handle<CCubeMapTexture> cube;
    Handle<CTextureBuffer> buffer;
};

TEST_F(OglRendererUniformTest, DiscoveredVariablesCoverEveryDeclaredUniform)
{
    std::vector<std::string> names;
    for (const auto& variable : pass->GetVariables()) names.push_back(variable->GetName());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names,
              (std::vector<std::string>{"mat_proj", "mat_view", "mat_world", "particle_data_buffer", "tex_color",
                                        "tex_cube", "tex_shadow", "u_float", "u_int", "u_ivec2", "u_ivec3", "u_ivec4",
                                        "u_mat2", "u_mat3", "u_vec2", "u_vec3", "u_vec4", "vec_cam_pos_ws"}));
    EXPECT_EQ(pass->FindVariable("u_mat3")->GetType(), SVT_FLOAT_MAT3);
    EXPECT_EQ(pass->FindVariable("particle_data_buffer")->GetType(), SVT_SAMPLER_BUFFER);
}

TEST_F(OglRendererUniformTest, ValuesComeFromTheCopyTakenWhenQueued)
{
    WriteDistinctValues(*pass, 0.0f);
    CRenderPassSnapshot values;
    values.CaptureFrom(pass);
    // The update thread moves on and writes the next node's values.
    WriteDistinctValues(*pass, 100.0f);

    ASSERT_EQ(renderer->UseRenderPass(pass, values), GFXR_OK);
    const GLuint program = CurrentProgram();
    ASSERT_EQ(program, OglApiObject<CGLSL_RenderPass_ApiSpecific>(pass->apiObject)->program);

    // Compare every uniform with what was captured (not with the live values).
    for (std::size_t i = 0; i < values.GetValueCount(); ++i) {
        const auto& entry = values.GetValueEntry(i);
        const std::string name = entry.variable->GetName();
        const std::byte* captured = values.GetValueData(i);
        ASSERT_NE(captured, nullptr) << name;
        if (IsSamplerType(entry.type)) continue;
        if (entry.type >= SVT_INT && entry.type <= SVT_INT_VEC4) {
            const auto ints = UniformInts(program, name.c_str(), entry.size / 4);
            EXPECT_EQ(std::memcmp(ints.data(), captured, entry.size), 0) << name;
            EXPECT_NE(std::memcmp(ints.data(), entry.variable->GetValue(), entry.size), 0)
                << name << " holds the live value, not the captured one";
            continue;
        }
        const auto floats = UniformFloats(program, name.c_str(), entry.size / 4);
        std::vector<float> expected(entry.size / 4);
        std::memcpy(expected.data(), captured, entry.size);
        const std::size_t n = entry.type == SVT_FLOAT_MAT2   ? 2
                              : entry.type == SVT_FLOAT_MAT3 ? 3
                              : entry.type == SVT_FLOAT_MAT4 ? 4
                                                             : 0;
        std::vector<float> live(entry.size / 4);
        std::memcpy(live.data(), entry.variable->GetValue(), entry.size);
        EXPECT_NE(expected, live) << name;
        if (n == 0) {
            EXPECT_EQ(floats, expected) << name;
            continue;
        }
        // GL answers column-major; the engine's matrices are row-major.
        for (std::size_t r = 0; r < n; ++r)
            for (std::size_t c = 0; c < n; ++c)
                EXPECT_EQ(floats[c * n + r], expected[r * n + c]) << name << " row " << r << " column " << c;
    }
}

TEST_F(OglRendererUniformTest, EveryBindingGetsTheNextUnitAcrossTheFourLists)
{
    CRenderPassSnapshot values;
    values.CaptureFrom(pass);
    const float scale[16] = {2, 0, 0, 0.5f, 0, 3, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    ASSERT_EQ(renderer->SetTextureMatrix(scale, 0), GFXR_OK);
    ASSERT_EQ(renderer->UseRenderPass(pass, values), GFXR_OK);
    const GLuint program = CurrentProgram();

    EXPECT_EQ(UniformInts(program, "tex_color", 1)[0], 0);
    EXPECT_EQ(UniformInts(program, "tex_shadow", 1)[0], 1);
    EXPECT_EQ(UniformInts(program, "tex_cube", 1)[0], 2);
    EXPECT_EQ(UniformInts(program, "particle_data_buffer", 1)[0], 3);
    // The units went into the copy, never into the variables' own storage.
    std::uint64_t live = 99;
    std::memcpy(&live, pass->FindVariable("particle_data_buffer")->GetValue(), sizeof live);
    EXPECT_EQ(live, 0u);

    glActiveTexture(GL_TEXTURE0);
    EXPECT_EQ(GetInteger(GL_TEXTURE_BINDING_2D), static_cast<GLint>(TextureNameOf(colour->apiObject)));
    const auto matrix = GetFloats(GL_TEXTURE_MATRIX, 16);
    EXPECT_EQ(matrix[12], 0.5f);  // row 0, column 3 of the row-major matrix
    EXPECT_EQ(matrix[5], 3.0f);
    glActiveTexture(GL_TEXTURE1);
    EXPECT_EQ(GetInteger(GL_TEXTURE_BINDING_2D), static_cast<GLint>(TextureNameOf(depth->apiObject)));
    EXPECT_EQ(GetFloats(GL_TEXTURE_MATRIX, 1)[0], 1.0f);  // only 2D bindings get a texture matrix
    glActiveTexture(GL_TEXTURE2);
    EXPECT_EQ(GetInteger(GL_TEXTURE_BINDING_CUBE_MAP), static_cast<GLint>(TextureNameOf(cube->apiObject)));
    glActiveTexture(GL_TEXTURE3);
    EXPECT_EQ(GetInteger(GL_TEXTURE_BINDING_BUFFER), static_cast<GLint>(TextureNameOf(buffer->textureApiObject)));
    glActiveTexture(GL_TEXTURE0);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    renderer->SetTextureMatrix(identity, 0);
}

TEST_F(OglRendererUniformTest, EffectDrawsUseTheValuesCapturedWithTheEffect)
{
    auto effect = hlv_core::Adopt(new CEffect("effect"));
    effect->passes.push_back(pass);
    const auto value = pass->FindVariable("u_float");
    hlv_gfx_test::WriteValue(*value, {1.5f});
    CEffectSnapshot values;
    values.CaptureFrom(effect);
    hlv_gfx_test::WriteValue(*value, {101.5f});

    ASSERT_EQ(renderer->UseEffect(effect, values), GFXR_OK);
    EXPECT_EQ(values.GetPassCount(), 0u);  // the renderer took the values
    auto vertices = MakeVertexBuffer({VBL_POSITION}, {0, 0, 0, 1, 0, 0, 0, 1, 0});
    auto indices = MakeIndexBuffer({0, 1, 2});
    hlv_gl_test::CTestFramebuffer target(4, 4);
    ASSERT_EQ(renderer->RenderEffect(PT_TRIANGLES, vertices, indices), GFXR_OK);
    EXPECT_EQ(UniformFloats(CurrentProgram(), "u_float", 1)[0], 1.5f);

    // An empty effect changes nothing.
    EXPECT_EQ(renderer->UseEffect({}, values), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(renderer->GetEffect(), effect);
}

TEST_F(OglRendererUniformTest, PassWithoutProgramOrStagesIsRefused)
{
    CRenderPassSnapshot values;
    EXPECT_EQ(renderer->UseRenderPass({}, values), GFXR_INVALID_ARGUMENT);
    auto noProgram = hlv_core::Adopt(new CRenderPass("no program"));
    noProgram->vertexShader = pass->vertexShader;
    noProgram->pixelShader = pass->pixelShader;
    EXPECT_EQ(renderer->UseRenderPass(noProgram, values), GFXR_INVALID_ARGUMENT);
    pass->pixelShader.Reset();
    EXPECT_EQ(renderer->UseRenderPass(pass, values), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(GetInteger(GL_CURRENT_PROGRAM), 0);
}

TEST_F(OglRendererUniformTest, VariablesWithoutSetterOrLocationAreSkipped)
{
    auto odd = hlv_core::Adopt(new CShaderVariable("odd"));
    odd->SetType(SVT_BOOL);
    odd->AllocateValue(ShaderVariableTypeSize(SVT_BOOL));
    pass->GetVariables().push_back(odd);
    auto unlocated = hlv_core::Adopt(new CShaderVariable("unlocated"));
    unlocated->SetType(SVT_FLOAT);
    unlocated->AllocateValue(4);
    pass->GetVariables().push_back(unlocated);
    CRenderPassSnapshot values;
    EXPECT_EQ(renderer->UseRenderPass(pass, values), GFXR_OK);  // captured on the spot
}

}  // namespace
}  // namespace hlv_ogl_test
