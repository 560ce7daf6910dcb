#pragma once
// The demo's sixteen keyframe files, as the track's score and the camera
// designs make them.
#include <string>
#include <vector>

#include "keyframes/keyframe_xml.h"

namespace dmo_nimra::synth {
struct Score;
}

namespace dmo_nimra::keys {

struct KeyframeFile {
    std::string path;  // under LocalData/Keyframes/
    KeyframeSequence sequence;
};

// In the demo's load order: the two beat sequences (a pulse per kick of the
// score), ten fades that follow the score's sections and the demo's scene
// changes, and the four camera paths under "Camera/".
std::vector<KeyframeFile> DemoKeyframeFiles(const synth::Score& score);

}  // namespace dmo_nimra::keys
