// The demo's particle filters and metric, drawing from a seeded generator.
#include <cmath>
#include <cstdint>
#include <numbers>

#include <gtest/gtest.h>

#include <halvo_ptl/random.h>

#include <tidal_knots/ParticleExtension/crawler_particle_metric.h>
#include <tidal_knots/ParticleExtension/gliding_particle_filters.h>
#include <tidal_knots/ParticleExtension/particle_attribute_filters.h>
#include <tidal_knots/ParticleExtension/pressure_cube_particle_filters.h>
#include <tidal_knots/ParticleExtension/quaternion.h>
#include <tidal_knots/ParticleExtension/sphere_surface_particle_filters.h>

using namespace dmo_nimra;

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kTolerance = 1e-4f;

void ExpectNear(const Vector3& actual, const Vector3& expected, float tolerance = kTolerance)
{
    for (int a = 0; a < 3; ++a) EXPECT_NEAR(actual[a], expected[a], tolerance) << "axis " << a;
}

float Norm(const Quaternion& q) { return std::sqrt(pld_math::dot(q, q)); }

hlv_ptl::CTimeInfo Step(std::uint64_t delta)
{
    hlv_ptl::CTimeInfo info;
    info.delta = delta;
    info.deltaSeconds = static_cast<float>(delta) / 1000.0f;
    return info;
}

}  // namespace

TEST(Quaternions, RotateAndSquare)
{
    const Quaternion quarterZ = QuaternionFromAxisAngle(Vector3{0, 0, 2}, kPi / 2);  // the axis is normalised
    ExpectNear(RotateByQuaternion(quarterZ, Vector3{1, 0, 0}), Vector3{0, 1, 0});

    // The contra-rotation filter squares the rotation: 30 degrees become 60.
    Particle particle;
    particle.rotation = QuaternionFromAxisAngle(Vector3{0, 1, 0}, kPi / 6);
    particle.initialRotation = particle.rotation;
    ASSERT_EQ(CContrRotationParticleFilter().Apply(particle, particle), hlv_ptl::PTLR_OK);
    const Quaternion sixty = QuaternionFromAxisAngle(Vector3{0, 1, 0}, kPi / 3);
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(particle.rotation[i], sixty[i], kTolerance);
    EXPECT_EQ(particle.initialRotation, QuaternionFromAxisAngle(Vector3{0, 1, 0}, kPi / 6));
}

TEST(PressureCubeFilters, LatticeCornersAndForceField)
{
    hlv_ptl::SeedRandom(1);
    CPressureCubeInitialPositionParticleFilter lattice(15, 1.0f, kIdentityRotation);
    auto place = [&lattice](std::uint64_t index, const Quaternion& orientation = kIdentityRotation) {
        lattice.orientation = orientation;
        Particle particle;
        particle.index = index;
        EXPECT_EQ(lattice.Apply(particle, particle), hlv_ptl::PTLR_OK);
        return particle;
    };
    // x runs fastest, then y, then z.
    ExpectNear(place(0).position, Vector3{-7, -7, -7});
    ExpectNear(place(14).position, Vector3{7, -7, -7});
    ExpectNear(place(15 * 14).position, Vector3{-7, 7, -7});
    ExpectNear(place(15 * 15).position, Vector3{-7, -7, -6});
    const Particle last = place(3374);
    ExpectNear(last.position, Vector3{7, 7, 7});
    ExpectNear(last.initialPosition, Vector3{7, 7, 7});
    EXPECT_EQ(last.size, 1.0f);

    // The lattice turned a quarter about z: (7, 7, 7) goes to (-7, 7, 7).
    const Quaternion quarterZ = QuaternionFromAxisAngle(Vector3{0, 0, 1}, kPi / 2);
    const Particle turned = place(3374, quarterZ);
    ExpectNear(turned.position, Vector3{-7, 7, 7});
    EXPECT_EQ(turned.rotation, quarterZ);
    EXPECT_EQ(turned.initialRotation, quarterZ);

    // The field doubles the force at its very edge and leaves it beyond.
    CDebriForceParticleFilter field(Vector3{0, 50, 0}, 100.0f, Vector3{0, 0.5f, 0});
    Particle edge;
    edge.position = Vector3{0, 60, 0};
    edge.force = Vector3{3, 3, 3};
    field.Apply(edge, edge);
    EXPECT_EQ(edge.force, (Vector3{0, 1, 0}));
    Particle outside;
    outside.position = Vector3{0, 60.01f, 0};
    outside.force = Vector3{3, 3, 3};
    field.Apply(outside, outside);
    EXPECT_EQ(outside.force, (Vector3{3, 3, 3}));
}

TEST(SphereSurfaceFilters, BirthOnTheSphereAndCrawlTowardsTheTarget)
{
    hlv_ptl::SeedRandom(2);
    CInitializeToSphereSurfaceParticleFilter birth(25.0f, Vector3{0, 0, 0});
    for (int i = 0; i < 200; ++i) {
        Particle particle;
        birth.Apply(particle, particle);
        EXPECT_NEAR(pld_math::length(particle.position), 25.0f, kTolerance);
        EXPECT_EQ(particle.initialPosition, particle.position);
    }

    const float radius = 25.0f;
    CTranslateToPointOnSphereSurfaceParticleFilter crawl(5.0f, radius, Vector3{0, 0, 1});
    // At its target the force vanishes and the size is 0.
    Particle there;
    there.position = Vector3{0, 0, radius};
    there.force = Vector3{1, 1, 1};
    crawl.Apply(there, there);
    ExpectNear(there.force, Vector3{0, 0, 0});
    EXPECT_NEAR(there.size, 0.0f, kTolerance);
    ExpectNear(there.position, Vector3{0, 0, radius});

    // A quarter of the way round: the force points along the surface towards
    // the target, the velocity keeps only its part along it, and a particle
    // off the sphere goes back onto it.
    Particle away;
    away.position = Vector3{2 * radius, 0, 0};
    away.velocity = Vector3{1, 2, 3};
    crawl.Apply(away, away);
    ExpectNear(away.position, Vector3{radius, 0, 0});
    ExpectNear(away.force, Vector3{0, 0, 5.0f * radius});
    ExpectNear(away.velocity, Vector3{0, 0, 3});
    // |(0, 0, R) - (2R, 0, 0)|^2 / R^2
    EXPECT_NEAR(away.size, 5.0f, kTolerance);
}

TEST(RotationFilters, RandomRotationsAreUnitQuaternions)
{
    hlv_ptl::SeedRandom(3);
    CRandomRotationParticleFilter<Particle, 10000> random;
    CInitialGlidingParticleFilter gliding;
    bool turnedBothWays[2] = {false, false};
    for (int i = 0; i < 2000; ++i) {
        Particle particle;
        random.Apply(particle, particle);
        EXPECT_NEAR(Norm(particle.rotation), 1.0f, 1e-5f);
        EXPECT_EQ(particle.initialRotation, (Quaternion{}));  // not written

        gliding.Apply(particle, particle);
        EXPECT_NEAR(Norm(particle.rotation), 1.0f, 1e-5f);
        EXPECT_EQ(particle.rotation[1], 0.0f);
        EXPECT_EQ(particle.rotation[2], 0.0f);
        EXPECT_EQ(particle.initialRotation, particle.rotation);
        if (particle.rotation[3] != 0.0f) turnedBothWays[particle.rotation[3] > 0.0f] = true;
    }
    EXPECT_TRUE(turnedBothWays[0] && turnedBothWays[1]);
}

// One particle per second of accumulated step time, up and down.
TEST(CrawlerParticleMetric, AddsAndRemovesOneParticlePerSecond)
{
    hlv_ptl::SeedRandom(4);
    LimitedParticleSystem system(100);
    system.SetEmitter(new PointParticleEmitter());
    system.SetMetric(new CCrawlerParticleMetric());
    system.SetTargetCount(20);
    ASSERT_EQ(system.InitializeParticles(), hlv_ptl::PTLR_OK);
    system.SetTargetCount(100);
    auto run = [&system](int seconds) {
        for (int step = 0; step < seconds * 1000 / 16; ++step) {
            system.RequestUpdate(Step(16));
            system.WaitForUpdate(true);
        }
        return system.GetParticles().size();
    };
    // One at once, then one after each full second.
    EXPECT_EQ(run(10), 30u);

    system.SetTargetCount(0);
    const std::size_t before = system.GetParticles().size();
    EXPECT_EQ(before - run(6), 6u);

    // The background's burst: ten at a time.
    auto* metric = static_cast<CCrawlerParticleMetric*>(system.GetMetric());
    metric->SetEmissionCount(10);
    system.SetTargetCount(100);
    const std::size_t start = system.GetParticles().size();
    const std::size_t born = run(3) - start;
    EXPECT_EQ(born % 10, 0u);
    EXPECT_GE(born, 20u);
    EXPECT_LE(born, 40u);
}
