#include <cstdint>

#include <gtest/gtest.h>

#include <halvo_core/property/PropertyTypes.h>
#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/cube_map_texture.h>
#include <halvo_gfx/depth_texture.h>
#include <halvo_gfx/framebuffer.h>
#include <halvo_gfx/texture.h>

using namespace hlv_gfx;
using hlv_core::Adopt;
using hlv_core::CResourceHandle;

TEST(SizedTextureFormat, BaseFormatsTakeTheSizeOfTheirComponents)
{
    struct Row {
        TEXTURE_FORMAT base, bits8, bits16, float32;
    };
    const Row rows[] = {
        {TF_ALPHA, TF_ALPHA8, TF_ALPHA16, TF_ALPHA32F},
        {TF_LUMINANCE, TF_LUMINANCE8, TF_LUMINANCE16, TF_LUMINANCE32F},
        {TF_INTENSITY, TF_INTENSITY8, TF_INTENSITY16, TF_INTENSITY32F},
        {TF_RGB, TF_RGB8, TF_RGB16, TF_RGB32F},
        {TF_RGBA, TF_RGBA8, TF_RGBA16, TF_RGBA32F},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(GetSizedTextureFormat(row.base, hlv_core::T_CHAR), row.bits8) << row.base;
        EXPECT_EQ(GetSizedTextureFormat(row.base, hlv_core::T_UCHAR), row.bits8) << row.base;
        EXPECT_EQ(GetSizedTextureFormat(row.base, hlv_core::T_SHORT), row.bits16) << row.base;
        EXPECT_EQ(GetSizedTextureFormat(row.base, hlv_core::T_USHORT), row.bits16) << row.base;
        EXPECT_EQ(GetSizedTextureFormat(row.base, hlv_core::T_FLOAT), row.float32) << row.base;
        for (auto type : {hlv_core::T_INT, hlv_core::T_UINT, hlv_core::T_DOUBLE, hlv_core::T_BOOL})
            EXPECT_EQ(GetSizedTextureFormat(row.base, type), 0u) << row.base << " " << type;
    }
    EXPECT_EQ(GetSizedTextureFormat(TF_RGBA, hlv_core::T_FLOAT), 40u);
    EXPECT_EQ(GetSizedTextureFormat(TF_RGB, hlv_core::T_UINT), 0u);
    EXPECT_EQ(GetSizedTextureFormat(TF_DEPTH_COMPONENT24, hlv_core::T_FLOAT), 14u);
    EXPECT_EQ(GetSizedTextureFormat(TF_DEPTH_COMPONENT24, hlv_core::T_UCHAR), 14u);
    EXPECT_EQ(GetSizedTextureFormat(TF_RGBA8, hlv_core::T_FLOAT), static_cast<std::uint32_t>(TF_RGBA8));
    EXPECT_EQ(GetSizedTextureFormat(0, hlv_core::T_FLOAT), 0u);
    EXPECT_EQ(GetSizedTextureFormat(TF_RGBA, 0), 0u);
}

TEST(Texture, NewTextureDefaults)
{
    auto texture = Adopt(new CTexture("t"));
    EXPECT_EQ(texture->textureFormat, static_cast<std::uint32_t>(TF_RGBA));
    EXPECT_EQ(texture->sizedFormat, 0u);
    EXPECT_EQ(texture->magFilter, 1u);
    EXPECT_EQ(texture->minFilter, 1u);
    EXPECT_FALSE(texture->GetImage().IsValid());
    EXPECT_FALSE(texture->IsChanged());
    EXPECT_FALSE(texture->apiObject.IsValid());
}

TEST(Texture, SetImageTakesSizeAndSizedFormatAndMarksTheChange)
{
    auto image = Adopt(new CImage("img"));
    image->SetFormat(CT_RGB, hlv_core::T_UCHAR);
    ASSERT_EQ(image->Allocate(256, 128), GFXR_OK);

    auto texture = Adopt(new CTexture("t"));
    texture->textureFormat = TF_RGB;
    texture->SetImage(image);
    EXPECT_EQ(texture->width, 256u);
    EXPECT_EQ(texture->height, 128u);
    EXPECT_EQ(texture->sizedFormat, 30u);
    EXPECT_TRUE(texture->IsChanged());
    EXPECT_EQ(texture->GetImage(), image);
    // The texture keeps its image alive.
    EXPECT_EQ(image->GetRefCount(), 2u);

    texture->SetChanged(false);
    texture->SetImage(CResourceHandle<CImage>());
    EXPECT_TRUE(texture->IsChanged());
    EXPECT_FALSE(texture->GetImage().IsValid());
    EXPECT_EQ(texture->width, 256u);
    EXPECT_EQ(texture->sizedFormat, 30u);
}

TEST(Texture, DepthAndCubeMapTexturesAreTexturesOfTheirOwnClass)
{
    auto depth = Adopt(new CDepthTexture("d"));
    auto cube = Adopt(new CCubeMapTexture("c"));
    EXPECT_TRUE(hlv_core::IsKindOf<CTexture>(depth.get()));
    EXPECT_FALSE(hlv_core::IsExactly<CTexture>(depth.get()));
    EXPECT_TRUE(hlv_core::IsExactly<CCubeMapTexture>(cube.get()));
    EXPECT_EQ(cube->faces.size(), 6u);
    for (const auto& face : cube->faces) EXPECT_FALSE(face.IsValid());
}

TEST(Framebuffer, MissingColourAttachmentsAnswerAnEmptyHandle)
{
    auto framebuffer = Adopt(new CFramebuffer("f"));
    EXPECT_EQ(framebuffer->validationPending, 1);
    auto first = Adopt(new CTexture("a"));
    auto second = Adopt(new CTexture("b"));
    framebuffer->colorAttachments.push_back(first);
    framebuffer->colorAttachments.push_back(second);
    framebuffer->depthAttachment = Adopt<CTexture>(new CDepthTexture("depth"));

    EXPECT_EQ(*framebuffer->GetColorAttachment(1), second);
    ASSERT_NE(framebuffer->GetColorAttachment(3), nullptr);
    EXPECT_FALSE(framebuffer->GetColorAttachment(3)->IsValid());
    EXPECT_EQ(framebuffer->GetDepthAttachment()->GetName(), "depth");
    EXPECT_FALSE(framebuffer->GetStencilAttachment().IsValid());
}
