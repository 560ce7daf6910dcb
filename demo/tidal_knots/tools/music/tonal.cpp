// The pitched voices: sub bass, pads and the arpeggio's pluck.
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <utility>

#include "music/envelope.h"
#include "music/filters.h"
#include "music/noise.h"
#include "music/oscillators.h"
#include "music/voices.h"

namespace dmo_nimra::synth {

namespace {

using StereoFrame = std::pair<float, float>;

Envelope WithAttack(Envelope envelope, const NoteEvent& note)
{
    if (note.attack > 0.0f) envelope.attack = note.attack;
    return envelope;
}

// A round sub: a sine with a touch of its octave and of a low-passed saw for
// small speakers, gently saturated.
Envelope BassEnvelope(const NoteEvent& note)
{
    Envelope envelope = WithAttack({0.004, 0.25, 0.75, 0.03}, note);
    envelope.release = std::max(0.03, 0.5 * envelope.attack);
    return envelope;
}

void Bass(const NoteEvent& note, VoiceOutput& output)
{
    const Envelope envelope = BassEnvelope(note);
    const double frequency = NoteFrequency(note.note);
    Phase phase;
    SawOscillator saw;
    StateVariableFilter lowPass;
    lowPass.Tune(220.0 + 320.0 * note.tone, 0.7);
    const double drive = 1.3;
    const double norm = 1.0 / std::tanh(drive);
    RenderFrames(note, envelope.End(note.length), output, [&](double t) {
        const double angle = 2.0 * std::numbers::pi * phase.Value();
        phase.Advance(frequency);
        const double body = std::sin(angle) + 0.2 * std::sin(2.0 * angle) +
                            0.2 * lowPass.Process(saw.Next(frequency)).low;
        const float out =
            static_cast<float>(std::tanh(drive * body * envelope.Level(t, note.length)) * norm * note.velocity);
        return StereoFrame{out, out};
    });
}

// Three slightly detuned saws, the outer two spread left and right, each side
// through a low pass that opens with the note's tone and breathes slowly.
Envelope PadEnvelope(const NoteEvent& note) { return WithAttack({0.9, 1.0, 1.0, 0.45}, note); }

void Pad(const NoteEvent& note, VoiceOutput& output)
{
    const Envelope envelope = PadEnvelope(note);
    Noise random(NoteSeed(note));
    const double frequency = NoteFrequency(note.note);
    std::array<SawOscillator, 3> saws{SawOscillator(0.5 + 0.5 * random.Next()),
                                      SawOscillator(0.5 + 0.5 * random.Next()),
                                      SawOscillator(0.5 + 0.5 * random.Next())};
    const std::array<double, 3> detune{std::exp2(-0.11 / 12.0), 1.0, std::exp2(0.09 / 12.0)};
    StateVariableFilter left;
    StateVariableFilter right;
    const double breathPhase = 2.0 * std::numbers::pi * (0.5 + 0.5 * random.Next());
    const double open = 180.0 + 3800.0 * note.tone * note.tone;
    const PanGains gains = Pan(note.pan);
    int frame = 0;
    RenderFrames(note, envelope.End(note.length), output, [&](double t) {
        if (frame++ % 64 == 0) {
            const double breath = 1.0 + 0.18 * std::sin(2.0 * std::numbers::pi * 0.13 * t + breathPhase);
            const double cutoff = std::min(open * breath + 0.5 * frequency, 12000.0);
            left.Tune(cutoff, 0.65);
            right.Tune(cutoff * 1.02, 0.65);
        }
        const float a = saws[0].Next(frequency * detune[0]);
        const float b = saws[1].Next(frequency * detune[1]);
        const float c = saws[2].Next(frequency * detune[2]);
        const double level = 0.3 * envelope.Level(t, note.length) * note.velocity;
        return StereoFrame{static_cast<float>(left.Process(a + 0.6f * b).low * level) * gains.left,
                           static_cast<float>(right.Process(c + 0.6f * b).low * level) * gains.right};
    });
}

// A pluck: two saws a few cents apart through a resonant low pass whose
// cutoff falls quickly after the attack.
constexpr Envelope kArpEnvelope{0.002, 0.16, 0.0, 0.06};

void Arp(const NoteEvent& note, VoiceOutput& output)
{
    const double frequency = NoteFrequency(note.note);
    Noise random(NoteSeed(note));
    SawOscillator a(0.5 + 0.5 * random.Next());
    SawOscillator b(0.5 + 0.5 * random.Next());
    StateVariableFilter lowPass;
    const double sweep = 600.0 + 5200.0 * note.tone;
    const PanGains gains = Pan(note.pan);
    int frame = 0;
    RenderFrames(note, kArpEnvelope.End(note.length), output, [&](double t) {
        if (frame++ % 16 == 0) lowPass.Tune(250.0 + sweep * std::exp(-t / 0.09), 1.1);
        const float osc = 0.5f * (a.Next(frequency * 0.9965) + b.Next(frequency * 1.0035));
        const float out = static_cast<float>(lowPass.Process(osc).low * kArpEnvelope.Level(t, note.length)) *
                          note.velocity;
        return StereoFrame{out * gains.left, out * gains.right};
    });
}

}  // namespace

double TonalDuration(const NoteEvent& note)
{
    switch (note.instrument) {
    case Instrument::Bass: return BassEnvelope(note).End(note.length);
    case Instrument::Pad: return PadEnvelope(note).End(note.length);
    default: return kArpEnvelope.End(note.length);
    }
}

void RenderTonal(const NoteEvent& note, VoiceOutput& output)
{
    switch (note.instrument) {
    case Instrument::Bass: Bass(note, output); break;
    case Instrument::Pad: Pad(note, output); break;
    case Instrument::Arp: Arp(note, output); break;
    default: break;
    }
}

}  // namespace dmo_nimra::synth
