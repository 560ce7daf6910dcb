#include <cstdint>

#include <gtest/gtest.h>

#include <halvo_core/property/PropertyTypes.h>
#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_gfx/image.h>

using namespace hlv_gfx;
using hlv_core::Adopt;

TEST(Image, NewImageHasOneBytePixelsAndNoStorage)
{
    auto image = Adopt(new CImage("img"));
    EXPECT_EQ(image->GetType(), static_cast<std::uint32_t>(hlv_core::T_CHAR));
    EXPECT_EQ(image->GetFormat(), 0u);
    EXPECT_EQ(image->GetWidth(), 0u);
    EXPECT_EQ(image->GetHeight(), 0u);
    EXPECT_FALSE(image->IsAllocated());
    EXPECT_EQ(image->GetPixelBuffer()->GetName(), "The Image Pixel Buffer");
    EXPECT_EQ(image->GetPixelBuffer()->GetData(), nullptr);
}

TEST(PixelBufferLayout, FormatAndTypeGiveThePixelSize)
{
    auto layout = Adopt(new CPixelBufferLayout("l"));
    EXPECT_EQ(layout->SetFormat(CT_BGRA, hlv_core::T_FLOAT), GFXR_OK);
    EXPECT_EQ(layout->GetStride(), 16u);
    EXPECT_EQ(layout->GetColorFormat(), static_cast<std::uint32_t>(CT_BGRA));
    layout->SetFormat(CT_RGB, hlv_core::T_FLOAT);
    EXPECT_EQ(layout->GetStride(), 12u);
    layout->SetFormat(CT_LUMINANCE, hlv_core::T_USHORT);
    EXPECT_EQ(layout->GetStride(), 2u);
    layout->SetFormat(CT_RGBA, hlv_core::T_CHAR);
    EXPECT_EQ(layout->GetStride(), 4u);
    // A colour format outside the enumeration has no size.
    EXPECT_EQ(layout->SetFormat(9, hlv_core::T_CHAR), GFXR_OK);
    EXPECT_EQ(layout->GetElements().front().byteSize, 0u);
    EXPECT_EQ(layout->GetStride(), 0u);
}

TEST(Image, FormatThenAllocateGivesRoomForEveryPixel)
{
    auto image = Adopt(new CImage("img"));
    image->SetFormat(CT_RGB, hlv_core::T_UCHAR);
    EXPECT_EQ(image->GetFormat(), static_cast<std::uint32_t>(CT_RGB));
    EXPECT_EQ(image->GetType(), static_cast<std::uint32_t>(hlv_core::T_UCHAR));
    ASSERT_EQ(image->Allocate(640, 480), GFXR_OK);
    EXPECT_TRUE(image->IsAllocated());
    EXPECT_EQ(image->GetWidth(), 640u);
    EXPECT_EQ(image->GetHeight(), 480u);
    EXPECT_GE(image->GetPixelBuffer()->GetStorageSize(), 921600u);
}

TEST(Image, WiderPixelsOnAnAllocatedImageGrowTheStorage)
{
    auto image = Adopt(new CImage("img"));
    image->SetFormat(CT_RGBA, hlv_core::T_UCHAR);
    ASSERT_EQ(image->Allocate(8, 8), GFXR_OK);
    ASSERT_EQ(image->SetFormat(CT_RGBA, hlv_core::T_FLOAT), GFXR_OK);
    EXPECT_EQ(image->GetPixelBuffer()->GetStorageSize(), 8u * 8u * 16u);
}

TEST(Image, FailedFormatAllocationDoesNotMarkTheImageAllocated)
{
    auto image = Adopt(new CImage("img"));
    // Format 9 has no pixel size, so no storage can be made for it.
    EXPECT_NE(image->SetFormat(9, hlv_core::T_CHAR), GFXR_OK);
    EXPECT_FALSE(image->IsAllocated());
    EXPECT_EQ(image->Allocate(4, 4), GFXR_FAIL);
    EXPECT_FALSE(image->IsAllocated());
    EXPECT_EQ(image->GetWidth(), 0u);

    // With a valid format the flag follows a real allocation.
    EXPECT_EQ(image->SetFormat(CT_RGBA, hlv_core::T_CHAR), GFXR_OK);
    EXPECT_EQ(image->Allocate(4, 4), GFXR_OK);
    EXPECT_TRUE(image->IsAllocated());
}

TEST(Image, CloneCopiesSizeAndFlagButNoPixels)
{
    auto image = Adopt(new CImage("source"));
    image->SetFormat(CT_RGBA, hlv_core::T_CHAR);
    ASSERT_EQ(image->Allocate(2, 2), GFXR_OK);

    auto copy = image->Clone();
    EXPECT_EQ(copy->GetName(), "source copy");
    EXPECT_NE(copy->GetId(), image->GetId());
    EXPECT_EQ(copy->GetRefCount(), 1u);
    EXPECT_EQ(copy->GetWidth(), 2u);
    EXPECT_EQ(copy->GetHeight(), 2u);
    EXPECT_TRUE(copy->IsAllocated());
    EXPECT_FALSE(copy->GetPixelBuffer().IsValid());

    // Operations on the clone stay safe without a pixel buffer.
    EXPECT_EQ(copy->GetType(), static_cast<std::uint32_t>(hlv_core::T_CHAR));
    EXPECT_EQ(copy->GetFormat(), 0u);
    EXPECT_EQ(copy->SetFormat(CT_RGB, hlv_core::T_CHAR), GFXR_INVALID_HANDLE);
    EXPECT_EQ(copy->Allocate(4, 4), GFXR_INVALID_HANDLE);
}

TEST(Image, TheSharedFallbackLayoutIsNeverChanged)
{
    auto image = Adopt(new CImage("img"));
    auto plain = Adopt(new CBufferLayout("plain"));
    plain->AppendElement({1, hlv_core::T_UCHAR, hlv_core::TS_SCALAR, 3});
    ASSERT_EQ(image->GetPixelBuffer()->Allocate(plain, 1), GFXR_OK);

    EXPECT_EQ(image->SetFormat(CT_RGBA, hlv_core::T_FLOAT), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(NULL_PIXEL_BUFFER_LAYOUT->GetStride(), 1u);
    EXPECT_EQ(NULL_PIXEL_BUFFER_LAYOUT->GetColorFormat(), 0u);
}
