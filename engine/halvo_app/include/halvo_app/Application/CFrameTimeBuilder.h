#pragma once
// Builds the frame time record of each frame from the timer's readings and
// those of the frame before. Before the first frame the previous time is 0,
// so the first record's deltas are its own time values.
#include <cstdint>

#include <halvo_sg/frame_time_record.h>

namespace hlv_app {

class CFrameTimeBuilder {
public:
    // The record of the next frame, timed at the given readings of the timer.
    // Valid until the next call.
    const hlv_sg::frame_time_record& Next(double seconds, std::uint64_t milliseconds);

    const hlv_sg::frame_time_record& Current() const { return m_record; }

private:
    hlv_sg::frame_time_record m_record;
    double m_previousSeconds = 0.0;
    std::uint64_t m_previousMilliseconds = 0;
    std::uint64_t m_nextFrame = 0;
};

}  // namespace hlv_app
