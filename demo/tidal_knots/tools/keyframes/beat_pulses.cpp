#include "keyframes/beat_pulses.h"

#include <algorithm>
#include <cmath>

namespace dmo_nimra::keys {

KeyframeSequence BeatPulses(const std::string& name, const std::vector<double>& kickSeconds, std::uint64_t decay,
                            std::uint64_t end)
{
    std::vector<std::uint64_t> kicks;
    for (double seconds : kickSeconds) kicks.push_back(static_cast<std::uint64_t>(std::llround(seconds * 1000.0)));

    KeyframeSequence sequence{name, false, {}};
    auto& keys = sequence.keys;
    const auto add = [&](std::uint64_t time, float value) {
        if (keys.empty() || time > keys.back().time) keys.push_back({time, {value, 0.0f, 0.0f}});
    };
    add(0, 0.0f);
    for (std::size_t i = 0; i < kicks.size(); ++i) {
        const std::uint64_t kick = kicks[i];
        if (kick > 0) add(kick - 1, 0.0f);  // at rest until the kick
        if (kick == 0) keys.back().value[0] = 1.0f;
        add(kick, 1.0f);
        const std::uint64_t next = i + 1 < kicks.size() ? kicks[i + 1] : kick + decay + 1;
        add(std::min(kick + decay, next - 1), 0.0f);
    }
    add(end, 0.0f);
    return sequence;
}

}  // namespace dmo_nimra::keys
