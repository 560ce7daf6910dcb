#include <halvo_mgr/MGR_RESULT.h>

#include <enum_name_checks.h>

using namespace hlv_mgr;

TEST(EnumNames, EveryTableNamesEachValue)
{
    HLV_EXPECT_ENUM_TABLE(MGR_RESULT, HLV_MGR_RESULT_LIST);
}
