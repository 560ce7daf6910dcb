#pragma once
// The bus effects: a ping-pong echo, a small feedback-delay-network reverb
// and the kick's ducking of the sustained parts. Each processes a whole
// buffer in place (the reverb into a separate return).
#include <vector>

#include "music/audio_buffer.h"

namespace dmo_nimra::synth {

struct EchoSettings {
    double delay = 0.375;     // s (three sixteenths at 120 BPM)
    double feedback = 0.38;   // per repeat
    double wet = 0.3;         // echo level added to the dry signal
    double damping = 3500.0;  // Hz, low pass in the feedback path
};

// Repeats bounce between left and right.
void ApplyPingPongEcho(StereoBuffer& buffer, const EchoSettings& settings);

struct ReverbSettings {
    double decay = 2.2;       // s to fall by 60 dB
    double preDelay = 0.02;   // s
    double damping = 4500.0;  // Hz, low pass in every line
    double level = 0.5;       // gain of the return
};

// Adds the reverb of send to ret (which covers the same frames).
void AddReverb(const StereoBuffer& send, StereoBuffer& ret, const ReverbSettings& settings);

struct DuckSettings {
    double depth = 0.35;    // gain taken away at the kick
    double attack = 0.008;  // s to reach full depth
    double recover = 0.14;  // s, time constant of the return
};

// Lowers the buffer at every kick and lets it swell back between kicks.
void ApplyKickDucking(StereoBuffer& buffer, const std::vector<double>& kickTimes, const DuckSettings& settings);

}  // namespace dmo_nimra::synth
