#include "keyframes/section_fades.h"

#include <cmath>

#include "music/score.h"

namespace dmo_nimra::keys {

namespace {

std::uint64_t Milliseconds(double seconds) { return static_cast<std::uint64_t>(std::llround(seconds * 1000.0)); }

}  // namespace

KeyframeSequence Fade(const std::string& name, const std::vector<std::pair<std::uint64_t, float>>& points)
{
    KeyframeSequence sequence{name, false, {}};
    if (!points.empty() && points.front().first > 0) sequence.keys.push_back({0, {points.front().second}});
    for (const auto& [time, value] : points) sequence.keys.push_back({time, {value}});
    return sequence;
}

KeyframeSequence SectionFade(const synth::Score& score, std::size_t section, std::uint64_t ramp)
{
    const synth::Section& s = score.sections.at(section);
    const std::uint64_t start = Milliseconds(s.start);
    const std::uint64_t end = Milliseconds(s.end);
    const std::uint64_t length = Milliseconds(score.length);
    std::vector<std::pair<std::uint64_t, float>> points;
    if (start == 0) {
        points.push_back({0, 1.0f});
    } else {
        points.push_back({start, 0.0f});
        points.push_back({start + ramp, 1.0f});
    }
    if (end < length) {
        points.push_back({end, 1.0f});
        points.push_back({end + ramp, 0.0f});
    }
    points.push_back({length, points.back().second});
    return Fade("Section " + s.name + " Fade", points);
}

}  // namespace dmo_nimra::keys
