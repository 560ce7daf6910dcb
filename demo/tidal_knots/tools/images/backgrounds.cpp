// The four tileable backgrounds that the Scene 2 background shader layers:
// a caustic network, a cloudy depth, long wave bands and plankton dots. Every
// picture is a function on the unit torus (or is drawn wrapped), so its left
// edge continues its right edge and its top its bottom.
#include <cmath>
#include <functional>
#include <numbers>

#include "image_families.h"
#include "layer.h"
#include "palette.h"
#include "periodic_cells.h"
#include "periodic_noise.h"
#include "random.h"

namespace dmo_images {

namespace {

constexpr int kBackgroundSize = 512;
constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;

// An opaque picture whose pixel at torus coordinates (u, v) is colour(u, v).
Layer PaintTorus(const std::function<Colour(float, float)>& colour)
{
    Layer layer(kBackgroundSize, kBackgroundSize, kGround);
    for (int y = 0; y < kBackgroundSize; ++y)
        for (int x = 0; x < kBackgroundSize; ++x) {
            const Colour c = colour(static_cast<float>(x) / kBackgroundSize, static_cast<float>(y) / kBackgroundSize);
            layer.Set(x, y, c, 1.0f);
        }
    return layer;
}

// Light gathered on the sea floor: the borders of warped cells, thin and
// bright where two networks cross.
QImage DrawCaustics()
{
    const PeriodicFbm warpU(3, 3, 0.5f, 101), warpV(3, 3, 0.5f, 202), shade(2, 4, 0.5f, 303);
    const PeriodicCells large(6, 404), small(10, 505);
    const auto network = [](const PeriodicCells& cells, float u, float v, float width) {
        const PeriodicCells::Distances d = cells.At(u, v);
        const float edge = d.second - d.nearest;
        return std::exp(-edge / width) + 0.18f * std::exp(-edge / (width * 5.0f));
    };
    return PaintTorus([&](float u, float v) {
               const float wu = u + 0.05f * warpU.At(u, v);
               const float wv = v + 0.05f * warpV.At(u, v);
               const float a = network(large, wu, wv, 0.05f);
               const float b = network(small, wu + 0.013f * warpV.At(v, u), wv, 0.07f);
               const float light = (0.55f * a + 0.35f * b + 0.5f * a * b) * (0.65f + 0.35f * shade.At(u, v));
               const Colour water = Mix(kGround, kDeepBlue, 0.35f + 0.25f * shade.At(v, u));
               return water + kTeal * (0.55f * light) + kCyan * (0.35f * light * light);
           })
        .ToImage(QImage::Format_RGB32, 11);
}

// Soft clouds of deeper and lighter water, folded by a warp of their own.
QImage DrawDepthClouds()
{
    const PeriodicFbm clouds(3, 6, 0.5f, 601), warpU(2, 3, 0.45f, 602), warpV(2, 3, 0.45f, 603);
    const RampStop stops[] = {{0.0f, FromCode(0x02070f)},  {0.3f, kGround},
                              {0.5f, FromCode(0x0a2242)},  {0.68f, FromCode(0x12406b)},
                              {0.84f, FromCode(0x1f6f94)}, {1.0f, FromCode(0x4cb8cc)}};
    return PaintTorus([&](float u, float v) {
               const float qu = warpU.At(u, v);
               const float qv = warpV.At(u, v);
               const float n = clouds.At(u + 0.16f * qu, v + 0.16f * qv);
               return Ramp(stops, 0.5f + 0.55f * n);
           })
        .ToImage(QImage::Format_RGB32, 12);
}

// Long swells with thin crests, and a finer ripple crossing them. The band
// directions have whole numbers of periods across the picture, so they tile.
QImage DrawWaveBands()
{
    const PeriodicFbm warp(2, 4, 0.5f, 701), strength(2, 3, 0.5f, 702), fine(4, 3, 0.5f, 703);
    return PaintTorus([&](float u, float v) {
               const float swell = kTwoPi * (u + 5.0f * v) + 2.4f * warp.At(u, v);
               const float ripple = kTwoPi * (-2.0f * u + 11.0f * v) + 3.0f * warp.At(v, u) + 1.5f * fine.At(u, v);
               const float body = 0.5f + 0.5f * std::sin(swell - 0.7f);
               const float crest = std::pow(0.5f + 0.5f * std::sin(swell), 10.0f);
               const float small = std::pow(0.5f + 0.5f * std::sin(ripple), 14.0f);
               const float s = 0.6f + 0.4f * strength.At(u, v);
               return Mix(kGround, kDeepBlue, 0.75f * body * s) + kTeal * (0.5f * crest * s) +
                      kCyan * (0.22f * small * s * (0.4f + 0.6f * body));
           })
        .ToImage(QImage::Format_RGB32, 13);
}

// Sparse plankton: small points with soft halos, drawn wrapped round the
// edges.
QImage DrawPlankton()
{
    Layer layer(kBackgroundSize, kBackgroundSize, Mix(FromCode(0x000000), kGround, 0.6f));
    Random random(801);
    const auto addDot = [&](float cx, float cy, float core, float halo, float brightness, Colour colour) {
        const int reach = static_cast<int>(std::ceil(halo * 4.0f));
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx) {
                const int x = static_cast<int>(std::floor(cx)) + dx;
                const int y = static_cast<int>(std::floor(cy)) + dy;
                const float ox = x + 0.5f - cx;
                const float oy = y + 0.5f - cy;
                const float d2 = ox * ox + oy * oy;
                const float light =
                    brightness * (std::exp(-d2 / (2.0f * core * core)) + 0.22f * std::exp(-d2 / (2.0f * halo * halo)));
                layer.Add((x + kBackgroundSize) % kBackgroundSize, (y + kBackgroundSize) % kBackgroundSize,
                          colour * light);
            }
    };
    const Colour tints[] = {kCyan, kTeal, Mix(kCyan, kWhite, 0.6f), FromCode(0x4f8fd8)};
    for (int i = 0; i < 320; ++i) {
        const bool large = i % 16 == 0;
        const float cx = static_cast<float>(random.Uniform(0.0, kBackgroundSize));
        const float cy = static_cast<float>(random.Uniform(0.0, kBackgroundSize));
        const float core = large ? static_cast<float>(random.Uniform(1.2, 2.0))
                                 : static_cast<float>(random.Uniform(0.45, 0.9));
        const float halo = core * (large ? 5.0f : 4.0f);
        const float brightness = static_cast<float>(large ? random.Uniform(0.7, 1.0) : random.Uniform(0.25, 0.85));
        addDot(cx, cy, core, halo, brightness, tints[random.Index(4)]);
    }
    return layer.ToImage(QImage::Format_RGB32, 14);
}

}  // namespace

std::vector<NamedImage> DrawBackgrounds()
{
    return {{"background1.png", DrawCaustics()},
            {"background2.jpg", DrawDepthClouds()},
            {"background3.jpg", DrawWaveBands()},
            {"background4.png", DrawPlankton()}};
}

}  // namespace dmo_images
