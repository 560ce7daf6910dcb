// The particle record, the step record and the per-thread random numbers.
#include <halvo_ptl/particle.h>
#include <halvo_ptl/random.h>
#include <halvo_ptl/time_info.h>

#include <thread>

#include <gtest/gtest.h>

#include "test_particles.h"

using namespace hlv_ptl;
using ptl_test::Particle;

TEST(ParticleRecord, DefaultParticleIsUnassignedImmortalUnitMassAtRest)
{
    const Particle p;
    EXPECT_EQ(p.index, kUnassignedIndex);
    EXPECT_EQ(p.lifetime, kImmortal);
    EXPECT_TRUE(p.IsImmortal());
    EXPECT_EQ(p.mass, 1.0f);
    EXPECT_EQ(p.inverseMass, 1.0f);
    EXPECT_EQ(p.age, 0u);
    EXPECT_EQ(p.size, 0.0f);
    EXPECT_EQ(p.lifeFraction, 0.0f);
    for (int a = 0; a < 3; ++a) {
        EXPECT_EQ(p.position[a], 0.0f);
        EXPECT_EQ(p.initialPosition[a], 0.0f);
        EXPECT_EQ(p.velocity[a], 0.0f);
        EXPECT_EQ(p.force[a], 0.0f);
    }
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(p.rotation[c], 0.0f);
        EXPECT_EQ(p.initialRotation[c], 0.0f);
    }
    for (int e = 0; e < 16; ++e) EXPECT_EQ(p.matrix[e], 0.0f);
}

TEST(ParticleRecord, AssignmentCopiesAllButTheIndex)
{
    Particle source;
    source.index = 7;
    source.initialPosition = {1.0f, 2.0f, 3.0f};
    source.position = {4.0f, 5.0f, 6.0f};
    source.velocity = {7.0f, 8.0f, 9.0f};
    source.force = {10.0f, 11.0f, 12.0f};
    source.initialRotation = {0.5f, 0.1f, 0.2f, 0.3f};
    source.rotation = {0.6f, 0.4f, 0.5f, 0.7f};
    source.matrix[5] = 13.0f;
    source.mass = 2.0f;
    source.inverseMass = 0.5f;
    source.age = 100;
    source.lifetime = 1000;
    source.lifeFraction = 0.1f;
    source.size = 3.5f;

    Particle target;
    target.index = 42;
    target = source;
    EXPECT_EQ(target.index, 42u);
    EXPECT_EQ(target.initialPosition, source.initialPosition);
    EXPECT_EQ(target.position, source.position);
    EXPECT_EQ(target.velocity, source.velocity);
    EXPECT_EQ(target.force, source.force);
    EXPECT_EQ(target.initialRotation, source.initialRotation);
    EXPECT_EQ(target.rotation, source.rotation);
    EXPECT_EQ(target.matrix, source.matrix);
    EXPECT_EQ(target.mass, 2.0f);
    EXPECT_EQ(target.inverseMass, 0.5f);
    EXPECT_EQ(target.age, 100u);
    EXPECT_EQ(target.lifetime, 1000u);
    EXPECT_EQ(target.lifeFraction, 0.1f);
    EXPECT_EQ(target.size, 3.5f);

    const Particle copy(source);
    EXPECT_EQ(copy.index, 7u);
}

TEST(StepRecord, SignedStepIsTheLowWordNegatedWhenBackwards)
{
    CTimeInfo info;
    info.delta = 16;
    EXPECT_EQ(SignedStep(info), 16);
    info.backwards = 1;
    EXPECT_EQ(SignedStep(info), -16);
    EXPECT_EQ(StepMagnitude(info), 16u);
    info.delta = (std::uint64_t(5) << 32) | 20u;  // only the low 32 bits count
    EXPECT_EQ(SignedStep(info), -20);
    info.delta = 0x80000000u;  // the most negative step has a magnitude too
    EXPECT_EQ(StepMagnitude(info), 0x80000000u);
}

TEST(RandomNumbers, StayInRangeAndRepeatAfterSeeding)
{
    SeedRandom(1234);
    std::vector<int> first;
    int low = kRandomMax, high = 0;
    for (int i = 0; i < 100000; ++i) {
        const int v = Random();
        if (i < 10) first.push_back(v);
        low = std::min(low, v);
        high = std::max(high, v);
    }
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, kRandomMax);
    SeedRandom(1234);
    for (int v : first) EXPECT_EQ(Random(), v);
}

TEST(RandomNumbers, ThreadsDrawFromEnginesOfTheirOwn)
{
    SeedRandom(99);
    const int mine = Random();
    int other = -1;
    std::thread([&] {
        SeedRandom(99);
        other = Random();
        for (int i = 0; i < 1000; ++i) Random();  // does not advance the first thread's engine
    }).join();
    EXPECT_EQ(other, mine);
    SeedRandom(99);
    EXPECT_EQ(Random(), mine);
}
