// The particle nodes' frame handshake under load: 2000 frames of all four
// nodes with the scenes' particle loads, while a render thread uploads their
// buffers under the buffers' locks as the renderer does. Every frame the
// published counts must name only records that this frame wrote and that the
// buffer holds. Under a watchdog.
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstring>
#include <limits>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include <halvo_gfx/GFX_RESULT.h>
#include <hlv_testing/watchdog.h>

#include "support/scene_particle_nodes.h"

using namespace dmo_nimra_test;
using namespace std::chrono_literals;

namespace {

constexpr std::size_t kRecordFloats = 12;
constexpr std::size_t kRecordBytes = kRecordFloats * sizeof(float);

// One buffer as a draw sees it: the buffer and the count its geometry child
// was given this frame (handed to the render thread as the render commands
// hand it over).
struct DrawnBuffer {
    hlv_gfx::CTextureBuffer* buffer;
    std::atomic<std::uint64_t> count{0};
};

// Uploads every changed buffer under its lock, reading the records the last
// published count names; counts a count that the memory cannot hold.
class CRenderThread {
public:
    explicit CRenderThread(std::vector<DrawnBuffer>& buffers) : m_buffers(buffers), m_thread([this] { Run(); }) {}
    ~CRenderThread()
    {
        m_stop = true;
        m_thread.join();
    }
    int Overruns() const { return m_overruns.load(); }
    int Uploads() const { return m_uploads.load(); }

private:
    void Run()
    {
        while (!m_stop.load()) {
            for (DrawnBuffer& drawn : m_buffers) {
                const std::uint64_t count = drawn.count.load();
                drawn.buffer->UploadIfChanged([&](const hlv_gfx::CBuffer& memory) {
                    if (count * kRecordBytes > memory.GetDataSize()) {
                        ++m_overruns;
                        return std::uint32_t(hlv_gfx::GFXR_OK);
                    }
                    float sum = 0.0f;
                    const std::byte* data = memory.GetData();
                    for (std::uint64_t i = 0; i < count * kRecordFloats; ++i) {
                        float value;
                        std::memcpy(&value, data + i * sizeof(float), sizeof value);
                        sum += value;
                    }
                    m_checksum = m_checksum + sum;
                    ++m_uploads;
                    return std::uint32_t(hlv_gfx::GFXR_OK);
                });
            }
            std::this_thread::yield();
        }
    }

    std::vector<DrawnBuffer>& m_buffers;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_overruns{0};
    std::atomic<int> m_uploads{0};
    float m_checksum = 0.0f;
    std::thread m_thread;
};

// On the update thread, after the frame: under the buffer's lock, the count
// fits the memory and every counted record was written (none still holds the
// poison of the last frame); then the whole memory is poisoned again, so the
// next frame must write whatever it counts.
::testing::AssertionResult CheckAndPoison(hlv_gfx::CTextureBuffer& buffer, std::uint64_t count)
{
    return buffer.AccessData([count](hlv_gfx::CBuffer& memory) -> ::testing::AssertionResult {
        const std::uint64_t room = memory.GetDataSize() / kRecordBytes;
        if (count > room) return ::testing::AssertionFailure() << "count " << count << " > room " << room;
        auto* floats = reinterpret_cast<float*>(memory.GetData());
        for (std::uint64_t i = 0; i < count * kRecordFloats; ++i)
            if (std::isnan(floats[i]))
                return ::testing::AssertionFailure() << "record " << i / kRecordFloats << " not written";
        std::fill(floats, floats + room * kRecordFloats, std::numeric_limits<float>::quiet_NaN());
        return ::testing::AssertionSuccess();
    });
}

}  // namespace

TEST(ParticleNodeHandshake, TwoThousandFramesAgainstARenderThread)
{
    hlv_testing::CWatchdog watchdog(60s, "particle node frames");
    constexpr std::uint64_t kFrames = 2000;
    CSceneParticleNodes nodes;

    // A geometry child per buffer, fed by its node's count.
    hlv_slot::CEffectOutputSlot effect1(ParticleEffect("effect 1"));
    hlv_slot::CEffectOutputSlot effect2(ParticleEffect("effect 2"));
    std::vector<CResourceHandle<hlv_sg::CGeoNode>> children;
    auto child = [&](hlv_slot::CEffectOutputSlot& effect) {
        children.push_back(ParticleGeometry("child", effect));
        return children.back();
    };
    nodes.middle->AddParticleGeometry(child(effect1));
    nodes.pressure->AddParticleGeometry(child(effect1));
    nodes.pressure->AddSecondParticleGeometry(child(effect2));
    nodes.gliding->AddParticleGeometry(child(effect1));
    nodes.background->AddParticleGeometry(child(effect1));
    std::vector<DrawnBuffer> drawn(5);
    drawn[0].buffer = nodes.middle->GetParticleBuffer().get();
    drawn[1].buffer = nodes.pressure->GetParticleBuffer().get();
    drawn[2].buffer = nodes.pressure->GetSecondParticleBuffer().get();
    drawn[3].buffer = nodes.gliding->GetParticleBuffer().get();
    drawn[4].buffer = nodes.background->GetParticleBuffer().get();
    for (DrawnBuffer& d : drawn) ASSERT_TRUE(CheckAndPoison(*d.buffer, 0));

    std::uint64_t middleCounts[3] = {0, 0, 0};  // frames with 0, fewer than all, all middle cubes
    {
        CRenderThread render(drawn);
        for (std::uint64_t frame = 1; frame <= kFrames; ++frame) {
            // The middle cubes shrink, vanish and come back, at once.
            const std::uint64_t phase = frame / 100 % 4;
            nodes.middle->GetParticleSystem().SetTargetCount(phase == 1 ? 400 : phase == 2 ? 0 : 1000);
            nodes.Frame(FrameTime(frame));
            for (std::size_t i = 0; i < drawn.size(); ++i) {
                const std::uint64_t count = children[i]->GetInstanceCountInput().GetValue();
                ASSERT_TRUE(CheckAndPoison(*drawn[i].buffer, count)) << "frame " << frame << " buffer " << i;
                drawn[i].count.store(count);
            }
            const std::uint64_t middle = children[0]->GetInstanceCountInput().GetValue();
            ++middleCounts[middle == 0 ? 0 : middle < 1000 ? 1 : 2];
            ASSERT_EQ(children[1]->GetInstanceCountInput().GetValue(), 3375u);
            ASSERT_EQ(children[2]->GetInstanceCountInput().GetValue(), 3375u);
            ASSERT_EQ(children[3]->GetInstanceCountInput().GetValue(), 150u);
            watchdog.Progress();
        }
        EXPECT_EQ(render.Overruns(), 0);
        EXPECT_GT(render.Uploads(), 0);
    }
    EXPECT_GT(middleCounts[0], 0u);
    EXPECT_GT(middleCounts[1], 0u);
    EXPECT_GT(middleCounts[2], 0u);
    const std::uint64_t background = children[4]->GetInstanceCountInput().GetValue();
    EXPECT_GT(background, 0u);
    EXPECT_LE(background, 100u);
}
