// The emitters, the constant filter group and the generic filters.
#include <halvo_ptl/aabb_volume_particle_emitter.h>
#include <halvo_ptl/constant_particle_filter_group.h>
#include <halvo_ptl/filtered_particle_emitter.h>
#include <halvo_ptl/point_particle_emitter.h>
#include <halvo_ptl/position_animation_particle_filter.h>
#include <halvo_ptl/random.h>
#include <halvo_ptl/random_force_particle_filter.h>
#include <halvo_ptl/random_life_particle_filter.h>
#include <halvo_ptl/random_position_offset_particle_filter.h>
#include <halvo_ptl/system_translation_particle_filter.h>

#include <plovdane/linear_spline.h>

#include <gtest/gtest.h>

#include "test_particles.h"

using namespace hlv_ptl;
using namespace hlv_ptl::ptl_cpu;
using ptl_test::Particle;
using ptl_test::Particles;

namespace {

constexpr int kDraws = 200000;

// Records the order of calls and answers with a fixed result.
class CScriptedFilter : public TBaseParticleFilter<Particle> {
public:
    CScriptedFilter(std::vector<int>& calls, int id, PTL_RESULT result) : m_calls(calls), m_id(id), m_result(result) {}
    PTL_RESULT Apply(const Particle&, Particle& out) override
    {
        m_calls.push_back(m_id);
        out.size += 1.0f;
        return m_result;
    }

private:
    std::vector<int>& m_calls;
    int m_id;
    PTL_RESULT m_result;
};

}  // namespace

TEST(PointEmitter, CopiesTheTemplateButNotItsIndex)
{
    Particle templ;
    templ.index = 3;
    templ.position = {1.0f, 2.0f, 3.0f};
    templ.lifetime = 500;
    CPointParticleEmitter<Particle, Particles> emitter(templ);
    EXPECT_EQ(emitter.GetTemplate().index, 3u);

    Particle p;
    p.index = 9;
    EXPECT_EQ(emitter.InitializeParticle(p), PTLR_OK);
    EXPECT_EQ(p.index, 9u);
    EXPECT_EQ(p.position, templ.position);
    EXPECT_EQ(p.lifetime, 500u);
}

TEST(PointEmitter, InitializeRangeTakesEachSlotsIndexFromTheEmittedParticle)
{
    Particle templ;
    templ.size = 2.0f;
    CPointParticleEmitter<Particle, Particles> emitter(templ);
    Particles particles(4);
    for (std::uint64_t i = 0; i < 4; ++i) particles[i].index = i;
    EXPECT_EQ(emitter.InitializeRange(particles, 1, 10), PTLR_OK);  // clamped to the container
    EXPECT_EQ(particles[0].size, 0.0f);
    EXPECT_EQ(particles[0].index, 0u);
    for (std::uint64_t i = 1; i < 4; ++i) {
        EXPECT_EQ(particles[i].size, 2.0f);
        EXPECT_EQ(particles[i].index, kUnassignedIndex);  // a default particle's, kept by the point emitter
    }
}

TEST(AabbVolumeEmitter, PlacesParticlesWithinHalfTheBoxAtTheSpecifiedResolution)
{
    SeedRandom(7);
    Particle templ;
    templ.index = 11;
    templ.lifetime = 10000;
    CAabbVolumeParticleEmitter<Particle, Particles, 100> emitter(templ, {-10, -10, -10, 10, 10, 10});
    float low[3] = {1e9f, 1e9f, 1e9f}, high[3] = {-1e9f, -1e9f, -1e9f};
    for (int i = 0; i < kDraws / 10; ++i) {
        Particle p;
        ASSERT_EQ(emitter.InitializeParticle(p), PTLR_OK);
        ASSERT_EQ(p.index, 11u);  // this emitter copies the template's index
        ASSERT_EQ(p.lifetime, 10000u);
        for (int a = 0; a < 3; ++a) {
            ASSERT_EQ(p.position[a], p.initialPosition[a]);
            low[a] = std::min(low[a], p.position[a]);
            high[a] = std::max(high[a], p.position[a]);
        }
    }
    for (int a = 0; a < 3; ++a) {
        EXPECT_FLOAT_EQ(low[a], -5.0f);
        EXPECT_FLOAT_EQ(high[a], 4.9f);
    }
}

TEST(AabbVolumeEmitter, UsesTheMinimumBelowZeroAndTheMaximumAbove)
{
    SeedRandom(8);
    CAabbVolumeParticleEmitter<Particle, Particles, 100> emitter(Particle(), {-1000, -1000, -1000, 1000, 1000, 3500});
    float highZ = -1e9f, lowZ = 1e9f;
    for (int i = 0; i < kDraws / 10; ++i) {
        Particle p;
        emitter.InitializeParticle(p);
        highZ = std::max(highZ, p.position[2]);
        lowZ = std::min(lowZ, p.position[2]);
    }
    EXPECT_FLOAT_EQ(lowZ, -500.0f);
    EXPECT_FLOAT_EQ(highZ, 0.49f * 3500.0f);
}

TEST(ConstantFilterGroup, AcceptsNFiltersAndRefusesTheNext)
{
    std::vector<int> calls;
    CConstantParticleFilterGroup<Particle, 4> group;
    for (int i = 0; i < 4; ++i) EXPECT_EQ(group.AddFilter(new CScriptedFilter(calls, i, PTLR_OK)), PTLR_OK);
    auto* fifth = new CScriptedFilter(calls, 4, PTLR_OK);
    EXPECT_EQ(group.AddFilter(fifth), PTLR_FILTER_FULL);
    delete fifth;  // refused, so still the caller's
    EXPECT_EQ(group.GetCount(), 4u);

    Particle p;
    EXPECT_EQ(group.Apply(p, p), PTLR_OK);
    EXPECT_EQ(calls, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(p.size, 4.0f);
}

TEST(ConstantFilterGroup, NullFilterUsesUpAPlace)
{
    std::vector<int> calls;
    CConstantParticleFilterGroup<Particle, 1> group;
    EXPECT_EQ(group.AddFilter(nullptr), PTLR_NULL_PTR);
    EXPECT_EQ(group.GetCount(), 1u);
    auto* refused = new CScriptedFilter(calls, 0, PTLR_OK);
    EXPECT_EQ(group.AddFilter(refused), PTLR_FILTER_FULL);
    delete refused;
    Particle p;
    EXPECT_EQ(group.Apply(p, p), PTLR_FAIL);  // every entry empty
    EXPECT_TRUE(calls.empty());
}

TEST(ConstantFilterGroup, StopsAtTheFirstFailure)
{
    std::vector<int> calls;
    CConstantParticleFilterGroup<Particle, 6> group;
    group.AddFilter(new CScriptedFilter(calls, 0, PTLR_OK));
    group.AddFilter(new CScriptedFilter(calls, 1, PTLR_NULL_PTR));
    group.AddFilter(new CScriptedFilter(calls, 2, PTLR_OK));
    Particle p;
    EXPECT_EQ(group.Apply(p, p), PTLR_NULL_PTR);
    EXPECT_EQ(calls, (std::vector<int>{0, 1}));
}

TEST(ConstantFilterGroup, EmptyGroupCopiesInToOutAndFails)
{
    CConstantParticleFilterGroup<Particle, 4> group;
    Particle in;
    in.index = 1;
    in.position = {1.0f, 2.0f, 3.0f};
    in.size = 5.0f;
    Particle out;
    out.index = 2;
    EXPECT_EQ(group.Apply(in, out), PTLR_FAIL);
    EXPECT_EQ(out.position, in.position);
    EXPECT_EQ(out.size, 5.0f);
    EXPECT_EQ(out.index, 2u);
}

TEST(ConstantFilterGroup, DeletesTheFiltersItOwns)
{
    std::atomic<int> destroyed{0};
    {
        CConstantParticleFilterGroup<Particle, 4> group;
        group.AddFilter(new ptl_test::CCountedFilter(destroyed));
        group.AddFilter(nullptr);
        group.AddFilter(new ptl_test::CCountedFilter(destroyed));
    }
    EXPECT_EQ(destroyed.load(), 2);
}

TEST(FilteredEmitter, RunsTheInnerEmitterThenTheGroupAndOwnsBoth)
{
    std::atomic<int> destroyed{0};
    Particle templ;
    templ.size = 1.0f;
    {
        CFilteredParticleEmitter<CConstantParticleFilterGroup<Particle, 4>, Particle, Particles> emitter(
            new ptl_test::CCountedEmitter(destroyed, templ));
        std::vector<int> calls;
        EXPECT_EQ(emitter.AddFilter(new CScriptedFilter(calls, 0, PTLR_OK)), PTLR_OK);
        EXPECT_EQ(emitter.AddFilter(new CScriptedFilter(calls, 1, PTLR_FAIL)), PTLR_OK);
        Particle p;
        p.index = 5;
        EXPECT_EQ(emitter.InitializeParticle(p), PTLR_OK);  // the group's failure is not passed on
        EXPECT_EQ(p.size, 3.0f);                            // template 1, then two filters
        EXPECT_EQ(p.index, 5u);
        emitter.AddFilter(new ptl_test::CCountedFilter(destroyed));
    }
    EXPECT_EQ(destroyed.load(), 2);
}

TEST(RandomLifeFilter, DrawsFromMinimumUpToButExcludingMaximum)
{
    SeedRandom(11);
    CRandomLifeParticleFilter<Particle> filter(1000, 3000);
    std::uint64_t low = ~0ull, high = 0;
    for (int i = 0; i < kDraws; ++i) {
        Particle p;
        p.age = 77;
        p.lifeFraction = 0.5f;
        p.size = 9.0f;
        filter.Apply(p, p);
        ASSERT_EQ(p.age, 0u);
        ASSERT_EQ(p.lifeFraction, 0.0f);
        ASSERT_EQ(p.size, 9.0f);
        low = std::min(low, p.lifetime);
        high = std::max(high, p.lifetime);
    }
    EXPECT_EQ(low, 1000u);
    EXPECT_EQ(high, 2999u);
}

TEST(RandomLifeFilter, EqualBoundsGiveTheMinimum)
{
    CRandomLifeParticleFilter<Particle> filter(4000, 4000);
    Particle p;
    EXPECT_EQ(filter.Apply(p, p), PTLR_OK);
    EXPECT_EQ(p.lifetime, 4000u);
    CRandomLifeParticleFilter<Particle> immortal(kImmortal, kImmortal);
    immortal.Apply(p, p);
    EXPECT_TRUE(p.IsImmortal());
}

TEST(RandomForceFilter, AddsFactorsFromMinusOneToJustBelowOne)
{
    SeedRandom(12);
    CRandomForceParticleFilter<Particle, 10000> filter(5.0f);
    float low = 1e9f, high = -1e9f;
    for (int i = 0; i < kDraws; ++i) {
        Particle p;
        p.force = {1.0f, 1.0f, 1.0f};
        p.position = {3.0f, 3.0f, 3.0f};
        filter.Apply(p, p);
        ASSERT_EQ(p.position[0], 3.0f);
        for (int a = 0; a < 3; ++a) {
            low = std::min(low, p.force[a] - 1.0f);
            high = std::max(high, p.force[a] - 1.0f);
        }
    }
    EXPECT_NEAR(low, -5.0f, 1e-4f);
    EXPECT_NEAR(high, 0.9998f * 5.0f, 1e-4f);
}

TEST(RandomPositionOffsetFilter, OffsetsWithinTheExtentAndCopiesTheIndex)
{
    SeedRandom(13);
    CRandomPositionOffsetParticleFilter<Particle, 1000> filter({1000.0f, 200.0f, 2000.0f});
    const float extent[3] = {1000.0f, 200.0f, 2000.0f};
    float low[3] = {1e9f, 1e9f, 1e9f}, high[3] = {-1e9f, -1e9f, -1e9f};
    Particle in;
    in.index = 4;
    in.position = {10.0f, 20.0f, 30.0f};
    in.size = 300.0f;
    for (int i = 0; i < kDraws; ++i) {
        Particle out;
        filter.Apply(in, out);
        ASSERT_EQ(out.index, 4u);
        ASSERT_EQ(out.size, 300.0f);
        for (int a = 0; a < 3; ++a) {
            low[a] = std::min(low[a], (out.position[a] - in.position[a]) / extent[a]);
            high[a] = std::max(high[a], (out.position[a] - in.position[a]) / extent[a]);
        }
    }
    for (int a = 0; a < 3; ++a) {
        EXPECT_NEAR(low[a], -1.0f, 1e-5f);
        EXPECT_NEAR(high[a], 0.998f, 1e-5f);
    }
}

TEST(SystemTranslationFilter, MovesWithTheSystemAndResetsTheInitialPosition)
{
    ptl_test::OneShotSystem system(1);
    system.SetTranslation({1.0f, 2.0f, 3.0f});
    CParticleSystemTranslationFilter<Particle, ptl_test::OneShotSystem> filter(&system);
    Particle p;
    p.position = {10.0f, 10.0f, 10.0f};
    EXPECT_EQ(filter.Apply(p, p), PTLR_OK);
    EXPECT_EQ(p.position, (pld_math::vec3f{11.0f, 12.0f, 13.0f}));
    EXPECT_EQ(p.initialPosition, p.position);
}

TEST(PositionAnimationFilter, FollowsTheSplineOverTheLife)
{
    pld_math::linear_spline<pld_math::vec3f> spline(5);
    spline.add_point({0.0f, 0.0f, 100.0f});
    spline.add_point({0.0f, 10.0f, 50.0f});
    spline.add_point({0.0f, 0.0f, 10.0f});
    using Apf = CPositionAPF<Particle, const pld_math::linear_spline<pld_math::vec3f>*>;

    Particle p;
    p.initialPosition = {1.0f, 1.0f, 1.0f};
    p.position = {7.0f, 7.0f, 7.0f};
    p.lifeFraction = 0.5f;
    Apf offset(&spline, PAM_OFFSET_FROM_INITIAL);
    EXPECT_EQ(offset.Apply(p, p), PTLR_OK);
    EXPECT_EQ(p.position, (pld_math::vec3f{1.0f, 11.0f, 51.0f}));

    p.lifeFraction = 0.0f;
    Apf absolute(&spline, PAM_ABSOLUTE);
    absolute.Apply(p, p);
    EXPECT_EQ(p.position, (pld_math::vec3f{0.0f, 0.0f, 100.0f}));

    Apf other(&spline, 2);
    p.position = {7.0f, 7.0f, 7.0f};
    other.Apply(p, p);
    EXPECT_EQ(p.position, (pld_math::vec3f{7.0f, 7.0f, 7.0f}));
    EXPECT_EQ(p.initialPosition, (pld_math::vec3f{1.0f, 1.0f, 1.0f}));
}
