// The limited particle system: initialisation, ageing and deaths, the volume,
// compaction within a step, metric-paced births and removals, integration.
#include <halvo_ptl/limited_particle_system.h>

#include <gtest/gtest.h>

#include "test_particles.h"

using namespace hlv_ptl;
using namespace ptl_test;
using ptl_cpu::cpu_limited::ES_GROW;
using ptl_cpu::cpu_limited::ES_NONE;
using ptl_cpu::cpu_limited::ES_SHRINK;

namespace {

void ExpectCompact(const LimitedSystem& system)
{
    const auto& particles = system.GetParticles();
    EXPECT_EQ(system.GetAliveBits().Size(), particles.size());
    EXPECT_EQ(system.GetAliveBits().Count(), particles.size());
    for (std::uint64_t i = 0; i < particles.size(); ++i) EXPECT_EQ(particles[i].index, i);
}

}  // namespace

TEST(LimitedSystem, InitializationNeedsAnEmitterAndRoom)
{
    LimitedSystem none(0);
    EXPECT_EQ(none.InitializeParticles(), PTLR_INVALID_EMITTER);
    none.SetEmitter(new PointEmitter());
    EXPECT_EQ(none.InitializeParticles(), PTLR_INVALID_NUMBER_OF_PARTICLES);

    LimitedSystem roomy(50);
    roomy.SetEmitter(new PointEmitter());
    EXPECT_EQ(roomy.InitializeParticles(), PTLR_OK);
    EXPECT_TRUE(roomy.GetParticles().empty());
    EXPECT_EQ(roomy.GetActiveCount(), 0u);
}

TEST(LimitedSystem, InitializationBirthsTheTargetCount)
{
    LimitedSystem system(100);
    Particle templ;
    templ.index = 77;  // an emitter that copies the template's index does not move the slots
    templ.size = 2.0f;
    system.SetEmitter(new ptl_cpu::CPointParticleEmitter<Particle, Particles>(templ));
    system.SetTargetCount(64);
    ASSERT_EQ(system.InitializeParticles(), PTLR_OK);
    EXPECT_EQ(system.GetParticles().size(), 64u);
    EXPECT_EQ(system.GetActiveCount(), 64u);
    for (const Particle& p : system.GetParticles()) EXPECT_EQ(p.size, 2.0f);
    ExpectCompact(system);
}

TEST(LimitedSystem, EmptySystemWithoutTargetReturnsAtOnce)
{
    LimitedSystem system(10);
    system.SetEmitter(new PointEmitter());
    StepAndWait(system, Step(16, 16));
    EXPECT_EQ(system.GetBatch(), 0u);
    EXPECT_EQ(system.GetEmissionState(), ES_NONE);
    EXPECT_TRUE(system.GetParticles().empty());
}

TEST(LimitedSystem, ParticlesAgeDieAndAreBornAgainInOneStep)
{
    LimitedSystem system(10);
    system.SetEmitter(new PointEmitter(MortalTemplate(100)));
    system.SetTargetCount(10);
    system.InitializeParticles();
    StepAndWait(system, Step(16, 16));
    EXPECT_EQ(system.GetParticles()[3].age, 16u);
    EXPECT_FLOAT_EQ(system.GetParticles()[3].lifeFraction, 0.16f);
    for (int i = 0; i < 5; ++i) StepAndWait(system, Step(32 + 16 * i, 16));
    EXPECT_EQ(system.GetParticles()[0].age, 96u);

    StepAndWait(system, Step(112, 16));  // age 112 >= 100: all ten die
    EXPECT_EQ(system.GetEmissionState(), ES_GROW);
    EXPECT_EQ(system.GetBatch(), 10u);  // the default metric refills at once
    EXPECT_EQ(system.GetActiveCount(), 10u);
    for (const Particle& p : system.GetParticles()) {
        EXPECT_EQ(p.age, 0u);
        EXPECT_EQ(p.lifetime, 100u);
    }
    ExpectCompact(system);
}

TEST(LimitedSystem, BackwardsTimeAgesToo)
{
    LimitedSystem system(4);
    system.SetEmitter(new PointEmitter(MortalTemplate(1000)));
    system.SetTargetCount(4);
    system.InitializeParticles();
    CTimeInfo back = Step(0, 30);
    back.backwards = 1;
    StepAndWait(system, back);
    EXPECT_EQ(system.GetParticles()[0].age, 30u);
}

TEST(LimitedSystem, ImmortalParticlesNeverAge)
{
    LimitedSystem system(4);
    system.SetEmitter(new PointEmitter());
    system.SetTargetCount(4);
    system.InitializeParticles();
    for (int i = 0; i < 20; ++i) StepAndWait(system, Step(1000 * i, 1000));
    for (const Particle& p : system.GetParticles()) {
        EXPECT_EQ(p.age, 0u);
        EXPECT_EQ(p.lifeFraction, 0.0f);
    }
    EXPECT_EQ(system.GetEmissionState(), ES_NONE);
}

TEST(LimitedSystem, VolumeBoundsAreInsideAndOutsideDies)
{
    LimitedSystem system(3);
    system.SetEmitter(new PointEmitter());
    system.SetTargetCount(3);
    system.InitializeParticles();
    system.SetVolume({-1, -1, -1, 1, 1, 1});
    system.SetVolumeCheck(ptl_cpu::VC_LIFETIME_AND_VOLUME);
    system.SetIntegrationMode(99);  // no integration: positions stay where they are put
    auto& particles = system.GetParticles();
    particles[0].position = {1.0f, -1.0f, 1.0f};  // on the boundary
    particles[0].size = 1.0f;
    particles[1].position = {1.001f, 0.0f, 0.0f};  // outside
    particles[2].position = {0.0f, 0.0f, 0.5f};
    particles[2].size = 3.0f;
    system.SetTargetCount(2);  // no refill
    StepAndWait(system, Step(16, 16));
    ASSERT_EQ(system.GetParticles().size(), 2u);
    EXPECT_EQ(system.GetParticles()[0].size, 1.0f);
    EXPECT_EQ(system.GetParticles()[1].size, 3.0f);  // moved down from slot 2
    ExpectCompact(system);
}

TEST(LimitedSystem, ShrinkDropsTheHighestSlotsAndGrowingAgainStartsClean)
{
    LimitedSystem system(100);
    system.SetEmitter(new PointEmitter());
    system.SetTargetCount(100);
    system.InitializeParticles();

    system.SetTargetCount(40);
    StepAndWait(system, Step(16, 16));
    EXPECT_EQ(system.GetEmissionState(), ES_SHRINK);
    EXPECT_EQ(system.GetBatch(), 60u);
    EXPECT_EQ(system.GetParticles().size(), 40u);
    ExpectCompact(system);

    // Growing without an emitter adds default particles whose bits stay
    // clear; the bits of the dropped slots must not come back.
    system.SetEmitter(nullptr);
    system.SetTargetCount(100);
    StepAndWait(system, Step(32, 16));
    EXPECT_EQ(system.GetParticles().size(), 100u);
    EXPECT_EQ(system.GetActiveCount(), 100u);
    const CAliveBits& bits = system.GetAliveBits();
    for (std::uint64_t i = 0; i < 100; ++i) EXPECT_EQ(bits.Test(i), i < 40) << i;
    EXPECT_EQ(system.GetParticles()[70].index, kUnassignedIndex);
}

TEST(LimitedSystem, ActiveCountDoesNotUnderflow)
{
    LimitedSystem system(40);
    system.SetEmitter(new PointEmitter());
    system.SetTargetCount(5);
    system.InitializeParticles();
    // The owner puts more particles into the container than the system
    // counts; all of them die in the next step.
    system.GetParticles().resize(30);
    for (Particle& p : system.GetParticles()) p.position = {5.0f, 5.0f, 5.0f};
    system.SetVolumeCheck(ptl_cpu::VC_LIFETIME_AND_VOLUME);
    system.SetIntegrationMode(99);
    system.SetTargetCount(0);
    StepAndWait(system, Step(16, 16));
    EXPECT_EQ(system.GetActiveCount(), 0u);
    EXPECT_TRUE(system.GetParticles().empty());
    EXPECT_EQ(system.GetEmissionState(), ES_NONE);
}

TEST(LimitedSystem, ParticleBornInAStepIsIntegratedInThatStep)
{
    LimitedSystem system(1);
    Particle templ;
    templ.velocity = {2.0f, 0.0f, 0.0f};
    templ.force = {0.0f, 4.0f, 0.0f};
    templ.inverseMass = 0.5f;
    system.SetEmitter(new PointEmitter(templ));
    system.SetTargetCount(1);
    StepAndWait(system, Step(500, 500));
    ASSERT_EQ(system.GetParticles().size(), 1u);
    const Particle& p = system.GetParticles()[0];
    // k = 0.5 s * 0.5; v = (2, 1, 0); x = v * 0.5 s
    EXPECT_FLOAT_EQ(p.velocity[1], 1.0f);
    EXPECT_FLOAT_EQ(p.position[0], 1.0f);
    EXPECT_FLOAT_EQ(p.position[1], 0.5f);
    EXPECT_FLOAT_EQ(p.force[1], 4.0f);  // the step leaves the force
    EXPECT_EQ(p.index, 0u);
}

TEST(LimitedSystem, IntegrationModesPickFilterAndSolver)
{
    std::uint64_t frame = 9;
    for (std::uint32_t mode : {0u, 1u, 3u, 2u}) {
        LimitedSystem system(1);
        Particle templ;
        templ.velocity = {0.0f, 0.0f, 1.0f};
        system.SetEmitter(new PointEmitter(templ));
        system.SetPreFilter(new CStampFilter(frame), true);
        system.SetIntegrationMode(mode);
        system.SetTargetCount(1);
        system.InitializeParticles();
        StepAndWait(system, Step(1000, 1000));
        const Particle& p = system.GetParticles()[0];
        const bool filtered = mode == 1 || mode == 3;
        const bool solved = mode == 0 || mode == 3;
        EXPECT_EQ(p.position[0], filtered ? 9.0f : 0.0f) << mode;
        EXPECT_EQ(p.position[2], solved ? 1.0f : 0.0f) << mode;
    }
}

TEST(LimitedSystem, SetMetricKeepsAMetricThatIsInstalledAgain)
{
    LimitedSystem system(1);
    auto* metric = new CDefaultParticleMetric();
    EXPECT_EQ(system.SetMetric(metric), PTLR_OK);
    EXPECT_EQ(system.SetMetric(metric), PTLR_OK);  // not deleted
    EXPECT_EQ(system.GetMetric(), metric);
    system.SetMetric(nullptr);
    EXPECT_NE(system.GetMetric(), nullptr);
    EXPECT_NE(system.GetMetric(), metric);
}
