#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/texture_buffer.h>

#include <hlv_testing/watchdog.h>

#include "texture_buffer_frames.h"

using namespace hlv_gfx;
using hlv_core::Adopt;
using hlv_gfx_test::WriteFrame;
using hlv_testing::CWatchdog;

// A writer thread (the particle write-back) fills and grows the memory frame
// after frame while an uploader thread (the render thread) copies it out
// whenever it changed. Every copy must be one whole frame, and the last frame
// written must be seen.
TEST(TextureBufferGuardStress, UploadsSeeWholeFramesAndNeverMissTheLast)
{
    CWatchdog watchdog(std::chrono::seconds(60), "texture buffer write-back and upload");
    auto buffer = Adopt(new CTextureBuffer("t"));
    ASSERT_EQ(buffer->SetTexelFormat(), GFXR_OK);
    constexpr int kFrames = 5000;
    std::atomic<bool> writerDone{false};
    std::atomic<int> torn{0};
    std::atomic<int> uploads{0};

    std::thread writer([&] {
        for (int frame = 1; frame <= kFrames; ++frame) {
            // Every 500 frames the writer waits for an upload after the count
            // read before its write, so copies fall between writes however the
            // two threads are scheduled. (Read after the write, the count could
            // already include the upload of that frame, and none would follow.)
            const int seen = uploads.load();
            WriteFrame(*buffer, 16 + frame / 4, static_cast<float>(frame));
            if (frame % 500 == 0)
                while (uploads.load() == seen) std::this_thread::yield();
        }
        writerDone.store(true);
    });

    std::vector<float> copy;
    float lastSeen = 0.f;
    auto upload = [&](const CBuffer& memory) {
        const std::uint64_t bytes = memory.GetDataSize();
        copy.resize(bytes / sizeof(float));
        if (bytes != 0) std::memcpy(copy.data(), memory.GetData(), bytes);
        for (float v : copy)
            if (v != copy.front()) {
                torn.fetch_add(1);
                break;
            }
        if (!copy.empty()) {
            EXPECT_GE(copy.front(), lastSeen);
            lastSeen = copy.front();
        }
        ++uploads;
        return std::uint32_t{GFXR_OK};
    };
    while (!writerDone.load()) buffer->UploadIfChanged(upload);
    buffer->UploadIfChanged(upload);
    writer.join();

    EXPECT_EQ(torn.load(), 0);
    EXPECT_EQ(lastSeen, static_cast<float>(kFrames));
    EXPECT_GT(uploads.load(), 1);
    EXPECT_FALSE(buffer->IsChanged());
}
