// Texture loading: what reaches GL and when, read back from the textures.
#include "ogl/renderer_fixture.h"

#include <cstring>

#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/gfx_types.h>

namespace hlv_ogl_test {
namespace {

using namespace hlv_gfx;
using hlv_gl_test::GetInteger;

std::vector<std::uint8_t> Repeat(std::initializer_list<std::uint8_t> pixel, std::size_t count)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(pixel.size() * count);
    for (std::size_t i = 0; i < count; ++i)
        for (std::uint8_t byte : pixel) bytes.push_back(byte);
    return bytes;
}

GLint TextureParameter(GLenum target, GLuint texture, GLenum name)
{
    GLint value = 0;
    glBindTexture(target, texture);
    glGetTexParameteriv(target, name, &value);
    glBindTexture(target, 0);
    return value;
}

using OglRendererTextureTest = COglRendererTest;

TEST_F(OglRendererTextureTest, ChangedFlagAloneDecidesAboutTheUpload)
{
    auto texture = MakeTexture(TF_RGBA8, CT_RGBA, hlv_core::T_UCHAR, 2, 2, Repeat({255, 0, 0, 255}, 4));
    const GLuint name = TextureNameOf(texture->apiObject);
    ASSERT_TRUE(texture->IsChanged());
    ASSERT_EQ(renderer->LoadTexture(texture), GFXR_OK);
    EXPECT_FALSE(texture->IsChanged());
    EXPECT_EQ(GetInteger(GL_TEXTURE_BINDING_2D), static_cast<GLint>(name));
    EXPECT_EQ(hlv_gl_test::ReadTextureRgba8(GL_TEXTURE_2D, name), Repeat({255, 0, 0, 255}, 4));

    // New pixels without the flag: bound, not sent.
    const auto blue = Repeat({0, 0, 255, 255}, 4);
    std::memcpy(texture->GetImage()->GetPixelBuffer()->GetData(), blue.data(), blue.size());
    glBindTexture(GL_TEXTURE_2D, 0);
    ASSERT_EQ(renderer->LoadTexture(texture), GFXR_OK);
    EXPECT_EQ(GetInteger(GL_TEXTURE_BINDING_2D), static_cast<GLint>(name));
    EXPECT_EQ(hlv_gl_test::ReadTextureRgba8(GL_TEXTURE_2D, name), Repeat({255, 0, 0, 255}, 4));

    texture->SetChanged(true);
    ASSERT_EQ(renderer->LoadTexture(texture), GFXR_OK);
    EXPECT_FALSE(texture->IsChanged());
    EXPECT_EQ(hlv_gl_test::ReadTextureRgba8(GL_TEXTURE_2D, name), blue);
}

TEST_F(OglRendererTextureTest, OddWidthRgbImageComesOutStraight)
{
    // Rows of 5 RGB pixels are 15 bytes: no multiple of GL's default alignment.
    constexpr std::size_t kWidth = 5, kHeight = 3;
    std::vector<std::uint8_t> bytes;
    for (std::size_t y = 0; y < kHeight; ++y)
        for (std::size_t x = 0; x < kWidth; ++x)
            for (std::size_t value : {40 * x, 60 * y, x + kWidth * y})
                bytes.push_back(static_cast<std::uint8_t>(value));
    auto texture = MakeTexture(TF_RGB8, CT_RGB, hlv_core::T_UCHAR, kWidth, kHeight, bytes);
    ASSERT_EQ(renderer->LoadTexture(texture), GFXR_OK);
    EXPECT_EQ(GetInteger(GL_UNPACK_ALIGNMENT), 4);  // put back after the upload

    const auto texels = hlv_gl_test::ReadTextureRgba8(GL_TEXTURE_2D, TextureNameOf(texture->apiObject));
    ASSERT_EQ(texels.size(), kWidth * kHeight * 4);
    for (std::size_t i = 0; i < kWidth * kHeight; ++i)
        EXPECT_EQ((std::vector<std::uint8_t>(texels.begin() + 4 * i, texels.begin() + 4 * i + 3)),
                  (std::vector<std::uint8_t>(bytes.begin() + 3 * i, bytes.begin() + 3 * i + 3)))
            << "pixel " << i % kWidth << "," << i / kWidth;
}

TEST_F(OglRendererTextureTest, CubeFacesLandInFaceOrder)
{
    const std::vector<std::uint32_t> colours{0xFF0000FF, 0x00FF00FF, 0x0000FFFF, 0xFFFF00FF, 0xFF00FFFF, 0x00FFFFFF};
    auto cube = MakeCubeMap(2, colours);
    ASSERT_EQ(renderer->LoadTexture(cube), GFXR_OK);
    EXPECT_FALSE(cube->IsChanged());
    const GLuint name = TextureNameOf(cube->apiObject);
    EXPECT_EQ(GetInteger(GL_TEXTURE_BINDING_CUBE_MAP), static_cast<GLint>(name));
    for (GLenum face = 0; face < 6; ++face) {
        std::vector<std::uint8_t> texels(2 * 2 * 4);
        glGetTexImage(GL_TEXTURE_CUBE_MAP_POSITIVE_X + face, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
        EXPECT_EQ(Packed({texels[12], texels[13], texels[14], texels[15]}), colours[face]) << "face " << face;
    }
    EXPECT_EQ(TextureParameter(GL_TEXTURE_CUBE_MAP, name, GL_TEXTURE_WRAP_T), GL_CLAMP_TO_EDGE);
    // A missing face image stops the upload before it starts.
    cube->faces[3].Reset();
    cube->SetChanged(true);
    EXPECT_EQ(renderer->LoadTexture(cube), GFXR_INVALID_ARGUMENT);
    EXPECT_TRUE(cube->IsChanged());
}

TEST_F(OglRendererTextureTest, SamplingParametersComeFromTheTexture)
{
    auto texture = MakeTexture(TF_RGBA8, CT_RGBA, hlv_core::T_UCHAR, 1, 1, Repeat({1, 2, 3, 4}, 1));
    texture->wrap = {2, 1, 0};
    texture->magFilter = 1;
    texture->minFilter = 0;
    texture->borderColor = {0.25f, 0.5f, 0.75f, 1.0f};
    ASSERT_EQ(renderer->LoadTexture(texture), GFXR_OK);
    const GLuint name = TextureNameOf(texture->apiObject);
    EXPECT_EQ(TextureParameter(GL_TEXTURE_2D, name, GL_TEXTURE_WRAP_S), GL_CLAMP_TO_BORDER);
    EXPECT_EQ(TextureParameter(GL_TEXTURE_2D, name, GL_TEXTURE_WRAP_T), GL_REPEAT);
    EXPECT_EQ(TextureParameter(GL_TEXTURE_2D, name, GL_TEXTURE_WRAP_R), GL_REPEAT);  // a 2D texture wraps s, t
    EXPECT_EQ(TextureParameter(GL_TEXTURE_2D, name, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    EXPECT_EQ(TextureParameter(GL_TEXTURE_2D, name, GL_TEXTURE_MIN_FILTER), GL_NEAREST);
    GLfloat border[4] = {};
    glBindTexture(GL_TEXTURE_2D, name);
    glGetTexParameterfv(GL_TEXTURE_2D, GL_TEXTURE_BORDER_COLOR, border);
    EXPECT_EQ(border[1], 0.5f);

    // A wrap value outside the table fails the parameter step; retried later.
    texture->wrap = {7, 0, 0};
    texture->SetChanged(true);
    EXPECT_EQ(renderer->LoadTexture(texture), GFXR_FAIL);
    EXPECT_TRUE(texture->IsChanged());
}

TEST_F(OglRendererTextureTest, DepthTextureSamplesIntensityWithoutComparison)
{
    auto depth = MakeDepthTexture(4, 4);
    ASSERT_EQ(renderer->LoadTexture(depth), GFXR_OK);
    const GLuint name = TextureNameOf(depth->apiObject);
    EXPECT_EQ(TextureParameter(GL_TEXTURE_2D, name, GL_DEPTH_TEXTURE_MODE), GL_INTENSITY);
    EXPECT_EQ(TextureParameter(GL_TEXTURE_2D, name, GL_TEXTURE_COMPARE_MODE), GL_NONE);
    EXPECT_EQ(hlv_gl_test::GetTextureLevelParameter(GL_TEXTURE_2D, name, GL_TEXTURE_INTERNAL_FORMAT),
              GL_DEPTH_COMPONENT32);
    EXPECT_EQ(hlv_gl_test::GetTextureLevelParameter(GL_TEXTURE_2D, name, GL_TEXTURE_WIDTH), 4);
}

TEST_F(OglRendererTextureTest, BadTexturesAreRefusedWithoutGlErrors)
{
    auto texture = MakeTexture(TF_RGBA8, CT_RGBA, hlv_core::T_UCHAR, 2, 2, Repeat({9, 9, 9, 9}, 4));
    EXPECT_EQ(renderer->LoadTexture(Handle<CTexture>()), GFXR_INVALID_ARGUMENT);

    // Pixels that do not cover the texture would be read past their end.
    texture->width = 4;
    EXPECT_EQ(renderer->LoadTexture(texture), GFXR_INVALID_ARGUMENT);
    EXPECT_TRUE(texture->IsChanged());
    texture->width = 2;
    texture->textureFormat = TEXTURE_FORMAT_COUNT;
    EXPECT_EQ(renderer->LoadTexture(texture), GFXR_INVALID_ARGUMENT);
    texture->textureFormat = TF_RGBA8;

    texture->SetImage({});
    EXPECT_EQ(renderer->LoadTexture(texture), GFXR_INVALID_ARGUMENT);
    texture->apiObject.Reset();
    EXPECT_EQ(renderer->LoadTexture(texture), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(renderer->UseTexture(texture, 0), GFXR_INVALID_ARGUMENT);
}

TEST_F(OglRendererTextureTest, TextureOfCubeTypeIsBoundAndLeftWithoutImage)
{
    auto texture = MakeTexture(TF_RGBA8, CT_RGBA, hlv_core::T_UCHAR, 1, 1, Repeat({1, 1, 1, 1}, 1));
    texture->textureType = TT_TEXTURE_CUBE;
    ASSERT_EQ(renderer->LoadTexture(texture), GFXR_OK);
    EXPECT_EQ(GetInteger(GL_TEXTURE_BINDING_CUBE_MAP), static_cast<GLint>(TextureNameOf(texture->apiObject)));
    GLint width = -1;
    glGetTexLevelParameteriv(GL_TEXTURE_CUBE_MAP_POSITIVE_X, 0, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(width, 0);
    EXPECT_FALSE(texture->IsChanged());
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
}

TEST_F(OglRendererTextureTest, UnitsAndTextureMatrices)
{
    auto texture = MakeTexture(TF_RGBA8, CT_RGBA, hlv_core::T_UCHAR, 1, 1, Repeat({1, 1, 1, 1}, 1));
    EXPECT_EQ(renderer->UseTexture(texture, 3), GFXR_OK);
    EXPECT_EQ(GetInteger(GL_ACTIVE_TEXTURE), GL_TEXTURE3);
    EXPECT_EQ(renderer->UseTexture(texture, 100000), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(GetInteger(GL_ACTIVE_TEXTURE), GL_TEXTURE3);
    glActiveTexture(GL_TEXTURE0);

    const float matrix[16] = {};
    EXPECT_EQ(renderer->SetTextureMatrix(matrix, COglRenderer::kTextureMatrixCount), GFXR_FAIL);
    EXPECT_EQ(renderer->SetTextureMatrix(matrix, COglRenderer::kTextureMatrixCount - 1), GFXR_OK);
}

}  // namespace
}  // namespace hlv_ogl_test
