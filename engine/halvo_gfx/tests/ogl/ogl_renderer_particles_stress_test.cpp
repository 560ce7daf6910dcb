// A producer thread writes particle frames into a texture buffer while the
// render thread draws them through the renderer: every drawn frame is one
// whole frame, frames never go backwards, and the last one is drawn.
#include "ogl/renderer_fixture.h"

#include <atomic>
#include <chrono>
#include <cstring>
#include <memory>
#include <thread>

#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/effect_snapshot.h>
#include <halvo_gfx/gfx_types.h>

#include <hlv_testing/slow_build.h>
#include <hlv_testing/watchdog.h>

namespace hlv_ogl_test {
namespace {

using namespace hlv_gfx;
using hlv_testing::CWatchdog;
using hlv_testing::kSlowBuild;

constexpr int kGrid = 10;
constexpr int kCell = 4;
constexpr int kTarget = kGrid * kCell;

// Frame number k as the colour of every particle: red k mod 256, green k / 256.
void WriteFrame(CTextureBuffer& buffer, std::uint32_t frame)
{
    buffer.WriteData([&](CBuffer& memory) {
        auto* texels = reinterpret_cast<float*>(memory.GetData());
        for (int j = 0; j < kGrid; ++j)
            for (int i = 0; i < kGrid; ++i) {
                float* particle = texels + 12 * (j * kGrid + i);
                const float values[12] = {(static_cast<float>(i * kCell) + 2.0f) / kTarget * 2.0f - 1.0f,
                                          (static_cast<float>(j * kCell) + 2.0f) / kTarget * 2.0f - 1.0f,
                                          0.0f,
                                          2.0f / kTarget,
                                          static_cast<float>(frame & 0xFF) / 255.0f,
                                          static_cast<float>(frame >> 8 & 0xFF) / 255.0f,
                                          1.0f,
                                          0.0f,
                                          0.0f,
                                          0.0f,
                                          0.0f,
                                          1.0f};
                std::memcpy(particle, values, sizeof values);
            }
    });
}

using OglRendererParticlesStress = COglRendererTest;

TEST_F(OglRendererParticlesStress, DrawnFramesAreWholeAndTheLastOneIsDrawn)
{
    CWatchdog watchdog(std::chrono::seconds(90), "particle frames written while drawn");
    hlv_gl_test::CTestFramebuffer target(kTarget, kTarget);
    ASSERT_TRUE(target.IsComplete());
    auto pass = MakePass("particles.vs.glsl", "vertex_color.ps.glsl");
    ASSERT_TRUE(pass);
    auto quad = MakeVertexBuffer({VBL_POSITION}, {-1, -1, 0, 1, -1, 0, 1, 1, 0, -1, 1, 0});
    auto indices = MakeIndexBuffer({0, 1, 2, 0, 2, 3});
    auto particles = MakeTextureBuffer(std::vector<float>(kGrid * kGrid * 12, 0.0f));
    WriteFrame(*particles, 1);
    ASSERT_EQ(pass->SetTextureBuffer(particles, "particle_data_buffer"), GFXR_OK);
    auto effect = hlv_core::Adopt(new CEffect("particles"));
    effect->passes.push_back(pass);
    glClearColor(0, 0, 0, 1);

    std::atomic<bool> stop{false};
    std::atomic<std::uint32_t> written{1};
    std::thread producer([&] {
        for (std::uint32_t frame = 2; frame < 0xFFFF && !stop.load(); ++frame) {
            WriteFrame(*particles, frame);
            written.store(frame);
        }
    });

    auto drawAndReadFrame = [&]() -> std::int64_t {
        glClear(GL_COLOR_BUFFER_BIT);
        CEffectSnapshot values;
        values.CaptureFrom(effect);
        if (renderer->UseEffect(effect, values) != GFXR_OK) return -1;
        if (renderer->RenderEffectInstanced(PT_TRIANGLES, quad, indices, kGrid * kGrid) != GFXR_OK) return -1;
        const auto pixels = hlv_gl_test::ReadPixels(0, 0, kTarget, kTarget);
        std::int64_t frame = -1;
        for (int j = 0; j < kGrid; ++j)
            for (int i = 0; i < kGrid; ++i) {
                const std::size_t at = 4 * static_cast<std::size_t>((j * kCell + 1) * kTarget + i * kCell + 1);
                const std::int64_t seen = pixels[at] | pixels[at + 1] << 8;
                if (frame < 0) frame = seen;
                if (seen != frame) return -2;  // two frames mixed in one upload
            }
        return frame;
    };

    const int draws = kSlowBuild ? 60 : 400;
    std::int64_t previous = 0;
    for (int draw = 0; draw < draws; ++draw) {
        const std::int64_t frame = drawAndReadFrame();
        ASSERT_GE(frame, previous) << "draw " << draw << (frame == -2 ? ": mixed frames" : "");
        previous = frame;
    }
    stop.store(true);
    producer.join();

    const std::int64_t last = drawAndReadFrame();
    EXPECT_EQ(last, static_cast<std::int64_t>(written.load()));
    EXPECT_FALSE(particles->IsChanged());
}

}  // namespace
}  // namespace hlv_ogl_test
