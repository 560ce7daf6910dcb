#pragma once
// The demo's four camera paths (eye and look-at point of Scene 2 and of its
// background), designed as a few waypoints each and sampled into keys along
// a smooth curve through them.
#include <cstdint>
#include <vector>

#include "keyframes/keyframe_xml.h"

namespace dmo_nimra::keys {

struct CameraPaths {
    KeyframeSequence mainPosition;        // "Main Camera Position"
    KeyframeSequence mainLookat;          // "Main Camera Lookat"
    KeyframeSequence backgroundPosition;  // "Background Camera Position"
    KeyframeSequence backgroundLookat;    // "Background Camera Lookat"
};

// Keys every step ms from 0 through end ms (the last key at end).
CameraPaths DesignCameraPaths(std::uint64_t step, std::uint64_t end);

// The largest change of direction, in degrees, between consecutive segments
// of a vector sequence's polyline: how sharp its sharpest corner is.
double SharpestCorner(const KeyframeSequence& sequence);

}  // namespace dmo_nimra::keys
