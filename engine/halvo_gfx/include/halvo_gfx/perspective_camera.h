#pragma once
// A camera with a perspective projection.
#include <cstdint>

#include <halvo_gfx/camera.h>
#include <plovdane/math_types.h>

namespace hlv_gfx {

// t = tan(fovy / 2): m[0] = 1 / (aspect t), m[5] = 1 / t, m[10] = f / (f - n),
// m[11] = -2 n f / (f - n), m[14] = 1, every other element 0. This maps view
// depth n..2f onto the clip range; shaders that linearise depth use
// z_view = 2nf / (f - (f - n) z_ndc).
void MakePerspectiveMatrix(float fovy, float aspect, float zNear, float zFar, pld_math::mat4f& out);

class CPerspectiveCamera : public ICamera {
public:
    HLV_RESOURCE_CLASS(CPerspectiveCamera)

    explicit CPerspectiveCamera(const std::string& name) : ICamera(name) {}

    // Stores field of view (radians, vertical), aspect, near and far and
    // rebuilds the projection. GFXR_INVALID_ARGUMENT (values stored, old
    // projection kept) when they give no finite projection.
    std::uint32_t SetPerspective(float fovy, float aspect, float zNear, float zFar);

    // aspect = width / height, then the projection is rebuilt. A viewport
    // without area gives GFXR_INVALID_VIEWPORT and keeps aspect and projection.
    std::uint32_t UpdateProjection(float width, float height) override;

    // Store the viewport, then UpdateProjection with its width and height.
    std::uint32_t SetViewport(const VIEWPORT& viewport) override;
    std::uint32_t SetViewport(std::uint64_t x, std::uint64_t y, std::uint64_t width, std::uint64_t height) override;

    float GetFieldOfView() const { return m_fovy; }
    float GetAspect() const { return m_aspect; }

private:
    // Rebuilds the projection from the stored values; keeps the old one when
    // the new one would not be finite.
    std::uint32_t RebuildProjection();

    float m_fovy = 0.0f;
    float m_aspect = 0.0f;
};
HLV_DEFINE_RESOURCE_CLASS(CPerspectiveCamera, ICamera)

}  // namespace hlv_gfx
