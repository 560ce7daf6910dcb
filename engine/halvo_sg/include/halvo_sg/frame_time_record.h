#pragma once
// The time of one frame as the update thread hands it to the scene graph and
// from there to every controller. Valid only during the update it is passed to.
#include <cstdint>

namespace hlv_sg {

struct frame_time_record {
    // The application timer's time after this frame's tick.
    double seconds = 0.0;
    std::uint64_t milliseconds = 0;
    // |seconds - previous seconds|, computed in double.
    float deltaSeconds = 0.0f;
    // Larger minus smaller of this and the previous frame's milliseconds.
    std::uint64_t absDeltaMilliseconds = 0;
    // Low 32 bits of this frame's milliseconds minus those of the previous
    // frame's, wrapping: negative when the timer moved back.
    std::int32_t deltaMilliseconds = 0;
    // 0 in the first frame.
    std::uint64_t frameNumber = 0;
    // 1 when this frame's milliseconds are less than the previous frame's.
    std::uint32_t backwards = 0;
};

}  // namespace hlv_sg
