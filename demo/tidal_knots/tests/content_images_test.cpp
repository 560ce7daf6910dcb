// The demo's fifteen images: each loads through the engine's image system as
// 8-bit truecolour of the size the shaders are written for; the titles and the
// logo stand on a clear ground; the backgrounds tile; the sprite, overlays and
// masks have the shapes their passes rely on.
#include <halvo_io/IOFreeImageSystem.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <halvo_core/property/PropertyTypes.h>
#include <halvo_gfx/gfx_types.h>

namespace dmo_content_images {

struct ImageFile {
    const char* name;
    std::uint64_t width, height;
    bool alpha;
};

constexpr ImageFile kImageFiles[] = {
    {"background1.png", 512, 512, false}, {"background2.jpg", 512, 512, false},
    {"background3.jpg", 512, 512, false}, {"background4.png", 512, 512, false},
    {"alpha1.jpg", 128, 128, false},      {"overlay1.jpg", 1024, 576, false},
    {"overlay4.png", 1024, 576, true},    {"overlay6.png", 1024, 576, true},
    {"masks.png", 1024, 576, true},       {"l.png", 512, 512, true},
    {"demo.png", 1024, 256, true},        {"gn.png", 1024, 256, true},
    {"code.png", 1024, 256, true},        {"music.png", 1024, 256, true},
    {"vOB2011.png", 1024, 512, true},
};

std::string PathOf(const std::string& name) { return std::string(DMO_DATA_DIR) + "/LocalData/" + name; }

// A loaded image read top row first, its channels as 0..255 values.
class Picture {
public:
    explicit Picture(const std::string& name)
    {
        const hlv_core::CResourceHandle<hlv_io::IOFreeImageSystem> system =
            hlv_core::Adopt(new hlv_io::IOFreeImageSystem("Default Free Image System"));
        result = system->LoadImage(PathOf(name), m_image, true);
    }

    // Loaded as 8-bit BGR or BGRA, the layouts At reads.
    bool Loaded() const
    {
        return result == hlv_io::IOR_OK && m_image.IsValid() && m_image->GetType() == hlv_core::T_UCHAR &&
               (m_image->GetFormat() == hlv_gfx::CT_BGR || m_image->GetFormat() == hlv_gfx::CT_BGRA);
    }
    const hlv_gfx::CImage& Image() const { return *m_image; }
    int Width() const { return static_cast<int>(m_image->GetWidth()); }
    int Height() const { return static_cast<int>(m_image->GetHeight()); }
    bool HasAlpha() const { return m_image->GetFormat() == hlv_gfx::CT_BGRA; }

    // Channel 0 red, 1 green, 2 blue, 3 alpha (255 without alpha).
    int At(int x, int y, int channel) const
    {
        const std::uint64_t size = HasAlpha() ? 4 : 3;
        if (channel == 3 && size == 3) return 255;
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(m_image->GetPixelBuffer()->GetData());
        const std::uint8_t* pixel = bytes + y * hlv_io::ImageRowPitch(m_image->GetWidth(), size) + x * size;
        constexpr int kBgra[] = {2, 1, 0, 3};
        return pixel[kBgra[channel]];
    }
    int Alpha(int x, int y) const { return At(x, y, 3); }
    int Brightness(int x, int y) const { return (At(x, y, 0) + At(x, y, 1) + At(x, y, 2)) / 3; }

    std::uint32_t result = ~0u;

private:
    hlv_core::CResourceHandle<hlv_gfx::CImage> m_image;
};

// Bit depth and colour type from a PNG file's header chunk.
std::array<int, 2> PngDepthAndColourType(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::array<char, 26> head{};
    in.read(head.data(), head.size());
    return {static_cast<unsigned char>(head[24]), static_cast<unsigned char>(head[25])};
}

}  // namespace dmo_content_images

using dmo_content_images::ImageFile;
using dmo_content_images::Picture;

TEST(ContentImages, EveryImageLoadsAsEightBitTruecolourOfItsSize)
{
    for (const ImageFile& file : dmo_content_images::kImageFiles) {
        SCOPED_TRACE(file.name);
        const Picture picture(file.name);
        ASSERT_EQ(picture.result, hlv_io::IOR_OK);
        EXPECT_EQ(picture.Image().GetFormat(), file.alpha ? hlv_gfx::CT_BGRA : hlv_gfx::CT_BGR);
        EXPECT_EQ(picture.Image().GetType(), hlv_core::T_UCHAR);
        EXPECT_EQ(picture.Image().GetWidth(), file.width);
        EXPECT_EQ(picture.Image().GetHeight(), file.height);
        EXPECT_EQ(file.width % 4, 0u);
        // The loader expands palettes to 32 bits silently: look at the file
        // itself for 8-bit RGB (colour type 2) or RGBA (6).
        if (std::string(file.name).ends_with(".png")) {
            const auto [depth, colourType] =
                dmo_content_images::PngDepthAndColourType(dmo_content_images::PathOf(file.name));
            EXPECT_EQ(depth, 8);
            EXPECT_EQ(colourType, file.alpha ? 6 : 2);
        }
    }
}

TEST(ContentImages, TitlesAndLogoStandOnAClearGround)
{
    for (const char* name : {"l.png", "demo.png", "gn.png", "code.png", "music.png", "vOB2011.png"}) {
        SCOPED_TRACE(name);
        const Picture picture(name);
        ASSERT_TRUE(picture.Loaded());
        ASSERT_TRUE(picture.HasAlpha());
        const int w = picture.Width();
        const int h = picture.Height();
        int cornerAlpha = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                for (const auto& [cx, cy] : {std::pair{x, y}, {w - 1 - x, y}, {x, h - 1 - y}, {w - 1 - x, h - 1 - y}})
                    cornerAlpha = std::max(cornerAlpha, picture.Alpha(cx, cy));
        EXPECT_EQ(cornerAlpha, 0);

        // The middle half holds solid lettering or tube, much of it light; the
        // picture as a whole is mostly clear or faint glow.
        int solid = 0;
        int lightSolid = 0;
        for (int y = h / 4; y < 3 * h / 4; ++y)
            for (int x = w / 4; x < 3 * w / 4; ++x)
                if (picture.Alpha(x, y) >= 230) {
                    ++solid;
                    if (picture.Brightness(x, y) >= 160) ++lightSolid;
                }
        EXPECT_GE(solid, w * h / 4 / 50) << "too little solid area in the middle";
        EXPECT_GE(lightSolid, w * h / 4 / 100) << "too little light in the middle";
        int faint = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (picture.Alpha(x, y) < 32) ++faint;
        EXPECT_GE(faint, w * h / 2);
    }
}

TEST(ContentImages, BackgroundsTileWithoutSeams)
{
    for (const char* name : {"background1.png", "background2.jpg", "background3.jpg", "background4.png"}) {
        SCOPED_TRACE(name);
        const Picture picture(name);
        ASSERT_TRUE(picture.Loaded());
        const int w = picture.Width();
        const int h = picture.Height();
        // Mean colour step between neighbours across the seams where the
        // picture meets its own copy, and across the picture's inner lines
        // between 8 x 8 blocks (as a seam is, in a JPEG file).
        const auto step = [&](int x0, int y0, int x1, int y1) {
            int sum = 0;
            for (int c = 0; c < 3; ++c) sum += std::abs(picture.At(x0, y0, c) - picture.At(x1, y1, c));
            return sum / 3.0;
        };
        const auto across = [&](int column, int row) {
            double sum = 0.0;
            for (int i = 0; i < h; ++i) sum += step(column, i, (column + 1) % w, i);
            for (int i = 0; i < w; ++i) sum += step(i, row, i, (row + 1) % h);
            return sum / (w + h);
        };
        double inside = 0.0;
        int lines = 0;
        for (int k = 8; k < std::min(w, h); k += 8, ++lines) inside += across(k - 1, k - 1);
        inside /= lines;
        const double seams = across(w - 1, h - 1);
        EXPECT_LE(seams, 1.5 * inside + 1.0) << "inside " << inside;
    }
}

TEST(ContentImages, SpriteOverlaysAndMasksHaveTheirShapes)
{
    // The sprite: white in the middle, darkening outwards, black at the border.
    {
        const Picture sprite("alpha1.jpg");
        ASSERT_TRUE(sprite.Loaded());
        EXPECT_GE(sprite.Brightness(64, 64), 235);
        for (int r = 8; r <= 56; r += 8) EXPECT_LT(sprite.Brightness(64 + r, 64), sprite.Brightness(56 + r, 64)) << r;
        for (int i = 0; i < 128; ++i)
            for (const auto& [x, y] : {std::pair{i, 0}, {i, 127}, {0, i}, {127, i}})
                ASSERT_LE(sprite.Brightness(x, y), 6) << x << ", " << y;
    }
    // The grain: mid-grey with a visible spread.
    {
        const Picture grain("overlay1.jpg");
        ASSERT_TRUE(grain.Loaded());
        double sum = 0.0, squares = 0.0;
        const double count = static_cast<double>(grain.Width()) * grain.Height();
        for (int y = 0; y < grain.Height(); ++y)
            for (int x = 0; x < grain.Width(); ++x) {
                const int v = grain.Brightness(x, y);
                sum += v;
                squares += v * v;
            }
        const double mean = sum / count;
        const double spread = std::sqrt(squares / count - mean * mean);
        EXPECT_NEAR(mean, 128.0, 6.0);
        EXPECT_GT(spread, 4.0);
        EXPECT_LT(spread, 30.0);
    }
    // The vignette: black, clear in the middle, about 200 in the corners.
    {
        const Picture vignette("overlay4.png");
        ASSERT_TRUE(vignette.Loaded());
        const int w = vignette.Width();
        const int h = vignette.Height();
        EXPECT_EQ(vignette.Alpha(w / 2, h / 2), 0);
        for (const auto& [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}}) {
            EXPECT_NEAR(vignette.Alpha(x, y), 200, 15);
            EXPECT_EQ(vignette.Brightness(x, y), 0);
        }
    }
    // The light leak: mostly clear, with some strong light.
    {
        const Picture leak("overlay6.png");
        ASSERT_TRUE(leak.Loaded());
        int clear = 0, strong = 0;
        for (int y = 0; y < leak.Height(); ++y)
            for (int x = 0; x < leak.Width(); ++x) {
                clear += leak.Alpha(x, y) < 48;
                strong += leak.Alpha(x, y) >= 96;
            }
        EXPECT_GE(clear, leak.Width() * leak.Height() / 2);
        EXPECT_GT(strong, 0);
    }
    // The masks: opaque; every channel spans most of the range in small steps.
    {
        const Picture masks("masks.png");
        ASSERT_TRUE(masks.Loaded());
        for (int c = 0; c < 3; ++c) {
            SCOPED_TRACE(c);
            int low = 255, high = 0, largestStep = 0;
            for (int y = 0; y < masks.Height(); ++y)
                for (int x = 0; x < masks.Width(); ++x) {
                    const int v = masks.At(x, y, c);
                    low = std::min(low, v);
                    high = std::max(high, v);
                    if (x > 0) largestStep = std::max(largestStep, std::abs(v - masks.At(x - 1, y, c)));
                    if (y > 0) largestStep = std::max(largestStep, std::abs(v - masks.At(x, y - 1, c)));
                    if (c == 0) {
                        ASSERT_EQ(masks.Alpha(x, y), 255) << x << ", " << y;
                    }
                }
            EXPECT_GE(high - low, 180);
            EXPECT_LE(largestStep, 12);
        }
    }
}
