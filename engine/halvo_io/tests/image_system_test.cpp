#include <halvo_io/IOFreeImageSystem.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include <gtest/gtest.h>

#include <halvo_core/property/PropertyTypes.h>
#include <halvo_gfx/gfx_types.h>

#include "support/bitmaps.h"
#include "support/temp_dir.h"

using namespace hlv_io;
using namespace hlv_io_test;
using hlv_core::CResourceHandle;
using hlv_gfx::CImage;

class ImageSystemTest : public ::testing::Test {
protected:
    std::string Save(const Bitmap& bitmap, FREE_IMAGE_FORMAT format, const std::string& name)
    {
        const std::string path = m_dir.File(name);
        EXPECT_TRUE(FreeImage_Save(format, bitmap.get(), path.c_str(), 0)) << name;
        return path;
    }

    CResourceHandle<CImage> Load(const std::string& path, bool topDown = false)
    {
        CResourceHandle<CImage> image;
        EXPECT_EQ(m_system->LoadImage(path, image, topDown), IOR_OK) << path;
        return image;
    }

    static std::uint64_t PixelSize(const CImage& image) { return image.GetPixelBuffer()->GetAnyLayout()->GetStride(); }

    // The bytes of pixel x of buffer row row, checking that rows of the
    // aligned pitch fit in the storage.
    static const std::uint8_t* Pixel(const CImage& image, std::uint64_t x, std::uint64_t row)
    {
        const std::uint64_t pitch = ImageRowPitch(image.GetWidth(), PixelSize(image));
        EXPECT_GE(image.GetPixelBuffer()->GetStorageSize(), pitch * image.GetHeight());
        return reinterpret_cast<const std::uint8_t*>(image.GetPixelBuffer()->GetData()) + row * pitch +
               x * PixelSize(image);
    }

    static void ExpectBgra(const CImage& image, int x, int row, RGBQUAD c, const char* where)
    {
        const std::uint8_t* p = Pixel(image, x, row);
        EXPECT_EQ(p[0], c.rgbBlue) << where << " x " << x << " row " << row;
        EXPECT_EQ(p[1], c.rgbGreen) << where << " x " << x << " row " << row;
        EXPECT_EQ(p[2], c.rgbRed) << where << " x " << x << " row " << row;
        if (PixelSize(image) == 4) {
            EXPECT_EQ(p[3], c.rgbReserved) << where << " x " << x << " row " << row;
        }
    }

    static void ExpectFormat(const CImage& image, std::uint32_t colorFormat, std::uint32_t dataType,
                             std::uint64_t width, std::uint64_t height)
    {
        EXPECT_EQ(image.GetFormat(), colorFormat);
        EXPECT_EQ(image.GetType(), dataType);
        EXPECT_EQ(image.GetWidth(), width);
        EXPECT_EQ(image.GetHeight(), height);
    }

    TempDir m_dir;
    CResourceHandle<IOFreeImageSystem> m_system = hlv_core::Adopt(new IOFreeImageSystem("Default Free Image System"));
};

namespace {

RGBQUAD Gradient(int x, int row) { return Rgb(BYTE(10 + x * 40), BYTE(200 - row * 30), BYTE(x * 7 + row * 11)); }

}  // namespace

TEST_F(ImageSystemTest, TwentyFourBitsOfWidthFiveGiveBgrRowsAtTheAlignedPitch)
{
    const std::string path = Save(TrueColour(5, 3, 24, Gradient), FIF_PNG, "width5.png");
    const CResourceHandle<CImage> image = Load(path);
    ASSERT_TRUE(image.IsValid());
    EXPECT_EQ(image->GetName(), path);
    ExpectFormat(*image, hlv_gfx::CT_BGR, hlv_core::T_UCHAR, 5, 3);
    EXPECT_EQ(ImageRowPitch(5, 3), 16u);
    for (int row = 0; row < 3; ++row)
        for (int x = 0; x < 5; ++x) ExpectBgra(*image, x, row, Gradient(x, row), "bgr");
}

TEST_F(ImageSystemTest, ThirtyTwoBitsKeepAlpha)
{
    const auto colour = [](int x, int row) { return Rgb(BYTE(x * 50), BYTE(row * 60), 77, BYTE(255 - x * 60 - row)); };
    const CResourceHandle<CImage> image = Load(Save(TrueColour(3, 2, 32, colour), FIF_PNG, "alpha.png"));
    ASSERT_TRUE(image.IsValid());
    ExpectFormat(*image, hlv_gfx::CT_BGRA, hlv_core::T_UCHAR, 3, 2);
    for (int row = 0; row < 2; ++row)
        for (int x = 0; x < 3; ++x) ExpectBgra(*image, x, row, colour(x, row), "bgra");
}

TEST_F(ImageSystemTest, TopDownPutsTheTopOfThePictureFirst)
{
    const std::string path = Save(TrueColour(2, 4, 24, Gradient), FIF_PNG, "rows.png");
    const CResourceHandle<CImage> bottomUp = Load(path, false);
    ASSERT_TRUE(bottomUp.IsValid());
    const CResourceHandle<CImage> topDown = Load(path, true);
    ASSERT_TRUE(topDown.IsValid());
    for (int row = 0; row < 4; ++row)
        for (int x = 0; x < 2; ++x) {
            ExpectBgra(*bottomUp, x, row, Gradient(x, row), "bottom-up");
            ExpectBgra(*topDown, x, row, Gradient(x, 3 - row), "top-down");
        }

    // The two-argument form is bottom-up.
    CResourceHandle<CImage> image;
    ASSERT_EQ(m_system->LoadImage(path, image), IOR_OK);
    ExpectBgra(*image, 0, 0, Gradient(0, 0), "two-argument");
}

TEST_F(ImageSystemTest, ColourPalettesOfEveryDepthGiveTheirColours)
{
    const std::vector<RGBQUAD> palette = {Rgb(255, 0, 0),   Rgb(0, 255, 0),   Rgb(0, 0, 255), Rgb(255, 255, 0),
                                          Rgb(0, 255, 255), Rgb(128, 64, 32), Rgb(1, 2, 3),   Rgb(250, 128, 114)};
    const auto index = [](int bpp) {
        return [bpp](int x, int row) { return BYTE((x + 3 * row) % (bpp == 1 ? 2 : 8)); };
    };
    for (const int bpp : {8, 4, 1}) {
        for (const bool topDown : {false, true}) {
            SCOPED_TRACE(testing::Message() << bpp << " bits, top down " << topDown);
            const std::string path =
                Save(Palettised(5, 3, bpp, palette, index(bpp)), FIF_PNG, "palette" + std::to_string(bpp) + ".png");
            const CResourceHandle<CImage> image = Load(path, topDown);
            ASSERT_TRUE(image.IsValid());
            ExpectFormat(*image, hlv_gfx::CT_BGRA, hlv_core::T_UCHAR, 5, 3);
            for (int row = 0; row < 3; ++row)
                for (int x = 0; x < 5; ++x)
                    ExpectBgra(*image, x, row, palette[index(bpp)(x, topDown ? 2 - row : row)], "palette");
        }
    }
}

TEST_F(ImageSystemTest, TransparentPalettesKeepTheirAlpha)
{
    Bitmap bitmap = Palettised(3, 1, 8, {Rgb(10, 20, 30), Rgb(40, 50, 60)}, [](int x, int) { return BYTE(x % 2); });
    BYTE alpha[2] = {0, 255};
    FreeImage_SetTransparencyTable(bitmap.get(), alpha, 2);
    const CResourceHandle<CImage> image = Load(Save(bitmap, FIF_PNG, "transparent.png"));
    ASSERT_TRUE(image.IsValid());
    ExpectFormat(*image, hlv_gfx::CT_BGRA, hlv_core::T_UCHAR, 3, 1);
    ExpectBgra(*image, 0, 0, Rgb(10, 20, 30, 0), "transparent");
    ExpectBgra(*image, 1, 0, Rgb(40, 50, 60, 255), "opaque");
}

TEST_F(ImageSystemTest, GreyscaleStaysLuminance)
{
    std::vector<RGBQUAD> ramp;
    for (int i = 0; i < 256; ++i) ramp.push_back(Rgb(BYTE(i), BYTE(i), BYTE(i)));
    const auto level = [](int x, int row) { return BYTE(x * 50 + row); };
    const CResourceHandle<CImage> image = Load(Save(Palettised(5, 2, 8, ramp, level), FIF_PNG, "grey.png"));
    ASSERT_TRUE(image.IsValid());
    ExpectFormat(*image, hlv_gfx::CT_LUMINANCE, hlv_core::T_UCHAR, 5, 2);
    EXPECT_EQ(ImageRowPitch(5, 1), 8u);
    for (int row = 0; row < 2; ++row)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(*Pixel(*image, x, row), level(x, row)) << x << ", " << row;
}

TEST_F(ImageSystemTest, InvertedGreyAndOneBitBlackAndWhiteBecomeGreyLevels)
{
    std::vector<RGBQUAD> inverted;
    for (int i = 0; i < 256; ++i) inverted.push_back(Rgb(BYTE(255 - i), BYTE(255 - i), BYTE(255 - i)));
    const auto index = [](int x, int row) { return BYTE(x * 60 + row); };
    const CResourceHandle<CImage> white = Load(Save(Palettised(4, 2, 8, inverted, index), FIF_PNG, "white.png"));
    ASSERT_TRUE(white.IsValid());
    ExpectFormat(*white, hlv_gfx::CT_LUMINANCE, hlv_core::T_UCHAR, 4, 2);
    for (int row = 0; row < 2; ++row)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(*Pixel(*white, x, row), 255 - index(x, row)) << x << ", " << row;

    const auto bit = [](int x, int row) { return BYTE((x + row) % 2); };
    const CResourceHandle<CImage> mono =
        Load(Save(Palettised(9, 2, 1, {Rgb(0, 0, 0), Rgb(255, 255, 255)}, bit), FIF_PNG, "mono.png"));
    ASSERT_TRUE(mono.IsValid());
    ExpectFormat(*mono, hlv_gfx::CT_LUMINANCE, hlv_core::T_UCHAR, 9, 2);
    for (int row = 0; row < 2; ++row)
        for (int x = 0; x < 9; ++x) EXPECT_EQ(*Pixel(*mono, x, row), bit(x, row) ? 255 : 0) << x << ", " << row;
}

TEST_F(ImageSystemTest, SixteenBitGreyIsUnsignedShortLuminance)
{
    const auto level = [](int x, int row) { return std::uint16_t(x * 20000 + row * 7 + 1); };
    const Bitmap bitmap = Typed(FIT_UINT16, 3, 2, 16, [&](BYTE* p, int x, int row) {
        const std::uint16_t v = level(x, row);
        std::memcpy(p, &v, 2);
    });
    const CResourceHandle<CImage> image = Load(Save(bitmap, FIF_PNG, "grey16.png"));
    ASSERT_TRUE(image.IsValid());
    ExpectFormat(*image, hlv_gfx::CT_LUMINANCE, hlv_core::T_USHORT, 3, 2);
    for (int row = 0; row < 2; ++row)
        for (int x = 0; x < 3; ++x) {
            std::uint16_t v = 0;
            std::memcpy(&v, Pixel(*image, x, row), 2);
            EXPECT_EQ(v, level(x, row)) << x << ", " << row;
        }
}

TEST_F(ImageSystemTest, SixteenBitsPerComponentColourMapsToItsFormats)
{
    struct Case {
        FREE_IMAGE_TYPE type;
        int bpp;
        std::uint32_t colorFormat;
        std::uint32_t dataType;
    };
    const Case cases[] = {
        {FIT_RGB16, 48, hlv_gfx::CT_RGB, hlv_core::T_USHORT},
        {FIT_RGBA16, 64, hlv_gfx::CT_RGBA, hlv_core::T_USHORT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type);
        // Every byte of pixel x, row holds x * 16 + row + its index within the pixel.
        const auto byteAt = [&](int x, int row, int i) { return BYTE(x * 16 + row + i); };
        const Bitmap bitmap = Typed(c.type, 3, 2, c.bpp, [&](BYTE* p, int x, int row) {
            for (int i = 0; i < c.bpp / 8; ++i) p[i] = byteAt(x, row, i);
        });
        const CResourceHandle<CImage> image = Load(Save(bitmap, FIF_PNG, "typed" + std::to_string(c.type) + ".png"));
        ASSERT_TRUE(image.IsValid());
        ExpectFormat(*image, c.colorFormat, c.dataType, 3, 2);
        ASSERT_EQ(PixelSize(*image), std::uint64_t(c.bpp / 8));
        for (int row = 0; row < 2; ++row)
            for (int x = 0; x < 3; ++x)
                for (int i = 0; i < c.bpp / 8; ++i)
                    ASSERT_EQ(Pixel(*image, x, row)[i], byteAt(x, row, i)) << x << ", " << row << " byte " << i;
    }
}

TEST_F(ImageSystemTest, AFileWhoseExtensionLiesLoadsByContent)
{
    const std::string path = Save(TrueColour(4, 4, 24, Gradient), FIF_PNG, "really_a_png.jpg");
    const CResourceHandle<CImage> image = Load(path);
    ASSERT_TRUE(image.IsValid());
    ExpectFormat(*image, hlv_gfx::CT_BGR, hlv_core::T_UCHAR, 4, 4);
    ExpectBgra(*image, 3, 2, Gradient(3, 2), "png named jpg");
}

TEST_F(ImageSystemTest, MissingAndBrokenFilesFailAndLeaveTheHandle)
{
    std::string png;
    {
        const std::string good = Save(TrueColour(8, 8, 24, Gradient), FIF_PNG, "good.png");
        std::ifstream in(good, std::ios::binary);
        png.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const std::string paths[] = {
        m_dir.File("missing.png"),
        m_dir.Write("empty.png", ""),
        m_dir.Write("text.png", "not a picture at all"),
        m_dir.Write("text.unknown", "not a picture at all"),
        m_dir.Write("truncated.png", png.substr(0, png.size() / 2)),
        m_dir.File(""),
    };
    for (const std::string& path : paths) {
        CResourceHandle<CImage> empty;
        EXPECT_EQ(m_system->LoadImage(path, empty, false), IOR_API_FAIL) << path;
        EXPECT_FALSE(empty.IsValid()) << path;
    }

    CResourceHandle<CImage> held = hlv_core::Adopt(new CImage("Held"));
    CImage* const before = held.get();
    EXPECT_EQ(m_system->LoadImage(paths[0], held, true), IOR_API_FAIL);
    EXPECT_EQ(held.get(), before);
    EXPECT_EQ(held->GetWidth(), 0u);
}

TEST_F(ImageSystemTest, AHeldImageIsReusedWithTheNewFormatAndSize)
{
    CResourceHandle<CImage> image = hlv_core::Adopt(new CImage("Background 1"));
    CImage* const held = image.get();
    ASSERT_EQ(m_system->LoadImage(Save(TrueColour(2, 2, 32, Gradient), FIF_PNG, "small.png"), image, false), IOR_OK);
    ASSERT_EQ(m_system->LoadImage(Save(TrueColour(7, 5, 24, Gradient), FIF_PNG, "large.png"), image, false), IOR_OK);
    EXPECT_EQ(image.get(), held);
    EXPECT_EQ(image->GetName(), "Background 1");
    ExpectFormat(*image, hlv_gfx::CT_BGR, hlv_core::T_UCHAR, 7, 5);
    for (int row = 0; row < 5; ++row)
        for (int x = 0; x < 7; ++x) ExpectBgra(*image, x, row, Gradient(x, row), "reused");
}
