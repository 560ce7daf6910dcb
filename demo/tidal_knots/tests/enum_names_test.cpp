#include <tidal_knots/demo_types.h>

#include <enum_name_checks.h>

using namespace dmo_nimra;
using hlv_testing::ExpectEnumNames;

TEST(DemoEnumNames, EveryValueHasItsDocumentedNameAndNumber)
{
    ExpectEnumNames<C_LEVEL>("C_LEVEL", C_LEVEL_COUNT, {"C0", "C1", "C2"});
    // clang-format off
    ExpectEnumNames<VECTOR_MATRIX_TYPE>("VECTOR_MATRIX_TYPE", VECTOR_MATRIX_TYPE_COUNT,
                                        {"PT_VEC3", "PT_VEC4", "PT_MAT3", "PT_MAT4"});
    ExpectEnumNames<ANIMATION_MODE>("ANIMATION_MODE", ANIMATION_MODE_COUNT,
                                    {"AM_REPEAT", "AM_CLAMP", "AM_CYCLE", "AM_BACK"});
    // clang-format on
}
