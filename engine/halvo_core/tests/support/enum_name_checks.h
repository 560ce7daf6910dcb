#pragma once
// Checks a library's value-name tables against names written out in the test,
// in value order: the position of a name in the list is its value's number.
#include <initializer_list>

#include <gtest/gtest.h>

namespace hlv_testing {

// Value i is named names[i], the enumeration has as many values as names
// (count is its count constant), and the values past the end have no name.
// So a misspelt, missing, extra or moved name fails.
template <typename Type>
void ExpectEnumNames(const char* type, unsigned int count, std::initializer_list<const char*> names)
{
    SCOPED_TRACE(type);
    EXPECT_EQ(count, names.size());
    unsigned int value = 0;
    for (const char* name : names) {
        EXPECT_EQ(GetEnumName(static_cast<Type>(value)), name) << "value " << value;
        ++value;
    }
    EXPECT_EQ(GetEnumName(static_cast<Type>(value)), "");
    EXPECT_EQ(GetEnumName(static_cast<Type>(0xFFFFFFFFu)), "");
}

}  // namespace hlv_testing
