#include "image_measures.h"

#include <cstdint>
#include <cstdlib>
#include <set>

namespace dmo_nimra_test {

double DifferingFraction(const QImage& a, const QImage& b, int threshold)
{
    if (a.size() != b.size() || a.isNull()) return 0.0;
    std::uint64_t differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* rowB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const int d = std::abs(qRed(rowA[x]) - qRed(rowB[x])) + std::abs(qGreen(rowA[x]) - qGreen(rowB[x])) +
                          std::abs(qBlue(rowA[x]) - qBlue(rowB[x]));
            if (d > threshold) ++differing;
        }
    }
    return static_cast<double>(differing) / static_cast<double>(a.width() * a.height());
}

double BrightFraction(const QImage& image, const QRect& region, int level)
{
    const QRect area = region.intersected(image.rect());
    if (area.isEmpty()) return 0.0;
    std::uint64_t bright = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = area.left(); x <= area.right(); ++x) {
            if (qRed(row[x]) + qGreen(row[x]) + qBlue(row[x]) > level) ++bright;
        }
    }
    return static_cast<double>(bright) / static_cast<double>(area.width() * area.height());
}

int ColourSpread(const QImage& image)
{
    std::set<int> colours;
    for (int y = 0; y < image.height(); y += 2) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); x += 2)
            colours.insert((qRed(row[x]) >> 4) << 8 | (qGreen(row[x]) >> 4) << 4 | (qBlue(row[x]) >> 4));
    }
    return static_cast<int>(colours.size());
}

}  // namespace dmo_nimra_test
