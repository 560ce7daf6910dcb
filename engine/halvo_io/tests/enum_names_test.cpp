#include <halvo_io/IO_RESULT.h>

#include <enum_name_checks.h>

using namespace hlv_io;

TEST(EnumNames, EveryTableNamesEachValue)
{
    HLV_EXPECT_ENUM_TABLE(IO_RESULT, HLV_IO_RESULT_LIST);
}
