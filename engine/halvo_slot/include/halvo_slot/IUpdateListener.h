#pragma once
// Receiver of the values that arrive at a variant input slot.
#include <cstdint>

#include <plovdane/math_types.h>

namespace hlv_slot {

template <typename T>
class CVariantInputSlot;

// One overload per variant value type; each gets the input slot that has just
// received a value (read it with GetValue).
class IUpdateListener {
public:
    virtual void Update(CVariantInputSlot<pld_math::mat4f>* slot) = 0;
    virtual void Update(CVariantInputSlot<pld_math::mat3f>* slot) = 0;
    virtual void Update(CVariantInputSlot<pld_math::vec4f>* slot) = 0;
    virtual void Update(CVariantInputSlot<pld_math::vec3f>* slot) = 0;
    virtual void Update(CVariantInputSlot<std::uint64_t>* slot) = 0;
    virtual void Update(CVariantInputSlot<bool>* slot) = 0;
    virtual void Update(CVariantInputSlot<unsigned int>* slot) = 0;
    virtual void Update(CVariantInputSlot<int>* slot) = 0;
    virtual void Update(CVariantInputSlot<double>* slot) = 0;
    virtual void Update(CVariantInputSlot<float>* slot) = 0;
    virtual ~IUpdateListener() = default;
};

}  // namespace hlv_slot
