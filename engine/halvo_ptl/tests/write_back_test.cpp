// Copy stages: buffer sizing, the 48-byte render records, refused requests,
// the capacity clamp.
#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/gfx_types.h>

#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include <hlv_testing/watchdog.h>

#include "test_copy.h"

using namespace hlv_ptl;
using namespace ptl_test;
using namespace std::chrono_literals;
using hlv_testing::CWatchdog;

namespace {

Particle Distinct(float base)
{
    Particle p;
    p.position = {base + 1, base + 2, base + 3};
    p.velocity = {base + 4, base + 5, base + 6};
    p.force = {base + 30, base + 31, base + 32};
    p.rotation = {base + 7, base + 8, base + 9, base + 10};  // w, x, y, z
    p.initialRotation = {base + 40, base + 41, base + 42, base + 43};
    p.size = base + 11;
    p.mass = base + 12;
    p.lifeFraction = base + 0.5f;
    return p;
}

// Clears the changed flag as the renderer's upload would.
void Upload(hlv_gfx::CTextureBuffer& buffer)
{
    buffer.UploadIfChanged([](const hlv_gfx::CBuffer&) { return std::uint32_t(hlv_gfx::GFXR_OK); });
}

}  // namespace

TEST(FitBufferToSystem, SizesForThreeTexelsPerParticle)
{
    BufferHandle buffer = NewTextureBuffer();
    SizeCopy copy;
    OneShotSystem system(150);
    EXPECT_EQ(copy.FitBufferToSystem(&system), PTLR_INVALID_BUFFER);
    copy.SetTextureBuffer(buffer.get());
    EXPECT_EQ(copy.FitBufferToSystem(nullptr), PTLR_INVALID_PARTICLE_SYSTEM);
    ASSERT_EQ(copy.FitBufferToSystem(&system), PTLR_OK);
    EXPECT_EQ(buffer->GetTexelFormat(), hlv_gfx::TMF_RGBA32F);
    EXPECT_EQ(buffer->GetMemory()->GetElementCount(), 450u);
    EXPECT_EQ(buffer->GetMemory()->GetLayout()->GetStride(), 16u);
    EXPECT_EQ(buffer->GetMemory()->GetDataSize(), 450u * 16u);
    EXPECT_EQ(copy.GetFittedParticleCount(), 150u);
}

TEST(FitBufferToSystem, KeepsRoomForTheCapacity)
{
    BufferHandle buffer = NewTextureBuffer();
    SizeCopy copy;
    copy.SetTextureBuffer(buffer.get());
    LimitedSystem system(1000);
    system.SetEmitter(new PointEmitter());
    system.SetTargetCount(10);
    system.InitializeParticles();
    ASSERT_EQ(copy.FitBufferToSystem(&system), PTLR_OK);
    EXPECT_EQ(copy.GetFittedParticleCount(), 10u);
    EXPECT_EQ(buffer->GetMemory()->GetElementCount(), 3000u);
}

TEST(WriteBack, RecordsAreByteExact)
{
    OneShotSystem system(3);
    for (std::uint64_t i = 0; i < 3; ++i) system.GetParticles()[i] = Distinct(100.0f * static_cast<float>(i));
    BufferHandle sized = NewTextureBuffer();
    BufferHandle weighed = NewTextureBuffer("Gliding Particle Data");
    SizeCopy sizeCopy;
    MassCopy massCopy;
    sizeCopy.SetTextureBuffer(sized.get());
    massCopy.SetTextureBuffer(weighed.get());
    ASSERT_EQ(sizeCopy.FitBufferToSystem(&system), PTLR_OK);
    ASSERT_EQ(massCopy.FitBufferToSystem(&system), PTLR_OK);
    Upload(*sized);
    ASSERT_FALSE(sized->IsChanged());

    ASSERT_EQ(sizeCopy.RequestCopy(&system), PTLR_OK);
    ASSERT_EQ(massCopy.RequestCopy(&system), PTLR_OK);
    EXPECT_EQ(sizeCopy.WaitForCopy(), PTLR_THREAD_FINISHED);
    EXPECT_EQ(massCopy.WaitForCopy(true), PTLR_THREAD_FINISHED);
    EXPECT_EQ(sizeCopy.WaitForCopy(false), PTLR_THREAD_FINISHED);
    EXPECT_TRUE(sized->IsChanged());

    for (std::uint64_t i = 0; i < 3; ++i) {
        const float b = 100.0f * static_cast<float>(i);
        // position, weight, velocity, life fraction, rotation x y z w
        const std::vector<float> expected{b + 1, b + 2,    b + 3, b + 11, b + 4,  b + 5,
                                          b + 6, b + 0.5f, b + 8, b + 9,  b + 10, b + 7};
        EXPECT_EQ(RecordFloats(*sized, i), expected) << i;
        std::vector<float> withMass = expected;
        withMass[3] = b + 12;
        EXPECT_EQ(RecordFloats(*weighed, i), withMass) << i;
    }
}

TEST(WriteBack, RequestsAreRefusedWithoutBufferOrSystem)
{
    OneShotSystem system(2);
    SizeCopy copy;
    EXPECT_EQ(copy.RequestCopy(&system), PTLR_INVALID_BUFFER);
    BufferHandle buffer = NewTextureBuffer();
    copy.SetTextureBuffer(buffer.get());
    EXPECT_EQ(copy.RequestCopy(nullptr), PTLR_INVALID_ARGUMENT);
    EXPECT_EQ(copy.WaitForCopy(false), PTLR_THREAD_FINISHED);
}

TEST(WriteBack, RequestWhileACopyIsPendingKeepsTheFirstSource)
{
    CWatchdog watchdog(60s, "request while pending");
    CGate gate;
    OneShotSystem first(4);
    first.SetEmitter(new PointEmitter(Distinct(1.0f)));
    first.InitializeParticles();
    first.SetIntegrationMode(ptl_cpu::IM_FILTER_ONLY);
    first.SetPreFilter(new CGateFilter(gate), true);
    OneShotSystem second(4);
    second.SetEmitter(new PointEmitter(Distinct(500.0f)));
    second.InitializeParticles();

    BufferHandle buffer = NewTextureBuffer();
    SizeCopy copy;
    copy.SetTextureBuffer(buffer.get());
    copy.FitBufferToSystem(&first);

    first.RequestUpdate(Step(16, 16));
    gate.WaitForArrival();
    ASSERT_EQ(copy.RequestCopy(&first), PTLR_OK);  // waits for first's step
    EXPECT_EQ(copy.WaitForCopy(false), PTLR_THREAD_RUNNING);
    EXPECT_EQ(copy.RequestCopy(&second), PTLR_THREAD_RUNNING);
    gate.Open();
    EXPECT_EQ(copy.WaitForCopy(), PTLR_THREAD_FINISHED);
    EXPECT_EQ(RecordFloats(*buffer, 3)[0], 2.0f);
}

TEST(WriteBack, WritesNoMoreRecordsThanTheBufferHolds)
{
    OneShotSystem small(10);
    BufferHandle buffer = NewTextureBuffer();
    SizeCopy copy;
    copy.SetTextureBuffer(buffer.get());
    ASSERT_EQ(copy.FitBufferToSystem(&small), PTLR_OK);

    OneShotSystem large(25);  // outgrew the buffer
    for (std::uint64_t i = 0; i < 25; ++i) large.GetParticles()[i] = Distinct(static_cast<float>(i));
    ASSERT_EQ(copy.RequestCopy(&large), PTLR_OK);
    ASSERT_EQ(copy.WaitForCopy(), PTLR_THREAD_FINISHED);
    EXPECT_EQ(RecordFloats(*buffer, 0)[0], 1.0f);
    EXPECT_EQ(RecordFloats(*buffer, 9)[0], 10.0f);
    EXPECT_EQ(buffer->GetMemory()->GetDataSize(), 10u * 48u);
}

TEST(WriteBack, EmptySourceLeavesTheMemoryUntouched)
{
    OneShotSystem sized(5);
    LimitedSystem empty(5);
    BufferHandle buffer = NewTextureBuffer();
    SizeCopy copy;
    copy.SetTextureBuffer(buffer.get());
    copy.FitBufferToSystem(&sized);
    std::memset(buffer->GetMemory()->GetData(), 0x5A, 5 * 48);
    Upload(*buffer);
    ASSERT_EQ(copy.RequestCopy(&empty), PTLR_OK);
    ASSERT_EQ(copy.WaitForCopy(), PTLR_THREAD_FINISHED);
    for (std::uint64_t b = 0; b < 5 * 48; ++b) ASSERT_EQ(buffer->GetMemory()->GetData()[b], std::byte{0x5A}) << b;
    EXPECT_FALSE(buffer->IsChanged());
}

namespace {

class CCountingCopy : public ptl_tbb::TTBBBaseParticleCopy<BaseSystem, SizeRecord, hlv_gfx::CTextureBuffer> {
public:
    explicit CCountingCopy(int& copies) : m_copies(copies) { StartCopyThread(); }
    ~CCountingCopy() override { StopCopyThread(); }
    void Copy() override { ++m_copies; }

private:
    int& m_copies;
};

}  // namespace

TEST(WriteBack, DestroyingAnIdleStageCopiesNothing)
{
    CWatchdog watchdog(60s, "destroy an idle stage");
    int copies = 0;
    {
        CCountingCopy copy(copies);
    }
    EXPECT_EQ(copies, 0);
}
