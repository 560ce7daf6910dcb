#pragma once
// Levels of a mix, for the track tool's report: peak, RMS, DC, clipped
// samples, and loudness in LUFS (K-weighted, gated, as broadcast meters
// measure it).
#include <cstddef>

#include "music/audio_buffer.h"

namespace dmo_nimra::synth {

struct Levels {
    double peakDb = -200.0;  // dBFS of the largest sample
    double rmsDb = -200.0;   // dBFS, both channels together
    double dcLeft = 0.0;     // mean sample value
    double dcRight = 0.0;
    std::size_t clipped = 0;  // samples at or beyond full scale
};

// Levels of frames [from, to) seconds of the buffer (clamped to it).
Levels Measure(const StereoBuffer& buffer, double from, double to);

// Integrated loudness of the whole buffer in LUFS.
double IntegratedLoudness(const StereoBuffer& buffer);

}  // namespace dmo_nimra::synth
