#include <halvo_sg/RESULT.h>
#include <halvo_sg/sg_types.h>

#include <enum_name_checks.h>

using namespace hlv_sg;
using hlv_testing::ExpectEnumNames;

TEST(EnumNames, EveryValueHasItsDocumentedNameAndNumber)
{
    // clang-format off
    ExpectEnumNames<HALVO_SG_RESULT>(
        "HALVO_SG_RESULT", NUM_HALVO_SG_RESULTS,
        {"MSGR_OK", "MSGR_FAIL", "MSGR_INVALID_ARGUMENT", "MSGR_INVALID_ID", "MSGR_NO_TRAVERSAL_IMPL",
         "MSGR_NOT_A_CHILD", "MSGR_NOT_IMPLEMENTED", "MSGR_NOT_IN_TIMERANGE"});
    ExpectEnumNames<NODE_ID>("NODE_ID", NODE_ID_COUNT,
                             {"NID_UNDEFINED", "NID_NODE", "NID_GROUPNODE", "NID_GEONODE", "NID_TRAFONODE",
                              "NID_DECONODE", "NID_CAMNODE", "NID_RENDERSTATE", "NID_SOUND", "NID_ANI",
                              "NID_KEYANI", "NID_TRAFOKEYANI", "NID_POSTPROC", "NID_SWITCH",
                              "NID_PARTICLESYSTEM"});
    ExpectEnumNames<LIGHT_TYPE>("LIGHT_TYPE", LIGHT_TYPE_COUNT,
                                {"LT_UNDEFINED", "LT_DIRECTIONAL", "LT_POINT", "LT_SPOT"});
    // clang-format on
}
