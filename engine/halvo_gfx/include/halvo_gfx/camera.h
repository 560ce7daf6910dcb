#pragma once
// Where the viewer stands and looks, the matrices derived from it and the
// viewport it renders into.
//
// Matrices are 4x4 floats, row-major (element r * 4 + c is row r, column c),
// acting on column vectors. The camera looks along +z of view space.
#include <cstdint>

#include <halvo_core/resource.h>
#include <halvo_gfx/viewport.h>
#include <plovdane/math_types.h>

namespace hlv_gfx {

class ICamera : public hlv_core::IResource {
public:
    HLV_RESOURCE_CLASS(ICamera)

    // Rebuilds the projection for a viewport of that size.
    virtual std::uint32_t UpdateProjection(float width, float height) = 0;
    // Rebuilds the view matrix from the orientation and the eye.
    virtual std::uint32_t UpdateViewMatrix();
    // Both forms store the viewport.
    virtual std::uint32_t SetViewport(const VIEWPORT& viewport);
    virtual std::uint32_t SetViewport(std::uint64_t x, std::uint64_t y, std::uint64_t width, std::uint64_t height);

    // Orients the camera from eye towards target (vectors are normalised only
    // when longer than 1e-5, so looking straight up gives zero side and up
    // axes rather than a division by zero), stores the eye and rebuilds the
    // view matrix. Returns GFXR_OK.
    std::uint32_t LookAt(const pld_math::vec3f& target, const pld_math::vec3f& eye);

    // Columns: side, up and forward axes in world space.
    const pld_math::mat3f& GetOrientation() const { return m_orientation; }
    const pld_math::vec3f& GetEye() const { return m_eye; }
    const pld_math::mat4f& GetViewMatrix() const { return m_view; }
    const pld_math::mat4f& GetProjectionMatrix() const { return m_projection; }
    const VIEWPORT& GetViewport() const { return m_viewport; }
    float GetNear() const { return m_near; }
    float GetFar() const { return m_far; }

protected:
    explicit ICamera(const std::string& name) : IResource(name) {}

    pld_math::mat3f m_orientation = pld_math::mat3f::identity();
    pld_math::vec3f m_eye{};
    pld_math::mat4f m_view = pld_math::mat4f::identity();
    pld_math::mat4f m_projection = pld_math::mat4f::identity();
    VIEWPORT m_viewport{};
    float m_near = 0.0f;
    float m_far = 0.0f;
};
HLV_DEFINE_RESOURCE_CLASS(ICamera, hlv_core::IResource)

}  // namespace hlv_gfx
