#pragma once
// Beat keyframes: a pulse per kick of the score.
#include <cstdint>
#include <string>
#include <vector>

#include "keyframes/keyframe_xml.h"

namespace dmo_nimra::keys {

// A scalar sequence that is 0 from time 0, jumps to 1 at every kick (times in
// seconds, rounded to ms), falls linearly to 0 over decay ms (or just before
// the next kick when that comes sooner), rests at 0 until the next kick, and
// ends with a 0 key at end ms.
KeyframeSequence BeatPulses(const std::string& name, const std::vector<double>& kickSeconds, std::uint64_t decay,
                            std::uint64_t end);

}  // namespace dmo_nimra::keys
