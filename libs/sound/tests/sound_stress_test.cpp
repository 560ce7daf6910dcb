// Two threads pause, resume, move and read one playing channel while the
// audio callback mixes it and a third thread calls update, as the update
// thread does each frame. The track is short, so it also ends and is revived
// while the calls race. A watchdog fails the test instead of letting it hang.
#include <sound/fmod_api.h>
#include <sound/fmod_check.h>

#include <gtest/gtest.h>

#include <hlv_testing/watchdog.h>

#include "tone_track.h"

#include <atomic>
#include <chrono>
#include <random>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
using hlv_testing::CWatchdog;

TEST(SoundStress, ChannelCallsRaceTheAudioCallback)
{
    CWatchdog watchdog(90s, "channel calls racing the audio callback");
    const auto track = sound_testing::MakeToneTrack("stress_tone", 44100, 2, 44100 / 2, 330.0, 128);

    FMOD::System* system = nullptr;
    ASSERT_EQ(FMOD_System_Create(&system), FMOD_OK);
    ASSERT_EQ(system->init(100, FMOD_INIT_NORMAL, nullptr), FMOD_OK) << sound::LastErrorDetail();
    FMOD::Sound* sound = nullptr;
    ASSERT_EQ(system->createSound(track.path.c_str(), FMOD_SOFTWARE, nullptr, &sound), FMOD_OK);
    unsigned int length = 0;
    ASSERT_EQ(sound->getLength(&length, FMOD_TIMEUNIT_MS), FMOD_OK);
    FMOD::Channel* channel = nullptr;
    ASSERT_EQ(system->playSound(FMOD_CHANNEL_FREE, sound, false, &channel), FMOD_OK);

    const auto stopAt = std::chrono::steady_clock::now() + 4s;
    std::atomic<long> calls{0};
    std::atomic<long> endsSeen{0};
    std::atomic<long> wrong{0};

    auto caller = [&](unsigned int seed) {
        std::mt19937 random(seed);
        long local = 0;
        while (std::chrono::steady_clock::now() < stopAt) {
            bool flag = false;
            unsigned int position = 0;
            FMOD_RESULT result = FMOD_OK;
            switch (random() % 6) {
            case 0: result = channel->setPaused(true); break;
            case 1: result = channel->setPaused(false); break;
            case 2:
                result = channel->setPosition(static_cast<unsigned int>(random() % (length + 50)), FMOD_TIMEUNIT_MS);
                break;
            case 3:
                result = channel->getPosition(&position, FMOD_TIMEUNIT_MS);
                if (position > length) wrong.fetch_add(1);
                break;
            case 4:
                result = channel->isPlaying(&flag);
                if (result == FMOD_ERR_INVALID_HANDLE) {
                    endsSeen.fetch_add(1);
                    if (flag) wrong.fetch_add(1);
                    result = FMOD_OK;
                }
                break;
            default: result = channel->getPaused(&flag); break;
            }
            if (result != FMOD_OK) wrong.fetch_add(1);
            ++local;
            // Let the callback in now and then, so the channel plays to its end.
            if (local % 64 == 0) std::this_thread::sleep_for(200us);
        }
        calls.fetch_add(local);
    };

    std::thread updater([&] {
        while (std::chrono::steady_clock::now() < stopAt) {
            if (system->update() != FMOD_OK) wrong.fetch_add(1);
            std::this_thread::sleep_for(1ms);
        }
    });
    std::thread first(caller, 1u);
    std::thread second(caller, 2u);
    first.join();
    second.join();
    updater.join();

    EXPECT_EQ(wrong.load(), 0);
    EXPECT_GT(calls.load(), 1000);
    RecordProperty("calls", std::to_string(calls.load()));
    RecordProperty("ends_seen", std::to_string(endsSeen.load()));

    // Whatever the race left, the channel still answers as a channel should.
    ASSERT_EQ(channel->setPosition(0, FMOD_TIMEUNIT_MS), FMOD_OK);
    ASSERT_EQ(channel->setPaused(false), FMOD_OK);
    bool playing = false;
    EXPECT_EQ(channel->isPlaying(&playing), FMOD_OK);
    EXPECT_TRUE(playing);
    EXPECT_EQ(system->release(), FMOD_OK);
}

}  // namespace
