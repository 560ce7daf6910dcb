#pragma once
// A picture of float samples: colour premultiplied by alpha, as QPainter and
// the compositing here both want it.
#include <cstdint>

#include <QImage>

#include "palette.h"
#include "plane.h"

namespace dmo_images {

class Layer {
public:
    Layer(int width, int height) : red(width, height), green(width, height), blue(width, height), alpha(width, height)
    {
    }

    // An opaque layer of one colour.
    Layer(int width, int height, Colour colour);

    // The pixels of a QImage (any format).
    static Layer FromImage(const QImage& image);

    int Width() const { return alpha.Width(); }
    int Height() const { return alpha.Height(); }

    // Sets pixel (x, y) to the colour at the given coverage.
    void Set(int x, int y, Colour colour, float coverage);

    // Adds light to pixel (x, y) of an opaque layer.
    void Add(int x, int y, Colour light);

    // Puts top over this layer (Porter-Duff "over"); both the same size.
    void Over(const Layer& top);

    // An 8-bit picture: Format_RGB32 (alpha ignored) or Format_ARGB32 (colour
    // divided by alpha). Each sample gets a little seeded noise before it is
    // rounded, so smooth gradients show no bands.
    QImage ToImage(QImage::Format format, std::uint32_t ditherSeed) const;

    Plane red, green, blue, alpha;
};

// The layer shrunk by a whole factor, each pixel the mean of a factor x factor
// block: how pictures drawn at a finer scale get their smooth edges.
Layer Downsample(const Layer& layer, int factor);

}  // namespace dmo_images
