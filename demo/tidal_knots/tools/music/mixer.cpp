#include "music/mixer.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

#include "music/effects.h"
#include "music/master.h"
#include "music/voices.h"

namespace dmo_nimra::synth {

namespace {

enum class Bus { Drums, Bass, Pads, Arp };
constexpr std::array<Bus, 4> kBuses{Bus::Drums, Bus::Bass, Bus::Pads, Bus::Arp};

// One line of the mixing desk.
struct ChannelStrip {
    Instrument instrument;
    Bus bus;
    float gain;
    float reverbSend;
};

constexpr std::array<ChannelStrip, 9> kDesk{{
    {Instrument::Kick, Bus::Drums, 0.55f, 0.0f},
    {Instrument::Snare, Bus::Drums, 0.5f, 0.35f},
    {Instrument::Hat, Bus::Drums, 0.3f, 0.12f},
    {Instrument::OpenHat, Bus::Drums, 0.22f, 0.2f},
    {Instrument::Crash, Bus::Drums, 0.16f, 0.4f},
    {Instrument::Riser, Bus::Drums, 0.22f, 0.3f},
    {Instrument::Bass, Bus::Bass, 0.27f, 0.0f},
    {Instrument::Pad, Bus::Pads, 0.3f, 0.3f},
    {Instrument::Arp, Bus::Arp, 0.35f, 0.25f},
}};

const ChannelStrip& StripOf(Instrument instrument)
{
    for (const ChannelStrip& strip : kDesk)
        if (strip.instrument == instrument) return strip;
    return kDesk.front();
}

constexpr ReverbSettings kReverb{2.2, 0.02, 4500.0, 0.55};
constexpr DuckSettings kPadDucking{0.35, 0.008, 0.16};
constexpr DuckSettings kBassDucking{0.3, 0.004, 0.08};
constexpr CompressorSettings kGlue{-20.0, 2.0, 8.0, 0.012, 0.2, 4.5};
constexpr LimiterSettings kLimiter{-1.5, 0.003, 0.08};
constexpr double kFadeIn = 0.01;

void ProcessBus(Bus bus, StereoBuffer& buffer, const std::vector<double>& kicks)
{
    switch (bus) {
    case Bus::Bass: ApplyKickDucking(buffer, kicks, kBassDucking); break;
    case Bus::Pads: ApplyKickDucking(buffer, kicks, kPadDucking); break;
    case Bus::Arp: ApplyPingPongEcho(buffer, EchoSettings{}); break;
    case Bus::Drums: break;
    }
}

}  // namespace

StereoBuffer RenderScore(const Score& score, double from, double to)
{
    const std::int64_t first = FrameAt(from);
    const std::size_t frames = static_cast<std::size_t>(std::max<std::int64_t>(FrameAt(to) - first, 0));
    StereoBuffer master(first, frames);
    StereoBuffer bus(first, frames);
    StereoBuffer send(first, frames);
    const std::vector<double> kicks = score.KickTimes();

    for (Bus busName : kBuses) {
        bus.Clear();
        for (const NoteEvent& note : score.events) {
            const ChannelStrip& strip = StripOf(note.instrument);
            if (strip.bus != busName) continue;
            if (note.time >= to || note.time + VoiceDuration(note) < from) continue;
            VoiceOutput output(bus, strip.gain, send, strip.gain * strip.reverbSend);
            RenderVoice(note, output);
        }
        ProcessBus(busName, bus, kicks);
        master.Mix(bus);
    }
    AddReverb(send, master, kReverb);

    Compress(master, kGlue);
    Limit(master, kLimiter);
    // The gain changes weigh a kick's first swing more than the rest and so
    // leave a trace of DC; taking it out moves a few peaks, which a second
    // pass of the limiter brings back under the ceiling.
    RemoveDc(master);
    Limit(master, kLimiter);
    ApplyEdgeFades(master, score.length, kFadeIn, score.fadeOut);
    return master;
}

StereoBuffer RenderScore(const Score& score) { return RenderScore(score, 0.0, score.length); }

}  // namespace dmo_nimra::synth
