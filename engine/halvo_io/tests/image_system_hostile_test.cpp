// Files the image system refuses before FreeImage decodes them: formats
// other than PNG and JPEG (FreeImage's readers of several crash on small
// hostile files) and sizes no texture can hold. Each refusal names the file.
#include <halvo_io/IOFreeImageSystem.h>

#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <halvo_core/property/PropertyTypes.h>
#include <halvo_gfx/gfx_types.h>

#include "support/image_bytes.h"

using namespace hlv_io;
using namespace hlv_io_test;
using hlv_core::CResourceHandle;
using hlv_gfx::CImage;

namespace {

std::string LittleEndian16(unsigned value) { return {char(value & 0xFF), char(value >> 8 & 0xFF)}; }

// A GIF that declares width x height pixels in its screen and its one image,
// with a few bytes of pixel data.
std::string TinyGif(unsigned width, unsigned height)
{
    std::string gif = "GIF89a" + LittleEndian16(width) + LittleEndian16(height) + std::string("\x00\x00\x00", 3);
    gif += "\x2C" + LittleEndian16(0) + LittleEndian16(0) + LittleEndian16(width) + LittleEndian16(height) +
           std::string(1, '\0');
    return gif + std::string("\x02\x02\x4C\x01\x00\x3B", 6);
}

// An uncompressed true-colour TGA header for 2 x 2 pixels and one byte of them.
std::string TinyTga()
{
    return std::string("\x00\x00\x02", 3) + std::string(9, '\0') + LittleEndian16(2) + LittleEndian16(2) + "\x18\x20" +
           "\x7F";
}

// An icon directory whose one 32-bit entry points past the end of the file.
std::string TinyIco()
{
    return std::string("\x00\x00\x01\x00\x01\x00", 6) + std::string("\x01\x01\x00\x00\x01\x00\x20\x00", 8) +
           std::string("\x28\x00\x00\x00\x16\x00\x00\x00", 8) + std::string("\x28\x00\x00\x00", 4);
}

}  // namespace

class ImageRefusalTest : public ::testing::Test {
protected:
    ImageRefusalTest() { m_system->SetMessageStream(&m_messages); }

    // Loads the file into an empty handle and into a held image, expecting
    // the result both times, the empty handle still empty, the held image
    // unchanged, and a message naming the file and containing detail.
    void ExpectRefused(const std::string& path, std::uint32_t result, const std::string& detail)
    {
        SCOPED_TRACE(path);
        m_messages.str("");
        CResourceHandle<CImage> empty;
        EXPECT_EQ(m_system->LoadImage(path, empty, true), result);
        EXPECT_FALSE(empty.IsValid());

        CResourceHandle<CImage> held = hlv_core::Adopt(new CImage("Held"));
        CImage* const before = held.get();
        EXPECT_EQ(m_system->LoadImage(path, held, false), result);
        EXPECT_EQ(held.get(), before);
        EXPECT_EQ(held->GetWidth(), 0u);

        const std::string messages = m_messages.str();
        EXPECT_NE(messages.find("\"" + path + "\""), std::string::npos) << messages;
        EXPECT_NE(messages.find(detail), std::string::npos) << messages;
    }

    TempDir m_dir;
    std::ostringstream m_messages;
    CResourceHandle<IOFreeImageSystem> m_system = hlv_core::Adopt(new IOFreeImageSystem("Default Free Image System"));
};

namespace {

RGBQUAD Plain(int x, int row) { return Rgb(BYTE(40 * x), BYTE(60 * row), 90); }

}  // namespace

TEST_F(ImageRefusalTest, FormatsOtherThanPngAndJpegAreRefusedWhateverTheirName)
{
    const Bitmap picture = TrueColour(3, 2, 24, Plain);
    const struct {
        std::string bytes;
        const char* name;
        const char* format;
    } files[] = {
        {TinyTga(), "small.tga", "TARGA"},
        {TinyIco(), "small.ico", "ICO"},
        {TinyGif(19717, 19789), "large.gif", "GIF"},
        {TinyGif(65531, 65531), "larger.gif", "GIF"},
        {EncodedBytes(picture, FIF_BMP), "picture.bmp", "BMP"},
        {EncodedBytes(picture, FIF_TIFF), "picture.tif", "TIFF"},
        // Recognised by the contents, not the name.
        {EncodedBytes(picture, FIF_BMP), "bitmap_named.png", "BMP"},
        {TinyIco(), "icon_named.jpg", "ICO"},
    };
    for (const auto& file : files) {
        ASSERT_GT(file.bytes.size(), 18u) << file.name;
        ExpectRefused(m_dir.Write(file.name, file.bytes), IOR_INVALID_ARGUMENT,
                      std::string("its format is ") + file.format + "; only PNG and JPEG files are loaded");
    }
}

TEST_F(ImageRefusalTest, DeclaredSizesBeyondTheLimitsAreRefusedBeforeDecoding)
{
    const std::string png = EncodedBytes(TrueColour(4, 4, 24, Plain), FIF_PNG);
    const std::string jpeg = EncodedBytes(TrueColour(16, 16, 24, Plain), FIF_JPEG);
    ASSERT_FALSE(png.empty());
    ASSERT_FALSE(jpeg.empty());
    const struct {
        std::uint16_t width, height;
    } sizes[] = {{16385, 1}, {1, 16385}, {8193, 8193}, {16384, 16384}, {65500, 65500}};
    for (const auto& size : sizes) {
        const std::string text = std::to_string(size.width) + " x " + std::to_string(size.height);
        SCOPED_TRACE(text);
        ExpectRefused(m_dir.Write("large.png", PngDeclaring(png, size.width, size.height)), IOR_INVALID_ARGUMENT,
                      "it declares " + text + " pixels");
        ExpectRefused(m_dir.Write("large.jpg", JpegDeclaring(jpeg, size.width, size.height)), IOR_INVALID_ARGUMENT,
                      "it declares " + text + " pixels");
    }
    // Beyond the JPEG decoder's own limit of 65500 the header itself is refused.
    ExpectRefused(m_dir.Write("larger.png", PngDeclaring(png, 65531, 65531)), IOR_INVALID_ARGUMENT,
                  "it declares 65531 x 65531 pixels");
    ExpectRefused(m_dir.Write("larger.jpg", JpegDeclaring(jpeg, 65531, 65531)), IOR_API_FAIL,
                  "the JPEG header cannot be read");

    // The decoder allocated what a chunk declared before reading it.
    std::string hugeChunk = png;
    hugeChunk.insert(33, std::string("\x7F\xFF\xFF\xFF"
                                     "tEXt"
                                     "Comment\0x",
                                     17));
    ExpectRefused(m_dir.Write("chunk.png", hugeChunk), IOR_API_FAIL,
                  "its chunk \"tEXt\" at byte 33 declares 2147483647 bytes, more than the file holds");

    // A side of 16384 itself is taken.
    CResourceHandle<CImage> image;
    ASSERT_EQ(m_system->LoadImage(m_dir.Write("wide.png", EncodedBytes(TrueColour(16384, 1, 24, Plain), FIF_PNG)),
                                  image, false),
              IOR_OK)
        << m_messages.str();
    EXPECT_EQ(image->GetWidth(), 16384u);
    EXPECT_EQ(image->GetHeight(), 1u);
}

TEST_F(ImageRefusalTest, FifosDirectoriesAndFilesWithoutAFormatFail)
{
    const std::string fifo = m_dir.File("fifo.png");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ExpectRefused(fifo, IOR_API_FAIL, "not a regular file");
    ExpectRefused(m_dir.File(""), IOR_API_FAIL, "not a regular file");
    ExpectRefused(m_dir.File("missing.png"), IOR_API_FAIL, "No such file or directory");
    ExpectRefused(m_dir.Write("text.unknown", "not a picture at all"), IOR_API_FAIL, "name an image format");
    ExpectRefused(m_dir.Write("text.png", "not a picture at all"), IOR_API_FAIL, "the PNG header cannot be read");
}

TEST_F(ImageRefusalTest, JpegColourAndGreyLoadNearTheirColours)
{
    const RGBQUAD colour = Rgb(200, 120, 40);
    const auto expectNear = [](int actual, int expected, const char* what) {
        EXPECT_NEAR(actual, expected, 4) << what;
    };

    CResourceHandle<CImage> image;
    ASSERT_EQ(m_system->LoadImage(
                  m_dir.Write("colour.jpg", EncodedBytes(TrueColour(16, 8, 24, [&](int, int) { return colour; }),
                                                         FIF_JPEG, JPEG_QUALITYSUPERB)),
                  image, true),
              IOR_OK);
    EXPECT_EQ(image->GetFormat(), hlv_gfx::CT_BGR);
    EXPECT_EQ(image->GetType(), hlv_core::T_UCHAR);
    ASSERT_EQ(image->GetWidth(), 16u);
    ASSERT_EQ(image->GetHeight(), 8u);
    const auto* pixels = reinterpret_cast<const std::uint8_t*>(image->GetPixelBuffer()->GetData());
    const std::uint64_t last = 7 * ImageRowPitch(16, 3) + 15 * 3;
    for (const std::uint64_t at : {std::uint64_t(0), last}) {
        expectNear(pixels[at], colour.rgbBlue, "blue");
        expectNear(pixels[at + 1], colour.rgbGreen, "green");
        expectNear(pixels[at + 2], colour.rgbRed, "red");
    }

    std::vector<RGBQUAD> ramp;
    for (int i = 0; i < 256; ++i) ramp.push_back(Rgb(BYTE(i), BYTE(i), BYTE(i)));
    CResourceHandle<CImage> grey;
    ASSERT_EQ(m_system->LoadImage(
                  m_dir.Write("grey.jpg", EncodedBytes(Palettised(8, 8, 8, ramp, [](int, int) { return BYTE(77); }),
                                                       FIF_JPEG, JPEG_QUALITYSUPERB)),
                  grey, false),
              IOR_OK);
    EXPECT_EQ(grey->GetFormat(), hlv_gfx::CT_LUMINANCE);
    expectNear(reinterpret_cast<const std::uint8_t*>(grey->GetPixelBuffer()->GetData())[9], 77, "grey");
}
