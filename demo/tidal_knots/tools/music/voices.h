#pragma once
// The instruments' voices: each renders one note of the score, from the
// note's start until its tail has died away, into a voice output.
#include <algorithm>
#include <cstdint>

#include "music/audio_buffer.h"
#include "music/score.h"

namespace dmo_nimra::synth {

// Where a voice's frames go: its bus and, scaled, the reverb send.
class VoiceOutput {
public:
    VoiceOutput(StereoBuffer& bus, float gain, StereoBuffer& send, float sendGain)
        : m_bus(bus), m_send(send), m_gain(gain), m_sendGain(sendGain)
    {
    }

    void Add(std::int64_t frame, float left, float right)
    {
        m_bus.Add(frame, m_gain * left, m_gain * right);
        if (m_sendGain > 0.0f) m_send.Add(frame, m_sendGain * left, m_sendGain * right);
    }
    // The first frame past the buffers: a voice may stop rendering there.
    std::int64_t EndFrame() const { return m_bus.EndFrame(); }

private:
    StereoBuffer& m_bus;
    StereoBuffer& m_send;
    float m_gain;
    float m_sendGain;
};

// Seconds from the note's start to the end of its voice.
double VoiceDuration(const NoteEvent& note);

// Renders the note; frames outside the output's buffers are dropped.
void RenderVoice(const NoteEvent& note, VoiceOutput& output);

// The voices of each instrument family (drums.cpp, tonal.cpp).
double DrumDuration(const NoteEvent& note);
void RenderDrum(const NoteEvent& note, VoiceOutput& output);
double TonalDuration(const NoteEvent& note);
void RenderTonal(const NoteEvent& note, VoiceOutput& output);

// Calls sample(t) -> {left, right} for every frame of a voice that lasts
// duration seconds from the note's start, t in seconds since the start, and
// adds the results to the output.
template <typename Sample>
void RenderFrames(const NoteEvent& note, double duration, VoiceOutput& output, Sample&& sample)
{
    const std::int64_t first = FrameAt(note.time);
    const std::int64_t end = std::min(first + FrameAt(duration) + 1, output.EndFrame());
    for (std::int64_t frame = first; frame < end; ++frame) {
        const auto [left, right] = sample(static_cast<double>(frame - first) / kSampleRate);
        output.Add(frame, left, right);
    }
}

// A seed for the note's noise: the same note always sounds the same.
inline std::uint64_t NoteSeed(const NoteEvent& note)
{
    return static_cast<std::uint64_t>(FrameAt(note.time)) * 131u + static_cast<std::uint64_t>(note.instrument) * 17u +
           static_cast<std::uint64_t>(note.note);
}

}  // namespace dmo_nimra::synth
