// Truncated and mutated copies of valid PNG and JPEG files: every one either
// loads into an image of its declared size or is refused with a result code
// and an untouched handle; nothing else may happen (run it in the address
// sanitizer build).
#include <halvo_io/IOFreeImageSystem.h>

#include <chrono>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/byte_mutation.h"
#include "support/image_bytes.h"

using namespace hlv_io;
using namespace hlv_io_test;
using hlv_core::CResourceHandle;
using hlv_gfx::CImage;

namespace {

// Values that matter to sizes, lengths and counts.
constexpr char kInterestingBytes[] = {
    0x00, 0x01, 0x7F, static_cast<char>(0x80), static_cast<char>(0xFF), static_cast<char>(0xFE), 0x10, 0x40};

// The image formats' own edit: a 16- or 32-bit field becomes large.
std::string MutateImage(const std::string& bytes, std::mt19937& random)
{
    return MutateBytes(bytes, random, std::string_view(kInterestingBytes, sizeof kInterestingBytes), 3,
                       [&random](std::string& out, std::size_t at) {
                           if (at + 4 <= out.size())
                               WriteBigEndian(out, at, 0xFFu << (8 * Pick(random, 4)), Pick(random, 2) ? 4 : 2);
                       });
}

// Small pictures of each layout the two formats give.
std::vector<std::pair<std::string, bool>> SourceFiles()
{
    const auto colour = [](int x, int row) { return Rgb(BYTE(x * 30), BYTE(row * 50), BYTE(x * row), BYTE(200 - x)); };
    std::vector<RGBQUAD> palette;
    for (int i = 0; i < 16; ++i) palette.push_back(Rgb(BYTE(i * 16), BYTE(255 - i * 16), BYTE(i * 5)));
    std::vector<RGBQUAD> grey;
    for (int i = 0; i < 256; ++i) grey.push_back(Rgb(BYTE(i), BYTE(i), BYTE(i)));
    const auto index = [](int x, int row) { return BYTE((x + row) % 16); };

    Bitmap transparent = Palettised(7, 5, 4, palette, index);
    BYTE alpha[16] = {0, 128, 255, 7};
    FreeImage_SetTransparencyTable(transparent.get(), alpha, 16);
    const Bitmap grey16 = Typed(FIT_UINT16, 5, 4, 16, [](BYTE* p, int x, int row) {
        p[0] = BYTE(x * 40);
        p[1] = BYTE(row * 60);
    });

    // The flag says whether the file is a PNG, whose chunk checksums a
    // mutation may repair so that it reaches the decoder.
    return {
        {EncodedBytes(TrueColour(9, 6, 24, colour), FIF_PNG), true},
        {EncodedBytes(TrueColour(6, 5, 32, colour), FIF_PNG), true},
        {EncodedBytes(transparent, FIF_PNG), true},
        {EncodedBytes(Palettised(9, 3, 1, {Rgb(0, 0, 0), Rgb(255, 255, 255)}, index), FIF_PNG), true},
        {EncodedBytes(grey16, FIF_PNG), true},
        {EncodedBytes(TrueColour(16, 16, 24, colour), FIF_JPEG), false},
        {EncodedBytes(Palettised(8, 16, 8, grey, index), FIF_JPEG), false},
        {EncodedBytes(TrueColour(24, 8, 24, colour), FIF_JPEG, JPEG_PROGRESSIVE), false},
    };
}

}  // namespace

TEST(ImageLoaderFuzz, TruncatedAndMutatedFilesLoadOrFailCleanly)
{
    TempDir dir;
    std::mt19937 random(20110427u);
    const CResourceHandle<IOFreeImageSystem> system = hlv_core::Adopt(new IOFreeImageSystem("Fuzzed"));
    system->SetMessageStream(nullptr);
    int loaded = 0;
    int refused = 0;

    const auto tryLoad = [&](const std::string& bytes) {
        const std::string path = dir.Write("fuzz.img", bytes);
        CResourceHandle<CImage> image;
        const std::uint32_t result = system->LoadImage(path, image, (loaded + refused) % 2 == 0);
        if (result == IOR_OK) {
            ASSERT_TRUE(image.IsValid());
            EXPECT_GT(image->GetWidth(), 0u);
            EXPECT_LE(image->GetWidth() * image->GetHeight(), kMaxImagePixels);
            const std::uint64_t pixelSize = image->GetPixelBuffer()->GetAnyLayout()->GetStride();
            EXPECT_GE(image->GetPixelBuffer()->GetStorageSize(),
                      ImageRowPitch(image->GetWidth(), pixelSize) * image->GetHeight());
            ++loaded;
        } else {
            EXPECT_TRUE(result == IOR_API_FAIL || result == IOR_INVALID_ARGUMENT) << result;
            EXPECT_FALSE(image.IsValid());
            ++refused;
        }
    };

    // A bounded run: the iterations, or a minute in a slow (sanitized) build.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    for (const auto& [source, png] : SourceFiles()) {
        ASSERT_FALSE(source.empty());
        for (std::size_t length = 0; length <= source.size(); length += 1 + length / 16)
            tryLoad(source.substr(0, length));
        for (int i = 0; i < 400 && std::chrono::steady_clock::now() < deadline; ++i) {
            std::string mutated = MutateImage(source, random);
            if (png && i % 2 == 0) FixPngChunkCrcs(mutated);
            tryLoad(mutated);
        }
    }
    // Both outcomes occur, so the mutations neither break every file nor none.
    EXPECT_GT(loaded, 100);
    EXPECT_GT(refused, 100);
    std::cout << "loaded " << loaded << ", refused " << refused << '\n';
}
