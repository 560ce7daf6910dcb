#include "ogl/gl_resource_builder.h"

#include <cstring>

#include <halvo_core/property/PropertyTypes.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_gfx/ogl/api_objects.h>

#include "gl/gl_program.h"
#include "ogl/gl_tables.h"

namespace hlv_ogl_test {

using namespace hlv_gfx;

std::string ShaderPath(const std::string& fileName) { return std::string(HLV_GFX_TEST_SHADER_DIR) + "/" + fileName; }

GLuint TextureNameOf(const Handle<IApiSpecific>& apiObject)
{
    const auto* api = OglApiObject<oglCTexture_ApiSpecific>(apiObject);
    return api ? api->texture : 0;
}

GLuint BufferNameOf(const Handle<IApiSpecific>& apiObject)
{
    const auto* api = OglApiObject<oglCBuffer_ApiSpecific>(apiObject);
    return api ? api->buffer : 0;
}

std::uint32_t Packed(const hlv_gl_test::Rgba8& pixel)
{
    return std::uint32_t{pixel[0]} << 24 | std::uint32_t{pixel[1]} << 16 | std::uint32_t{pixel[2]} << 8 | pixel[3];
}

CGlResourceBuilder::~CGlResourceBuilder()
{
    for (GLuint program : m_programs) glDeleteProgram(program);
    if (!m_textures.empty()) glDeleteTextures(static_cast<GLsizei>(m_textures.size()), m_textures.data());
    if (!m_buffers.empty()) glDeleteBuffers(static_cast<GLsizei>(m_buffers.size()), m_buffers.data());
    if (!m_framebuffers.empty())
        glDeleteFramebuffers(static_cast<GLsizei>(m_framebuffers.size()), m_framebuffers.data());
}

Handle<CRenderPass> CGlResourceBuilder::MakePass(const std::string& vertexFile, const std::string& pixelFile)
{
    return MakePassFromSource(hlv_gl_test::ReadFileText(ShaderPath(vertexFile)),
                              hlv_gl_test::ReadFileText(ShaderPath(pixelFile)));
}

Handle<CRenderPass> CGlResourceBuilder::MakePassFromSource(const std::string& vertexSource,
                                                           const std::string& pixelSource)
{
    std::string log;
    const GLuint program = hlv_gl_test::BuildProgram(vertexSource, pixelSource, log);
    if (program == 0) {
        Fail("program: " + log);
        return {};
    }
    m_programs.push_back(program);

    auto pass = hlv_core::Adopt(new CRenderPass("test pass"));
    pass->vertexShader = hlv_core::Adopt(new CShader("vertex"));
    pass->pixelShader = hlv_core::Adopt(new CShader("pixel"));
    auto api = hlv_core::Adopt(new CGLSL_RenderPass_ApiSpecific());
    api->program = program;
    pass->apiObject = api;

    GLint count = 0, maxLength = 0;
    glGetProgramiv(program, GL_ACTIVE_UNIFORMS, &count);
    glGetProgramiv(program, GL_ACTIVE_UNIFORM_MAX_LENGTH, &maxLength);
    std::vector<char> name(static_cast<std::size_t>(maxLength) + 1);
    for (GLint i = 0; i < count; ++i) {
        GLint size = 0;
        GLenum type = 0;
        glGetActiveUniform(program, static_cast<GLuint>(i), maxLength, nullptr, &size, &type, name.data());
        if (std::strncmp(name.data(), "gl_", 3) == 0) continue;
        auto variable = hlv_core::Adopt(new CShaderVariable(name.data()));
        variable->SetType(ogl::ShaderVariableTypeOfUniform(type));
        variable->AllocateValue(ShaderVariableTypeSize(variable->GetType()));
        auto location = hlv_core::Adopt(new CGLSL_ShaderVariable_ApiSpecific());
        location->location = glGetUniformLocation(program, name.data());
        variable->apiObject = location;
        pass->GetVariables().push_back(variable);
    }
    pass->ResolveDefaultVariables();
    return pass;
}

template <typename T>
void CGlResourceBuilder::GiveTextureName(T& texture)
{
    auto api = hlv_core::Adopt(new oglCTexture_ApiSpecific());
    glGenTextures(1, &api->texture);
    m_textures.push_back(api->texture);
    texture.apiObject = api;
}

Handle<CImage> CGlResourceBuilder::MakeImage(std::uint32_t colorFormat, std::uint32_t valueType, std::uint64_t width,
                                             std::uint64_t height, const std::vector<std::uint8_t>& bytes)
{
    auto image = hlv_core::Adopt(new CImage("test image"));
    if (bytes.empty()) {
        // Format only: no pixels, GL makes empty storage.
        image->GetPixelBuffer()->GetPixelBufferLayout()->SetFormat(colorFormat, valueType);
        return image;
    }
    if (image->SetFormat(colorFormat, valueType) != GFXR_OK || image->Allocate(width, height) != GFXR_OK) {
        Fail("image storage");
        return {};
    }
    auto pixels = image->GetPixelBuffer();
    if (pixels->GetDataSize() != bytes.size()) Fail("image size differs from the bytes given");
    std::memcpy(pixels->GetData(), bytes.data(), std::min<std::size_t>(bytes.size(), pixels->GetDataSize()));
    return image;
}

Handle<CTexture> CGlResourceBuilder::MakeTexture(std::uint32_t textureFormat, std::uint32_t colorFormat,
                                                 std::uint32_t valueType, std::uint64_t width, std::uint64_t height,
                                                 const std::vector<std::uint8_t>& bytes)
{
    auto texture = hlv_core::Adopt(new CTexture("test texture"));
    texture->textureType = TT_TEXTURE_2D;
    texture->textureFormat = textureFormat;
    texture->wrap = {3, 3, 3};
    texture->magFilter = texture->minFilter = 0;
    texture->SetImage(MakeImage(colorFormat, valueType, width, height, bytes));
    texture->width = width;
    texture->height = height;
    GiveTextureName(*texture);
    return texture;
}

Handle<CDepthTexture> CGlResourceBuilder::MakeDepthTexture(std::uint64_t width, std::uint64_t height)
{
    auto texture = hlv_core::Adopt(new CDepthTexture("test depth texture"));
    texture->textureType = TT_TEXTURE_2D;
    texture->textureFormat = TF_DEPTH_COMPONENT32;
    texture->wrap = {3, 3, 3};
    texture->magFilter = texture->minFilter = 0;
    texture->SetImage(MakeImage(CT_LUMINANCE, hlv_core::T_FLOAT, width, height, {}));
    texture->width = width;
    texture->height = height;
    GiveTextureName(*texture);
    return texture;
}

Handle<CCubeMapTexture> CGlResourceBuilder::MakeCubeMap(std::uint64_t size, const std::vector<std::uint32_t>& colours)
{
    auto texture = hlv_core::Adopt(new CCubeMapTexture("test cube map"));
    texture->textureType = TT_TEXTURE_CUBE;
    texture->wrap = {3, 3, 3};
    texture->magFilter = texture->minFilter = 0;
    for (std::size_t face = 0; face < CUBE_FACE_COUNT; ++face) {
        std::vector<std::uint8_t> bytes;
        for (std::uint64_t i = 0; i < size * size; ++i)
            for (int shift : {24, 16, 8, 0}) bytes.push_back(static_cast<std::uint8_t>(colours[face] >> shift));
        texture->faces[face] = MakeImage(CT_RGBA, hlv_core::T_UCHAR, size, size, bytes);
    }
    texture->SetImage(texture->faces[0]);
    GiveTextureName(*texture);
    return texture;
}

Handle<CTextureBuffer> CGlResourceBuilder::MakeTextureBuffer(const std::vector<float>& texels)
{
    auto buffer = hlv_core::Adopt(new CTextureBuffer("Texture Memory"));
    if (buffer->SetTexelFormat() != GFXR_OK) Fail("texel format");
    buffer->WriteData([&](CBuffer& memory) {
        if (memory.Allocate(memory.GetLayout(), texels.size() / 4) != GFXR_OK) return Fail("texel storage");
        if (!texels.empty()) std::memcpy(memory.GetData(), texels.data(), texels.size() * sizeof(float));
    });
    auto texture = hlv_core::Adopt(new oglCTexture_ApiSpecific("Texture APIS"));
    glGenTextures(1, &texture->texture);
    m_textures.push_back(texture->texture);
    buffer->textureApiObject = texture;
    auto memory = hlv_core::Adopt(new oglCBuffer_ApiSpecific("Buffer APIS"));
    glGenBuffers(1, &memory->buffer);
    m_buffers.push_back(memory->buffer);
    buffer->bufferApiObject = memory;
    return buffer;
}

Handle<CVertexBuffer> CGlResourceBuilder::MakeVertexBuffer(std::initializer_list<std::uint32_t> semantics,
                                                           const std::vector<float>& values)
{
    auto buffer = hlv_core::Adopt(new CVertexBuffer("A Vertex Buffer"));
    const auto layout = buffer->GetVertexBufferLayout();
    for (std::uint32_t semantic : semantics) layout->AddElement(semantic);
    if (!values.empty()) {
        if (buffer->Allocate(layout, values.size() / (3 * semantics.size())) != GFXR_OK) Fail("vertex storage");
        std::memcpy(buffer->GetData(), values.data(), values.size() * sizeof(float));
    }
    auto api = hlv_core::Adopt(new oglCBuffer_ApiSpecific("A Ogl Vertex Buffer Module"));
    glGenBuffers(1, &api->buffer);
    m_buffers.push_back(api->buffer);
    buffer->apiObject = api;
    return buffer;
}

Handle<CIndexBuffer> CGlResourceBuilder::MakeIndexBuffer(const std::vector<std::uint32_t>& indices)
{
    auto buffer = hlv_core::Adopt(new CIndexBuffer("A Index Buffer"));
    buffer->InitLayout();
    if (buffer->Allocate(buffer->GetLayout(), indices.size()) != GFXR_OK) Fail("index storage");
    std::memcpy(buffer->GetData(), indices.data(), indices.size() * sizeof(std::uint32_t));
    auto api = hlv_core::Adopt(new oglCBuffer_ApiSpecific("A Ogl Index Buffer Module"));
    glGenBuffers(1, &api->buffer);
    m_buffers.push_back(api->buffer);
    buffer->apiObject = api;
    return buffer;
}

Handle<CFramebuffer> CGlResourceBuilder::MakeFramebuffer(COglRenderer& renderer,
                                                         const std::vector<Handle<CTexture>>& colours,
                                                         const Handle<CDepthTexture>& depth)
{
    auto framebuffer = hlv_core::Adopt(new CFramebuffer("FB"));
    auto api = hlv_core::Adopt(new oglCFramebuffer_ApiSpecific());
    glGenFramebuffers(1, &api->framebuffer);
    m_framebuffers.push_back(api->framebuffer);
    framebuffer->apiObject = api;
    framebuffer->colorAttachments = colours;
    framebuffer->depthAttachment = depth;

    glBindFramebuffer(GL_FRAMEBUFFER, api->framebuffer);
    for (std::size_t i = 0; i < colours.size(); ++i) {
        if (renderer.LoadTexture(colours[i]) != GFXR_OK) Fail("colour attachment load");
        glFramebufferTexture2D(GL_FRAMEBUFFER, static_cast<GLenum>(GL_COLOR_ATTACHMENT0 + i), GL_TEXTURE_2D,
                               TextureNameOf(colours[i]->apiObject), 0);
    }
    if (depth) {
        if (renderer.LoadTexture(depth) != GFXR_OK) Fail("depth attachment load");
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, TextureNameOf(depth->apiObject), 0);
    }
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) Fail("framebuffer incomplete");
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    return framebuffer;
}

}  // namespace hlv_ogl_test
