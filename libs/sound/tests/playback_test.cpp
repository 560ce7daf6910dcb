// Playback in real time through the output this machine offers; run a second
// time with silent mode forced. Rates are measured between two moments at
// which the position has just moved, over seconds, so that neither the
// device's buffer size nor a late wake-up of this thread decides the result.
#include <sound/fmod_api.h>
#include <sound/fmod_check.h>

#include <gtest/gtest.h>

#include <SDL.h>

#include "tone_track.h"

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
using sound_testing::StereoTone;
using namespace std::chrono_literals;

// One device buffer (about 23 ms) plus room for a late wake-up of the test.
constexpr double kSlackMs = 60.0;

double MsBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

bool SilentModeForced()
{
    const char* value = std::getenv(sound::kSilentModeVariable);
    return value && *value && std::strcmp(value, "0") != 0;
}

struct PositionSample {
    Clock::time_point when;
    unsigned int position = 0;
};

class Playback : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(FMOD_System_Create(&system_), FMOD_OK);
        ASSERT_EQ(system_->init(100, FMOD_INIT_NORMAL, nullptr), FMOD_OK) << sound::LastErrorDetail();
        ASSERT_EQ(system_->createSound(StereoTone().path.c_str(), FMOD_SOFTWARE, nullptr, &sound_), FMOD_OK)
            << sound::LastErrorDetail();
        ASSERT_EQ(sound_->getLength(&length_, FMOD_TIMEUNIT_MS), FMOD_OK);
    }
    void TearDown() override
    {
        if (system_) system_->release();
    }

    FMOD::Channel* PlayPaused()
    {
        FMOD::Channel* channel = nullptr;
        EXPECT_EQ(system_->playSound(FMOD_CHANNEL_FREE, sound_, true, &channel), FMOD_OK);
        return channel;
    }

    static unsigned int Position(FMOD::Channel* channel)
    {
        unsigned int position = 0;
        EXPECT_EQ(channel->getPosition(&position, FMOD_TIMEUNIT_MS), FMOD_OK);
        return position;
    }

    // The first moment the position differs from what it is now.
    static PositionSample NextMove(FMOD::Channel* channel)
    {
        const unsigned int start = Position(channel);
        const auto deadline = Clock::now() + 2s;
        PositionSample sample;
        do {
            std::this_thread::sleep_for(200us);
            sample.when = Clock::now();
            sample.position = Position(channel);
        } while (sample.position == start && sample.when < deadline);
        EXPECT_NE(sample.position, start) << "the position did not move within 2 s";
        return sample;
    }

    // Position moved over a span of real time, at the rate of real time.
    static void ExpectFollowedRealTime(unsigned int from, unsigned int to, double elapsedMs)
    {
        const double moved = static_cast<double>(to) - static_cast<double>(from);
        EXPECT_GE(moved, elapsedMs * 0.95 - kSlackMs) << "over " << elapsedMs << " ms";
        EXPECT_LE(moved, elapsedMs * 1.05 + kSlackMs) << "over " << elapsedMs << " ms";
    }

    // Polls isPlaying until it fails; returns that result and when it came.
    static FMOD_RESULT WaitUntilNotPlaying(FMOD::Channel* channel, Clock::time_point& when)
    {
        const auto deadline = Clock::now() + 10s;
        bool playing = true;
        FMOD_RESULT result = FMOD_OK;
        while ((result = channel->isPlaying(&playing)) == FMOD_OK && Clock::now() < deadline)
            std::this_thread::sleep_for(1ms);
        when = Clock::now();
        EXPECT_FALSE(playing);
        return result;
    }

    FMOD::System* system_ = nullptr;
    FMOD::Sound* sound_ = nullptr;
    unsigned int length_ = 0;
};

TEST_F(Playback, OutputInUseIsReported)
{
    const char* driver = SDL_GetCurrentAudioDriver();
    ASSERT_NE(driver, nullptr);
    RecordProperty("audio_driver", driver);
    std::cout << "audio driver: " << driver << (SilentModeForced() ? " (silent mode forced)" : "") << std::endl;
    if (SilentModeForced()) {
        EXPECT_STREQ(driver, "dummy");
    }
}

TEST_F(Playback, LengthIsTheSourceLength)
{
    const auto& source = StereoTone();
    const double expected = source.Seconds() * 1000.0;
    EXPECT_NEAR(length_, expected, 1000.0 * source.MpegFrameSamples() / source.rate + 1.0);

    const auto& mono = sound_testing::MonoTone();
    FMOD::Sound* other = nullptr;
    ASSERT_EQ(system_->createSound(mono.path.c_str(), FMOD_SOFTWARE, nullptr, &other), FMOD_OK);
    unsigned int monoLength = 0;
    ASSERT_EQ(other->getLength(&monoLength, FMOD_TIMEUNIT_MS), FMOD_OK);
    EXPECT_NEAR(monoLength, mono.Seconds() * 1000.0, 1000.0 * mono.MpegFrameSamples() / mono.rate + 1.0);
}

TEST_F(Playback, ChannelStartsPausedAtZeroAndMovesInRealTimeOnlyWhilePlaying)
{
    FMOD::Channel* channel = PlayPaused();
    ASSERT_NE(channel, nullptr);
    bool flag = false;
    EXPECT_EQ(channel->getPaused(&flag), FMOD_OK);
    EXPECT_TRUE(flag);
    EXPECT_EQ(channel->isPlaying(&flag), FMOD_OK);
    EXPECT_TRUE(flag);
    EXPECT_EQ(Position(channel), 0u);
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(Position(channel), 0u);

    ASSERT_EQ(channel->setPaused(false), FMOD_OK);
    const PositionSample first = NextMove(channel);
    std::this_thread::sleep_for(3s);
    const PositionSample last = NextMove(channel);
    const double elapsed = MsBetween(first.when, last.when);
    const double rate = (last.position - first.position) / elapsed;
    RecordProperty("rate_vs_real_time", std::to_string(rate));
    EXPECT_NEAR(rate, 1.0, 0.05) << (last.position - first.position) << " ms of sound in " << elapsed << " ms";

    ASSERT_EQ(channel->setPaused(true), FMOD_OK);
    EXPECT_EQ(channel->getPaused(&flag), FMOD_OK);
    EXPECT_TRUE(flag);
    const unsigned int held = Position(channel);
    std::this_thread::sleep_for(500ms);
    EXPECT_EQ(Position(channel), held);

    ASSERT_EQ(channel->setPaused(false), FMOD_OK);
    const auto resumed = Clock::now();
    std::this_thread::sleep_for(400ms);
    ExpectFollowedRealTime(held, Position(channel), MsBetween(resumed, Clock::now()));
}

TEST_F(Playback, TheOutputClockKeepsTimeWithAPlayingChannel)
{
    auto clockMs = [this] {
        unsigned int hi = 0;
        unsigned int lo = 0;
        EXPECT_EQ(system_->getDSPClock(&hi, &lo), FMOD_OK);
        return static_cast<double>((static_cast<std::uint64_t>(hi) << 32) | lo) * 1000.0 / 44100.0;
    };
    FMOD::Channel* channel = PlayPaused();
    ASSERT_NE(channel, nullptr);
    // The clock runs while nothing plays.
    const double idle = clockMs();
    std::this_thread::sleep_for(300ms);
    EXPECT_GT(clockMs(), idle + 150.0);

    ASSERT_EQ(channel->setPaused(false), FMOD_OK);
    const double clockStart = clockMs();
    const unsigned int positionStart = Position(channel);
    double previous = clockStart;
    for (int i = 0; i < 200; ++i) {
        std::this_thread::sleep_for(5ms);
        const double now = clockMs();
        ASSERT_GE(now, previous) << "the clock ran backwards";
        previous = now;
    }
    const double clockMoved = clockMs() - clockStart;
    const double positionMoved = static_cast<double>(Position(channel)) - positionStart;
    EXPECT_GT(clockMoved, 700.0);
    // Both count the frames the device took; they differ by at most the
    // buffer being played when each was read.
    EXPECT_NEAR(clockMoved, positionMoved, 60.0);
    unsigned int hi = 0;
    EXPECT_EQ(system_->getDSPClock(&hi, nullptr), FMOD_ERR_INVALID_PARAM);
}

TEST_F(Playback, SetPositionMovesThePausedAndThePlayingChannel)
{
    FMOD::Channel* channel = PlayPaused();
    ASSERT_NE(channel, nullptr);
    ASSERT_EQ(channel->setPosition(2500, FMOD_TIMEUNIT_MS), FMOD_OK);
    EXPECT_EQ(Position(channel), 2500u);
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(Position(channel), 2500u);

    ASSERT_EQ(channel->setPaused(false), FMOD_OK);
    auto from = Clock::now();
    std::this_thread::sleep_for(500ms);
    ExpectFollowedRealTime(2500, Position(channel), MsBetween(from, Clock::now()));

    ASSERT_EQ(channel->setPosition(1000, FMOD_TIMEUNIT_MS), FMOD_OK);
    from = Clock::now();
    const unsigned int moved = Position(channel);
    EXPECT_GE(moved, 1000u);
    EXPECT_LE(moved, 1000u + kSlackMs);
    std::this_thread::sleep_for(500ms);
    ExpectFollowedRealTime(1000, Position(channel), MsBetween(from, Clock::now()));
}

TEST_F(Playback, EndOfTrackEndsTheChannelOnTimeAndPlayingAgainStartsAtZero)
{
    FMOD::Channel* channel = PlayPaused();
    ASSERT_NE(channel, nullptr);
    constexpr unsigned int kLeft = 800;
    ASSERT_EQ(channel->setPosition(length_ - kLeft, FMOD_TIMEUNIT_MS), FMOD_OK);
    const auto start = Clock::now();
    ASSERT_EQ(channel->setPaused(false), FMOD_OK);
    Clock::time_point ended;
    EXPECT_EQ(WaitUntilNotPlaying(channel, ended), FMOD_ERR_INVALID_HANDLE);
    const double took = MsBetween(start, ended);
    RecordProperty("last_800_ms_took_ms", std::to_string(took));
    EXPECT_GE(took, kLeft * 0.95 - kSlackMs);
    EXPECT_LE(took, kLeft * 1.05 + kSlackMs);
    EXPECT_EQ(Position(channel), length_);

    FMOD::Channel* again = PlayPaused();
    ASSERT_NE(again, nullptr);
    ASSERT_NE(again, channel);
    bool flag = false;
    EXPECT_EQ(again->isPlaying(&flag), FMOD_OK);
    EXPECT_EQ(again->getPaused(&flag), FMOD_OK);
    EXPECT_TRUE(flag);
    EXPECT_EQ(Position(again), 0u);
    EXPECT_EQ(channel->isPlaying(&flag), FMOD_ERR_INVALID_HANDLE);

    ASSERT_EQ(again->setPaused(false), FMOD_OK);
    const auto from = Clock::now();
    std::this_thread::sleep_for(400ms);
    ExpectFollowedRealTime(0, Position(again), MsBetween(from, Clock::now()));
}

TEST_F(Playback, EndedChannelKeepsAPauseChangeAndIsRevivedBySetPosition)
{
    FMOD::Channel* channel = PlayPaused();
    ASSERT_NE(channel, nullptr);
    ASSERT_EQ(channel->setPosition(length_ - 100, FMOD_TIMEUNIT_MS), FMOD_OK);
    ASSERT_EQ(channel->setPaused(false), FMOD_OK);
    Clock::time_point ended;
    ASSERT_EQ(WaitUntilNotPlaying(channel, ended), FMOD_ERR_INVALID_HANDLE);

    bool flag = false;
    EXPECT_EQ(channel->setPaused(true), FMOD_OK);
    EXPECT_EQ(channel->getPaused(&flag), FMOD_OK);
    EXPECT_TRUE(flag);
    EXPECT_EQ(channel->setPaused(false), FMOD_OK);
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(channel->isPlaying(&flag), FMOD_ERR_INVALID_HANDLE);
    EXPECT_EQ(Position(channel), length_);

    // What a click on the timeline does after the music has ended.
    constexpr unsigned int kLeft = 700;
    ASSERT_EQ(channel->setPosition(length_ - kLeft, FMOD_TIMEUNIT_MS), FMOD_OK);
    const auto revived = Clock::now();
    EXPECT_EQ(channel->isPlaying(&flag), FMOD_OK);
    EXPECT_TRUE(flag);
    EXPECT_EQ(WaitUntilNotPlaying(channel, ended), FMOD_ERR_INVALID_HANDLE);
    const double took = MsBetween(revived, ended);
    EXPECT_GE(took, kLeft * 0.95 - kSlackMs);
    EXPECT_LE(took, kLeft * 1.05 + kSlackMs);
}

TEST_F(Playback, MissingAndCorruptFilesGiveAnErrorAndNoSound)
{
    FMOD::Sound* sound = nullptr;
    const std::string missing = (sound_testing::ScratchDirectory() / "missing.mp3").string();
    EXPECT_EQ(system_->createSound(missing.c_str(), FMOD_SOFTWARE, nullptr, &sound), FMOD_ERR_FILE_NOT_FOUND);
    EXPECT_EQ(sound, nullptr);
    EXPECT_NE(sound::LastErrorDetail().find(missing), std::string::npos);

    std::string text;
    for (int i = 0; i < 500; ++i) text += "ID3 is not enough. ";
    std::string garbled(32 * 1024, '\0');
    for (std::size_t i = 0; i < garbled.size(); ++i) garbled[i] = static_cast<char>((i * 2654435761u) >> 13);
    for (const auto& [name, bytes] : {std::pair{"text.mp3", text}, std::pair{"garbled.mp3", garbled}}) {
        SCOPED_TRACE(name);
        const auto path = sound_testing::WriteScratchFile(name, bytes);
        sound = reinterpret_cast<FMOD::Sound*>(this);
        EXPECT_EQ(system_->createSound(path.c_str(), FMOD_SOFTWARE, nullptr, &sound), FMOD_ERR_FORMAT);
        EXPECT_EQ(sound, nullptr);
        EXPECT_NE(sound::LastErrorDetail().find(path.string()), std::string::npos);
    }

    // The system goes on working.
    FMOD::Channel* channel = PlayPaused();
    ASSERT_NE(channel, nullptr);
    ASSERT_EQ(channel->setPaused(false), FMOD_OK);
    EXPECT_NE(NextMove(channel).position, 0u);
    EXPECT_EQ(system_->update(), FMOD_OK);
}

}  // namespace
