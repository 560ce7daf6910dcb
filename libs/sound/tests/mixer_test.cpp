// The mixer driven buffer by buffer, as the audio callback drives it.
#include "mixer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace sound {
namespace {

// A track whose left sample at frame i is i + 1 and right sample -(i + 1).
PcmTrack RampTrack(std::uint64_t frames)
{
    PcmTrack track;
    for (std::uint64_t i = 0; i < frames; ++i) {
        track.samples.push_back(static_cast<std::int16_t>(i + 1));
        track.samples.push_back(static_cast<std::int16_t>(-static_cast<int>(i + 1)));
    }
    return track;
}

PcmTrack ConstantTrack(std::uint64_t frames, std::int16_t value)
{
    PcmTrack track;
    track.samples.assign(frames * kOutputChannels, value);
    return track;
}

std::vector<std::int16_t> MixFrames(Mixer& mixer, std::size_t frames)
{
    std::vector<std::int16_t> out(frames * kOutputChannels, 12345);
    mixer.Mix(out.data(), frames);
    return out;
}

std::uint64_t PositionOf(Mixer& mixer, VoiceRef voice)
{
    std::uint64_t frame = ~0ull;
    EXPECT_EQ(mixer.GetPosition(voice, frame), FMOD_OK);
    return frame;
}

bool Silent(const std::vector<std::int16_t>& samples, std::size_t from = 0)
{
    for (std::size_t i = from; i < samples.size(); ++i)
        if (samples[i] != 0) return false;
    return true;
}

TEST(Mixer, PausedChannelStaysAtZeroAndGivesSilence)
{
    Mixer mixer(4);
    const PcmTrack track = RampTrack(100);
    VoiceRef voice;
    ASSERT_EQ(mixer.Start(track, true, voice), FMOD_OK);
    EXPECT_TRUE(Silent(MixFrames(mixer, 32)));
    EXPECT_EQ(PositionOf(mixer, voice), 0u);
    bool paused = false;
    EXPECT_EQ(mixer.GetPaused(voice, paused), FMOD_OK);
    EXPECT_TRUE(paused);
    bool playing = false;
    EXPECT_EQ(mixer.IsPlaying(voice, playing), FMOD_OK);
    EXPECT_TRUE(playing);
}

TEST(Mixer, PlayingChannelAdvancesByTheFramesHandedOut)
{
    Mixer mixer(4);
    const PcmTrack track = RampTrack(100);
    VoiceRef voice;
    ASSERT_EQ(mixer.Start(track, false, voice), FMOD_OK);
    const auto first = MixFrames(mixer, 10);
    EXPECT_EQ(PositionOf(mixer, voice), 10u);
    EXPECT_EQ(std::vector<std::int16_t>(track.samples.begin(), track.samples.begin() + 20), first);
    const auto second = MixFrames(mixer, 5);
    EXPECT_EQ(second[0], 11);
    EXPECT_EQ(second[1], -11);
    EXPECT_EQ(PositionOf(mixer, voice), 15u);

    ASSERT_EQ(mixer.SetPaused(voice, true), FMOD_OK);
    EXPECT_TRUE(Silent(MixFrames(mixer, 50)));
    EXPECT_EQ(PositionOf(mixer, voice), 15u);
    ASSERT_EQ(mixer.SetPaused(voice, false), FMOD_OK);
    EXPECT_EQ(MixFrames(mixer, 1)[0], 16);
}

TEST(Mixer, SetPositionMovesAndClampsToTheEnd)
{
    Mixer mixer(1);
    const PcmTrack track = RampTrack(100);
    VoiceRef voice;
    ASSERT_EQ(mixer.Start(track, true, voice), FMOD_OK);
    ASSERT_EQ(mixer.SetPosition(voice, 40), FMOD_OK);
    EXPECT_EQ(PositionOf(mixer, voice), 40u);
    ASSERT_EQ(mixer.SetPaused(voice, false), FMOD_OK);
    EXPECT_EQ(MixFrames(mixer, 1)[0], 41);

    ASSERT_EQ(mixer.SetPosition(voice, 5000), FMOD_OK);
    EXPECT_EQ(PositionOf(mixer, voice), 100u);
    EXPECT_TRUE(Silent(MixFrames(mixer, 8)));
    bool playing = true;
    EXPECT_EQ(mixer.IsPlaying(voice, playing), FMOD_ERR_INVALID_HANDLE);
    EXPECT_FALSE(playing);
}

TEST(Mixer, EndOfTrackEndsTheChannelWithSilenceAfterTheLastFrame)
{
    Mixer mixer(2);
    const PcmTrack track = RampTrack(10);
    VoiceRef voice;
    ASSERT_EQ(mixer.Start(track, false, voice), FMOD_OK);
    const auto out = MixFrames(mixer, 16);
    EXPECT_EQ(out[18], 10);
    EXPECT_TRUE(Silent(out, 20));
    EXPECT_EQ(PositionOf(mixer, voice), 10u);
    bool playing = true;
    EXPECT_EQ(mixer.IsPlaying(voice, playing), FMOD_ERR_INVALID_HANDLE);
    EXPECT_FALSE(playing);
    // An ended channel keeps its pause state readable and stays put.
    bool paused = true;
    EXPECT_EQ(mixer.GetPaused(voice, paused), FMOD_OK);
    EXPECT_FALSE(paused);
    EXPECT_TRUE(Silent(MixFrames(mixer, 16)));
    EXPECT_EQ(PositionOf(mixer, voice), 10u);
}

TEST(Mixer, EndedChannelKeepsAPauseChangeAndIsRevivedBySetPosition)
{
    Mixer mixer(1);
    const PcmTrack track = RampTrack(10);
    VoiceRef voice;
    ASSERT_EQ(mixer.Start(track, false, voice), FMOD_OK);
    MixFrames(mixer, 10);
    bool playing = true;
    ASSERT_EQ(mixer.IsPlaying(voice, playing), FMOD_ERR_INVALID_HANDLE);

    // Pausing and resuming an ended channel does not revive it.
    ASSERT_EQ(mixer.SetPaused(voice, true), FMOD_OK);
    ASSERT_EQ(mixer.SetPaused(voice, false), FMOD_OK);
    EXPECT_EQ(mixer.IsPlaying(voice, playing), FMOD_ERR_INVALID_HANDLE);
    EXPECT_TRUE(Silent(MixFrames(mixer, 4)));

    // Setting the position does; it plays on from there.
    ASSERT_EQ(mixer.SetPosition(voice, 3), FMOD_OK);
    EXPECT_EQ(mixer.IsPlaying(voice, playing), FMOD_OK);
    EXPECT_TRUE(playing);
    EXPECT_EQ(MixFrames(mixer, 2)[0], 4);
    EXPECT_EQ(PositionOf(mixer, voice), 5u);

    // Revived while paused: it holds its new position.
    MixFrames(mixer, 10);
    ASSERT_EQ(mixer.SetPaused(voice, true), FMOD_OK);
    ASSERT_EQ(mixer.SetPosition(voice, 7), FMOD_OK);
    EXPECT_TRUE(Silent(MixFrames(mixer, 4)));
    EXPECT_EQ(PositionOf(mixer, voice), 7u);
    EXPECT_EQ(mixer.IsPlaying(voice, playing), FMOD_OK);
}

TEST(Mixer, PlayingChannelsAreSummedAndClipped)
{
    Mixer mixer(3);
    const PcmTrack loud = ConstantTrack(8, 30000);
    const PcmTrack quiet = ConstantTrack(4, -1000);
    VoiceRef a, b, c;
    ASSERT_EQ(mixer.Start(loud, false, a), FMOD_OK);
    ASSERT_EQ(mixer.Start(quiet, false, b), FMOD_OK);
    auto out = MixFrames(mixer, 2);
    EXPECT_EQ(out[0], 29000);
    ASSERT_EQ(mixer.Start(loud, false, c), FMOD_OK);
    out = MixFrames(mixer, 4);
    EXPECT_EQ(out[0], 32767);  // 30000 + 30000 - 1000, clipped
    EXPECT_EQ(out[5], 32767);  // the quiet one has ended after two more frames
    EXPECT_EQ(PositionOf(mixer, a), 6u);
    EXPECT_EQ(PositionOf(mixer, b), 4u);
    EXPECT_EQ(PositionOf(mixer, c), 4u);

    const PcmTrack low = ConstantTrack(4, -30000);
    ASSERT_EQ(mixer.SetPaused(a, true), FMOD_OK);
    ASSERT_EQ(mixer.SetPaused(c, true), FMOD_OK);
    VoiceRef d;
    ASSERT_EQ(mixer.Start(low, false, d), FMOD_OK);  // takes the ended slot of b
    VoiceRef e;
    ASSERT_EQ(mixer.SetPaused(a, false), FMOD_OK);
    out = MixFrames(mixer, 1);
    EXPECT_EQ(out[0], 0);  // 30000 - 30000
    ASSERT_EQ(mixer.SetPaused(a, true), FMOD_OK);
    ASSERT_EQ(mixer.Start(low, false, e), FMOD_ERR_CHANNEL_ALLOC);
    (void)e;
}

TEST(Mixer, SlotsAreTakenNeverUsedFirstThenLongestEnded)
{
    Mixer mixer(3);
    const PcmTrack track = RampTrack(4);
    VoiceRef a, b, c;
    ASSERT_EQ(mixer.Start(track, true, a), FMOD_OK);
    ASSERT_EQ(mixer.Start(track, true, b), FMOD_OK);
    ASSERT_EQ(mixer.Start(track, true, c), FMOD_OK);
    EXPECT_EQ(a.slot, 0u);
    EXPECT_EQ(b.slot, 1u);
    EXPECT_EQ(c.slot, 2u);
    VoiceRef none;
    EXPECT_EQ(mixer.Start(track, true, none), FMOD_ERR_CHANNEL_ALLOC);

    // c ends first, then a; b stays paused.
    ASSERT_EQ(mixer.SetPaused(c, false), FMOD_OK);
    MixFrames(mixer, 4);
    ASSERT_EQ(mixer.SetPaused(a, false), FMOD_OK);
    MixFrames(mixer, 4);

    VoiceRef d;
    ASSERT_EQ(mixer.Start(track, true, d), FMOD_OK);
    EXPECT_EQ(d.slot, c.slot);
    VoiceRef e;
    ASSERT_EQ(mixer.Start(track, true, e), FMOD_OK);
    EXPECT_EQ(e.slot, a.slot);
    EXPECT_EQ(mixer.Start(track, true, none), FMOD_ERR_CHANNEL_ALLOC);

    // The references of the taken-over channels are stale for every call,
    // setPosition included; the new ones are not disturbed by them.
    bool flag = false;
    std::uint64_t frame = 0;
    EXPECT_EQ(mixer.IsPlaying(c, flag), FMOD_ERR_INVALID_HANDLE);
    EXPECT_EQ(mixer.GetPaused(c, flag), FMOD_ERR_INVALID_HANDLE);
    EXPECT_EQ(mixer.GetPosition(c, frame), FMOD_ERR_INVALID_HANDLE);
    EXPECT_EQ(mixer.SetPaused(c, false), FMOD_ERR_INVALID_HANDLE);
    EXPECT_EQ(mixer.SetPosition(c, 1), FMOD_ERR_INVALID_HANDLE);
    EXPECT_EQ(PositionOf(mixer, d), 0u);
    EXPECT_EQ(mixer.GetPaused(d, flag), FMOD_OK);
    EXPECT_TRUE(flag);
    EXPECT_EQ(mixer.IsPlaying(d, flag), FMOD_OK);
}

TEST(Mixer, ReferencesOutOfRangeOrNeverStartedAreInvalid)
{
    Mixer mixer(2);
    bool flag = false;
    EXPECT_EQ(mixer.IsPlaying(VoiceRef{0, 0}, flag), FMOD_ERR_INVALID_HANDLE);
    EXPECT_EQ(mixer.IsPlaying(VoiceRef{7, 1}, flag), FMOD_ERR_INVALID_HANDLE);
    EXPECT_EQ(mixer.SetPosition(VoiceRef{2, 1}, 0), FMOD_ERR_INVALID_HANDLE);
}

TEST(Mixer, BufferLargerThanReservedIsStillMixed)
{
    Mixer mixer(1);
    mixer.ReserveFrames(4);
    const PcmTrack track = RampTrack(100);
    VoiceRef voice;
    ASSERT_EQ(mixer.Start(track, false, voice), FMOD_OK);
    const auto out = MixFrames(mixer, 64);
    EXPECT_EQ(out[126], 64);
    EXPECT_EQ(PositionOf(mixer, voice), 64u);
}

}  // namespace
}  // namespace sound
