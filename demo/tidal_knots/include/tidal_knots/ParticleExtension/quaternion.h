#pragma once
// Rotations as quaternions (w, x, y, z), for the particle filters and the
// controllers that steer them.
#include <cmath>

#include <plovdane/math_types.h>

namespace dmo_nimra {

using Vector3 = pld_math::vector<float, 3>;
using Quaternion = pld_math::vector<float, 4>;  // w, x, y, z

// Below this length a vector has no direction and is left as it is.
inline constexpr float kNormaliseEpsilon = 0.00001f;

inline constexpr Quaternion kIdentityRotation{1.0f, 0.0f, 0.0f, 0.0f};

// v divided by its length when the length exceeds kNormaliseEpsilon, else v.
inline Vector3 Normalised(const Vector3& v)
{
    const float length = pld_math::length(v);
    return length > kNormaliseEpsilon ? v * (1.0f / length) : v;
}

// The rotation by angle (radians) about axis (normalised here).
inline Quaternion QuaternionFromAxisAngle(const Vector3& axis, float angle)
{
    const Vector3 u = Normalised(axis) * std::sin(0.5f * angle);
    return {std::cos(0.5f * angle), u[0], u[1], u[2]};
}

// The Hamilton product a b: the rotation b followed by a.
inline Quaternion QuaternionProduct(const Quaternion& a, const Quaternion& b)
{
    const Vector3 av{a[1], a[2], a[3]};
    const Vector3 bv{b[1], b[2], b[3]};
    const Vector3 v = b[0] * av + a[0] * bv + pld_math::cross(av, bv);
    return {a[0] * b[0] - pld_math::dot(av, bv), v[0], v[1], v[2]};
}

// v rotated by the unit quaternion q = (w, u):
// v (2 w^2 - 1) + 2 (u . v) u + 2 w (u x v).
inline Vector3 RotateByQuaternion(const Quaternion& q, const Vector3& v)
{
    const float w = q[0];
    const Vector3 u{q[1], q[2], q[3]};
    return v * (2.0f * w * w - 1.0f) + u * (2.0f * pld_math::dot(u, v)) + pld_math::cross(u, v) * (2.0f * w);
}

}  // namespace dmo_nimra
