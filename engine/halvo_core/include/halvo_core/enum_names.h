#pragma once
// Enumerations with value-name tables, declared from one list per enumeration.
//
// A list is a macro taking two macros: V(NAME) for an enumerator whose name is
// its text, R(NAME, "TEXT") for an enumerator whose text differs from its C++
// name. Values rise by one from 0 in list order. Each enumeration gets
//   - the plain unsigned enumeration,
//   - <Type>_COUNT, the number of values,
//   - GetEnumName(Type), the value's name or an empty string for a value
//     outside the enumeration.
#include <array>
#include <cstddef>
#include <string>

namespace hlv_core {

// The name returned for a value that has none.
const std::string& EmptyEnumName();

template <std::size_t N>
const std::string& LookupEnumName(const std::array<std::string, N>& table, std::size_t value)
{
    return value < N ? table[value] : EmptyEnumName();
}

}  // namespace hlv_core

#define HLV_ENUM_V_ENUMERATOR(name) name,
#define HLV_ENUM_R_ENUMERATOR(name, text) name,
#define HLV_ENUM_V_TEXT(name) #name,
#define HLV_ENUM_R_TEXT(name, text) text,
#define HLV_ENUM_V_ONE(name) +1
#define HLV_ENUM_R_ONE(name, text) +1

// In a header, inside the enumeration's namespace.
#define HLV_DECLARE_ENUM(Type, LIST)                                                     \
    enum Type : unsigned int { LIST(HLV_ENUM_V_ENUMERATOR, HLV_ENUM_R_ENUMERATOR) };     \
    inline constexpr unsigned int Type##_COUNT = 0 LIST(HLV_ENUM_V_ONE, HLV_ENUM_R_ONE); \
    const std::string& GetEnumName(Type value);

// In one source file, inside the same namespace. The table's size is checked
// against the enumeration so that no value can go without its name.
#define HLV_DEFINE_ENUM_NAMES(Type, LIST)                                              \
    namespace {                                                                        \
    constexpr const char* Type##_texts[] = {LIST(HLV_ENUM_V_TEXT, HLV_ENUM_R_TEXT)};   \
    static_assert(std::size(Type##_texts) == Type##_COUNT, "name table of " #Type);    \
    }                                                                                  \
    const std::string& GetEnumName(Type value)                                         \
    {                                                                                  \
        static const auto table = [] {                                                 \
            std::array<std::string, Type##_COUNT> names;                               \
            for (std::size_t i = 0; i < names.size(); ++i) names[i] = Type##_texts[i]; \
            return names;                                                              \
        }();                                                                           \
        return ::hlv_core::LookupEnumName(table, value);                               \
    }
