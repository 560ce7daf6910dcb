#pragma once
// Renders a score: every note through its instrument's voice onto one of
// four buses, the buses through their effects, a shared reverb, and the sum
// through the master chain.
#include "music/audio_buffer.h"
#include "music/score.h"

namespace dmo_nimra::synth {

// The stretch [from, to) seconds of the score. Voices that began before the
// stretch are played into it; the echo, reverb and master chain start empty
// at its beginning, so a stretch sounds as the whole piece does there once
// their tails (a few seconds) have built up.
StereoBuffer RenderScore(const Score& score, double from, double to);

// The whole piece, from 0 to its length.
StereoBuffer RenderScore(const Score& score);

}  // namespace dmo_nimra::synth
