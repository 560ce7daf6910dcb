#pragma once
// One channel of float samples, and the blurs the image tool builds its soft
// shapes with.
#include <vector>

namespace dmo_images {

class Plane {
public:
    Plane(int width, int height, float value = 0.0f)
        : m_width(width), m_height(height), m_values(static_cast<std::size_t>(width) * height, value)
    {
    }

    int Width() const { return m_width; }
    int Height() const { return m_height; }

    float& At(int x, int y) { return m_values[static_cast<std::size_t>(y) * m_width + x]; }
    float At(int x, int y) const { return m_values[static_cast<std::size_t>(y) * m_width + x]; }

    // The sample at (x, y) with both coordinates taken round the edges.
    float Wrapped(int x, int y) const;

    std::vector<float>& Values() { return m_values; }
    const std::vector<float>& Values() const { return m_values; }

private:
    int m_width;
    int m_height;
    std::vector<float> m_values;
};

// What lies beyond the edges while blurring: the opposite edge (tileable
// pictures) or nothing (shapes on a transparent ground).
enum class Edges { Wrap, Zero };

// A box blur of 2 * radius + 1 samples along rows, then along columns.
void BoxBlur(Plane& plane, int radius, Edges edges);

// Close to a Gaussian blur of the given standard deviation in pixels: three
// box blurs of matching widths.
void SoftBlur(Plane& plane, float sigma, Edges edges);

}  // namespace dmo_images
