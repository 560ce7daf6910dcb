#include <cstdint>
#include <cstring>

#include <gtest/gtest.h>

#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_gfx/texture_buffer.h>

#include "texture_buffer_frames.h"

using namespace hlv_gfx;
using hlv_core::Adopt;
using hlv_gfx_test::WriteFrame;

TEST(TextureBufferGuard, UploadRunsOnlyAfterAWriteAndClearsTheFlagFirst)
{
    auto buffer = Adopt(new CTextureBuffer("t"));
    ASSERT_EQ(buffer->SetTexelFormat(), GFXR_OK);
    int uploads = 0;
    auto upload = [&](const CBuffer&) {
        ++uploads;
        // The flag is already clear while the data is read.
        EXPECT_FALSE(buffer->IsChanged());
        return std::uint32_t{GFXR_OK};
    };

    EXPECT_EQ(buffer->UploadIfChanged(upload), GFXR_OK);  // new buffers upload once
    EXPECT_EQ(uploads, 1);
    EXPECT_EQ(buffer->UploadIfChanged(upload), GFXR_OK);
    EXPECT_EQ(uploads, 1);

    WriteFrame(*buffer, 4, 1.f);
    EXPECT_TRUE(buffer->IsChanged());
    EXPECT_EQ(buffer->UploadIfChanged(upload), GFXR_OK);
    EXPECT_EQ(uploads, 2);
    EXPECT_FALSE(buffer->IsChanged());
}

TEST(TextureBufferGuard, FailedUploadIsRetried)
{
    auto buffer = Adopt(new CTextureBuffer("t"));
    EXPECT_EQ(buffer->UploadIfChanged([](const CBuffer&) { return std::uint32_t{GFXR_API_FAIL}; }), GFXR_API_FAIL);
    EXPECT_TRUE(buffer->IsChanged());
    int uploads = 0;
    buffer->UploadIfChanged([&](const CBuffer&) {
        ++uploads;
        return std::uint32_t{GFXR_OK};
    });
    EXPECT_EQ(uploads, 1);
    EXPECT_FALSE(buffer->IsChanged());
}
