// The variant slot pairs of every value type, compiled once here.
#include <halvo_slot/CVariantSlot.h>
#include <halvo_slot/variant_types.h>

namespace hlv_slot {

template class CVariantOutputSlot<float>;
template class CVariantOutputSlot<double>;
template class CVariantOutputSlot<int>;
template class CVariantOutputSlot<unsigned int>;
template class CVariantOutputSlot<bool>;
template class CVariantOutputSlot<std::uint64_t>;
template class CVariantOutputSlot<pld_math::vec3f>;
template class CVariantOutputSlot<pld_math::vec4f>;
template class CVariantOutputSlot<pld_math::mat3f>;
template class CVariantOutputSlot<pld_math::mat4f>;

template class CVariantInputSlot<float>;
template class CVariantInputSlot<double>;
template class CVariantInputSlot<int>;
template class CVariantInputSlot<unsigned int>;
template class CVariantInputSlot<bool>;
template class CVariantInputSlot<std::uint64_t>;
template class CVariantInputSlot<pld_math::vec3f>;
template class CVariantInputSlot<pld_math::vec4f>;
template class CVariantInputSlot<pld_math::mat3f>;
template class CVariantInputSlot<pld_math::mat4f>;

}  // namespace hlv_slot
