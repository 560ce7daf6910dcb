#pragma once
// What a command learns from the operation it calls, and how its integer
// arguments change type on the way.
//
// An operation is a member function of the target or a free function whose
// first parameter is the target; either returns a result code.
// OperationParameters<&IRenderer::Clear> is TTypeList<std::uint32_t>.
//
// Integers change type only where the value survives: FitsIn tells whether an
// integer keeps its value in another integer type, and the front ends refuse a
// value that does not fit instead of truncating it.
#include <concepts>
#include <cstdint>
#include <type_traits>
#include <utility>

namespace hlv_gfx {

template <class... Types>
struct TTypeList {
};

template <class Operation>
struct TOperationSignature;

template <class Target, class... Parameters>
struct TOperationSignature<std::uint32_t (Target::*)(Parameters...)> {
    using TargetType = Target;
    using ParameterList = TTypeList<Parameters...>;
};

template <class Target, class... Parameters>
struct TOperationSignature<std::uint32_t (*)(Target&, Parameters...)> {
    using TargetType = Target;
    using ParameterList = TTypeList<Parameters...>;
};

// The parameter types of an operation after its target, as declared.
template <auto kOperation>
using OperationParameters = typename TOperationSignature<decltype(kOperation)>::ParameterList;

// The integer types whose values std::in_range compares (not bool, not the
// character types).
// clang-format off
template <class T>
concept StandardInteger =
    std::integral<T> && !std::same_as<T, bool> && !std::same_as<T, char> && !std::same_as<T, wchar_t> &&
    !std::same_as<T, char8_t> && !std::same_as<T, char16_t> && !std::same_as<T, char32_t>;
// clang-format on

// Whether the value keeps its value as a T. Only integers going into an
// integer type are checked; every other value fits.
template <class T, class Value>
constexpr bool FitsIn(const Value& value)
{
    using Target = std::remove_cvref_t<T>;
    if constexpr (StandardInteger<Target> && StandardInteger<Value>)
        return std::in_range<Target>(value);
    else
        return true;
}

// A value converted for storing as a T: an integer of another integer type is
// converted explicitly (FitsIn has been checked), anything else is handed on as
// it is and assigned.
template <class T, class Value>
constexpr decltype(auto) ConvertedTo(Value&& value)
{
    using Source = std::remove_cvref_t<Value>;
    if constexpr (StandardInteger<T> && StandardInteger<Source> && !std::same_as<T, Source>)
        return static_cast<T>(value);
    else
        return std::forward<Value>(value);
}

}  // namespace hlv_gfx
