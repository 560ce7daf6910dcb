// The OpenGL mapping tables: bounds-checked look-ups, the entries whose
// placement is easy to get wrong, and the function tables run against a real
// context (uniform setters read back with glGetUniform, texture-image calls,
// array pointers).
#include "ogl/gl_tables.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "gl/gl_program.h"
#include "gl/gl_test.h"

namespace {

using namespace hlv_gfx;
using namespace hlv_gfx::ogl;

constexpr GLenum kUntouched = 0xDEADu;

// Every look-up outside its table fails and leaves the output alone.
template <typename Table>
void ExpectBounded(const Table& table, const char* name)
{
    SCOPED_TRACE(name);
    GLenum out = kUntouched;
    EXPECT_EQ(table.Get(table.size(), out), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(table.Get(0xFFFFFFFFu, out), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(table.Get(std::uint64_t{1} << 40, out), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(out, kUntouched);
    EXPECT_FALSE(table.Find(table.size()).has_value());
    EXPECT_EQ(table.Get(table.size() - 1, out), GFXR_OK);
    EXPECT_EQ(out, table.entries.back());
}

TEST(GlTables, LookUpsOutsideATableAreRefused)
{
    ExpectBounded(BUFFER_USAGE, "buffer usage");
    ExpectBounded(CLIENT_ARRAY_STATE, "client array");
    ExpectBounded(DATA_TYPE, "data type");
    ExpectBounded(PRIMITIVE_MODE, "primitive");
    ExpectBounded(CAPABILITY, "capability");
    ExpectBounded(FACE, "face");
    ExpectBounded(WINDING, "winding");
    ExpectBounded(POLYGON_MODE, "polygon mode");
    ExpectBounded(BLEND_EQUATION_MODE, "blend equation");
    ExpectBounded(BLEND_FACTOR_MODE, "blend factor");
    ExpectBounded(INTERNAL_FORMAT, "internal format");
    ExpectBounded(TEXTURE_TARGET, "texture target");
    ExpectBounded(PIXEL_FORMAT, "pixel format");
    ExpectBounded(COLOR_ATTACHMENT, "colour attachment");
    ExpectBounded(ACCESS_MODE, "access");
    ExpectBounded(MATRIX_STACK, "matrix stack");
    ExpectBounded(UNIFORM_TYPE, "uniform type");
    ExpectBounded(GEOMETRY_INPUT, "geometry input");
    ExpectBounded(GEOMETRY_OUTPUT, "geometry output");

    VertexPointerFunction pointer = nullptr;
    EXPECT_EQ(GetVertexPointerFunction(VBL_TEXCOOD1, pointer), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(pointer, nullptr);
    UniformSetter setter = nullptr;
    EXPECT_EQ(GetUniformSetter(SHADER_VARIABLE_TYPE_COUNT, setter), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(setter, nullptr);
}

TEST(GlTables, EntriesSitAtTheirEngineValues)
{
    EXPECT_EQ(PRIMITIVE_MODE.Find(PT_UNDEFINED), GLenum{GL_POINTS});
    EXPECT_EQ(PRIMITIVE_MODE.Find(PT_POINT_SPRITE), GLenum{GL_POINT_SPRITE});
    EXPECT_EQ(PRIMITIVE_MODE.Find(PT_LINE_STRIP), GLenum{GL_LINE_STRIP});
    EXPECT_EQ(PRIMITIVE_MODE.Find(PT_LINE_LOOP), GLenum{GL_LINE_LOOP});
    EXPECT_EQ(PRIMITIVE_MODE.Find(PT_PATCHES), GLenum{GL_PATCHES});

    EXPECT_EQ(INTERNAL_FORMAT.Find(TF_DEPTH24_STENCIL8), GLenum{GL_DEPTH24_STENCIL8});
    EXPECT_EQ(INTERNAL_FORMAT.Find(17), GLenum{GL_LUMINANCE});
    EXPECT_EQ(INTERNAL_FORMAT.Find(TF_RGBA), GLenum{0x1908});
    EXPECT_EQ(INTERNAL_FORMAT.Find(TF_RGBA8), GLenum{0x8058});
    EXPECT_EQ(INTERNAL_FORMAT.Find(TF_RGBA32F), GLenum{0x8814});
    EXPECT_EQ(INTERNAL_FORMAT.Find(TF_DEPTH_COMPONENT32), GLenum{0x81A7});
    EXPECT_EQ(INTERNAL_FORMAT.Find(TF_LUMINANCE_ALPHA16F), GLenum{0x881F});

    // Destination colour comes before source alpha.
    EXPECT_EQ(BLEND_FACTOR_MODE.Find(4), GLenum{GL_DST_COLOR});
    EXPECT_EQ(BLEND_FACTOR_MODE.Find(6), GLenum{GL_SRC_ALPHA});
    EXPECT_EQ(BLEND_FACTOR_MODE.Find(14), GLenum{GL_SRC_ALPHA_SATURATE});
    EXPECT_EQ(BLEND_EQUATION_MODE.Find(5), GLenum{GL_LOGIC_OP});

    EXPECT_EQ(COLOR_ATTACHMENT.Find(0), GLenum{GL_COLOR_ATTACHMENT0});
    EXPECT_EQ(COLOR_ATTACHMENT.Find(15), GLenum{GL_COLOR_ATTACHMENT15});
    EXPECT_EQ(COLOR_ATTACHMENT.Find(16), GLenum{0});
    EXPECT_FALSE(COLOR_ATTACHMENT.Find(40).has_value());
    // An attachment number from 17 up is the first colour attachment.
    EXPECT_EQ(ColorAttachmentOf(15), GLenum{GL_COLOR_ATTACHMENT15});
    EXPECT_EQ(ColorAttachmentOf(16), GLenum{0});
    EXPECT_EQ(ColorAttachmentOf(17), GLenum{GL_COLOR_ATTACHMENT0});
    EXPECT_EQ(ColorAttachmentOf(40), GLenum{GL_COLOR_ATTACHMENT0});
    EXPECT_EQ(ColorAttachmentOf(0xFFFFFFFFu), GLenum{GL_COLOR_ATTACHMENT0});

    EXPECT_EQ(CAPABILITY.Find(RS_CULLMODE), GLenum{GL_CULL_FACE});
    EXPECT_EQ(CAPABILITY.Find(RS_DEPTH_WRITE), GLenum{0});
    EXPECT_EQ(CLIENT_ARRAY_STATE.Find(VBL_COLOR1), GLenum{GL_SECONDARY_COLOR_ARRAY});
    EXPECT_EQ(CLIENT_ARRAY_STATE.Find(VBL_TANGENT), GLenum{0});
    EXPECT_EQ(DATA_TYPE.Find(hlv_core::T_DOUBLE), GLenum{GL_DOUBLE});
    EXPECT_EQ(PIXEL_FORMAT.Find(CT_BGRA), GLenum{GL_BGRA});
    EXPECT_EQ(TEXTURE_TARGET.Find(TT_TEXTURE_CUBE), GLenum{GL_TEXTURE_CUBE_MAP});
    EXPECT_EQ(GEOMETRY_INPUT.Find(SHIT_TRIANGLES_ADJACENCY), GLenum{GL_TRIANGLES_ADJACENCY});
    EXPECT_EQ(GEOMETRY_OUTPUT.Find(SHOUT_TRIANGLE_STRIP), GLenum{GL_TRIANGLE_STRIP});
}

TEST(GlTables, UniformTypesMapBackToEngineTypes)
{
    for (std::uint32_t type = 1; type < SHADER_VARIABLE_TYPE_COUNT; ++type)
        EXPECT_EQ(ShaderVariableTypeOfUniform(UNIFORM_TYPE.entries[type]), type);
    EXPECT_EQ(ShaderVariableTypeOfUniform(GL_DOUBLE), SVT_UNDEFINED);
    EXPECT_EQ(ShaderVariableTypeOfUniform(GL_UNSIGNED_INT), SVT_UNDEFINED);
    EXPECT_EQ(ShaderVariableTypeOfUniform(GL_FLOAT_MAT2x3), SVT_UNDEFINED);
    EXPECT_EQ(ShaderVariableTypeOfUniform(0), SVT_UNDEFINED);
}

TEST(GlTables, BoolAndUndefinedUniformsHaveNoSetter)
{
    for (std::uint32_t type : {SVT_UNDEFINED, SVT_BOOL, SVT_BOOL_VEC2, SVT_BOOL_VEC3, SVT_BOOL_VEC4}) {
        UniformSetter setter = UniformSetter(1);
        EXPECT_EQ(GetUniformSetter(type, setter), GFXR_OK);
        EXPECT_EQ(setter, nullptr) << type;
    }
    for (std::uint32_t type = SVT_FLOAT_MAT2; type < SHADER_VARIABLE_TYPE_COUNT; ++type) {
        UniformSetter setter = nullptr;
        EXPECT_EQ(GetUniformSetter(type, setter), GFXR_OK);
        EXPECT_NE(setter, nullptr) << type;
    }
}

class GlFunctionTables : public hlv_gl_test::CGlTest {
protected:
    void SetUp() override
    {
        CGlTest::SetUp();
        if (HasFatalFailure()) return;
        std::string log;
        const std::string dir = HLV_GFX_TEST_SHADER_DIR;
        m_program =
            hlv_gl_test::BuildProgramFromFiles(dir + "/uniform_types.vs.glsl", dir + "/uniform_types.ps.glsl", log);
        ASSERT_NE(m_program, 0u) << log;
        glUseProgram(m_program);
    }

    void TearDown() override
    {
        glUseProgram(0);
        if (m_program) glDeleteProgram(m_program);
        CGlTest::TearDown();
    }

    // Runs the table's setter for type on the uniform of that name.
    void Set(std::uint32_t type, const char* name, const void* value)
    {
        UniformSetter setter = nullptr;
        ASSERT_EQ(GetUniformSetter(type, setter), GFXR_OK);
        ASSERT_NE(setter, nullptr);
        const GLint location = glGetUniformLocation(m_program, name);
        ASSERT_GE(location, 0) << name;
        setter(location, value);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << name;
    }

    std::vector<float> GetFloats(const char* name, std::size_t count)
    {
        std::vector<float> values(16, 0.0f);
        glGetUniformfv(m_program, glGetUniformLocation(m_program, name), values.data());
        values.resize(count);
        return values;
    }

    std::vector<int> GetInts(const char* name, std::size_t count)
    {
        std::vector<int> values(4, 0);
        glGetUniformiv(m_program, glGetUniformLocation(m_program, name), values.data());
        values.resize(count);
        return values;
    }

    GLuint m_program = 0;
};

TEST_F(GlFunctionTables, UniformSettersUploadEachTypeFromValueBytes)
{
    const float f = 2.5f;
    Set(SVT_FLOAT, "u_float", &f);
    EXPECT_EQ(GetFloats("u_float", 1), (std::vector<float>{2.5f}));

    const float v3[] = {1.0f, -2.0f, 3.5f};
    Set(SVT_FLOAT_VEC3, "u_vec3", v3);
    EXPECT_EQ(GetFloats("u_vec3", 3), (std::vector<float>{1.0f, -2.0f, 3.5f}));

    const float v4[] = {4.0f, 3.0f, 2.0f, 1.0f};
    Set(SVT_FLOAT_VEC4, "u_vec4", v4);
    EXPECT_EQ(GetFloats("u_vec4", 4), (std::vector<float>{4.0f, 3.0f, 2.0f, 1.0f}));

    const int i1 = -7;
    Set(SVT_INT, "u_int", &i1);
    EXPECT_EQ(GetInts("u_int", 1), (std::vector<int>{-7}));

    const int i4[] = {1, 2, 3, 4};
    Set(SVT_INT_VEC4, "u_ivec4", i4);
    EXPECT_EQ(GetInts("u_ivec4", 4), (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(GlFunctionTables, MatrixSettersTransposeRowMajorStorage)
{
    // Row-major: row 0 is (1, 2, 3). GL reads matrices back column by column,
    // so column 0 is (1, 4, 7).
    const float m3[] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    Set(SVT_FLOAT_MAT3, "u_mat3", m3);
    EXPECT_EQ(GetFloats("u_mat3", 9), (std::vector<float>{1, 4, 7, 2, 5, 8, 3, 6, 9}));

    float m4[16];
    for (int i = 0; i < 16; ++i) m4[i] = static_cast<float>(i);
    Set(SVT_FLOAT_MAT4, "mat_world", m4);
    const auto world = GetFloats("mat_world", 16);
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column) EXPECT_EQ(world[column * 4 + row], m4[row * 4 + column]);

    const float m2[] = {1, 2, 3, 4};
    Set(SVT_FLOAT_MAT2, "u_mat2", m2);
    EXPECT_EQ(GetFloats("u_mat2", 4), (std::vector<float>{1, 3, 2, 4}));
}

TEST_F(GlFunctionTables, SamplerSettersUploadTheUnitHeldInEightBytes)
{
    const std::uint64_t unit = 3;
    Set(SVT_SAMPLER_2D, "tex_color", &unit);
    EXPECT_EQ(GetInts("tex_color", 1), (std::vector<int>{3}));
    const std::uint64_t bufferUnit = 5;
    Set(SVT_SAMPLER_BUFFER, "particle_data_buffer", &bufferUnit);
    EXPECT_EQ(GetInts("particle_data_buffer", 1), (std::vector<int>{5}));
    const std::uint64_t cubeUnit = 1;
    Set(SVT_SAMPLER_CUBE, "tex_cube", &cubeUnit);
    EXPECT_EQ(GetInts("tex_cube", 1), (std::vector<int>{1}));
}

using GlTexImageTable = hlv_gl_test::CGlTest;

TEST_F(GlTexImageTable, UploadsByTextureTypeAndRefusesCubeMaps)
{
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    const std::uint8_t pixels[] = {10, 20, 30, 40, 50, 60, 70, 80};
    EXPECT_TRUE(TexImageByType(TT_TEXTURE_2D, GL_TEXTURE_2D, GL_RGBA8, 2, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(hlv_gl_test::ReadTextureRgba8(GL_TEXTURE_2D, texture),
              std::vector<std::uint8_t>(std::begin(pixels), std::end(pixels)));

    // No image call at all: the level keeps its size.
    EXPECT_FALSE(TexImageByType(TT_TEXTURE_CUBE, GL_TEXTURE_2D, GL_RGBA8, 4, 4, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr));
    EXPECT_FALSE(TexImageByType(TT_UNDEFINED, GL_TEXTURE_2D, GL_RGBA8, 4, 4, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr));
    EXPECT_FALSE(TexImageByType(9, GL_TEXTURE_2D, GL_RGBA8, 4, 4, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr));
    EXPECT_EQ(hlv_gl_test::GetTextureLevelParameter(GL_TEXTURE_2D, texture, GL_TEXTURE_WIDTH), 2);
    glBindTexture(GL_TEXTURE_2D, 0);
    glDeleteTextures(1, &texture);

    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_1D, texture);
    EXPECT_TRUE(TexImageByType(TT_TEXTURE_1D, GL_TEXTURE_1D, GL_RGBA8, 2, 99, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels));
    EXPECT_EQ(hlv_gl_test::GetTextureLevelParameter(GL_TEXTURE_1D, texture, GL_TEXTURE_WIDTH), 2);
    glBindTexture(GL_TEXTURE_1D, 0);
    glDeleteTextures(1, &texture);
}

using GlVertexPointerTable = hlv_gl_test::CGlTest;

TEST_F(GlVertexPointerTable, EachSemanticSetsItsOwnArray)
{
    VertexPointerFunction pointer = nullptr;
    ASSERT_EQ(GetVertexPointerFunction(VBL_POSITION, pointer), GFXR_OK);
    pointer(3, GL_FLOAT, 36, reinterpret_cast<const void*>(4));
    EXPECT_EQ(hlv_gl_test::GetInteger(GL_VERTEX_ARRAY_SIZE), 3);
    EXPECT_EQ(hlv_gl_test::GetInteger(GL_VERTEX_ARRAY_STRIDE), 36);

    ASSERT_EQ(GetVertexPointerFunction(VBL_NORMAL, pointer), GFXR_OK);
    pointer(3, GL_SHORT, 24, nullptr);
    EXPECT_EQ(hlv_gl_test::GetInteger(GL_NORMAL_ARRAY_TYPE), GL_SHORT);
    EXPECT_EQ(hlv_gl_test::GetInteger(GL_NORMAL_ARRAY_STRIDE), 24);

    ASSERT_EQ(GetVertexPointerFunction(VBL_COLOR1, pointer), GFXR_OK);
    pointer(3, GL_UNSIGNED_BYTE, 8, nullptr);
    EXPECT_EQ(hlv_gl_test::GetInteger(GL_SECONDARY_COLOR_ARRAY_TYPE), GL_UNSIGNED_BYTE);

    ASSERT_EQ(GetVertexPointerFunction(VBL_TEXCOOD0, pointer), GFXR_OK);
    pointer(2, GL_FLOAT, 20, nullptr);
    EXPECT_EQ(hlv_gl_test::GetInteger(GL_TEXTURE_COORD_ARRAY_SIZE), 2);

    for (std::uint32_t semantic : {VBL_UNKNOWN, VBL_TANGENT, VBL_BINORMAL}) {
        ASSERT_EQ(GetVertexPointerFunction(semantic, pointer), GFXR_OK);
        EXPECT_EQ(pointer, nullptr) << semantic;
    }
    // Back to the initial state for the tests that follow.
    glVertexPointer(4, GL_FLOAT, 0, nullptr);
    glNormalPointer(GL_FLOAT, 0, nullptr);
    glSecondaryColorPointer(3, GL_FLOAT, 0, nullptr);
    glTexCoordPointer(4, GL_FLOAT, 0, nullptr);
}

}  // namespace
