#include "glow.h"

#include <algorithm>

namespace dmo_images {

Layer WithGlow(const Layer& shapes, const GlowStyle& style)
{
    Plane close = shapes.alpha;
    SoftBlur(close, style.sigma, Edges::Zero);
    Plane wide = shapes.alpha;
    SoftBlur(wide, style.wideSigma, Edges::Zero);

    Layer glow(shapes.Width(), shapes.Height());
    for (int y = 0; y < glow.Height(); ++y)
        for (int x = 0; x < glow.Width(); ++x) {
            const float a = std::min(1.0f, style.strength * close.At(x, y) + style.wideStrength * wide.At(x, y));
            glow.Set(x, y, style.colour, a);
        }
    glow.Over(shapes);
    return glow;
}

}  // namespace dmo_images
