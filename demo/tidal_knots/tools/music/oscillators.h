#pragma once
// Band-limited oscillators: a phase accumulator in cycles, a sine and a saw
// whose step is smoothed by a polynomial band-limited step (polyBLEP), so the
// pads and the arpeggio do not alias.
#include <cmath>
#include <numbers>

#include "music/audio_buffer.h"

namespace dmo_nimra::synth {

// The frequency of a MIDI note number (A4 = 69 = 440 Hz).
inline double NoteFrequency(double note) { return 440.0 * std::exp2((note - 69.0) / 12.0); }

class Phase {
public:
    explicit Phase(double start = 0.0) : m_phase(start - std::floor(start)) {}

    double Value() const { return m_phase; }
    // Moves on by frequency / sample rate cycles and returns the increment.
    double Advance(double frequency)
    {
        const double increment = frequency / kSampleRate;
        m_phase += increment;
        m_phase -= std::floor(m_phase);
        return increment;
    }

private:
    double m_phase;
};

class SineOscillator {
public:
    explicit SineOscillator(double startPhase = 0.0) : m_phase(startPhase) {}

    float Next(double frequency)
    {
        const float value = static_cast<float>(std::sin(2.0 * std::numbers::pi * m_phase.Value()));
        m_phase.Advance(frequency);
        return value;
    }

private:
    Phase m_phase;
};

class SawOscillator {
public:
    explicit SawOscillator(double startPhase = 0.0) : m_phase(startPhase) {}

    float Next(double frequency)
    {
        const double t = m_phase.Value();
        const double increment = frequency / kSampleRate;
        const double value = 2.0 * t - 1.0 - PolyBlep(t, increment);
        m_phase.Advance(frequency);
        return static_cast<float>(value);
    }

private:
    // The correction around the wrap at t = 0 (= 1), one sample wide each side.
    static double PolyBlep(double t, double dt)
    {
        if (t < dt) {
            const double x = t / dt;
            return x + x - x * x - 1.0;
        }
        if (t > 1.0 - dt) {
            const double x = (t - 1.0) / dt;
            return x * x + x + x + 1.0;
        }
        return 0.0;
    }

    Phase m_phase;
};

}  // namespace dmo_nimra::synth
