#pragma once
// The master chain: DC removal, a gentle glue compressor, a look-ahead peak
// limiter and the fades at the piece's edges. Each works on a whole buffer in
// place.
#include <cmath>

#include "music/audio_buffer.h"

namespace dmo_nimra::synth {

void RemoveDc(StereoBuffer& buffer);

struct CompressorSettings {
    double threshold = -20.0;  // dBFS where the knee is centred
    double ratio = 2.0;
    double knee = 8.0;      // dB
    double attack = 0.012;  // s
    double release = 0.2;   // s
    double makeup = 0.0;    // dB added after compression
};

// Stereo-linked: both channels get the gain of the louder one.
void Compress(StereoBuffer& buffer, const CompressorSettings& settings);

struct LimiterSettings {
    double ceiling = -1.5;     // dBFS no sample exceeds
    double lookahead = 0.003;  // s the gain starts falling before a peak
    double release = 0.08;     // s, time constant of the return
};

// Every sample ends at or below the ceiling, with the gain ramped down ahead
// of each peak rather than clipped at it.
void Limit(StereoBuffer& buffer, const LimiterSettings& settings);

// Fades in over the first fadeIn seconds of the piece and out over the
// fadeOut seconds before its end, to exactly zero from the end on.
void ApplyEdgeFades(StereoBuffer& buffer, double length, double fadeIn, double fadeOut);

inline double DecibelsToGain(double db) { return std::pow(10.0, db / 20.0); }

}  // namespace dmo_nimra::synth
