#pragma once
// Keyframe-sequence files as the demo's loader reads them: float values in
// milliseconds, linear, played once from demo time 0 with no time limit.
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace dmo_nimra::keys {

struct Key {
    std::uint64_t time = 0;        // ms
    std::array<float, 3> value{};  // a scalar sequence uses value[0]
};

struct KeyframeSequence {
    std::string name;
    bool vec3 = false;
    std::vector<Key> keys;  // strictly rising times
};

// The file's text. Numbers are written the same in every locale; times must
// rise strictly (std::invalid_argument otherwise).
std::string ToXml(const KeyframeSequence& sequence);

// Writes the file; throws std::runtime_error when it cannot.
void WriteKeyframeFile(const std::filesystem::path& path, const KeyframeSequence& sequence);

}  // namespace dmo_nimra::keys
