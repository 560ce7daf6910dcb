#include <halvo_core/fatal.h>

#include <gtest/gtest.h>

TEST(FatalCheckDeathTest, PrintsMessageAndExpressionThenExitsNonZero)
{
    const int value = 3;
    EXPECT_EXIT(HLV_FATAL_CHECK(value == 4, "Fmod error."), ::testing::ExitedWithCode(1),
                "Fmod error\\.\n.*value == 4.*fatal_test\\.cpp");
}

TEST(FatalCheckDeathTest, PassingCheckDoesNothing)
{
    const int value = 4;
    HLV_FATAL_CHECK(value == 4, "never printed");
    SUCCEED();
}
