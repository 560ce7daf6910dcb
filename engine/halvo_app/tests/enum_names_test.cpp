#include <halvo_app/APP_RESULT.h>

#include <enum_name_checks.h>

using namespace hlv_app;

TEST(EnumNames, EveryTableNamesEachValue)
{
    HLV_EXPECT_ENUM_TABLE(APP_RESULT, HLV_APP_RESULT_LIST);
}

TEST(EnumNames, AppResultsKeepTheirNumbers)
{
    EXPECT_EQ(NUM_APP_RESULTS, 8u);
    EXPECT_EQ(GetEnumName(APPR_INVALID_WIN32_HANDLE), "APPR_INVALID_WIN32_HANDLE");
}
