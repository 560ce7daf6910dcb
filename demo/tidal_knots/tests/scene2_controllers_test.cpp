// The controllers of Scene 2 and its background at sample times: what they
// write into the shader variables, the filters, the emitter and the metric
// they steer.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>

#include <gtest/gtest.h>

#include <halvo_gfx/effect.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_gfx/render_pass.h>
#include <halvo_gfx/shader_variable.h>
#include <halvo_sg/frame_time_record.h>
#include <tidal_knots/Controllers/CMiddleCubeController.h>
#include <tidal_knots/Controllers/CMiddleCubesController.h>
#include <tidal_knots/Controllers/CPressureCubesAnimationController.h>
#include <tidal_knots/Controllers/CScene2BackgroundController.h>
#include <tidal_knots/Controllers/CScene2BackgroundCubesController.h>
#include <tidal_knots/ParticleExtension/background_cube_particle_filters.h>
#include <tidal_knots/ParticleExtension/background_cubes_particle_system_node.h>
#include <tidal_knots/ParticleExtension/crawler_particle_metric.h>
#include <tidal_knots/ParticleExtension/pressure_cube_particle_filters.h>
#include <tidal_knots/ParticleExtension/sphere_surface_particle_filters.h>

namespace {

using namespace dmo_nimra;
using hlv_core::Adopt;
using hlv_core::CResourceHandle;

hlv_sg::frame_time_record At(std::uint64_t milliseconds)
{
    hlv_sg::frame_time_record time;
    time.milliseconds = milliseconds;
    time.seconds = static_cast<double>(milliseconds) / 1000.0;
    return time;
}

// A one-pass effect with the named variables, as the graphics system leaves
// them after linking (each with storage of its type's size).
CResourceHandle<hlv_gfx::CEffect> EffectWith(std::initializer_list<std::pair<const char*, std::uint32_t>> variables)
{
    auto effect = Adopt(new hlv_gfx::CEffect("effect"));
    auto pass = Adopt(new hlv_gfx::CRenderPass("pass"));
    for (const auto& [name, type] : variables) {
        auto variable = Adopt(new hlv_gfx::CShaderVariable(name));
        variable->SetType(type);
        variable->AllocateValue(hlv_gfx::ShaderVariableTypeSize(type));
        pass->GetVariables().push_back(variable);
    }
    effect->passes.push_back(pass);
    return effect;
}

// The value in a variable's storage.
template <typename T>
T Stored(const CResourceHandle<hlv_gfx::CEffect>& effect, const std::string& name)
{
    T value{};
    std::memcpy(&value, effect->GetRenderPass(0)->FindVariable(name)->GetValue(), sizeof value);
    return value;
}

void ExpectNear(const Vector3& actual, const Vector3& expected, float tolerance = 1e-4f)
{
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(actual[i], expected[i], tolerance) << "component " << i;
}

TEST(MiddleCubeController, BouncesBetweenThreeAndSixTwiceASecond)
{
    const auto effect = EffectWith({{"uni_bounce", hlv_gfx::SVT_FLOAT}, {"uni_other", hlv_gfx::SVT_FLOAT}});
    CMiddleCubeController controller;
    ASSERT_TRUE(controller.ConnectToEffect(effect));

    // |sin| of a one-second sine, scaled to 3..6: rest on each half second,
    // top a quarter second after.
    const std::pair<std::uint64_t, float> samples[] = {
        {0, 3.0f}, {250, 6.0f}, {500, 3.0f}, {750, 6.0f}, {1000, 3.0f}, {40125, 3.0f + 3.0f * std::sqrt(0.5f)}};
    for (const auto& [t, expected] : samples) {
        controller.Update(At(t));
        EXPECT_NEAR(Stored<float>(effect, "uni_bounce"), expected, 1e-4f) << "t = " << t;
    }

    CMiddleCubeController unconnected;
    EXPECT_FALSE(unconnected.ConnectToEffect(EffectWith({{"uni_other", hlv_gfx::SVT_FLOAT}})));
}

TEST(MiddleCubesController, TurnsTheTargetAQuarterEachSecond)
{
    const float k = 1.0f / std::sqrt(3.0f);
    CTranslateToPointOnSphereSurfaceParticleFilter crawl(5.0f, 25.0f, Vector3{k, k, k});
    CMiddleCubesController controller(&crawl);

    // The next direction: d turned by a quarter about the axis
    // a = (d y, d x, -d z) / |d| (Rodrigues: for 90 degrees
    // d' = a x d + a (a . d)), then reversed.
    auto next = [](const Vector3& d) {
        const Vector3 a = Vector3{d[1], d[0], -d[2]} * (1.0f / pld_math::length(d));
        return (pld_math::cross(a, d) + a * pld_math::dot(a, d)) * -1.0f;
    };

    Vector3 expected{k, k, k};
    for (std::uint64_t t : {0u, 16u, 500u, 999u}) {
        controller.Update(At(t));
        ExpectNear(crawl.targetDirection, expected);
    }
    // Each change of the seconds' parity turns it once, and only then.
    for (std::uint64_t second = 1; second <= 4; ++second) {
        expected = next(expected);
        for (std::uint64_t t : {second * 1000, second * 1000 + 40, second * 1000 + 999}) {
            controller.Update(At(t));
            ExpectNear(crawl.targetDirection, expected);
        }
        EXPECT_NEAR(pld_math::length(crawl.targetDirection), 1.0f, 1e-4f);
    }
    ExpectNear(next(Vector3{k, k, k}), Vector3{-0.8591f, 0.4742f, 0.1925f});
}

TEST(PressureCubesAnimationController, MovesTheLatticesByIncrementsWithinTheirPaths)
{
    CDebriForceParticleFilter force1({0, 50, 0}, 10000.0f, {0, 0.001f, 0});
    CDebriForceParticleFilter force2({0, -50, 0}, 10000.0f, {0, -0.001f, -0.001f});
    CTranslationParticleFilter move1({0, 200, 0});
    CTranslationParticleFilter move2({0, -200, 0});
    CPressureCubesAnimationController controller(&force1, &move1, &force2, &move2);
    auto& top = controller.GetLattice(0);
    top.path.AddKey(0, {0, 200, 0});
    top.path.AddKey(60000, {0, 100, 0});
    top.forceCentre.AddKey(0, {0, 50, 0});
    top.forceCentre.AddKey(60000, {0, -50, 0});
    top.forceRadius.AddKey(0, 10000.0f);
    top.forceRadius.AddKey(60000, 2500.0f);
    top.lastPathValue = {0, 200, 0};
    auto& bottom = controller.GetLattice(1);
    bottom.path.AddKey(0, {0, -200, 0});
    bottom.path.AddKey(60000, {0, -100, 0});
    bottom.lastPathValue = {0, -200, 0};

    // At the first key the lattice stands where it starts.
    controller.Update(At(0));
    ExpectNear(move1.translation, {0, 0, 0});
    ExpectNear(move2.translation, {0, 0, 0});
    // Half way: both have come 50 of their 100 units, in opposite directions.
    controller.Update(At(30000));
    ExpectNear(move1.translation, {0, -50, 0});
    ExpectNear(move2.translation, {0, 50, 0});
    ExpectNear(force1.centre, {0, 0, 0});
    EXPECT_NEAR(force1.squaredRadius, 6250.0f * 6250.0f, 1.0f);
    // A second frame at the same time does not move them again.
    controller.Update(At(30000));
    ExpectNear(move1.translation, {0, 0, 0});
    controller.Update(At(60000));
    ExpectNear(move1.translation, {0, -50, 0});
    ExpectNear(force1.centre, {0, -50, 0});

    // Past the last key nothing moves, and the fields stay where they were.
    for (std::uint64_t t : {60001u, 75000u}) {
        controller.Update(At(t));
        ExpectNear(move1.translation, {0, 0, 0});
        ExpectNear(move2.translation, {0, 0, 0});
        ExpectNear(force1.centre, {0, -50, 0});
        EXPECT_NEAR(force1.squaredRadius, 2500.0f * 2500.0f, 1.0f);
    }
    // Back inside (a jump of the playback clock): the step from where the
    // lattice stands.
    controller.Update(At(45000));
    ExpectNear(move1.translation, {0, 25, 0});
    // A lattice without force keys keeps its field.
    ExpectNear(force2.centre, {0, -50, 0});
    EXPECT_FLOAT_EQ(force2.squaredRadius, 10000.0f);
}

// The cubes' controller as the background builder sets it up.
struct BACKGROUND_CUBES {
    BACKGROUND_CUBES()
        : node(Adopt(new CBackgroundCubesParticleSystemNode("Pressure Cubes"))),
          velocity({0, 50, 0}),
          spread({1000, 200, 2000}),
          controller(node.get(), &emitter, &velocity, &spread)
    {
        node->GetParticleSystem().SetMetric(metric);
        const Vector3 keys[3][2] = {{{-1000, -2000, 2000}, {1500, 2000, 2000}},
                                    {{0, 50, 0}, {0, -1000, 0}},
                                    {{1000, 200, 2000}, {300, -200, 2000}}};
        TKeyedTrack<Vector3>* tracks[] = {&controller.EmitterPositionKeys(), &controller.VelocityKeys(),
                                          &controller.SpreadKeys()};
        for (int i = 0; i < 3; ++i) {
            tracks[i]->AddKey(0, keys[i][0]);
            tracks[i]->AddKey(82000, keys[i][0]);
            tracks[i]->AddKey(82001, keys[i][1]);
            tracks[i]->AddKey(103000, keys[i][1]);
        }
        controller.BurstWindow().AddKey(82001, 1.0f);
        controller.BurstWindow().AddKey(103000, 1.0f);
        const std::pair<std::uint64_t, float> mixKeys[] = {{0, 0.0f}, {82000, 0.0f}, {82001, 1.0f}, {103000, 1.0f}};
        for (const auto& [t, mix] : mixKeys) controller.GetSky().MixKeys().AddKey(t, mix);
        controller.ConnectToEffect(effect);
    }

    CResourceHandle<hlv_gfx::CEffect> effect = EffectWith({{"uni_beat", hlv_gfx::SVT_FLOAT},
                                                           {"uni_mix_color_1_2", hlv_gfx::SVT_FLOAT},
                                                           {"uni_sky_color_2", hlv_gfx::SVT_FLOAT_VEC3}});
    CResourceHandle<CBackgroundCubesParticleSystemNode> node;
    CCrawlerParticleMetric* metric = new CCrawlerParticleMetric();
    PointParticleEmitter emitter;
    CBackgroundCubesVelocityParticleFilter velocity;
    CScene2BackgroundCubesController::SpreadFilter spread;
    CScene2BackgroundCubesController controller;
};

TEST(Scene2BackgroundCubesController, SwitchesToTheBurstBetween82000And82001)
{
    BACKGROUND_CUBES cubes;
    auto expectCalm = [&] {
        ExpectNear(cubes.emitter.GetTemplate().position, {-1000, -2000, 2000});
        ExpectNear(cubes.emitter.GetTemplate().initialPosition, {-1000, -2000, 2000});
        ExpectNear(cubes.velocity.velocity, {0, 50, 0});
        const auto& extent = cubes.spread.GetExtent();
        ExpectNear({extent[0], extent[1], extent[2]}, {1000, 200, 2000});
        EXPECT_FLOAT_EQ(Stored<float>(cubes.effect, "uni_mix_color_1_2"), 0.0f);
    };
    auto expectBurst = [&] {
        ExpectNear(cubes.emitter.GetTemplate().position, {1500, 2000, 2000});
        ExpectNear(cubes.velocity.velocity, {0, -1000, 0});
        const auto& extent = cubes.spread.GetExtent();
        ExpectNear({extent[0], extent[1], extent[2]}, {300, -200, 2000});
        EXPECT_FLOAT_EQ(Stored<float>(cubes.effect, "uni_mix_color_1_2"), 1.0f);
    };

    cubes.controller.Update(At(82000));
    expectCalm();
    EXPECT_EQ(cubes.metric->GetEmissionCount(), 1u);
    EXPECT_EQ(cubes.metric->GetEmissionPeriod(), 1000u);

    cubes.controller.Update(At(82001));
    expectBurst();
    EXPECT_EQ(cubes.metric->GetEmissionCount(), 10u);
    EXPECT_EQ(cubes.metric->GetEmissionExtra(), 1u);

    // After the last key everything stays as the burst left it, but the
    // cubes are born one a second again.
    cubes.controller.Update(At(110000));
    expectBurst();
    EXPECT_EQ(cubes.metric->GetEmissionCount(), 1u);

    // The sky's constant colours reach the pass it has them in.
    const auto coral = Stored<pld_math::vec3f>(cubes.effect, "uni_sky_color_2");
    ExpectNear(coral, {1.0f, 0.1f, 0.1f});
}

TEST(Scene2BackgroundController, TurnsTheSkyBetween80And82Seconds)
{
    const auto effect = EffectWith({{"uni_beat", hlv_gfx::SVT_FLOAT}, {"uni_mix_color_1_2", hlv_gfx::SVT_FLOAT}});
    CScene2BackgroundController controller;
    controller.ConnectToEffect(effect);
    const std::pair<std::uint64_t, float> mixKeys[] = {{0, 0.0f}, {80000, 0.0f}, {82000, 1.0f}, {102000, 1.0f}};
    for (const auto& [t, mix] : mixKeys) controller.GetSky().MixKeys().AddKey(t, mix);

    // The beat input follows whatever the builder connects it to.
    hlv_slot::CVariantOutputSlot<float> beat(0.0f);
    ASSERT_TRUE(controller.GetSky().ConnectBeat(&beat));
    beat.Value() = 0.75f;
    beat.NotifyInputs();
    EXPECT_FLOAT_EQ(Stored<float>(effect, "uni_beat"), 0.75f);

    const std::pair<std::uint64_t, float> samples[] = {{40000, 0.0f}, {80000, 0.0f}, {81000, 0.5f}, {82000, 1.0f}};
    for (const auto& [t, expected] : samples) {
        controller.Update(At(t));
        EXPECT_NEAR(Stored<float>(effect, "uni_mix_color_1_2"), expected, 1e-5f) << "t = " << t;
    }
}

}  // namespace
