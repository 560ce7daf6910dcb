// The masks the intro and outro backgrounds read, one per channel: R the
// intro's horizon band with a wave on its upper edge, G the outro's glow
// rising from the bottom centre, B a soft diagonal light. Alpha is opaque.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "image_families.h"
#include "layer.h"
#include "palette.h"

namespace dmo_images {

namespace {

constexpr int kMaskWidth = 1024;
constexpr int kMaskHeight = 576;
constexpr float kTau = 2.0f * std::numbers::pi_v<float>;

// u across, v down, both 0..1. Bright just under a wavy crest, fading down
// towards the bottom and out towards the sides.
float IntroBand(float u, float v)
{
    const float horizon = 0.5f;
    const float crest = horizon - 0.035f * std::sin(kTau * (2.0f * u + 0.15f)) -
                        0.012f * std::sin(kTau * (5.0f * u + 0.6f));
    const float rise = Smoothstep(crest - 0.07f, crest + 0.02f, v);
    const float below = std::max(0.0f, v - horizon);
    const float fall = std::exp(-(below * below) / (0.26f * 0.26f));
    const float across = 0.35f + 0.65f * std::exp(-std::pow((u - 0.5f) / 0.38f, 2.0f));
    return rise * fall * across;
}

// A round glow rising from below the bottom centre.
float OutroGlow(float u, float v)
{
    const float aspect = static_cast<float>(kMaskWidth) / kMaskHeight;
    const float d = std::hypot((u - 0.5f) * aspect, 1.08f - v);
    return std::exp(-(d * d) / (0.7f * 0.7f));
}

float DiagonalLight(float u, float v) { return Smoothstep(-0.1f, 1.1f, 0.55f * (1.0f - u) + 0.45f * (1.0f - v)); }

QImage DrawIntroOutroMasks()
{
    Layer layer(kMaskWidth, kMaskHeight);
    for (int y = 0; y < kMaskHeight; ++y)
        for (int x = 0; x < kMaskWidth; ++x) {
            const float u = (x + 0.5f) / kMaskWidth;
            const float v = (y + 0.5f) / kMaskHeight;
            layer.Set(x, y, {IntroBand(u, v), OutroGlow(u, v), DiagonalLight(u, v)}, 1.0f);
        }
    return layer.ToImage(QImage::Format_ARGB32, 91);
}

}  // namespace

std::vector<NamedImage> DrawMasks() { return {{"masks.png", DrawIntroOutroMasks()}}; }

}  // namespace dmo_images
