// Compaction of a limited system's container and the alive bits under it.
#include <halvo_ptl/alive_bits.h>
#include <halvo_ptl/particle_compaction.h>

#include <algorithm>
#include <map>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "test_particles.h"

using namespace hlv_ptl;
using ptl_cpu::cpu_limited::CompactParticles;
using ptl_test::Particle;
using ptl_test::Particles;

namespace {

// n particles, each with its slot as index and a unique id in its size.
struct CSlots {
    Particles particles;
    CAliveBits alive;

    explicit CSlots(std::uint64_t n) : particles(n)
    {
        alive.Resize(n);
        for (std::uint64_t i = 0; i < n; ++i) {
            particles[i].index = i;
            particles[i].size = static_cast<float>(1000 + i);
            alive.Set(i);
        }
    }
};

}  // namespace

TEST(AliveBits, ResizeClearsEveryBitBeyondTheNewSize)
{
    CAliveBits bits;
    bits.Resize(70);
    for (std::uint64_t i = 0; i < 70; ++i) bits.Set(i);
    bits.Resize(33);
    EXPECT_EQ(bits.Count(), 33u);
    bits.Resize(70);
    for (std::uint64_t i = 0; i < 70; ++i) EXPECT_EQ(bits.Test(i), i < 33) << i;
    bits.Set(200);  // beyond the size: ignored
    EXPECT_FALSE(bits.Test(200));
    EXPECT_EQ(bits.Count(), 33u);
}

TEST(Compaction, FillsDeadSlotsFromTheTop)
{
    // Ten particles; 2, 5, 6, 7 and 8 dead; the list holds 5 before 2.
    CSlots s(10);
    for (std::uint64_t d : {2, 5, 6, 7, 8}) s.alive.Reset(d);
    CompactParticles(s.particles, s.alive, std::vector<std::uint64_t>{5, 2, 6, 7, 8});

    // Slot 9 moves to 5 and cuts the container to 9 entries; then slot 5, the
    // highest alive one above 2, moves to 2 and cuts it to 5; 6, 7 and 8 are
    // gone by then.
    ASSERT_EQ(s.particles.size(), 5u);
    const float expected[] = {1000, 1001, 1009, 1003, 1004};
    for (std::uint64_t i = 0; i < 5; ++i) {
        EXPECT_EQ(s.particles[i].size, expected[i]) << i;
        EXPECT_EQ(s.particles[i].index, i);
    }
    EXPECT_EQ(s.alive.Size(), 5u);
    EXPECT_EQ(s.alive.Count(), 5u);
}

TEST(Compaction, NothingAliveAboveCutsAtTheDeadSlot)
{
    CSlots s(6);
    for (std::uint64_t d : {3, 4, 5}) s.alive.Reset(d);
    CompactParticles(s.particles, s.alive, std::vector<std::uint64_t>{4, 3, 5});
    EXPECT_EQ(s.particles.size(), 3u);
    EXPECT_EQ(s.alive.Count(), 3u);
}

TEST(Compaction, RandomAliveSetsAndShuffledDeadListsLeaveExactlyTheSurvivors)
{
    std::mt19937 rng(20240607);
    for (int round = 0; round < 300; ++round) {
        const std::uint64_t n = std::uniform_int_distribution<std::uint64_t>(0, 1000)(rng);
        const double deathRate = std::uniform_real_distribution<double>(0.0, 1.0)(rng);
        CSlots s(n);
        std::vector<std::uint64_t> dead;
        std::map<float, bool> survivorIds;
        for (std::uint64_t i = 0; i < n; ++i) {
            if (std::bernoulli_distribution(deathRate)(rng)) {
                s.alive.Reset(i);
                dead.push_back(i);
            } else {
                survivorIds[s.particles[i].size] = false;
            }
        }
        std::shuffle(dead.begin(), dead.end(), rng);
        CompactParticles(s.particles, s.alive, dead);

        const std::uint64_t size = s.particles.size();
        ASSERT_EQ(size, survivorIds.size()) << "round " << round;
        ASSERT_EQ(s.alive.Size(), size);
        ASSERT_EQ(s.alive.Count(), size);
        for (std::uint64_t i = 0; i < size; ++i) {
            ASSERT_TRUE(s.alive.Test(i));
            ASSERT_EQ(s.particles[i].index, i);
            auto it = survivorIds.find(s.particles[i].size);
            ASSERT_NE(it, survivorIds.end()) << "a dead particle survived in slot " << i;
            ASSERT_FALSE(it->second) << "a survivor appears twice";
            it->second = true;
        }
        // The bits beyond the size are clear, so growing again starts clean.
        s.alive.Resize(n);
        ASSERT_EQ(s.alive.Count(), size);
    }
}
