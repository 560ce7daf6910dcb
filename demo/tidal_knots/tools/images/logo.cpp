// The logo: a torus knot drawn as a thick glossy tube on a clear ground. The
// tube is the union of spheres swept along the knot and rendered with a depth
// buffer, so the strand in front hides the one behind. Each sphere carries a
// larger dark sphere set back a little: along a strand it stays inside the
// tube, but where a strand passes over another it shows as a dark band, which
// makes the crossings read as in a knot diagram.
#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "glow.h"
#include "image_families.h"
#include "layer.h"
#include "palette.h"

namespace dmo_images {

namespace {

constexpr int kLogoSize = 512;
constexpr int kLogoSupersampling = 3;

// The (p, q) torus knot, p turns round the torus' axis and q through its
// hole: a five-petalled knot. The torus' radii are 1 and kKnotMinorRadius,
// the tube's radius kTubeRadius, all in units of the larger one.
constexpr int kKnotP = 2;
constexpr int kKnotQ = 5;
constexpr float kKnotMinorRadius = 0.55f;
constexpr float kTubeRadius = 0.16f;
constexpr float kOutlineRadius = 1.3f * kTubeRadius;

struct Vec3 {
    float x, y, z;
};

// What the nearest surface at a pixel is.
struct Fragment {
    float depth = -std::numeric_limits<float>::infinity();
    bool tube = false;
    Vec3 normal{0.0f, 0.0f, 1.0f};
    float front = 0.0f;  // 0 for the back of the knot .. 1 for its front
};

// The knot's centre line at t in [0, 2 pi), seen along the torus' axis with
// a petal pointing up; z points to the viewer, y down.
Vec3 KnotPoint(float t)
{
    const float ring = 1.0f + kKnotMinorRadius * std::cos(kKnotQ * t);
    const float turn = kKnotP * t - std::numbers::pi_v<float> / 2.0f;
    return {ring * std::cos(turn), ring * std::sin(turn), kKnotMinorRadius * std::sin(kKnotQ * t)};
}

class KnotRenderer {
public:
    explicit KnotRenderer(int size) : m_size(size), m_fragments(static_cast<std::size_t>(size) * size) {}

    void Render(float tubeRadius, float outlineRadius, float outlineSetBack, float scale)
    {
        const int samples = 4000;
        float nearest = -std::numeric_limits<float>::infinity();
        float farthest = std::numeric_limits<float>::infinity();
        std::vector<Vec3> centres;
        for (int i = 0; i < samples; ++i) {
            const Vec3 p = KnotPoint(2.0f * std::numbers::pi_v<float> * i / samples);
            centres.push_back({m_size / 2.0f + p.x * scale, m_size / 2.0f + p.y * scale, p.z * scale});
            nearest = std::max(nearest, p.z * scale);
            farthest = std::min(farthest, p.z * scale);
        }
        for (const Vec3& c : centres) {
            const float front = (c.z - farthest) / (nearest - farthest);
            Splat(c, outlineRadius, -outlineSetBack, false, front);
            Splat(c, tubeRadius, 0.0f, true, front);
        }
    }

    Layer Shade() const
    {
        Layer layer(m_size, m_size);
        const Vec3 light = Normalised({-0.45f, -0.6f, 0.75f});
        const Vec3 half = Normalised({light.x, light.y, light.z + 1.0f});
        for (int y = 0; y < m_size; ++y)
            for (int x = 0; x < m_size; ++x) {
                const Fragment& f = At(x, y);
                if (f.depth == -std::numeric_limits<float>::infinity()) continue;
                if (!f.tube) {
                    layer.Set(x, y, FromCode(0x030a14), 1.0f);
                    continue;
                }
                const float diffuse = std::max(0.0f, Dot(f.normal, light));
                const float specular = std::pow(std::max(0.0f, Dot(f.normal, half)), 40.0f);
                const float facing = std::sqrt(std::max(0.0f, f.normal.z));
                const Colour base = Mix(kCyan, kWhite, 0.15f + 0.85f * f.front);
                const Colour shadow = Mix(kTeal, kCyan, 0.3f) * 0.55f;
                const Colour lit = Mix(shadow, base, std::min(1.0f, 0.2f + 0.95f * diffuse) * (0.6f + 0.4f * facing)) +
                                   kWhite * (0.6f * specular);
                layer.Set(x, y, {std::min(lit.r, 1.0f), std::min(lit.g, 1.0f), std::min(lit.b, 1.0f)}, 1.0f);
            }
        return layer;
    }

private:
    static float Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
    static Vec3 Normalised(Vec3 v)
    {
        const float length = std::sqrt(Dot(v, v));
        return {v.x / length, v.y / length, v.z / length};
    }

    Fragment& At(int x, int y) { return m_fragments[static_cast<std::size_t>(y) * m_size + x]; }
    const Fragment& At(int x, int y) const { return m_fragments[static_cast<std::size_t>(y) * m_size + x]; }

    // Draws the visible half of a sphere into the depth buffer.
    void Splat(Vec3 centre, float radius, float depthOffset, bool tube, float front)
    {
        const int x0 = std::max(0, static_cast<int>(centre.x - radius));
        const int x1 = std::min(m_size - 1, static_cast<int>(centre.x + radius) + 1);
        const int y0 = std::max(0, static_cast<int>(centre.y - radius));
        const int y1 = std::min(m_size - 1, static_cast<int>(centre.y + radius) + 1);
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                const float dx = x + 0.5f - centre.x;
                const float dy = y + 0.5f - centre.y;
                const float d2 = dx * dx + dy * dy;
                if (d2 >= radius * radius) continue;
                const float height = std::sqrt(radius * radius - d2);
                const float depth = centre.z + height + depthOffset;
                Fragment& f = At(x, y);
                if (depth <= f.depth) continue;
                f.depth = depth;
                f.tube = tube;
                f.normal = {dx / radius, dy / radius, height / radius};
                f.front = front;
            }
    }

    int m_size;
    std::vector<Fragment> m_fragments;
};

QImage DrawKnot()
{
    const int size = kLogoSize * kLogoSupersampling;
    // Keep the knot with its outline inside 37 % of the width from the
    // centre, so the glow fades out before the edges.
    const float scale = 0.37f * size / (1.0f + kKnotMinorRadius + kOutlineRadius);
    KnotRenderer renderer(size);
    // The outline sphere's set-back lies between the outline's extra radius
    // and the tube's radius: hidden along a strand, in front of the strand
    // below at a crossing.
    renderer.Render(kTubeRadius * scale, kOutlineRadius * scale, 0.55f * kTubeRadius * scale, scale);
    GlowStyle glow;
    glow.sigma = 7.0f;
    glow.strength = 0.45f;
    glow.wideSigma = 16.0f;
    glow.wideStrength = 0.35f;
    return WithGlow(Downsample(renderer.Shade(), kLogoSupersampling), glow).ToImage(QImage::Format_ARGB32, 101);
}

}  // namespace

std::vector<NamedImage> DrawLogo() { return {{"l.png", DrawKnot()}}; }

}  // namespace dmo_images
