#include "ogl/system_fixture.h"

#include <halvo_gfx/GFX_RESULT.h>

namespace hlv_ogl_system_test {

using namespace hlv_gfx;

std::string ShaderPath(const std::string& fileName) { return std::string(HLV_GFX_TEST_SHADER_DIR) + "/" + fileName; }

namespace {

template <typename T, typename Field>
GLuint NameOf(const Handle<IApiSpecific>& apiObject, Field T::*field)
{
    const T* object = OglApiObject<T>(apiObject);
    return object ? static_cast<GLuint>(object->*field) : 0;
}

}  // namespace

GLuint ShaderName(const Handle<IApiSpecific>& a) { return NameOf(a, &CGLSL_ApiSpecific::shader); }
GLuint ProgramName(const Handle<IApiSpecific>& a) { return NameOf(a, &CGLSL_RenderPass_ApiSpecific::program); }
GLuint TextureName(const Handle<IApiSpecific>& a) { return NameOf(a, &oglCTexture_ApiSpecific::texture); }
GLuint BufferName(const Handle<IApiSpecific>& a) { return NameOf(a, &oglCBuffer_ApiSpecific::buffer); }
GLuint FramebufferName(const Handle<IApiSpecific>& a) { return NameOf(a, &oglCFramebuffer_ApiSpecific::framebuffer); }

void COglSystemTest::SetUp()
{
    CGlTest::SetUp();
    if (HasFatalFailure()) return;
    system = hlv_core::Adopt(new COglSystem("A OpenGL Gfx System"));
    printer = hlv_core::Adopt(new CRecordingPrinter("printer", events));
    linker = hlv_core::Adopt(new CRecordingLinker("linker", events));
    compiler = hlv_core::Adopt(new CRecordingCompiler("compiler", events));
    system->AddMessagePrinter(printer.get());
    system->AddLinkerListener(linker.get());
    system->AddCompilerListener(compiler.get());
}

void COglSystemTest::TearDown()
{
    if (system) {
        for (auto& pass : m_passes) system->ReleaseRenderPass(pass);
        for (auto& shader : m_shaders) system->ReleaseShader(shader);
    }
    m_passes.clear();
    m_shaders.clear();
    system.Reset();
    CGlTest::TearDown();
}

Handle<CShader> COglSystemTest::MakeShader(bool vertex, const std::string& fileName, std::uint32_t* result)
{
    Handle<CShader> shader;
    const std::uint32_t created = vertex ? system->CreateVertexShader(shader) : system->CreatePixelShader(shader);
    EXPECT_EQ(created, GFXR_OK);
    if (created != GFXR_OK) return {};
    m_shaders.push_back(shader);
    EXPECT_EQ(system->LoadShaderFromFile(ShaderPath(fileName), shader), GFXR_OK) << fileName;
    const std::uint32_t compiled = system->Compile(shader);
    if (result)
        *result = compiled;
    else
        EXPECT_EQ(compiled, GFXR_OK) << fileName << ": " << ::testing::PrintToString(compiler->logs);
    return shader;
}

Handle<CShader> COglSystemTest::MakeVertexShader(const std::string& fileName, std::uint32_t* result)
{
    return MakeShader(true, fileName, result);
}

Handle<CShader> COglSystemTest::MakePixelShader(const std::string& fileName, std::uint32_t* result)
{
    return MakeShader(false, fileName, result);
}

Handle<CRenderPass> COglSystemTest::MakePass(const std::string& vertexFile, const std::string& pixelFile,
                                             std::uint32_t* result)
{
    Handle<CRenderPass> pass;
    EXPECT_EQ(system->CreateRenderPass(pass), GFXR_OK);
    if (!pass) return {};
    m_passes.push_back(pass);
    pass->vertexShader = MakeVertexShader(vertexFile);
    pass->pixelShader = MakePixelShader(pixelFile);
    const std::uint32_t linked = system->Link(pass);
    if (result)
        *result = linked;
    else
        EXPECT_EQ(linked, GFXR_OK) << vertexFile << " + " << pixelFile << ": "
                                   << ::testing::PrintToString(linker->logs);
    return pass;
}

}  // namespace hlv_ogl_system_test
