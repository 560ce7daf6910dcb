#include "music/envelope.h"

#include <algorithm>
#include <cmath>

namespace dmo_nimra::synth {

namespace {

// The last stretch of a voice, faded linearly to zero.
constexpr double kFinalFade = 0.004;
// e^-6.9 is 60 dB down.
constexpr double kReleaseSpan = 6.9;

double HeldLevel(const Envelope& e, double t)
{
    if (t < e.attack) return t / e.attack;
    return e.sustain + (1.0 - e.sustain) * std::exp(-(t - e.attack) / e.decay);
}

}  // namespace

double Envelope::Level(double t, double length) const
{
    if (t < 0.0) return 0.0;
    const double end = End(length);
    if (t >= end) return 0.0;
    double level = t < length ? HeldLevel(*this, t) : HeldLevel(*this, length) * std::exp(-(t - length) / release);
    if (t > end - kFinalFade) level *= (end - t) / kFinalFade;
    return level;
}

double Envelope::End(double length) const { return std::max(length, 0.0) + kReleaseSpan * release + kFinalFade; }

}  // namespace dmo_nimra::synth
