// The unpitched voices: kick, snare, hats, crash and riser.
#include <algorithm>
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

using Frame = std::pair<float, float>;

Frame Panned(float value, float pan)
{
    const PanGains gains = Pan(pan);
    return {value * gains.left, value * gains.right};
}

// A soft kick: a sine that falls from about 140 Hz to 46 Hz in a few tens of
// milliseconds, rounded by gentle saturation, with a faint click on top.
constexpr Envelope kKickEnvelope{0.0015, 0.17, 0.0, 0.05};

void Kick(const NoteEvent& note, VoiceOutput& output)
{
    SineOscillator body;
    Noise noise(NoteSeed(note));
    OnePoleLowPass clickTone;
    clickTone.Tune(2500.0);
    const double drive = 1.4;
    const double norm = 1.0 / std::tanh(drive);
    RenderFrames(note, kKickEnvelope.End(note.length), output, [&](double t) {
        const double pitch = 46.0 + 95.0 * std::exp(-t / 0.028);
        const double level = kKickEnvelope.Level(t, note.length);
        const double click = 0.12 * clickTone.Process(noise.Next()) * std::exp(-t / 0.0015);
        const double value = std::tanh(drive * (body.Next(pitch) * level + click)) * norm;
        const float out = static_cast<float>(value) * note.velocity;
        return Frame{out, out};
    });
}

// A tuned body under band-passed noise.
constexpr Envelope kSnareEnvelope{0.001, 0.11, 0.0, 0.06};

void Snare(const NoteEvent& note, VoiceOutput& output)
{
    SineOscillator body;
    Noise noise(NoteSeed(note));
    StateVariableFilter band;
    band.Tune(1700.0 + 1600.0 * note.tone, 0.75);
    const double noiseDecay = 0.08 + 0.06 * note.tone;
    RenderFrames(note, kSnareEnvelope.End(note.length), output, [&](double t) {
        const double level = kSnareEnvelope.Level(t, note.length);
        const double tone = body.Next(175.0 + 70.0 * std::exp(-t / 0.012)) * std::exp(-t / 0.06);
        const StateVariableFilter::Outputs n = band.Process(noise.Next());
        const double hiss = (n.band + 0.35 * n.high) * std::exp(-t / noiseDecay);
        const float out = static_cast<float>((0.55 * tone + 1.1 * hiss) * level) * note.velocity;
        return Panned(out, note.pan);
    });
}

// High-passed noise with a little air band; the open hat rings longer.
constexpr Envelope kHatEnvelope{0.0008, 0.03, 0.0, 0.02};
constexpr Envelope kOpenHatEnvelope{0.0008, 0.2, 0.0, 0.08};

void Hat(const NoteEvent& note, VoiceOutput& output, const Envelope& envelope)
{
    Noise noise(NoteSeed(note));
    StateVariableFilter high;
    StateVariableFilter air;
    high.Tune(6500.0 + 2500.0 * note.tone, 0.8);
    air.Tune(11000.0, 1.4);
    RenderFrames(note, envelope.End(note.length), output, [&](double t) {
        const float n = noise.Next();
        const double value = high.Process(n).high + 0.5 * air.Process(n).band;
        const float out = static_cast<float>(value * envelope.Level(t, note.length)) * note.velocity;
        return Panned(out, note.pan);
    });
}

// A long bright swell of noise, different in each channel.
constexpr Envelope kCrashEnvelope{0.004, 1.1, 0.0, 0.6};

void Crash(const NoteEvent& note, VoiceOutput& output)
{
    Noise left(NoteSeed(note));
    Noise right(NoteSeed(note) + 1);
    StateVariableFilter highLeft;
    StateVariableFilter highRight;
    highLeft.Tune(2600.0 + 2000.0 * note.tone, 0.7);
    highRight.Tune(2600.0 + 2000.0 * note.tone, 0.7);
    const PanGains gains = Pan(note.pan);
    RenderFrames(note, kCrashEnvelope.End(note.length), output, [&](double t) {
        const double level = kCrashEnvelope.Level(t, note.length) * note.velocity;
        return Frame{static_cast<float>(highLeft.Process(left.Next()).high * level) * gains.left,
                     static_cast<float>(highRight.Process(right.Next()).high * level) * gains.right};
    });
}

// Noise through a band pass that sweeps from 300 Hz to 7 kHz over the note
// while it swells; it stops sharply (but without a click) at the note's end.
constexpr Envelope kRiserEnvelope{0.001, 1.0, 1.0, 0.012};

void Riser(const NoteEvent& note, VoiceOutput& output)
{
    Noise left(NoteSeed(note));
    Noise right(NoteSeed(note) + 1);
    StateVariableFilter bandLeft;
    StateVariableFilter bandRight;
    const double length = std::max(note.length, 0.1);
    int frame = 0;
    RenderFrames(note, kRiserEnvelope.End(length), output, [&](double t) {
        const double x = std::min(t / length, 1.0);
        if (frame++ % 32 == 0) {
            const double cutoff = 300.0 * std::pow(7000.0 / 300.0, x);
            bandLeft.Tune(cutoff, 1.6);
            bandRight.Tune(cutoff * 1.03, 1.6);
        }
        const double level = kRiserEnvelope.Level(t, length) * x * x * note.velocity;
        return Frame{static_cast<float>(bandLeft.Process(left.Next()).band * level),
                     static_cast<float>(bandRight.Process(right.Next()).band * level)};
    });
}

const Envelope& DrumEnvelope(Instrument instrument)
{
    switch (instrument) {
    case Instrument::Kick: return kKickEnvelope;
    case Instrument::Snare: return kSnareEnvelope;
    case Instrument::Hat: return kHatEnvelope;
    case Instrument::OpenHat: return kOpenHatEnvelope;
    case Instrument::Crash: return kCrashEnvelope;
    default: return kRiserEnvelope;
    }
}

}  // namespace

double DrumDuration(const NoteEvent& note)
{
    const double length = note.instrument == Instrument::Riser ? std::max(note.length, 0.1) : note.length;
    return DrumEnvelope(note.instrument).End(length);
}

void RenderDrum(const NoteEvent& note, VoiceOutput& output)
{
    switch (note.instrument) {
    case Instrument::Kick: Kick(note, output); break;
    case Instrument::Snare: Snare(note, output); break;
    case Instrument::Hat: Hat(note, output, kHatEnvelope); break;
    case Instrument::OpenHat: Hat(note, output, kOpenHatEnvelope); break;
    case Instrument::Crash: Crash(note, output); break;
    case Instrument::Riser: Riser(note, output); break;
    default: break;
    }
}

}  // namespace dmo_nimra::synth
