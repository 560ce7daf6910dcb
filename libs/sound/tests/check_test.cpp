// Result names and the check that stops the program on a failure.
#include <sound/fmod_api.h>
#include <sound/fmod_check.h>

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ResultNames, EveryResultHasItsOwnName)
{
    EXPECT_STREQ(sound::ResultName(FMOD_OK), "FMOD_OK");
    EXPECT_STREQ(sound::ResultName(FMOD_ERR_FORMAT), "FMOD_ERR_FORMAT");
    EXPECT_STREQ(sound::ResultName(FMOD_ERR_INVALID_HANDLE), "FMOD_ERR_INVALID_HANDLE");
    EXPECT_EQ(static_cast<int>(FMOD_ERR_INVALID_HANDLE), 36);
    EXPECT_STREQ(sound::ResultName(static_cast<FMOD_RESULT>(1234)), "unknown result");
}

TEST(FmodCheck, SuccessPassesQuietly)
{
    FMOD::System* system = nullptr;
    FMOD_CHECK(FMOD_System_Create(&system));
    ASSERT_NE(system, nullptr);
    FMOD_CHECK(system->release());
}

TEST(FmodCheckDeathTest, FailureStopsWithTheDemoTextTheReasonAndTheCall)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            FMOD::System* system = nullptr;
            FMOD_CHECK(FMOD_System_Create(&system));
            FMOD_CHECK(system->init(100, FMOD_INIT_NORMAL, nullptr));
            FMOD::Sound* sound = nullptr;
            FMOD_CHECK(system->createSound("LocalData/missing-track.mp3", FMOD_SOFTWARE, nullptr, &sound));
        },
        ::testing::ExitedWithCode(1),
        "Fmod error\\.\nFMOD_ERR_FILE_NOT_FOUND \\(5\\): cannot open \"LocalData/missing-track\\.mp3\": "
        "No such file or directory\n.*createSound.*check_test\\.cpp");
}

TEST(FmodCheckDeathTest, FailureWithoutDetailStillNamesTheResult)
{
    EXPECT_EXIT(FMOD_CHECK(FMOD_System_Create(nullptr)), ::testing::ExitedWithCode(1),
                "Fmod error\\.\nFMOD_ERR_INVALID_PARAM \\(1\\).*FMOD_System_Create\\(nullptr\\)");
}

}  // namespace
