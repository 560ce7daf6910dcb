#include <halvo_ptl/PTL_RESULT.h>

#include <enum_name_checks.h>

using namespace hlv_ptl;

TEST(EnumNames, EveryValueHasItsDocumentedNameAndNumber)
{
    hlv_testing::ExpectEnumNames<PTL_RESULT>(
        "PTL_RESULT", PTL_RESULT_COUNT,
        {"PTLR_OK", "PTLR_FAIL", "PTLR_OUTSIDE_VOLUME", "PTLR_INVALID_BUFFER", "PTLR_INVALID_ARGUMENT",
         "PTLR_INVALID_EMITTER", "PTLR_INVALID_NUMBER_OF_PARTICLES", "PTLR_FILTER_FULL", "PTLR_NULL_PTR",
         "PTLR_TIME_EXCEED", "PTLR_THREAD_RUNNING", "PTLR_THREAD_FINISHED", "PTLR_BREAK_LOOP",
         "PTLR_INVALID_PARTICLE_SYSTEM"});
}
