#pragma once
// The soft light under the demo's titles and logo: the shapes' alpha, blurred
// at two widths, in one colour beneath the shapes, whose own alpha stays crisp.
#include "layer.h"
#include "palette.h"

namespace dmo_images {

struct GlowStyle {
    Colour colour = kTeal;
    float sigma = 6.0f;  // the close glow, in pixels
    float strength = 0.5f;
    float wideSigma = 18.0f;  // the wide, faint glow
    float wideStrength = 0.3f;
};

// The shapes over their glow. Keep the shapes about 3 * wideSigma from the
// picture's edges: the glow ends there and the ground stays clear.
Layer WithGlow(const Layer& shapes, const GlowStyle& style);

}  // namespace dmo_images
