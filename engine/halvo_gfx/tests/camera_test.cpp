#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

#include <halvo_core/handle.h>
#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/perspective_camera.h>

using namespace hlv_gfx;
using hlv_core::Adopt;
using pld_math::mat3f;
using pld_math::mat4f;
using pld_math::vec3f;

namespace {

void ExpectNear(const mat4f& actual, const mat4f& expected)
{
    for (std::size_t i = 0; i < 16; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-6f) << "element " << i;
}

bool AllFinite(const mat4f& m)
{
    for (float e : m.elements)
        if (!std::isfinite(e)) return false;
    return true;
}

}  // namespace

TEST(Camera, LookingAlongZFromTheOriginGivesIdentities)
{
    auto camera = Adopt(new CPerspectiveCamera("c"));
    EXPECT_EQ(camera->LookAt({0.f, 0.f, 1.f}, {0.f, 0.f, 0.f}), GFXR_OK);
    EXPECT_EQ(camera->GetOrientation(), mat3f::identity());
    ExpectNear(camera->GetViewMatrix(), mat4f::identity());
}

TEST(Camera, ViewMatrixMovesTheEyeToTheOrigin)
{
    auto camera = Adopt(new CPerspectiveCamera("c"));
    // Standing at x = 5 and looking back at the origin along -x.
    camera->LookAt({0.f, 0.f, 0.f}, {5.f, 0.f, 0.f});
    const mat3f& o = camera->GetOrientation();
    // Forward (third column) is -x, up stays +y, side = up x forward = +z.
    EXPECT_NEAR(o(0, 2), -1.f, 1e-6f);
    EXPECT_NEAR(o(1, 1), 1.f, 1e-6f);
    EXPECT_NEAR(o(2, 0), 1.f, 1e-6f);
    ExpectNear(camera->GetViewMatrix(), mat4f{0.f, 0.f, 1.f, 0.f,   //
                                              0.f, 1.f, 0.f, 0.f,   //
                                              -1.f, 0.f, 0.f, 5.f,  //
                                              0.f, 0.f, 0.f, 1.f});
    EXPECT_EQ(camera->GetEye(), (vec3f{5.f, 0.f, 0.f}));
}

TEST(Camera, LookingStraightUpGivesZeroAxesWithoutDividingByZero)
{
    auto camera = Adopt(new CPerspectiveCamera("c"));
    camera->LookAt({0.f, 10.f, 0.f}, {0.f, 0.f, 0.f});
    const mat3f& o = camera->GetOrientation();
    for (std::size_t row = 0; row < 3; ++row) {
        EXPECT_EQ(o(row, 0), 0.f);  // side
        EXPECT_EQ(o(row, 1), 0.f);  // up
    }
    EXPECT_EQ(o(1, 2), 1.f);  // forward
    EXPECT_TRUE(AllFinite(camera->GetViewMatrix()));
}

TEST(Camera, PerspectiveMatrixFigures)
{
    mat4f m;
    MakePerspectiveMatrix(std::numbers::pi_v<float> / 2, 1.f, 1.f, 3.f, m);
    ExpectNear(m, mat4f{1.f, 0.f, 0.f, 0.f,    //
                        0.f, 1.f, 0.f, 0.f,    //
                        0.f, 0.f, 1.5f, -3.f,  //
                        0.f, 0.f, 1.f, 0.f});
}

TEST(Camera, ViewportSetsTheAspectRatio)
{
    auto camera = Adopt(new CPerspectiveCamera("c"));
    ASSERT_EQ(camera->SetPerspective(std::numbers::pi_v<float> / 2, 1.f, 1.f, 3.f), GFXR_OK);
    EXPECT_EQ(camera->SetViewport(VIEWPORT{0, 0, 1920, 1080}), GFXR_OK);
    EXPECT_FLOAT_EQ(camera->GetAspect(), 1920.f / 1080.f);
    EXPECT_NEAR(camera->GetProjectionMatrix()[0], 1080.f / 1920.f, 1e-6f);
    EXPECT_EQ(camera->GetViewport(), (VIEWPORT{0, 0, 1920, 1080}));

    camera->SetViewport(10, 20, 800, 800);
    EXPECT_FLOAT_EQ(camera->GetAspect(), 1.f);
    EXPECT_EQ(camera->GetViewport(), (VIEWPORT{10, 20, 800, 800}));
}

TEST(Camera, ViewportWithoutAreaKeepsTheOldProjection)
{
    auto camera = Adopt(new CPerspectiveCamera("c"));
    camera->SetPerspective(std::numbers::pi_v<float> / 3, 1.f, 0.1f, 100.f);
    camera->SetViewport(VIEWPORT{0, 0, 1920, 1080});
    const mat4f before = camera->GetProjectionMatrix();

    EXPECT_EQ(camera->SetViewport(VIEWPORT{0, 0, 1920, 0}), GFXR_INVALID_VIEWPORT);
    EXPECT_EQ(camera->SetViewport(VIEWPORT{0, 0, 0, 0}), GFXR_INVALID_VIEWPORT);
    EXPECT_EQ(camera->UpdateProjection(0.f, 1080.f), GFXR_INVALID_VIEWPORT);
    EXPECT_EQ(camera->GetProjectionMatrix(), before);
    EXPECT_FLOAT_EQ(camera->GetAspect(), 1920.f / 1080.f);
    // The viewport itself is stored.
    EXPECT_EQ(camera->GetViewport().height, 0u);
}

TEST(Camera, ProjectionThatIsNotFiniteIsNotTaken)
{
    auto camera = Adopt(new CPerspectiveCamera("c"));
    // The demo builds cameras with a zero field of view before setting one.
    EXPECT_EQ(camera->SetViewport(VIEWPORT{0, 0, 640, 480}), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(camera->GetProjectionMatrix(), mat4f::identity());
    EXPECT_EQ(camera->SetPerspective(1.f, 2.f, 5.f, 5.f), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(camera->GetProjectionMatrix(), mat4f::identity());
    EXPECT_EQ(camera->SetPerspective(1.f, 4.f / 3.f, 1.f, 10.f), GFXR_OK);
    EXPECT_TRUE(AllFinite(camera->GetProjectionMatrix()));
}
