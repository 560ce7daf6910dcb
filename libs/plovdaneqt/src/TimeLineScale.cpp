#include <PlovdaneQt/TimeLineScale.h>

#include <cmath>
#include <limits>

namespace pld_qt {

float MillisecondsToPixels(std::uint64_t milliseconds, float pixelsPerSecond)
{
    return static_cast<float>(static_cast<double>(milliseconds) / 1000.0 * pixelsPerSecond);
}

unsigned long PixelsToMilliseconds(float pixels, float pixelsPerSecond)
{
    const double milliseconds = static_cast<double>(pixels) / pixelsPerSecond * 1000.0;
    if (!std::isfinite(milliseconds) || milliseconds <= 0.0) return 0;
    if (milliseconds >= static_cast<double>(std::numeric_limits<unsigned long>::max()))
        return std::numeric_limits<unsigned long>::max();
    return static_cast<unsigned long>(std::llround(milliseconds));
}

std::vector<float> TickPositions(float step, float from, float width)
{
    std::vector<float> ticks;
    if (!std::isfinite(step) || !(step > 0.0f) || !std::isfinite(from) || !std::isfinite(width) || width < 0.0f)
        return ticks;
    const double first = std::floor(static_cast<double>(from) / step);
    const double last = std::floor((static_cast<double>(from) + width) / step);
    const double count = last - first + 1.0;
    if (count > 2.0 * width + 2.0) return ticks;
    ticks.reserve(static_cast<std::size_t>(count));
    for (double k = first; k <= last; k += 1.0) ticks.push_back(static_cast<float>(k * step));
    return ticks;
}

float FittedZoom(float length, float zoom, float visibleWidth, float labelWidth)
{
    if (!(length > 0.0f) || !(zoom > 0.0f) || !std::isfinite(length)) return zoom;
    const float room = visibleWidth - 3.0f * labelWidth;
    if (length / zoom - room > 0.0f || !(room > 0.0f)) return zoom;
    return length / room;
}

}  // namespace pld_qt
