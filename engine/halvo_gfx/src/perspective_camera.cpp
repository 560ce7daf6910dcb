#include <halvo_gfx/perspective_camera.h>

#include <cmath>

#include <halvo_gfx/GFX_RESULT.h>

namespace hlv_gfx {

void MakePerspectiveMatrix(float fovy, float aspect, float zNear, float zFar, pld_math::mat4f& out)
{
    const float t = std::tan(fovy * 0.5f);
    out = pld_math::mat4f{};
    out[0] = 1.0f / (aspect * t);
    out[5] = 1.0f / t;
    out[10] = zFar / (zFar - zNear);
    out[11] = -2.0f * zNear * zFar / (zFar - zNear);
    out[14] = 1.0f;
}

std::uint32_t CPerspectiveCamera::RebuildProjection()
{
    pld_math::mat4f projection;
    MakePerspectiveMatrix(m_fovy, m_aspect, m_near, m_far, projection);
    for (const float element : projection.elements)
        if (!std::isfinite(element)) return GFXR_INVALID_ARGUMENT;
    m_projection = projection;
    return GFXR_OK;
}

std::uint32_t CPerspectiveCamera::SetPerspective(float fovy, float aspect, float zNear, float zFar)
{
    m_fovy = fovy;
    m_aspect = aspect;
    m_near = zNear;
    m_far = zFar;
    return RebuildProjection();
}

std::uint32_t CPerspectiveCamera::UpdateProjection(float width, float height)
{
    // A viewport without area has no aspect ratio (0 / 0 is NaN, w / 0 is
    // infinite): keep the projection that was there.
    if (!(width > 0.0f) || !(height > 0.0f) || !std::isfinite(width) || !std::isfinite(height))
        return GFXR_INVALID_VIEWPORT;
    const float oldAspect = m_aspect;
    m_aspect = width / height;
    const std::uint32_t result = RebuildProjection();
    if (result != GFXR_OK) m_aspect = oldAspect;
    return result;
}

std::uint32_t CPerspectiveCamera::SetViewport(const VIEWPORT& viewport)
{
    ICamera::SetViewport(viewport);
    return UpdateProjection(static_cast<float>(viewport.width), static_cast<float>(viewport.height));
}

std::uint32_t CPerspectiveCamera::SetViewport(std::uint64_t x, std::uint64_t y, std::uint64_t width,
                                              std::uint64_t height)
{
    return SetViewport(VIEWPORT{x, y, width, height});
}

}  // namespace hlv_gfx
