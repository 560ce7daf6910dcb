#include <halvo_shade/SHADE_RESULT.h>

#include <enum_name_checks.h>

using namespace hlv_shade;

TEST(EnumNames, EveryTableNamesEachValue)
{
    HLV_EXPECT_ENUM_TABLE(HALVO_SHADE_RESULT, HLV_SHADE_RESULT_LIST);
}
