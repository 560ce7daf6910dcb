#pragma once
// Conversions between time and timeline pixels, tick placement and the zoom
// that fits the whole ruler into the visible width.
#include <cstdint>
#include <vector>

namespace pld_qt {

// Timeline pixels for a time in milliseconds at the given time metric.
float MillisecondsToPixels(std::uint64_t milliseconds, float pixelsPerSecond);

// Milliseconds, rounded, for a position in timeline pixels; 0 for negative
// or non-finite results.
unsigned long PixelsToMilliseconds(float pixels, float pixelsPerSecond);

// Positions of the ticks every `step` pixels from the last multiple of the
// step at or before `from` up to `from + width`. Empty when the step is not a
// positive finite number or the ticks would be denser than two per pixel, so
// a zero-length ruler draws no ticks instead of looping forever.
std::vector<float> TickPositions(float step, float from, float width);

// The zoom after fitting: when the ruler (length / zoom) plus three widths
// of its length label fits into the visible width, the zoom that makes it
// just fill it; otherwise, or when the ruler is empty, the zoom unchanged.
float FittedZoom(float length, float zoom, float visibleWidth, float labelWidth);

}  // namespace pld_qt
