// Texture names of textures, depth and cube-map textures and texture memory,
// made by the OpenGL graphics system and filled by its renderer.
#include "ogl/system_fixture.h"

#include <cstring>

#include <halvo_core/property/PropertyTypes.h>
#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_gfx/image.h>

namespace hlv_ogl_system_test {
namespace {

using namespace hlv_gfx;
using hlv_gl_test::GetTextureLevelParameter;

Handle<CImage> MakeImage(std::uint32_t colorFormat, std::uint32_t valueType, std::uint64_t width, std::uint64_t height,
                         const void* bytes, std::size_t size)
{
    Handle<CImage> image(hlv_core::Adopt(new CImage("test image")));
    EXPECT_EQ(image->SetFormat(colorFormat, valueType), GFXR_OK);
    EXPECT_EQ(image->Allocate(width, height), GFXR_OK);
    const auto pixels = image->GetPixelBuffer();
    EXPECT_EQ(pixels->GetDataSize(), size);
    std::memcpy(pixels->GetData(), bytes, std::min<std::size_t>(size, pixels->GetDataSize()));
    return image;
}

void Describe(CTexture& texture, std::uint32_t type, std::uint32_t format)
{
    texture.textureType = type;
    texture.textureFormat = format;
    texture.wrap = {3, 3, 3};
    texture.magFilter = texture.minFilter = 0;
}

class OglSystemTextureTest : public COglSystemTest {
protected:
    void TearDown() override
    {
        renderer.Reset();
        COglSystemTest::TearDown();
    }

    // The system's own renderer: it gives textures their storage.
    IRenderer& Renderer()
    {
        if (!renderer) renderer = system->GetRenderer();
        return *renderer;
    }

    Handle<IRenderer> renderer;
};

TEST_F(OglSystemTextureTest, TextureGetsOneNameHoweverOftenItIsCreated)
{
    Handle<CTexture> texture;
    ASSERT_EQ(system->CreateTexture(texture), GFXR_OK);
    EXPECT_EQ(texture->GetName(), "A ogl texture");
    EXPECT_EQ(texture->apiObject->GetName(), "Ogl Texture");
    const GLuint name = TextureName(texture->apiObject);
    ASSERT_NE(name, 0u);
    ASSERT_EQ(system->CreateTexture(texture), GFXR_OK);
    EXPECT_EQ(TextureName(texture->apiObject), name);

    glBindTexture(GL_TEXTURE_2D, name);
    glBindTexture(GL_TEXTURE_2D, 0);
    ASSERT_TRUE(glIsTexture(name));
    ASSERT_EQ(system->ReleaseTexture(texture), GFXR_OK);
    EXPECT_EQ(TextureName(texture->apiObject), 0u);
    EXPECT_FALSE(glIsTexture(name));
    EXPECT_EQ(system->ReleaseTexture(texture), GFXR_OK) << "nothing left to delete";
}

TEST_F(OglSystemTextureTest, SharedTextureIsNotReleasedButSharedDepthTextureIs)
{
    Handle<CTexture> texture;
    ASSERT_EQ(system->CreateTexture(texture), GFXR_OK);
    Handle<CTexture> otherHolder = texture;
    EXPECT_EQ(system->ReleaseTexture(texture), GFXR_MULTI_REF);
    EXPECT_NE(TextureName(texture->apiObject), 0u);
    otherHolder.Reset();
    EXPECT_EQ(system->ReleaseTexture(texture), GFXR_OK);

    Handle<CDepthTexture> depth;
    ASSERT_EQ(system->CreateDepthTexture(depth), GFXR_OK);
    Handle<CDepthTexture> depthHolder = depth;
    EXPECT_EQ(system->ReleaseDepthTexture(depth), GFXR_OK);
    EXPECT_EQ(TextureName(depthHolder->apiObject), 0u);

    Handle<CTexture> noApiObject(hlv_core::Adopt(new CTexture("bare")));
    EXPECT_EQ(system->ReleaseTexture(noApiObject), GFXR_INVALID_ARGUMENT);
    Handle<CTexture> empty;
    EXPECT_EQ(system->ReleaseTexture(empty), GFXR_INVALID_ARGUMENT);
    EXPECT_TRUE(printer->texts.empty());
}

TEST_F(OglSystemTextureTest, DepthAndCubeMapTexturesGetANewNameEachTime)
{
    Handle<CDepthTexture> depth;
    ASSERT_EQ(system->CreateDepthTexture(depth), GFXR_OK);
    EXPECT_EQ(depth->GetName(), "A depth Texture");
    const GLuint first = TextureName(depth->apiObject);
    ASSERT_EQ(system->CreateDepthTexture(depth), GFXR_OK);
    const GLuint second = TextureName(depth->apiObject);
    EXPECT_NE(first, 0u);
    EXPECT_NE(second, 0u);
    EXPECT_NE(first, second);
    glDeleteTextures(1, &first);  // the first name is no longer held by anything

    Handle<CCubeMapTexture> cube;
    ASSERT_EQ(system->CreateCubeMapTexture(cube), GFXR_OK);
    EXPECT_EQ(cube->GetName(), "A depth Texture");
    EXPECT_TRUE(hlv_core::IsExactly<CCubeMapTexture>(cube.get()));
    EXPECT_NE(TextureName(cube->apiObject), 0u);
    EXPECT_EQ(system->ReleaseCubeMapTexture(cube), GFXR_OK);
    EXPECT_EQ(system->ReleaseDepthTexture(depth), GFXR_OK);
    EXPECT_EQ(TextureName(cube->apiObject), 0u);
}

TEST_F(OglSystemTextureTest, CreatedTexturesTakeTheirFormatsWhenLoaded)
{
    struct CASE {
        std::uint32_t textureFormat, colorFormat, valueType;
        GLint internalFormat;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<float> floats{0.25f, -2.0f, 8.5f, 1.0f, 3.0f, 0.5f, 0.0f, -1.0f};
    std::vector<std::uint8_t> floatBytes(floats.size() * 4);
    std::memcpy(floatBytes.data(), floats.data(), floatBytes.size());
    const std::vector<CASE> cases{
        {TF_RGBA8, CT_RGBA, hlv_core::T_UCHAR, GL_RGBA8, {1, 2, 3, 4, 250, 251, 252, 253}},
        {TF_RGBA32F, CT_RGBA, hlv_core::T_FLOAT, GL_RGBA32F, floatBytes},
        {TF_LUMINANCE8, CT_LUMINANCE, hlv_core::T_UCHAR, GL_LUMINANCE8, {40, 200}},
    };
    for (const CASE& c : cases) {
        SCOPED_TRACE(c.internalFormat);
        Handle<CTexture> texture;
        ASSERT_EQ(system->CreateTexture(texture), GFXR_OK);
        Describe(*texture, TT_TEXTURE_2D, c.textureFormat);
        texture->SetImage(MakeImage(c.colorFormat, c.valueType, 2, 1, c.bytes.data(), c.bytes.size()));
        ASSERT_EQ(Renderer().LoadTexture(texture), GFXR_OK);
        const GLuint name = TextureName(texture->apiObject);
        EXPECT_EQ(GetTextureLevelParameter(GL_TEXTURE_2D, name, GL_TEXTURE_INTERNAL_FORMAT), c.internalFormat);
        EXPECT_EQ(GetTextureLevelParameter(GL_TEXTURE_2D, name, GL_TEXTURE_WIDTH), 2);
        if (c.valueType == hlv_core::T_FLOAT)
            EXPECT_EQ(hlv_gl_test::ReadTextureRgbaF(GL_TEXTURE_2D, name), floats);
        else if (c.colorFormat == CT_RGBA)
            EXPECT_EQ(hlv_gl_test::ReadTextureRgba8(GL_TEXTURE_2D, name), c.bytes);
        else
            EXPECT_EQ(hlv_gl_test::ReadTextureRgba8(GL_TEXTURE_2D, name),
                      (std::vector<std::uint8_t>{40, 0, 0, 255, 200, 0, 0, 255}));
        EXPECT_EQ(system->ReleaseTexture(texture), GFXR_OK);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_TRUE(printer->texts.empty());
}

TEST_F(OglSystemTextureTest, CubeMapFacesLoadIntoTheCreatedName)
{
    Handle<CCubeMapTexture> cube;
    ASSERT_EQ(system->CreateCubeMapTexture(cube), GFXR_OK);
    Describe(*cube, TT_TEXTURE_CUBE, TF_RGBA8);
    for (std::size_t face = 0; face < CUBE_FACE_COUNT; ++face) {
        const std::uint8_t value = static_cast<std::uint8_t>(10 * (face + 1));
        const std::vector<std::uint8_t> bytes{value, 0, 0, 255, value, 1, 0, 255, value, 2, 0, 255, value, 3, 0, 255};
        cube->faces[face] = MakeImage(CT_RGBA, hlv_core::T_UCHAR, 2, 2, bytes.data(), bytes.size());
    }
    cube->SetImage(cube->faces[0]);
    ASSERT_EQ(Renderer().LoadTexture(cube), GFXR_OK);

    const GLuint name = TextureName(cube->apiObject);
    const GLenum faces[] = {GL_TEXTURE_CUBE_MAP_POSITIVE_X, GL_TEXTURE_CUBE_MAP_NEGATIVE_X,
                            GL_TEXTURE_CUBE_MAP_POSITIVE_Y, GL_TEXTURE_CUBE_MAP_NEGATIVE_Y,
                            GL_TEXTURE_CUBE_MAP_POSITIVE_Z, GL_TEXTURE_CUBE_MAP_NEGATIVE_Z};
    for (std::size_t face = 0; face < CUBE_FACE_COUNT; ++face) {
        const auto texels = hlv_gl_test::ReadTextureRgba8(faces[face], name);
        ASSERT_EQ(texels.size(), 16u);
        EXPECT_EQ(texels[0], 10 * (face + 1)) << face;
        EXPECT_EQ(texels[13], 3) << face;
    }
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
    EXPECT_EQ(system->ReleaseCubeMapTexture(cube), GFXR_OK);
}

TEST_F(OglSystemTextureTest, TextureMemoryHoldsATextureOverABuffer)
{
    Handle<CTextureBuffer> memory;
    ASSERT_EQ(system->CreateTextureMemory(memory), GFXR_OK);
    EXPECT_EQ(memory->GetName(), "Texture Memory");
    EXPECT_EQ(memory->textureApiObject->GetName(), "Texture APIS");
    EXPECT_EQ(memory->bufferApiObject->GetName(), "Buffer APIS");
    const GLuint texture = TextureName(memory->textureApiObject);
    const GLuint buffer = BufferName(memory->bufferApiObject);
    ASSERT_NE(texture, 0u);
    ASSERT_NE(buffer, 0u);

    const std::vector<float> texels{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    ASSERT_EQ(memory->SetTexelFormat(), GFXR_OK);
    memory->WriteData([&](CBuffer& data) {
        ASSERT_EQ(data.Allocate(data.GetLayout(), 3), GFXR_OK);
        std::memcpy(data.GetData(), texels.data(), texels.size() * sizeof(float));
    });
    ASSERT_EQ(Renderer().LoadTexture(memory), GFXR_OK);

    glBindTexture(GL_TEXTURE_BUFFER, texture);
    EXPECT_EQ(GetTextureLevelParameter(GL_TEXTURE_BUFFER, texture, GL_TEXTURE_BUFFER_DATA_STORE_BINDING),
              static_cast<GLint>(buffer));
    glBindTexture(GL_TEXTURE_BUFFER, 0);
    std::vector<float> stored(texels.size());
    glBindBuffer(GL_TEXTURE_BUFFER, buffer);
    glGetBufferSubData(GL_TEXTURE_BUFFER, 0, static_cast<GLsizeiptr>(stored.size() * sizeof(float)), stored.data());
    glBindBuffer(GL_TEXTURE_BUFFER, 0);
    EXPECT_EQ(stored, texels);

    // A second creation keeps the names.
    ASSERT_EQ(system->CreateTextureMemory(memory), GFXR_OK);
    EXPECT_EQ(TextureName(memory->textureApiObject), texture);
    EXPECT_EQ(BufferName(memory->bufferApiObject), buffer);
    EXPECT_TRUE(printer->texts.empty());
    EXPECT_EQ(system->ReleaseTextureMemory(memory), GFXR_OK);
}

TEST_F(OglSystemTextureTest, ReleasedTextureMemoryForgetsItsNamesAndCanBeCreatedAgain)
{
    Handle<CTextureBuffer> memory;
    ASSERT_EQ(system->CreateTextureMemory(memory), GFXR_OK);
    ASSERT_EQ(memory->SetTexelFormat(), GFXR_OK);
    memory->WriteData([](CBuffer& data) { ASSERT_EQ(data.Allocate(data.GetLayout(), 1), GFXR_OK); });
    ASSERT_EQ(Renderer().LoadTexture(memory), GFXR_OK);
    const GLuint texture = TextureName(memory->textureApiObject);
    const GLuint buffer = BufferName(memory->bufferApiObject);
    ASSERT_TRUE(glIsTexture(texture));
    ASSERT_TRUE(glIsBuffer(buffer));

    ASSERT_EQ(system->ReleaseTextureMemory(memory), GFXR_OK);
    EXPECT_FALSE(glIsTexture(texture));
    EXPECT_FALSE(glIsBuffer(buffer));
    EXPECT_EQ(TextureName(memory->textureApiObject), 0u);
    EXPECT_EQ(BufferName(memory->bufferApiObject), 0u);
    EXPECT_TRUE(memory->IsChanged()) << "created again, it uploads its data again";

    // GL hands the freed names out again; the memory no longer reaches them.
    GLuint reused = 0;
    glGenTextures(1, &reused);
    ASSERT_EQ(system->ReleaseTextureMemory(memory), GFXR_OK);
    glBindTexture(GL_TEXTURE_2D, reused);
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_TRUE(glIsTexture(reused));
    glDeleteTextures(1, &reused);

    ASSERT_EQ(system->CreateTextureMemory(memory), GFXR_OK);
    EXPECT_NE(TextureName(memory->textureApiObject), 0u);
    EXPECT_NE(BufferName(memory->bufferApiObject), 0u);
    ASSERT_EQ(Renderer().LoadTexture(memory), GFXR_OK);
    EXPECT_EQ(system->ReleaseTextureMemory(memory), GFXR_OK);

    Handle<CTextureBuffer> empty;
    EXPECT_EQ(system->ReleaseTextureMemory(empty), GFXR_INVALID_ARGUMENT);
    Handle<CTextureBuffer> bare(hlv_core::Adopt(new CTextureBuffer("bare")));
    EXPECT_EQ(system->ReleaseTextureMemory(bare), GFXR_INVALID_ARGUMENT);
}

TEST_F(OglSystemTextureTest, TextureMemoryWithANamedTexturePartMakesNoBufferName)
{
    Handle<CTextureBuffer> memory(hlv_core::Adopt(new CTextureBuffer("Texture Memory")));
    auto texturePart = hlv_core::Adopt(new oglCTexture_ApiSpecific("Texture APIS"));
    glGenTextures(1, &texturePart->texture);
    const GLuint texture = texturePart->texture;
    memory->textureApiObject = std::move(texturePart);
    EXPECT_EQ(system->CreateTextureMemory(memory), GFXR_OK);
    EXPECT_FALSE(memory->bufferApiObject);
    EXPECT_EQ(TextureName(memory->textureApiObject), texture);
    glDeleteTextures(1, &texture);
}

}  // namespace
}  // namespace hlv_ogl_system_test
