#pragma once
// The value types that variant slots carry.
#include <cstdint>
#include <tuple>

#include <plovdane/math_types.h>

namespace hlv_slot {

template <typename... Ts>
struct TypeList {
    // std::tuple<F<Ts>...>
    template <template <typename> class F>
    using Tuple = std::tuple<F<Ts>...>;
};

// In the order of the named slot arrays of a context.
using VariantValueTypes = TypeList<float, double, int, unsigned int, bool, std::uint64_t, pld_math::vec3f,
                                   pld_math::vec4f, pld_math::mat3f, pld_math::mat4f>;

}  // namespace hlv_slot
