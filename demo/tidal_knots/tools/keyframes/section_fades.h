#pragma once
// Scalar fades that follow the music's sections and the demo's scene changes.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "keyframes/keyframe_xml.h"

namespace dmo_nimra::synth {
struct Score;
}

namespace dmo_nimra::keys {

// A scalar sequence through (ms, value) points; a first point after 0 gets a
// key at 0 with its value before it. Points must rise strictly.
KeyframeSequence Fade(const std::string& name, const std::vector<std::pair<std::uint64_t, float>>& points);

// 1 while the section plays, 0 otherwise, ramped over ramp ms after the
// section's start and its end (no ramp at the piece's edges); named
// "Section <name> Fade".
KeyframeSequence SectionFade(const synth::Score& score, std::size_t section, std::uint64_t ramp);

}  // namespace dmo_nimra::keys
