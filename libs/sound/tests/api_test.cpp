// The calls' contract: arguments, order of calls, channel slots and handles.
#include <sound/fmod_api.h>
#include <sound/fmod_check.h>

#include <gtest/gtest.h>

#include "tone_track.h"

#include <chrono>
#include <thread>

namespace {

using sound_testing::StereoTone;

class InitialisedSystem : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(FMOD_System_Create(&system_), FMOD_OK);
        ASSERT_EQ(system_->init(channels_, FMOD_INIT_NORMAL, nullptr), FMOD_OK) << sound::LastErrorDetail();
        ASSERT_EQ(system_->createSound(StereoTone().path.c_str(), FMOD_SOFTWARE, nullptr, &sound_), FMOD_OK)
            << sound::LastErrorDetail();
    }
    void TearDown() override
    {
        if (system_) system_->release();
    }

    int channels_ = 100;
    FMOD::System* system_ = nullptr;
    FMOD::Sound* sound_ = nullptr;
};

class TwoChannelSystem : public InitialisedSystem {
protected:
    TwoChannelSystem() { channels_ = 2; }
};

// Waits until the channel has played to its end (the silent output plays in
// real time).
bool WaitForEnd(FMOD::Channel* channel)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    bool playing = true;
    while (channel->isPlaying(&playing) == FMOD_OK) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

TEST(SystemCalls, CreateNeedsAPlaceForTheSystem) { EXPECT_EQ(FMOD_System_Create(nullptr), FMOD_ERR_INVALID_PARAM); }

TEST(SystemCalls, InitRefusesWhatItCannotHonour)
{
    FMOD::System* system = nullptr;
    ASSERT_EQ(FMOD_System_Create(&system), FMOD_OK);
    int driverData = 0;
    EXPECT_EQ(system->init(0, FMOD_INIT_NORMAL, nullptr), FMOD_ERR_INVALID_PARAM);
    EXPECT_EQ(system->init(4097, FMOD_INIT_NORMAL, nullptr), FMOD_ERR_INVALID_PARAM);
    EXPECT_EQ(system->init(100, 0x2, nullptr), FMOD_ERR_INVALID_PARAM);
    EXPECT_EQ(system->init(100, FMOD_INIT_NORMAL, &driverData), FMOD_ERR_INVALID_PARAM);
    ASSERT_EQ(system->init(100, FMOD_INIT_NORMAL, nullptr), FMOD_OK);
    EXPECT_EQ(system->init(100, FMOD_INIT_NORMAL, nullptr), FMOD_ERR_INITIALIZED);
    EXPECT_EQ(system->release(), FMOD_OK);
}

TEST(SystemCalls, CallsBeforeInitAreRefused)
{
    FMOD::System* system = nullptr;
    ASSERT_EQ(FMOD_System_Create(&system), FMOD_OK);
    FMOD::Sound* sound = reinterpret_cast<FMOD::Sound*>(&system);
    EXPECT_EQ(system->createSound(StereoTone().path.c_str(), FMOD_SOFTWARE, nullptr, &sound), FMOD_ERR_UNINITIALIZED);
    EXPECT_EQ(sound, nullptr);
    FMOD::Channel* channel = nullptr;
    EXPECT_EQ(system->playSound(FMOD_CHANNEL_FREE, sound, true, &channel), FMOD_ERR_UNINITIALIZED);
    EXPECT_EQ(system->update(), FMOD_ERR_UNINITIALIZED);
    EXPECT_EQ(system->release(), FMOD_OK);
}

TEST(SystemCalls, OneSystemHoldsTheOutputAtATime)
{
    FMOD::System* first = nullptr;
    FMOD::System* second = nullptr;
    ASSERT_EQ(FMOD_System_Create(&first), FMOD_OK);
    ASSERT_EQ(FMOD_System_Create(&second), FMOD_OK);
    ASSERT_EQ(first->init(8, FMOD_INIT_NORMAL, nullptr), FMOD_OK);
    EXPECT_EQ(second->init(8, FMOD_INIT_NORMAL, nullptr), FMOD_ERR_OUTPUT_INIT);
    EXPECT_FALSE(sound::LastErrorDetail().empty());
    first->release();
    EXPECT_EQ(second->init(8, FMOD_INIT_NORMAL, nullptr), FMOD_OK);
    second->release();
}

TEST_F(InitialisedSystem, CreateSoundChecksItsArguments)
{
    FMOD::Sound* sound = nullptr;
    int info = 0;
    const char* path = StereoTone().path.c_str();
    EXPECT_EQ(system_->createSound(nullptr, FMOD_SOFTWARE, nullptr, &sound), FMOD_ERR_INVALID_PARAM);
    EXPECT_EQ(system_->createSound(path, FMOD_SOFTWARE, nullptr, nullptr), FMOD_ERR_INVALID_PARAM);
    EXPECT_EQ(system_->createSound(path, 0x80, nullptr, &sound), FMOD_ERR_INVALID_PARAM);
    EXPECT_EQ(system_->createSound(path, FMOD_SOFTWARE, &info, &sound), FMOD_ERR_INVALID_PARAM);
    EXPECT_EQ(sound, nullptr);
    EXPECT_EQ(system_->createSound(path, 0, nullptr, &sound), FMOD_OK);
    EXPECT_NE(sound, nullptr);
}

TEST_F(InitialisedSystem, PlaySoundTakesOnlyItsOwnSoundsOnAFreeChannel)
{
    FMOD::Channel* channel = nullptr;
    EXPECT_EQ(system_->playSound(0, sound_, true, &channel), FMOD_ERR_INVALID_PARAM);
    int stranger = 0;
    EXPECT_EQ(system_->playSound(FMOD_CHANNEL_FREE, reinterpret_cast<FMOD::Sound*>(&stranger), true, &channel),
              FMOD_ERR_INVALID_PARAM);
    EXPECT_EQ(system_->playSound(FMOD_CHANNEL_FREE, nullptr, true, &channel), FMOD_ERR_INVALID_PARAM);
    EXPECT_EQ(channel, nullptr);
    EXPECT_EQ(system_->playSound(FMOD_CHANNEL_FREE, sound_, true, nullptr), FMOD_OK);
    EXPECT_EQ(system_->playSound(FMOD_CHANNEL_FREE, sound_, true, &channel), FMOD_OK);
    EXPECT_NE(channel, nullptr);
    EXPECT_EQ(system_->update(), FMOD_OK);
}

TEST_F(InitialisedSystem, OnlyMillisecondsAndRealPointersAreAccepted)
{
    FMOD::Channel* channel = nullptr;
    ASSERT_EQ(system_->playSound(FMOD_CHANNEL_FREE, sound_, true, &channel), FMOD_OK);
    unsigned int value = 7;
    EXPECT_EQ(sound_->getLength(&value, 2), FMOD_ERR_INVALID_PARAM);
    EXPECT_EQ(sound_->getLength(nullptr, FMOD_TIMEUNIT_MS), FMOD_ERR_INVALID_PARAM);
    EXPECT_EQ(channel->getPosition(&value, 2), FMOD_ERR_INVALID_PARAM);
    EXPECT_EQ(channel->setPosition(100, 2), FMOD_ERR_INVALID_PARAM);
    EXPECT_EQ(channel->getPosition(nullptr, FMOD_TIMEUNIT_MS), FMOD_ERR_INVALID_PARAM);
    EXPECT_EQ(channel->getPaused(nullptr), FMOD_ERR_INVALID_PARAM);
    EXPECT_EQ(channel->isPlaying(nullptr), FMOD_ERR_INVALID_PARAM);
    EXPECT_EQ(channel->getPosition(&value, FMOD_TIMEUNIT_MS), FMOD_OK);
    EXPECT_EQ(value, 0u);
    // A position set in milliseconds reads back as itself (83 456 ms is
    // 3 680 409.6 frames: rounding down would read back 83 455).
    unsigned int length = 0;
    ASSERT_EQ(sound_->getLength(&length, FMOD_TIMEUNIT_MS), FMOD_OK);
    for (unsigned int position = 1; position < length; position += 7) {
        ASSERT_EQ(channel->setPosition(position, FMOD_TIMEUNIT_MS), FMOD_OK);
        ASSERT_EQ(channel->getPosition(&value, FMOD_TIMEUNIT_MS), FMOD_OK);
        ASSERT_EQ(value, position);
    }
}

TEST_F(TwoChannelSystem, ATakenOverChannelAnswersInvalidHandleToEveryCall)
{
    FMOD::Channel* first = nullptr;
    FMOD::Channel* second = nullptr;
    FMOD::Channel* third = nullptr;
    ASSERT_EQ(system_->playSound(FMOD_CHANNEL_FREE, sound_, true, &first), FMOD_OK);
    ASSERT_EQ(system_->playSound(FMOD_CHANNEL_FREE, sound_, true, &second), FMOD_OK);
    EXPECT_EQ(system_->playSound(FMOD_CHANNEL_FREE, sound_, true, &third), FMOD_ERR_CHANNEL_ALLOC);
    EXPECT_EQ(third, nullptr);

    unsigned int length = 0;
    ASSERT_EQ(sound_->getLength(&length, FMOD_TIMEUNIT_MS), FMOD_OK);
    ASSERT_EQ(first->setPosition(length - 30, FMOD_TIMEUNIT_MS), FMOD_OK);
    ASSERT_EQ(first->setPaused(false), FMOD_OK);
    ASSERT_TRUE(WaitForEnd(first));

    ASSERT_EQ(system_->playSound(FMOD_CHANNEL_FREE, sound_, true, &third), FMOD_OK);
    bool flag = false;
    unsigned int position = 0;
    EXPECT_EQ(first->isPlaying(&flag), FMOD_ERR_INVALID_HANDLE);
    EXPECT_EQ(first->getPaused(&flag), FMOD_ERR_INVALID_HANDLE);
    EXPECT_EQ(first->getPosition(&position, FMOD_TIMEUNIT_MS), FMOD_ERR_INVALID_HANDLE);
    EXPECT_EQ(first->setPaused(false), FMOD_ERR_INVALID_HANDLE);
    EXPECT_EQ(first->setPosition(0, FMOD_TIMEUNIT_MS), FMOD_ERR_INVALID_HANDLE);
    EXPECT_FALSE(sound::LastErrorDetail().empty());

    // The new channel is untouched by the calls on the stale one.
    EXPECT_EQ(third->getPaused(&flag), FMOD_OK);
    EXPECT_TRUE(flag);
    EXPECT_EQ(third->getPosition(&position, FMOD_TIMEUNIT_MS), FMOD_OK);
    EXPECT_EQ(position, 0u);
    EXPECT_EQ(second->isPlaying(&flag), FMOD_OK);
}

}  // namespace
