#pragma once
// Measures of screenshots for the frame tests.
#include <QImage>
#include <QRect>

namespace dmo_nimra_test {

// Fraction of pixels whose colour differs by more than `threshold` (sum of
// the three channel differences) between two images of one size.
double DifferingFraction(const QImage& a, const QImage& b, int threshold = 48);
// Fraction of pixels of the region brighter than `level` (sum of channels).
double BrightFraction(const QImage& image, const QRect& region, int level);
// Number of distinct colours after quantising each channel to 16 levels.
int ColourSpread(const QImage& image);

}  // namespace dmo_nimra_test
