#pragma once
// A piece as the synthesiser plays it: tempo, key, named sections and the
// notes of every instrument. The demo's own piece is TidalKnots(); its kick
// times also drive the demo's beat keyframes.
#include <cstdint>
#include <string>
#include <vector>

namespace dmo_nimra::synth {

enum class Instrument : std::uint8_t {
    Kick,     // pitched-down sine
    Snare,    // tuned body and band-passed noise
    Hat,      // short high-passed noise
    OpenHat,  // the same, ringing longer
    Crash,    // long bright noise swell that marks a section
    Riser,    // noise swept upwards into a section
    Bass,     // round sub bass
    Pad,      // detuned saws through a low pass, one event per chord tone
    Arp,      // plucked saws
};

struct NoteEvent {
    Instrument instrument = Instrument::Kick;
    double time = 0.0;      // s from the start of the piece
    double length = 0.1;    // s the note is held; the voice's tail follows
    int note = 60;          // MIDI note number (pitched instruments)
    float velocity = 1.0f;  // 0..1
    float tone = 0.5f;      // 0..1: how far the voice's filter opens
    float pan = 0.0f;       // -1 left .. 1 right
    float attack = 0.0f;    // s; 0 takes the instrument's own
};

struct Section {
    std::string name;
    double start = 0.0;  // s
    double end = 0.0;    // s
};

struct Score {
    double tempo = 120.0;  // beats per minute
    int beatsPerBar = 4;
    std::string key;
    double length = 0.0;   // s; the mix fades to silence at this time
    double fadeOut = 0.0;  // s over which the mix fades before length
    std::vector<Section> sections;
    std::vector<NoteEvent> events;  // sorted by time

    double BeatSeconds() const { return 60.0 / tempo; }
    double BarSeconds() const { return BeatSeconds() * beatsPerBar; }
    // The times of the kick drum's notes, rising.
    std::vector<double> KickTimes() const;
    // The section that holds time t (the last one from its end on).
    const Section& SectionAt(double t) const;
};

// "Tidal Knots", the demo's track.
const Score& TidalKnots();

}  // namespace dmo_nimra::synth
