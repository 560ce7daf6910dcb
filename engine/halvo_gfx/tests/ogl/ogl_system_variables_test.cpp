// Uniform discovery of real linked programs and the merge of the discovered
// variables into render passes.
#include "ogl/system_fixture.h"

#include <algorithm>
#include <cstring>
#include <map>

#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/gfx_types.h>

namespace hlv_ogl_system_test {
namespace {

using namespace hlv_gfx;

GLint LocationOf(const CShaderVariable& variable)
{
    const auto* apiObject = OglApiObject<CGLSL_ShaderVariable_ApiSpecific>(variable.apiObject);
    return apiObject ? apiObject->location : -2;
}

// The names of the active uniforms GL reports for a program.
std::vector<std::string> ActiveUniformNames(GLuint program)
{
    GLint count = 0;
    glGetProgramiv(program, GL_ACTIVE_UNIFORMS, &count);
    std::vector<std::string> names;
    for (GLint i = 0; i < count; ++i) {
        char name[256] = {};
        GLint size = 0;
        GLenum type = 0;
        glGetActiveUniform(program, static_cast<GLuint>(i), sizeof name, nullptr, &size, &type, name);
        names.emplace_back(name);
    }
    return names;
}

using OglSystemVariablesTest = COglSystemTest;

TEST_F(OglSystemVariablesTest, DiscoversEveryUniformWithTypeStorageAndLocation)
{
    Handle<CRenderPass> pass = MakePass("uniform_types.vs.glsl", "uniform_types.ps.glsl");
    ASSERT_TRUE(pass);
    const GLuint program = ProgramName(pass->apiObject);
    const auto glNames = ActiveUniformNames(program);
    ASSERT_TRUE(std::any_of(glNames.begin(), glNames.end(), [](const std::string& n) {
        return n.rfind("gl_", 0) == 0;
    })) << "the program should report a built-in uniform for this test to mean anything";

    ShaderVariableList variables;
    ASSERT_EQ(system->GetActiveShaderVariableList(pass, &variables), GFXR_OK);

    const std::map<std::string, std::uint32_t> expected{{"mat_proj", SVT_FLOAT_MAT4},
                                                        {"mat_view", SVT_FLOAT_MAT4},
                                                        {"mat_world", SVT_FLOAT_MAT4},
                                                        {"vec_cam_pos_ws", SVT_FLOAT_VEC3},
                                                        {"u_mat2", SVT_FLOAT_MAT2},
                                                        {"u_mat3", SVT_FLOAT_MAT3},
                                                        {"u_float", SVT_FLOAT},
                                                        {"u_vec2", SVT_FLOAT_VEC2},
                                                        {"u_vec3", SVT_FLOAT_VEC3},
                                                        {"u_vec4", SVT_FLOAT_VEC4},
                                                        {"u_int", SVT_INT},
                                                        {"u_ivec2", SVT_INT_VEC2},
                                                        {"u_ivec3", SVT_INT_VEC3},
                                                        {"u_ivec4", SVT_INT_VEC4},
                                                        {"tex_color", SVT_SAMPLER_2D},
                                                        {"tex_cube", SVT_SAMPLER_CUBE},
                                                        {"tex_shadow", SVT_SAMPLER_2D_SHADOW},
                                                        {"particle_data_buffer", SVT_SAMPLER_BUFFER}};
    std::map<std::string, std::uint32_t> found;
    for (const auto& variable : variables) {
        SCOPED_TRACE(variable->GetName());
        found[variable->GetName()] = variable->GetType();
        EXPECT_EQ(variable->GetValueSize(), ShaderVariableTypeSize(variable->GetType()));
        ASSERT_NE(variable->GetValue(), nullptr);
        EXPECT_TRUE(std::all_of(variable->GetValue(), variable->GetValue() + variable->GetValueSize(),
                                [](std::byte b) { return b == std::byte{0}; }));
        EXPECT_EQ(LocationOf(*variable), glGetUniformLocation(program, variable->GetName().c_str()));
        EXPECT_GE(LocationOf(*variable), 0);
        EXPECT_EQ(variable->apiObject->GetName(), "");
    }
    EXPECT_EQ(found, expected);
    EXPECT_EQ(variables.size(), expected.size()) << "one variable per uniform";
    // Nothing was merged into the pass yet.
    EXPECT_TRUE(pass->GetVariables().empty());
    EXPECT_TRUE(printer->texts.empty());
}

TEST_F(OglSystemVariablesTest, UniformsOfUnmappedTypesAreSkippedAndTheRestKept)
{
    Handle<CRenderPass> pass = MakePass("vertex_attributes.vs.glsl", "unmapped_uniforms.ps.glsl");
    ASSERT_TRUE(pass);
    ShaderVariableList variables;
    ASSERT_EQ(system->GetActiveShaderVariableList(pass, &variables), GFXR_OK);

    std::vector<std::string> names;
    for (const auto& variable : variables) names.push_back(variable->GetName());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"u_scale", "u_tint"}));

    ASSERT_EQ(printer->texts.size(), 2u);
    std::vector<std::string> texts = printer->texts;
    std::sort(texts.begin(), texts.end());
    EXPECT_NE(texts[0].find("\"u_count\""), std::string::npos) << texts[0];
    EXPECT_NE(texts[1].find("\"u_skew\""), std::string::npos) << texts[1];
    for (const std::string& text : texts) EXPECT_EQ(text.rfind("COglSystem::GetActiveShaderVariableList: ", 0), 0u);
}

TEST_F(OglSystemVariablesTest, ProgramWithOnlyBuiltInUniformsGivesNoVariables)
{
    Handle<CRenderPass> pass = MakePass("builtins_only.vs.glsl", "builtins_only.ps.glsl");
    ASSERT_TRUE(pass);
    ASSERT_FALSE(ActiveUniformNames(ProgramName(pass->apiObject)).empty());
    ShaderVariableList variables;
    EXPECT_EQ(system->GetActiveShaderVariableList(pass, &variables), GFXR_OK);
    EXPECT_TRUE(variables.empty());
    EXPECT_TRUE(printer->texts.empty());
}

TEST_F(OglSystemVariablesTest, ProgramWithoutUniformsIsToldOnceAndIsNoError)
{
    Handle<CRenderPass> pass = MakePass("vertex_attributes.vs.glsl", "vertex_color.ps.glsl");
    ASSERT_TRUE(pass);
    ShaderVariableList variables;
    EXPECT_EQ(system->GetActiveShaderVariableList(pass, &variables), GFXR_OK);
    EXPECT_TRUE(variables.empty());
    EXPECT_EQ(printer->texts,
              (std::vector<std::string>{
                  "COglSystem::GetActiveShaderVariableList: No shader variables? Is the render pass linked "
                  "before?Or doesn't the variables contribute to the shader output variables?"}));
}

TEST_F(OglSystemVariablesTest, UpdateMergesIntoThePassAndKeepsValuesAcrossARelink)
{
    Handle<CRenderPass> pass = MakePass("uniform_types.vs.glsl", "uniform_types.ps.glsl");
    ASSERT_TRUE(pass);
    ASSERT_EQ(system->UpdateShaderVariables(pass), GFXR_OK);
    ASSERT_EQ(pass->GetVariables().size(), 18u);
    ASSERT_TRUE(pass->GetDefaultVariable(DV_WORLD));
    ASSERT_TRUE(pass->GetDefaultVariable(DV_CAMERA_POSITION));

    Handle<CShaderVariable> tint = pass->FindVariable("u_vec4");
    const float values[] = {0.5f, 0.25f, 1.0f, 2.0f};
    ASSERT_EQ(system->SetShaderVariableVec4(tint, values), GFXR_OK);
    auto* location = OglApiObject<CGLSL_ShaderVariable_ApiSpecific>(tint->apiObject);
    ASSERT_NE(location, nullptr);

    // Querying again gives new variables; merging them moves only locations.
    ShaderVariableList fresh;
    ASSERT_EQ(system->GetActiveShaderVariableList(pass, &fresh), GFXR_OK);
    location->location = -1;
    ASSERT_EQ(system->UpdateShaderVariableList(pass, &fresh), GFXR_OK);
    EXPECT_EQ(pass->GetVariables().size(), 18u);
    EXPECT_EQ(pass->FindVariable("u_vec4").get(), tint.get());
    EXPECT_EQ(location->location, glGetUniformLocation(ProgramName(pass->apiObject), "u_vec4"));
    EXPECT_EQ(std::memcmp(tint->GetValue(), values, sizeof values), 0);
    EXPECT_TRUE(printer->texts.empty());
}

TEST_F(OglSystemVariablesTest, MergeAppendsUnknownNamesAndRefusesVariablesWithoutLocations)
{
    Handle<CRenderPass> pass(hlv_core::Adopt(new CRenderPass("pass")));
    Handle<CShaderVariable> added;
    ASSERT_EQ(system->CreateShaderVariable("u_extra", SVT_FLOAT, added), GFXR_OK);
    EXPECT_EQ(system->UpdateShaderVariable(pass, added), GFXR_OK);
    ASSERT_EQ(pass->GetVariables().size(), 1u);
    EXPECT_EQ(pass->GetVariables().front().get(), added.get());

    Handle<CShaderVariable> sameName;
    ASSERT_EQ(system->CreateShaderVariable("u_extra", SVT_FLOAT, sameName), GFXR_OK);
    EXPECT_EQ(system->UpdateShaderVariable(pass, sameName), GFXR_INVALID_API_SPECIFIC);
    Handle<CShaderVariable> none;
    EXPECT_EQ(system->UpdateShaderVariable(pass, none), GFXR_INVALID_ARGUMENT);
    Handle<CRenderPass> noPass;
    EXPECT_EQ(system->UpdateShaderVariable(noPass, added), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(system->UpdateShaderVariables(noPass), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(system->UpdateShaderVariables(pass), GFXR_INVALID_API_SPECIFIC);
}

TEST_F(OglSystemVariablesTest, CreatedVariablesHoldZeroedStorageOfTheirType)
{
    Handle<CShaderVariable> variable;
    ASSERT_EQ(system->CreateShaderVariable("m", SVT_FLOAT_MAT3, variable), GFXR_OK);
    EXPECT_EQ(variable->GetName(), "m");
    EXPECT_EQ(variable->GetType(), static_cast<std::uint32_t>(SVT_FLOAT_MAT3));
    ASSERT_EQ(variable->GetValueSize(), 36u);
    EXPECT_TRUE(
        std::all_of(variable->GetValue(), variable->GetValue() + 36, [](std::byte b) { return b == std::byte{0}; }));

    // Reused for another type: new storage, same variable.
    CShaderVariable* same = variable.get();
    ASSERT_EQ(system->CreateShaderVariable("ignored", SVT_SAMPLER_BUFFER, variable), GFXR_OK);
    EXPECT_EQ(variable.get(), same);
    EXPECT_EQ(variable->GetName(), "m");
    EXPECT_EQ(variable->GetValueSize(), 8u);

    Handle<CShaderVariable> refused;
    EXPECT_EQ(system->CreateShaderVariable("x", SVT_UNDEFINED, refused), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(system->CreateShaderVariable("x", SHADER_VARIABLE_TYPE_COUNT, refused), GFXR_INVALID_ARGUMENT);
    EXPECT_FALSE(refused);

    EXPECT_EQ(system->ReleaseShaderVariable(variable), GFXR_OK);
    EXPECT_EQ(variable->GetValue(), nullptr);
    EXPECT_EQ(variable->GetValueSize(), 0u);
}

TEST_F(OglSystemVariablesTest, SettersWriteOnlyVariablesOfTheirOwnType)
{
    Handle<CShaderVariable> vec4, vec3, scalar, bare;
    ASSERT_EQ(system->CreateShaderVariable("v4", SVT_FLOAT_VEC4, vec4), GFXR_OK);
    ASSERT_EQ(system->CreateShaderVariable("v3", SVT_FLOAT_VEC3, vec3), GFXR_OK);
    ASSERT_EQ(system->CreateShaderVariable("f", SVT_FLOAT, scalar), GFXR_OK);
    const float values[] = {1.0f, 2.0f, 3.0f, 4.0f};

    EXPECT_EQ(system->SetShaderVariableVec3(vec4, values), GFXR_INVALID_ARGUMENT);
    EXPECT_TRUE(std::all_of(vec4->GetValue(), vec4->GetValue() + 16, [](std::byte b) { return b == std::byte{0}; }));
    EXPECT_EQ(system->SetShaderVariableVec4(vec4, values), GFXR_OK);
    EXPECT_EQ(std::memcmp(vec4->GetValue(), values, 16), 0);
    EXPECT_EQ(system->SetShaderVariableVec3(vec3, values), GFXR_OK);
    EXPECT_EQ(std::memcmp(vec3->GetValue(), values, 12), 0);
    const float scalarValue = 7.5f;
    EXPECT_EQ(system->SetShaderVariableFloat(scalar, scalarValue), GFXR_OK);
    EXPECT_EQ(std::memcmp(scalar->GetValue(), &scalarValue, 4), 0);
    EXPECT_EQ(system->SetShaderVariableFloat(vec3, 1.0f), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(system->SetShaderVariableFloat(bare, 1.0f), GFXR_INVALID_ARGUMENT);

    // A released variable has no storage to write into.
    system->ReleaseShaderVariable(vec4);
    EXPECT_EQ(system->SetShaderVariableVec4(vec4, values), GFXR_INVALID_ARGUMENT);
}

TEST_F(OglSystemVariablesTest, ReleasingAPassesVariablesFreesTheirStorage)
{
    Handle<CRenderPass> pass = MakePass("uniform_types.vs.glsl", "uniform_types.ps.glsl");
    ASSERT_TRUE(pass);
    ASSERT_EQ(system->UpdateShaderVariables(pass), GFXR_OK);
    ASSERT_EQ(system->ReleaseShaderVariables(pass), GFXR_OK);
    for (const auto& variable : pass->GetVariables()) {
        EXPECT_EQ(variable->GetValue(), nullptr) << variable->GetName();
        EXPECT_TRUE(variable->apiObject) << variable->GetName();
    }
}

}  // namespace
}  // namespace hlv_ogl_system_test
