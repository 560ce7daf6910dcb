#include "layer.h"

#include <algorithm>
#include <cmath>

#include "random.h"

namespace dmo_images {

Layer::Layer(int width, int height, Colour colour)
    : red(width, height, colour.r),
      green(width, height, colour.g),
      blue(width, height, colour.b),
      alpha(width, height, 1.0f)
{
}

Layer Layer::FromImage(const QImage& image)
{
    const QImage source = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Layer layer(source.width(), source.height());
    for (int y = 0; y < source.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < source.width(); ++x) {
            layer.red.At(x, y) = qRed(line[x]) / 255.0f;
            layer.green.At(x, y) = qGreen(line[x]) / 255.0f;
            layer.blue.At(x, y) = qBlue(line[x]) / 255.0f;
            layer.alpha.At(x, y) = qAlpha(line[x]) / 255.0f;
        }
    }
    return layer;
}

void Layer::Set(int x, int y, Colour colour, float coverage)
{
    red.At(x, y) = colour.r * coverage;
    green.At(x, y) = colour.g * coverage;
    blue.At(x, y) = colour.b * coverage;
    alpha.At(x, y) = coverage;
}

void Layer::Add(int x, int y, Colour light)
{
    red.At(x, y) += light.r;
    green.At(x, y) += light.g;
    blue.At(x, y) += light.b;
}

void Layer::Over(const Layer& top)
{
    auto& r = red.Values();
    auto& g = green.Values();
    auto& b = blue.Values();
    auto& a = alpha.Values();
    for (std::size_t i = 0; i < a.size(); ++i) {
        const float keep = 1.0f - top.alpha.Values()[i];
        r[i] = top.red.Values()[i] + r[i] * keep;
        g[i] = top.green.Values()[i] + g[i] * keep;
        b[i] = top.blue.Values()[i] + b[i] * keep;
        a[i] = top.alpha.Values()[i] + a[i] * keep;
    }
}

Layer Downsample(const Layer& layer, int factor)
{
    Layer small(layer.Width() / factor, layer.Height() / factor);
    const float scale = 1.0f / static_cast<float>(factor * factor);
    const auto shrink = [&](const Plane& from, Plane& to) {
        for (int y = 0; y < to.Height(); ++y)
            for (int x = 0; x < to.Width(); ++x) {
                float sum = 0.0f;
                for (int j = 0; j < factor; ++j)
                    for (int i = 0; i < factor; ++i) sum += from.At(x * factor + i, y * factor + j);
                to.At(x, y) = sum * scale;
            }
    };
    shrink(layer.red, small.red);
    shrink(layer.green, small.green);
    shrink(layer.blue, small.blue);
    shrink(layer.alpha, small.alpha);
    return small;
}

QImage Layer::ToImage(QImage::Format format, std::uint32_t ditherSeed) const
{
    const bool keepAlpha = format == QImage::Format_ARGB32;
    Random random(ditherSeed);
    const auto code = [&](float value) {
        const double dithered = value * 255.0 + random.Uniform() - 0.5;
        return std::clamp(static_cast<int>(std::lround(dithered)), 0, 255);
    };
    QImage image(Width(), Height(), keepAlpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < Height(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < Width(); ++x) {
            const float a = std::clamp(alpha.At(x, y), 0.0f, 1.0f);
            if (!keepAlpha) {
                line[x] = qRgb(code(red.At(x, y)), code(green.At(x, y)), code(blue.At(x, y)));
                continue;
            }
            // Below half a step the ground stays exactly clear, noise or not.
            if (a < 0.5f / 255.0f) {
                line[x] = qRgba(0, 0, 0, 0);
                continue;
            }
            const float unmultiply = 1.0f / std::max(a, 1.0f / 255.0f);
            line[x] = qRgba(code(red.At(x, y) * unmultiply), code(green.At(x, y) * unmultiply),
                            code(blue.At(x, y) * unmultiply), std::max(1, code(a)));
        }
    }
    return image;
}

}  // namespace dmo_images
