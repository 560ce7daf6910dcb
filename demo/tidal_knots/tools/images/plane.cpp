#include "plane.h"

#include <algorithm>
#include <cmath>

namespace dmo_images {

namespace {

int Wrap(int i, int size) { return ((i % size) + size) % size; }

// Blurs count runs of size samples each, the run r starting at first(r) with
// step between its samples, using sums over a sliding window.
template <typename First>
void BlurRuns(std::vector<float>& values, int count, int size, int step, First first, int radius, Edges edges)
{
    std::vector<float> run(size);
    const float scale = 1.0f / static_cast<float>(2 * radius + 1);
    const auto sample = [&](int i) {
        if (edges == Edges::Wrap) return run[Wrap(i, size)];
        return i < 0 || i >= size ? 0.0f : run[i];
    };
    for (int r = 0; r < count; ++r) {
        const std::size_t start = first(r);
        for (int i = 0; i < size; ++i) run[i] = values[start + static_cast<std::size_t>(i) * step];
        double sum = 0.0;
        for (int i = -radius; i <= radius; ++i) sum += sample(i);
        for (int i = 0; i < size; ++i) {
            values[start + static_cast<std::size_t>(i) * step] = static_cast<float>(sum) * scale;
            sum += sample(i + radius + 1) - sample(i - radius);
        }
    }
}

}  // namespace

float Plane::Wrapped(int x, int y) const { return At(Wrap(x, m_width), Wrap(y, m_height)); }

void BoxBlur(Plane& plane, int radius, Edges edges)
{
    if (radius <= 0) return;
    const int width = plane.Width();
    const int height = plane.Height();
    BlurRuns(
        plane.Values(), height, width, 1, [&](int row) { return static_cast<std::size_t>(row) * width; }, radius,
        edges);
    BlurRuns(
        plane.Values(), width, height, width, [](int column) { return static_cast<std::size_t>(column); }, radius,
        edges);
}

void SoftBlur(Plane& plane, float sigma, Edges edges)
{
    // Three boxes of width w have the variance of a Gaussian when
    // 3 (w^2 - 1) / 12 = sigma^2.
    const float width = std::sqrt(4.0f * sigma * sigma + 1.0f);
    const int radius = std::max(0, static_cast<int>(std::lround((width - 1.0f) / 2.0f)));
    for (int pass = 0; pass < 3; ++pass) BoxBlur(plane, radius, edges);
}

}  // namespace dmo_images
