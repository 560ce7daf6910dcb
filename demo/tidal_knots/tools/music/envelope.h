#pragma once
// Envelopes as functions of the time since the note began: a linear attack,
// an exponential decay to the sustain level, an exponential release after
// the note's length. A voice stops at Envelope::End, where the level is
// brought to exactly zero over the last few milliseconds, so no voice ends
// in a click.
namespace dmo_nimra::synth {

struct Envelope {
    double attack = 0.005;  // s, linear rise from 0 to 1
    double decay = 0.2;     // s, time constant of the fall to sustain
    double sustain = 1.0;   // level held while the note lasts
    double release = 0.2;   // s, time constant of the fall after the note

    // Level at time t (s) since the note began, for a note held length s.
    double Level(double t, double length) const;
    // Where the voice stops: the release has fallen by 60 dB.
    double End(double length) const;
};

}  // namespace dmo_nimra::synth
