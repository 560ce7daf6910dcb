// The particle sprite: a soft round light, white at the centre and fading
// smoothly to black at the border. JPEG holds no alpha, so the particle
// shader reads its brightness.
#include <algorithm>
#include <cmath>

#include "image_families.h"
#include "layer.h"

namespace dmo_images {

namespace {

constexpr int kSpriteSize = 128;

QImage DrawSoftDot()
{
    Layer layer(kSpriteSize, kSpriteSize, FromCode(0x000000));
    const float centre = kSpriteSize / 2.0f;
    const float radius = centre - 2.0f;  // black for the last pixels of every edge
    for (int y = 0; y < kSpriteSize; ++y)
        for (int x = 0; x < kSpriteSize; ++x) {
            const float r = std::hypot(x + 0.5f - centre, y + 0.5f - centre) / radius;
            const float s = std::max(0.0f, 1.0f - r * r);
            // A broad falloff with a brighter core; both 1 at the centre and
            // flat at the rim.
            const float light = 0.7f * s * s + 0.3f * std::pow(s, 8.0f);
            layer.Set(x, y, kWhite * light, 1.0f);
        }
    return layer.ToImage(QImage::Format_RGB32, 21);
}

}  // namespace

std::vector<NamedImage> DrawSprite() { return {{"alpha1.jpg", DrawSoftDot()}}; }

}  // namespace dmo_images
