#include <halvo_sg/RESULT.h>
#include <halvo_sg/sg_types.h>

#include <enum_name_checks.h>

using namespace hlv_sg;

TEST(EnumNames, EveryTableNamesEachValue)
{
    HLV_EXPECT_ENUM_TABLE(HALVO_SG_RESULT, HLV_SG_RESULT_LIST);
    HLV_EXPECT_ENUM_TABLE(NODE_ID, HLV_NODE_ID_LIST);
    HLV_EXPECT_ENUM_TABLE(LIGHT_TYPE, HLV_LIGHT_TYPE_LIST);
}
