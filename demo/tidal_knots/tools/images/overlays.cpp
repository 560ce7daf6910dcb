// The full-screen layers that the overlay pass puts over Scene 2: film grain,
// a vignette and a light leak.
#include <algorithm>
#include <cmath>

#include "image_families.h"
#include "layer.h"
#include "palette.h"
#include "random.h"

namespace dmo_images {

namespace {

constexpr int kOverlayWidth = 1024;
constexpr int kOverlayHeight = 576;

// Fine grain around mid-grey: white noise, slightly clumped by a blur of a
// pixel, scaled back to a spread of about 14 levels.
QImage DrawGrain()
{
    Random random(31);
    Plane grain(kOverlayWidth, kOverlayHeight);
    for (float& value : grain.Values()) value = static_cast<float>(random.Gaussian());
    Plane clumped = grain;
    BoxBlur(clumped, 1, Edges::Wrap);
    Layer layer(kOverlayWidth, kOverlayHeight, kGround);
    // A 3 x 3 box leaves a third of the spread; mix in a little of the sharp
    // noise and bring the spread back to one.
    const float spread = 14.0f / 255.0f;
    for (int y = 0; y < kOverlayHeight; ++y)
        for (int x = 0; x < kOverlayWidth; ++x) {
            const float n = (2.2f * clumped.At(x, y) + 0.35f * grain.At(x, y)) / 0.91f;
            const float level = std::clamp(0.5f + spread * n, 0.0f, 1.0f);
            layer.Set(x, y, kWhite * level, 1.0f);
        }
    return layer.ToImage(QImage::Format_RGB32, 32);
}

// Screen position as -1..1 across both sides and its distance from the
// centre, 1 in the corners.
struct ScreenPoint {
    float x, y, corner;
};
ScreenPoint AtPixel(int x, int y)
{
    const float sx = (x + 0.5f) / kOverlayWidth * 2.0f - 1.0f;
    const float sy = (y + 0.5f) / kOverlayHeight * 2.0f - 1.0f;
    return {sx, sy, std::sqrt((sx * sx + sy * sy) / 2.0f)};
}

// Black, clear in the middle, darkening smoothly to alpha 200 in the corners.
QImage DrawVignette()
{
    Layer layer(kOverlayWidth, kOverlayHeight);
    for (int y = 0; y < kOverlayHeight; ++y)
        for (int x = 0; x < kOverlayWidth; ++x) {
            const float shade = Smoothstep(0.3f, 1.0f, AtPixel(x, y).corner);
            layer.Set(x, y, FromCode(0x000000), 200.0f / 255.0f * std::pow(shade, 1.3f));
        }
    return layer.ToImage(QImage::Format_ARGB32, 41);
}

// An elliptic glow: its centre, its radii in screen units and its strength.
struct Glow {
    float x, y, radiusX, radiusY, strength;
    Colour colour;
};

// Soft light spilling in from the left and top edges in teal and cyan, and a
// faint coral from the bottom right; alpha carries the strength.
QImage DrawLightLeak()
{
    const Glow glows[] = {
        {-1.15f, -0.15f, 0.75f, 1.1f, 0.75f, kTeal},
        {-0.95f, 0.55f, 0.35f, 0.45f, 0.35f, kCyan},
        {0.35f, -1.2f, 0.95f, 0.4f, 0.55f, kCyan},
        {1.1f, 1.05f, 0.6f, 0.5f, 0.38f, kCoral},
    };
    Layer layer(kOverlayWidth, kOverlayHeight);
    for (int y = 0; y < kOverlayHeight; ++y)
        for (int x = 0; x < kOverlayWidth; ++x) {
            const ScreenPoint p = AtPixel(x, y);
            // Screen-like union of the glows: coverages multiply their gaps,
            // colours average by coverage.
            float clear = 1.0f;
            Colour sum;
            float weight = 0.0f;
            for (const Glow& g : glows) {
                const float dx = (p.x - g.x) / g.radiusX;
                const float dy = (p.y - g.y) / g.radiusY;
                const float a = g.strength * std::exp(-(dx * dx + dy * dy));
                clear *= 1.0f - a;
                sum = sum + g.colour * a;
                weight += a;
            }
            const float coverage = 1.0f - clear;
            layer.Set(x, y, weight > 0.0f ? sum * (1.0f / weight) : kTeal, coverage);
        }
    return layer.ToImage(QImage::Format_ARGB32, 61);
}

}  // namespace

std::vector<NamedImage> DrawOverlays()
{
    return {{"overlay1.jpg", DrawGrain()}, {"overlay4.png", DrawVignette()}, {"overlay6.png", DrawLightLeak()}};
}

}  // namespace dmo_images
