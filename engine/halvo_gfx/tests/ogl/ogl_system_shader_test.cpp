// Shader stages, compilation and linking through the OpenGL graphics system,
// judged by GL's own shader and program state.
#include "ogl/system_fixture.h"

#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/gfx_types.h>

namespace hlv_ogl_system_test {
namespace {

using namespace hlv_gfx;
using hlv_gl_test::DrainGlErrors;

GLint ShaderParameter(GLuint shader, GLenum name)
{
    GLint value = -1;
    glGetShaderiv(shader, name, &value);
    return value;
}

GLint ProgramParameter(GLuint program, GLenum name)
{
    GLint value = -1;
    glGetProgramiv(program, name, &value);
    return value;
}

using OglSystemShaderTest = COglSystemTest;

TEST_F(OglSystemShaderTest, EachCreatorMakesItsKindOfShader)
{
    Handle<CShader> vertex, pixel;
    Handle<CGeometryShader> geometry;
    Handle<CHullShader> hull;
    Handle<CDomainShader> domain;
    ASSERT_EQ(system->CreateVertexShader(vertex), GFXR_OK);
    ASSERT_EQ(system->CreatePixelShader(pixel), GFXR_OK);
    ASSERT_EQ(system->CreateGeometryShader(geometry), GFXR_OK);
    ASSERT_EQ(system->CreateHullShader(hull), GFXR_OK);
    ASSERT_EQ(system->CreateDomainShader(domain), GFXR_OK);

    struct {
        CShader* shader;
        const char* name;
        std::uint32_t type;
        GLenum glType;
    } expected[] = {
        {vertex.get(), "A GLSL Vertex Shader", SHT_VERTEX, GL_VERTEX_SHADER},
        {pixel.get(), "A GLSL Pixel Shader", SHT_PIXEL, GL_FRAGMENT_SHADER},
        {geometry.get(), "A GLSL Geometry Shader", SHT_GEOMETRY, GL_GEOMETRY_SHADER},
        {hull.get(), "A GLSL Tessellaion Control Shader(Hull Shader)", SHT_HULL, GL_TESS_CONTROL_SHADER},
        {domain.get(), "A GLSL Tessellation Evaluation Shader(Domain Shader)", SHT_DOMAIN, GL_TESS_EVALUATION_SHADER},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.name);
        EXPECT_EQ(e.shader->GetName(), e.name);
        EXPECT_EQ(e.shader->shaderType, e.type);
        EXPECT_EQ(e.shader->apiObject->GetName(), "OGL Api Specific");
        const GLuint name = ShaderName(e.shader->apiObject);
        ASSERT_TRUE(glIsShader(name));
        EXPECT_EQ(ShaderParameter(name, GL_SHADER_TYPE), static_cast<GLint>(e.glType));
    }
    EXPECT_EQ(geometry->inputType, 0u);
    EXPECT_EQ(geometry->maxOutputVertices, 0u);

    for (Handle<CShader> shader :
         {vertex, pixel, Handle<CShader>(geometry), Handle<CShader>(hull), Handle<CShader>(domain)}) {
        const GLuint name = ShaderName(shader->apiObject);
        EXPECT_EQ(system->ReleaseShader(shader), GFXR_OK);
        EXPECT_EQ(ShaderName(shader->apiObject), 0u);
        EXPECT_FALSE(glIsShader(name));
    }
    EXPECT_TRUE(printer->texts.empty());
}

TEST_F(OglSystemShaderTest, SourceLinesReachGlAsTheyAre)
{
    Handle<CShader> shader;
    ASSERT_EQ(system->CreatePixelShader(shader), GFXR_OK);
    const std::list<std::string> lines{"#version 150 compatibility\n", "void main() { gl_FragColor = vec4(1.0); }\n",
                                       "\n"};
    ASSERT_EQ(system->SetShaderSource(shader, lines), GFXR_OK);
    EXPECT_EQ(shader->sourceLines, lines);

    const GLuint name = ShaderName(shader->apiObject);
    std::string source(static_cast<std::size_t>(ShaderParameter(name, GL_SHADER_SOURCE_LENGTH)), '\0');
    GLsizei length = 0;
    glGetShaderSource(name, static_cast<GLsizei>(source.size()), &length, source.data());
    source.resize(static_cast<std::size_t>(length));
    EXPECT_EQ(source, "#version 150 compatibility\nvoid main() { gl_FragColor = vec4(1.0); }\n\n");

    // Its own list handed back keeps it.
    EXPECT_EQ(system->SetShaderSource(shader, shader->sourceLines), GFXR_OK);
    EXPECT_EQ(shader->sourceLines, lines);
    EXPECT_EQ(system->Compile(shader), GFXR_OK);
    EXPECT_EQ(ShaderParameter(name, GL_COMPILE_STATUS), GL_TRUE);
    system->ReleaseShader(shader);
}

TEST_F(OglSystemShaderTest, ArgumentErrorsMakeNoGlCall)
{
    Handle<CShader> empty;
    EXPECT_EQ(system->SetShaderSource(empty, {"x\n"}), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(system->Compile(empty), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(system->ReleaseShader(empty), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(system->LoadShaderFromFile(ShaderPath("uniform_types.vs.glsl"), empty), GFXR_INVALID_ARGUMENT);

    auto bare = hlv_core::Adopt(new CShader("no API object"));
    Handle<CShader> shader(bare);
    EXPECT_EQ(system->SetShaderSource(shader, {}), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(system->SetShaderSource(shader, {"x\n"}), GFXR_INVALID_API_SPECIFIC);
    EXPECT_EQ(system->Compile(shader), GFXR_INVALID_API_SPECIFIC);
    EXPECT_EQ(system->ReleaseShader(shader), GFXR_INVALID_ARGUMENT);
    EXPECT_TRUE(shader->sourceLines.empty());
    EXPECT_TRUE(printer->texts.empty());
}

TEST_F(OglSystemShaderTest, MissingFileLeavesTheShaderAsItWas)
{
    Handle<CShader> shader;
    ASSERT_EQ(system->CreateVertexShader(shader), GFXR_OK);
    ASSERT_EQ(system->LoadShaderFromFile(ShaderPath("builtins_only.vs.glsl"), shader), GFXR_OK);
    const auto lines = shader->sourceLines;
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "#version 150 compatibility\n");

    EXPECT_EQ(system->LoadShaderFromFile(ShaderPath("no_such_file.glsl"), shader), GFXR_FILE_NOT_FOUND);
    Handle<CHullShader> hull(hlv_core::Adopt(new CHullShader("hull")));
    EXPECT_EQ(system->LoadHullShaderFromFile(ShaderPath("no_such_file.glsl"), hull), GFXR_FILE_NOT_FOUND);
    EXPECT_EQ(shader->sourceLines, lines);
    EXPECT_TRUE(printer->texts.empty());
    system->ReleaseShader(shader);
}

TEST_F(OglSystemShaderTest, FailedCompileReturnsFailureAndHandsTheLogToCompilerListeners)
{
    ::testing::internal::CaptureStdout();
    std::uint32_t result = GFXR_OK;
    const Handle<CShader> shader = MakePixelShader("broken.ps.glsl", &result);
    const std::string out = ::testing::internal::GetCapturedStdout();

    EXPECT_EQ(result, GFXR_FAIL);
    EXPECT_EQ(ShaderParameter(ShaderName(shader->apiObject), GL_COMPILE_STATUS), GL_FALSE);
    ASSERT_EQ(compiler->logs.size(), 1u);
    const auto& log = compiler->logs.front();
    ASSERT_FALSE(log.empty());
    for (const std::string& line : log) {
        EXPECT_FALSE(line.empty());
        EXPECT_EQ(line.find('\n'), std::string::npos);
    }
    // The failing shader's name between empty lines on the standard output.
    EXPECT_EQ(out, "\n\nA GLSL Pixel Shader\n\n\n");
    EXPECT_TRUE(linker->logs.empty());
    EXPECT_TRUE(printer->texts.empty());
}

TEST_F(OglSystemShaderTest, LinkedPassHasALinkedProgramAndNoLog)
{
    const Handle<CRenderPass> pass = MakePass("uniform_types.vs.glsl", "uniform_types.ps.glsl");
    ASSERT_TRUE(pass);
    EXPECT_EQ(pass->GetName(), "A GLSL RenderPass");
    const GLuint program = ProgramName(pass->apiObject);
    ASSERT_TRUE(glIsProgram(program));
    EXPECT_EQ(ProgramParameter(program, GL_LINK_STATUS), GL_TRUE);
    EXPECT_EQ(ProgramParameter(program, GL_ATTACHED_SHADERS), 2);
    EXPECT_TRUE(linker->messages.empty());
    EXPECT_TRUE(printer->texts.empty());
}

TEST_F(OglSystemShaderTest, LinkingAgainReusesTheAttachedShaders)
{
    Handle<CRenderPass> pass = MakePass("vertex_attributes.vs.glsl", "vertex_color.ps.glsl");
    ASSERT_TRUE(pass);
    EXPECT_EQ(system->Link(pass), GFXR_OK);
    EXPECT_EQ(ProgramParameter(ProgramName(pass->apiObject), GL_ATTACHED_SHADERS), 2);
    EXPECT_TRUE(printer->texts.empty());
}

TEST_F(OglSystemShaderTest, FailedLinkReturnsFailureAndDeliversTheWholeLog)
{
    std::uint32_t result = GFXR_OK;
    const Handle<CRenderPass> pass = MakePass("vertex_attributes.vs.glsl", "unresolved_function.ps.glsl", &result);
    ASSERT_TRUE(pass);
    const GLuint program = ProgramName(pass->apiObject);
    EXPECT_EQ(ProgramParameter(program, GL_LINK_STATUS), GL_FALSE);
    EXPECT_EQ(result, GFXR_FAIL);

    // The linker listeners get every line of GL's log, a last line without
    // line feed too.
    GLint length = 0;
    glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
    std::string glLog(static_cast<std::size_t>(length), '\0');
    GLsizei written = 0;
    glGetProgramInfoLog(program, length, &written, glLog.data());
    glLog.resize(static_cast<std::size_t>(written));
    ASSERT_FALSE(glLog.empty());
    ASSERT_EQ(linker->logs.size(), 1u);
    std::string joined;
    for (const std::string& line : linker->logs.front()) joined += line + "\n";
    if (glLog.back() != '\n') joined.pop_back();
    EXPECT_EQ(joined, glLog);
    EXPECT_NE(joined.find("shade"), std::string::npos) << joined;

    std::list<std::string> lines;
    Handle<CRenderPass> linked = pass;
    EXPECT_EQ(system->GetLinkLog(linked, lines), GFXR_FAIL);
    EXPECT_EQ(lines, linker->logs.front());
}

TEST_F(OglSystemShaderTest, LinkTellsTheLinkerListenersWhatIsMissing)
{
    Handle<CRenderPass> empty;
    EXPECT_EQ(system->Link(empty), GFXR_INVALID_ARGUMENT);
    Handle<CRenderPass> bare(hlv_core::Adopt(new CRenderPass("bare")));
    EXPECT_EQ(system->Link(bare), GFXR_INVALID_API_SPECIFIC);

    Handle<CRenderPass> pass;
    ASSERT_EQ(system->CreateRenderPass(pass), GFXR_OK);
    EXPECT_EQ(system->Link(pass), GFXR_INVALID_ARGUMENT);
    pass->vertexShader = MakeVertexShader("vertex_attributes.vs.glsl");
    EXPECT_EQ(system->Link(pass), GFXR_INVALID_ARGUMENT);
    // The vertex shader was attached before the pixel shader was missed.
    EXPECT_EQ(ProgramParameter(ProgramName(pass->apiObject), GL_ATTACHED_SHADERS), 1);

    EXPECT_EQ(linker->messages, (std::vector<std::string>{"COglSystem::Link : Invalid render pass.",
                                                          "COglSystem::Link : Invalid render pass api specific.",
                                                          "COglSystem::Link : No vertex shader is specified.",
                                                          "COglSystem::Link : No pixel shader is specified."}));
    EXPECT_TRUE(printer->texts.empty());
    system->ReleaseRenderPass(pass);
}

TEST_F(OglSystemShaderTest, GeometryStageLinksWithItsOwnLayoutsWithoutProgramParameters)
{
    // Mesa offers no ARB geometry-shader program parameters (though GLEW,
    // asked for every entry point, reports them); the stage declares its
    // layouts and the pass still links.
    Handle<CRenderPass> pass;
    ASSERT_EQ(system->CreateRenderPass(pass), GFXR_OK);
    pass->vertexShader = MakeVertexShader("vertex_attributes.vs.glsl");
    pass->pixelShader = MakePixelShader("geometry_color.ps.glsl");
    Handle<CGeometryShader> geometry;
    ASSERT_EQ(system->CreateGeometryShader(geometry), GFXR_OK);
    geometry->inputType = 9;  // no such input type: unused without program parameters
    geometry->outputType = SHOUT_TRIANGLE_STRIP;
    geometry->maxOutputVertices = 3;
    Handle<CShader> stage(geometry);
    ASSERT_EQ(system->LoadShaderFromFile(ShaderPath("passthrough.gs.glsl"), stage), GFXR_OK);
    ASSERT_EQ(system->Compile(stage), GFXR_OK) << ::testing::PrintToString(compiler->logs);
    pass->geometryShader = geometry;

    ASSERT_EQ(system->Link(pass), GFXR_OK) << ::testing::PrintToString(linker->logs);
    const GLuint program = ProgramName(pass->apiObject);
    EXPECT_EQ(ProgramParameter(program, GL_ATTACHED_SHADERS), 3);
    EXPECT_EQ(ProgramParameter(program, GL_GEOMETRY_OUTPUT_TYPE), GL_TRIANGLE_STRIP);
    EXPECT_EQ(ProgramParameter(program, GL_GEOMETRY_VERTICES_OUT), 3);
    EXPECT_TRUE(printer->texts.empty());
    system->ReleaseShader(stage);
    system->ReleaseRenderPass(pass);
}

TEST_F(OglSystemShaderTest, ReleasedPassKeepsItsApiObjectWithoutProgram)
{
    Handle<CRenderPass> pass;
    ASSERT_EQ(system->CreateRenderPass(pass), GFXR_OK);
    const GLuint program = ProgramName(pass->apiObject);
    ASSERT_TRUE(glIsProgram(program));
    ASSERT_EQ(system->ReleaseRenderPass(pass), GFXR_OK);
    EXPECT_FALSE(glIsProgram(program));
    ASSERT_TRUE(pass->apiObject);
    EXPECT_EQ(ProgramName(pass->apiObject), 0u);
    std::list<std::string> lines;
    EXPECT_EQ(system->GetLinkLog(pass, lines), GFXR_INVALID_API_SPECIFIC);
    Handle<CRenderPass> empty;
    EXPECT_EQ(system->ReleaseRenderPass(empty), GFXR_INVALID_ARGUMENT);
}

}  // namespace
}  // namespace hlv_ogl_system_test
