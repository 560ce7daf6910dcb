#include <halvo_io/IO_RESULT.h>

#include <enum_name_checks.h>

using namespace hlv_io;

TEST(EnumNames, EveryValueHasItsDocumentedNameAndNumber)
{
    hlv_testing::ExpectEnumNames<IO_RESULT>(
        "IO_RESULT", IO_RESULT_COUNT, {"IOR_OK", "IOR_FAIL", "IOR_INVALID_ARGUMENT", "IOR_API_FAIL", "IOR_NOT_INIT"});
}
