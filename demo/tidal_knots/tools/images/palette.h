#pragma once
// The demo's colours, the sea at night: a blue-black ground, light in teal
// and cyan, and one warm coral accent. Components are linear 0..1 values of
// the 8-bit sRGB codes.
#include <algorithm>
#include <cstddef>

namespace dmo_images {

struct Colour {
    float r = 0.0f, g = 0.0f, b = 0.0f;
};

constexpr Colour FromCode(int code)
{
    return {((code >> 16) & 0xff) / 255.0f, ((code >> 8) & 0xff) / 255.0f, (code & 0xff) / 255.0f};
}

inline constexpr Colour kGround = FromCode(0x05101f);
inline constexpr Colour kDeepBlue = FromCode(0x0b2545);
inline constexpr Colour kTeal = FromCode(0x2ec4d6);
inline constexpr Colour kCyan = FromCode(0x7fe8f0);
inline constexpr Colour kCoral = FromCode(0xff6b5a);
inline constexpr Colour kWhite = FromCode(0xffffff);

constexpr Colour operator+(Colour a, Colour b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
constexpr Colour operator*(Colour a, float s) { return {a.r * s, a.g * s, a.b * s}; }

constexpr Colour Mix(Colour a, Colour b, float t) { return a * (1.0f - t) + b * t; }

constexpr float Smoothstep(float edge0, float edge1, float x)
{
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

// A colour ramp through stops at rising positions; clamped at both ends.
struct RampStop {
    float at;
    Colour colour;
};

template <std::size_t N>
constexpr Colour Ramp(const RampStop (&stops)[N], float x)
{
    if (x <= stops[0].at) return stops[0].colour;
    for (std::size_t i = 1; i < N; ++i)
        if (x <= stops[i].at)
            return Mix(stops[i - 1].colour, stops[i].colour, Smoothstep(stops[i - 1].at, stops[i].at, x));
    return stops[N - 1].colour;
}

}  // namespace dmo_images
