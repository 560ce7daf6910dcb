#include <halvo_core/RESULT.h>
#include <halvo_core/property/PropertyTypes.h>

#include <enum_name_checks.h>

using namespace hlv_core;
using hlv_testing::ExpectEnumNames;

TEST(CoreEnumNames, EveryValueHasItsDocumentedNameAndNumber)
{
    // clang-format off
    ExpectEnumNames<HALVO_CORE_RESULT>(
        "HALVO_CORE_RESULT", NUM_HALVO_CORE_RESULTS,
        {"MC_OK", "MC_FAIL", "MS_INVALID_ARGUMENT", "MC_OUTOFMEM", "MC_NOMEMSPEC"});
    ExpectEnumNames<PROPERTY_TYPE>(
        "PROPERTY_TYPE", NUM_PROPERTY_TYPES,
        {"PT_UNKNOWN", "PT_BOOL", "PT_CHAR", "PT_UCHAR", "PT_INT", "PT_UINT", "PT_LONG", "PT_LONG_LONG",
         "PT_FLOAT", "PT_DOUBLE", "PT_STRING_C_REF", "PT_STRING_C", "PT_STRING", "PT_COMPOUND"});
    ExpectEnumNames<PROPERTY_ACCESS_TYPE>("PROPERTY_ACCESS_TYPE", NUM_PROPERTY_ACCESS_TYPES,
                                          {"PAT_NO_ACCESS", "PAT_READ_ONLY", "PAT_READ_WRITE"});
    ExpectEnumNames<VALUE_TYPE>("VALUE_TYPE", VALUE_TYPE_COUNT,
                                {"T_UNDEFINED", "T_CHAR", "T_UCHAR", "T_SHORT", "T_USHORT", "T_INT", "T_UINT",
                                 "T_FLOAT", "T_DOUBLE", "T_BOOL"});
    // Value 0 shares its name with VALUE_TYPE's.
    ExpectEnumNames<VALUE_STRUCTURE>("VALUE_STRUCTURE", VALUE_STRUCTURE_COUNT,
                                     {"T_UNDEFINED", "TS_SCALAR", "TS_VECTOR2", "TS_VECTOR3", "TS_VECTOR4",
                                      "TS_MATRIX2x2", "TS_MATRIX3x3", "TS_MATRIX4x4"});
    // clang-format on
    EXPECT_TRUE(SUCCESSED(MC_OK));
    EXPECT_FALSE(SUCCESSED(MC_FAIL));
}
