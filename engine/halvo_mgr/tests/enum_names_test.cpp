#include <halvo_mgr/MGR_RESULT.h>

#include <enum_name_checks.h>

using namespace hlv_mgr;

TEST(EnumNames, EveryValueHasItsDocumentedNameAndNumber)
{
    hlv_testing::ExpectEnumNames<MGR_RESULT>("MGR_RESULT", MGR_RESULT_COUNT,
                                             {"MGRR_OK", "MGRR_FAIL", "MGRR_INVALID_ARGUMENT"});
}
