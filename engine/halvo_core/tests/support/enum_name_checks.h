#pragma once
// Checks shared by the tests of every library's value-name tables.
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#define HLV_TEST_ENUM_V(name) {static_cast<unsigned int>(name), #name},
#define HLV_TEST_ENUM_R(name, text) {static_cast<unsigned int>(name), text},

// Every value of the list names itself, values rise by one from 0, names are
// unique, and the first value past the end has an empty name.
#define HLV_EXPECT_ENUM_TABLE(Type, LIST)                                                    \
    do {                                                                                     \
        const std::vector<std::pair<unsigned int, std::string>> expected{                   \
            LIST(HLV_TEST_ENUM_V, HLV_TEST_ENUM_R)};                                         \
        std::set<std::string> seen;                                                          \
        for (std::size_t i = 0; i < expected.size(); ++i) {                                  \
            EXPECT_EQ(expected[i].first, i) << #Type;                                        \
            EXPECT_EQ(GetEnumName(static_cast<Type>(expected[i].first)), expected[i].second) \
                << #Type << " value " << i;                                                  \
            EXPECT_TRUE(seen.insert(expected[i].second).second) << expected[i].second;       \
        }                                                                                    \
        EXPECT_EQ(expected.size(), Type##_COUNT) << #Type;                                   \
        EXPECT_EQ(GetEnumName(static_cast<Type>(Type##_COUNT)), "") << #Type;                \
        EXPECT_EQ(GetEnumName(static_cast<Type>(0xFFFFFFFFu)), "") << #Type;                 \
    } while (false)
