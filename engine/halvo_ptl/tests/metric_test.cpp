// The default metric's pacing, alone and driving a limited system.
#include <halvo_ptl/default_particle_metric.h>
#include <halvo_ptl/limited_particle_system.h>

#include <vector>

#include <gtest/gtest.h>

#include "test_particles.h"

using namespace hlv_ptl;
using namespace ptl_test;

namespace {

// One particle per second each way (the pace of the demo's crawling cubes).
class COnePerSecondMetric : public CDefaultParticleMetric {
public:
    COnePerSecondMetric()
    {
        m_emissionPeriod = 1000;
        m_emissionExtra = 1;
        m_emissionCount = 1;
        m_removalPeriod = 1000;
        m_removalExtra = 1;
        m_removalCount = 1;
    }
};

std::vector<int> FramesWithBatches(bool emission, int frames)
{
    COnePerSecondMetric metric;
    std::vector<int> due;
    for (int f = 1; f <= frames; ++f) {
        CParticleBatch batch;
        if (emission)
            metric.ComputeEmission(Step(16 * f, 16), batch);
        else
            metric.ComputeRemoval(Step(16 * f, 16), batch);
        EXPECT_EQ(batch.extra, 1u);
        if (batch.count != 0) {
            EXPECT_EQ(batch.count, 1u);
            due.push_back(f);
        }
    }
    return due;
}

}  // namespace

TEST(DefaultMetric, WithoutPeriodEverythingIsDueEveryStep)
{
    CDefaultParticleMetric metric;
    for (int f = 0; f < 5; ++f) {
        CParticleBatch emission, removal;
        metric.ComputeEmission(Step(16 * f, 16), emission);
        metric.ComputeRemoval(Step(16 * f, 16), removal);
        EXPECT_EQ(emission.count, CParticleBatch::kUnlimited);
        EXPECT_EQ(removal.count, CParticleBatch::kUnlimited);
    }
}

// A period of 1000 ms at 16 ms frames: the clock passes 1000 after 63
// frames. Removal is due again in the frame that sees this; emission first
// marks itself due and hands out in the frame after.
TEST(DefaultMetric, OnePerSecondAtSixteenMillisecondFrames)
{
    EXPECT_EQ(FramesWithBatches(true, 200), (std::vector<int>{1, 65, 129, 193}));
    EXPECT_EQ(FramesWithBatches(false, 200), (std::vector<int>{1, 64, 127, 190}));
}

TEST(DefaultMetric, FillsTheWholeDifferenceInOneStep)
{
    LimitedSystem system(1000);
    system.SetEmitter(new PointEmitter());
    system.SetTargetCount(10);
    system.InitializeParticles();
    system.SetTargetCount(1000);
    StepAndWait(system, Step(16, 16));
    EXPECT_EQ(system.GetBatch(), 990u);
    EXPECT_EQ(system.GetParticles().size(), 1000u);
    system.SetTargetCount(3);
    StepAndWait(system, Step(32, 16));
    EXPECT_EQ(system.GetBatch(), 997u);
    EXPECT_EQ(system.GetParticles().size(), 3u);
}

TEST(DefaultMetric, PacesALimitedSystem)
{
    LimitedSystem system(100);
    system.SetEmitter(new PointEmitter());
    system.SetMetric(new COnePerSecondMetric());
    system.SetTargetCount(100);
    std::vector<int> births;
    for (int f = 1; f <= 140; ++f) {
        const std::uint64_t before = system.GetParticles().size();
        StepAndWait(system, Step(16 * f, 16));
        if (system.GetParticles().size() != before) births.push_back(f);
    }
    EXPECT_EQ(births, (std::vector<int>{1, 65, 129}));
    EXPECT_EQ(system.GetActiveCount(), 3u);
}
