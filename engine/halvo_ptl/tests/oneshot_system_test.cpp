// The one-shot particle system: a fixed count, rebirth in place.
#include <halvo_ptl/oneshot_particle_system.h>

#include <gtest/gtest.h>

#include "test_particles.h"

using namespace hlv_ptl;
using namespace ptl_test;

TEST(OneShotSystem, KeepsItsCountFromConstruction)
{
    OneShotSystem system(150);
    EXPECT_EQ(system.GetParticles().size(), 150u);
    EXPECT_EQ(system.InitializeParticles(), PTLR_INVALID_EMITTER);
    OneShotSystem empty(0);
    empty.SetEmitter(new PointEmitter());
    EXPECT_EQ(empty.InitializeParticles(), PTLR_INVALID_NUMBER_OF_PARTICLES);
}

TEST(OneShotSystem, InitializationGivesEverySlotItsIndex)
{
    OneShotSystem system(40);
    Particle templ;
    templ.index = 5;
    templ.size = 4.0f;
    system.SetEmitter(new PointEmitter(templ));
    ASSERT_EQ(system.InitializeParticles(), PTLR_OK);
    for (std::uint64_t i = 0; i < 40; ++i) {
        EXPECT_EQ(system.GetParticles()[i].index, i);
        EXPECT_EQ(system.GetParticles()[i].size, 4.0f);
    }
}

TEST(OneShotSystem, WithoutEmitterTheStepDoesNothing)
{
    OneShotSystem system(3);
    system.GetParticles()[1].velocity = {1.0f, 0.0f, 0.0f};
    StepAndWait(system, Step(1000, 1000));
    EXPECT_EQ(system.GetParticles()[1].position[0], 0.0f);
}

TEST(OneShotSystem, DeadParticlesAreBornAgainInTheirSlots)
{
    OneShotSystem system(8);
    system.SetEmitter(new PointEmitter(MortalTemplate(100)));
    system.InitializeParticles();
    system.SetIntegrationMode(99);
    StepAndWait(system, Step(60, 60));
    EXPECT_FLOAT_EQ(system.GetParticles()[0].lifeFraction, 0.6f);
    StepAndWait(system, Step(120, 60));  // dies of age, born again from the template
    for (std::uint64_t i = 0; i < 8; ++i) {
        const Particle& p = system.GetParticles()[i];
        EXPECT_EQ(p.index, i);
        EXPECT_EQ(p.age, 0u);
        EXPECT_EQ(p.lifetime, 100u);
    }

    system.SetEmitter(new PointEmitter());  // plain template: born immortal
    StepAndWait(system, Step(180, 60));
    StepAndWait(system, Step(240, 60));
    EXPECT_TRUE(system.GetParticles()[3].IsImmortal());
}

TEST(OneShotSystem, ParticleLeavingTheVolumeIsBornAgainAndIntegratedInTheSameStep)
{
    OneShotSystem system(2);
    Particle templ;
    templ.velocity = {1.0f, 0.0f, 0.0f};
    system.SetEmitter(new PointEmitter(templ));
    system.InitializeParticles();
    system.SetVolume({-1, -1, -1, 1, 1, 1});
    system.SetVolumeCheck(ptl_cpu::VC_LIFETIME_AND_VOLUME);
    system.GetParticles()[0].position = {5.0f, 0.0f, 0.0f};
    system.GetParticles()[0].velocity = {0.0f, 0.0f, 0.0f};
    system.GetParticles()[1].position = {0.25f, 0.0f, 0.0f};
    StepAndWait(system, Step(250, 250));
    EXPECT_FLOAT_EQ(system.GetParticles()[0].position[0], 0.25f);  // reborn at 0, then moved
    EXPECT_FLOAT_EQ(system.GetParticles()[1].position[0], 0.5f);   // inside: only moved
    EXPECT_EQ(system.GetParticles()[0].index, 0u);
}
