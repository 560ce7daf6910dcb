// The music track: it loads through the demo's sound layer, and its length is
// the demo's (the length of the score it was rendered from).
#include <sound/fmod_api.h>
#include <sound/fmod_check.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "music/score.h"

namespace {

const std::string kTrack = std::string(DMO_DATA_DIR) + "/LocalData/Vellomarch-1stdemo-preliminaryfinal-5.mp3";

TEST(ContentTrack, LoadsThroughTheSoundLayerWithTheScoresLength)
{
    ::setenv(sound::kSilentModeVariable, "1", 1);
    FMOD::System* system = nullptr;
    ASSERT_EQ(FMOD_System_Create(&system), FMOD_OK);
    ASSERT_EQ(system->init(32, FMOD_INIT_NORMAL, nullptr), FMOD_OK) << sound::LastErrorDetail();

    FMOD::Sound* track = nullptr;
    ASSERT_EQ(system->createSound(kTrack.c_str(), FMOD_SOFTWARE, nullptr, &track), FMOD_OK)
        << kTrack << ": " << sound::LastErrorDetail();
    unsigned int length = 0;
    ASSERT_EQ(track->getLength(&length, FMOD_TIMEUNIT_MS), FMOD_OK);
    EXPECT_GE(length, 115000u);
    EXPECT_LE(length, 120000u);
    // Decoded gaplessly, the track is exactly as long as its score: the beat
    // keyframes taken from the score stay on the music to the end.
    const double scoreMs = dmo_nimra::synth::TidalKnots().length * 1000.0;
    EXPECT_NEAR(static_cast<double>(length), scoreMs, 30.0);

    // The demo loads it paused and starts it later.
    FMOD::Channel* channel = nullptr;
    ASSERT_EQ(system->playSound(FMOD_CHANNEL_FREE, track, true, &channel), FMOD_OK);
    unsigned int position = 1;
    EXPECT_EQ(channel->getPosition(&position, FMOD_TIMEUNIT_MS), FMOD_OK);
    EXPECT_EQ(position, 0u);
    EXPECT_EQ(system->release(), FMOD_OK);
}

}  // namespace
