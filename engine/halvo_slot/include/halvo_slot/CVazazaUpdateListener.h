#pragma once
// Update listener that writes each value it receives into the value storage
// of a shader variable.
#include <cstddef>
#include <utility>

#include <halvo_core/handle.h>
#include <halvo_gfx/shader_variable.h>
#include <halvo_slot/IUpdateListener.h>

namespace hlv_slot {

// Writes the bytes of the value's type (a 4x4 float matrix 64, a 3x3 matrix
// 36, vectors 16 and 12, bool 1, int and unsigned int 4, double 8, float 4),
// and only when the variable has storage of at least that size. Unsigned
// 64-bit values are not written. No lock is taken: the render thread uploads
// from a copy taken when the draw was queued.
class CVazazaUpdateListener : public IUpdateListener {
public:
    using variable_handle = hlv_core::CResourceHandle<hlv_gfx::CShaderVariable>;

    explicit CVazazaUpdateListener(variable_handle variable) : m_variable(std::move(variable)) {}

    void Update(CVariantInputSlot<pld_math::mat4f>* slot) override;
    void Update(CVariantInputSlot<pld_math::mat3f>* slot) override;
    void Update(CVariantInputSlot<pld_math::vec4f>* slot) override;
    void Update(CVariantInputSlot<pld_math::vec3f>* slot) override;
    void Update(CVariantInputSlot<std::uint64_t>* slot) override;
    void Update(CVariantInputSlot<bool>* slot) override;
    void Update(CVariantInputSlot<unsigned int>* slot) override;
    void Update(CVariantInputSlot<int>* slot) override;
    void Update(CVariantInputSlot<double>* slot) override;
    void Update(CVariantInputSlot<float>* slot) override;

    const variable_handle& GetVariable() const { return m_variable; }

private:
    void Write(const void* bytes, std::size_t count);

    variable_handle m_variable;
};

}  // namespace hlv_slot
