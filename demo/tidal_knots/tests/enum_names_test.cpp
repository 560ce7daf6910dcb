#include <tidal_knots/demo_types.h>

#include <enum_name_checks.h>

using namespace dmo_nimra;

TEST(DemoEnumNames, EveryTableNamesEachValue)
{
    HLV_EXPECT_ENUM_TABLE(C_LEVEL, DMO_C_LEVEL_LIST);
    HLV_EXPECT_ENUM_TABLE(VECTOR_MATRIX_TYPE, DMO_VECTOR_MATRIX_TYPE_LIST);
    HLV_EXPECT_ENUM_TABLE(ANIMATION_MODE, DMO_ANIMATION_MODE_LIST);
}
