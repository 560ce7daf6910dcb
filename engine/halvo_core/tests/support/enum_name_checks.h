#pragma once
// Checks shared by the tests of every library's value-name tables.
#include <cstddef>
#include <set>
#include <string>

#include <gtest/gtest.h>

namespace hlv_testing {

struct EnumEntry {
    unsigned int value;
    const char* text;
};

// Every listed value names itself, values rise by one from 0, names are
// unique, and values past the end have an empty name.
template <typename Type, std::size_t N>
void ExpectEnumTable(const EnumEntry (&entries)[N], unsigned int count, const char* type)
{
    std::set<std::string> seen;
    for (std::size_t i = 0; i < N; ++i) {
        EXPECT_EQ(entries[i].value, i) << type;
        EXPECT_EQ(GetEnumName(static_cast<Type>(entries[i].value)), entries[i].text)
            << type << " value " << i;
        EXPECT_TRUE(seen.insert(entries[i].text).second) << entries[i].text;
    }
    EXPECT_EQ(N, count) << type;
    EXPECT_EQ(GetEnumName(static_cast<Type>(count)), "") << type;
    EXPECT_EQ(GetEnumName(static_cast<Type>(0xFFFFFFFFu)), "") << type;
}

}  // namespace hlv_testing

#define HLV_TEST_ENUM_V(name) {static_cast<unsigned int>(name), #name},
#define HLV_TEST_ENUM_R(name, text) {static_cast<unsigned int>(name), text},

#define HLV_EXPECT_ENUM_TABLE(Type, LIST)                                                  \
    do {                                                                                   \
        static constexpr ::hlv_testing::EnumEntry entries[] = {                            \
            LIST(HLV_TEST_ENUM_V, HLV_TEST_ENUM_R)};                                       \
        ::hlv_testing::ExpectEnumTable<Type>(entries, Type##_COUNT, #Type);                \
    } while (false)
