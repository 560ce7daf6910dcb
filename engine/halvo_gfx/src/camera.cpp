#include <halvo_gfx/camera.h>

#include <halvo_gfx/GFX_RESULT.h>

namespace hlv_gfx {

namespace {

// Normalised only when longer than 1e-5; shorter vectors stay as they are.
pld_math::vec3f NormalisedIfLong(const pld_math::vec3f& v)
{
    const float len = pld_math::length(v);
    return len > 1e-5f ? v * (1.0f / len) : v;
}

}  // namespace

std::uint32_t ICamera::UpdateViewMatrix()
{
    const pld_math::mat3f& o = m_orientation;
    const pld_math::vec3f side{o(0, 0), o(1, 0), o(2, 0)};
    const pld_math::vec3f up{o(0, 1), o(1, 1), o(2, 1)};
    const pld_math::vec3f forward{o(0, 2), o(1, 2), o(2, 2)};
    m_view = pld_math::mat4f{side[0],    side[1],    side[2],    -pld_math::dot(side, m_eye),
                             up[0],      up[1],      up[2],      -pld_math::dot(up, m_eye),
                             forward[0], forward[1], forward[2], -pld_math::dot(forward, m_eye),
                             0.0f,       0.0f,       0.0f,       1.0f};
    return GFXR_OK;
}

std::uint32_t ICamera::SetViewport(const VIEWPORT& viewport)
{
    m_viewport = viewport;
    return GFXR_OK;
}

std::uint32_t ICamera::SetViewport(std::uint64_t x, std::uint64_t y, std::uint64_t width, std::uint64_t height)
{
    return ICamera::SetViewport(VIEWPORT{x, y, width, height});
}

std::uint32_t ICamera::LookAt(const pld_math::vec3f& target, const pld_math::vec3f& eye)
{
    const pld_math::vec3f forward = NormalisedIfLong(target - eye);
    const pld_math::vec3f worldUp{0.0f, 1.0f, 0.0f};
    const pld_math::vec3f up = NormalisedIfLong(worldUp - forward * pld_math::dot(forward, worldUp));
    const pld_math::vec3f side = NormalisedIfLong(pld_math::cross(up, forward));

    m_orientation = pld_math::mat3f{side[0], up[0], forward[0], side[1], up[1], forward[1], side[2], up[2], forward[2]};
    m_eye = eye;
    return UpdateViewMatrix();
}

}  // namespace hlv_gfx
