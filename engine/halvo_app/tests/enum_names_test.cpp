#include <halvo_app/APP_RESULT.h>

#include <enum_name_checks.h>

using namespace hlv_app;

TEST(EnumNames, EveryValueHasItsDocumentedNameAndNumber)
{
    hlv_testing::ExpectEnumNames<APP_RESULT>("APP_RESULT", NUM_APP_RESULTS,
                                             {"APPR_OK", "APPR_FAIL", "APPR_INVALID_ARGUMENT", "APPR_INVALID_OPERATION",
                                              "APPR_INTERNAL_RENDERPASS_INITIALIZED", "APPR_RENDER_THREAD_HALTED",
                                              "APPR_RENDER_THREAD_UNHALTED", "APPR_INVALID_WIN32_HANDLE"});
}
