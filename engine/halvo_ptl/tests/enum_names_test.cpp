#include <halvo_ptl/PTL_RESULT.h>

#include <enum_name_checks.h>

using namespace hlv_ptl;

TEST(EnumNames, EveryTableNamesEachValue)
{
    HLV_EXPECT_ENUM_TABLE(PTL_RESULT, HLV_PTL_RESULT_LIST);
}

TEST(EnumNames, ParticleResultsKeepTheirNumbers)
{
    EXPECT_EQ(PTLR_INVALID_PARTICLE_SYSTEM, 13u);
    EXPECT_EQ(GetEnumName(PTLR_THREAD_FINISHED), "PTLR_THREAD_FINISHED");
}
