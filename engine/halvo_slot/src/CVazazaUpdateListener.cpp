#include <halvo_slot/CVazazaUpdateListener.h>

#include <cstring>

#include <halvo_slot/CVariantSlot.h>

namespace hlv_slot {

namespace {

static_assert(sizeof(pld_math::mat4f) == 64 && sizeof(pld_math::mat3f) == 36);
static_assert(sizeof(pld_math::vec4f) == 16 && sizeof(pld_math::vec3f) == 12);
static_assert(sizeof(bool) == 1 && sizeof(int) == 4 && sizeof(unsigned int) == 4);
static_assert(sizeof(double) == 8 && sizeof(float) == 4);

}  // namespace

void CVazazaUpdateListener::Write(const void* bytes, std::size_t count)
{
    hlv_gfx::CShaderVariable* variable = m_variable.get();
    if (!variable) return;
    std::byte* storage = variable->GetValue();
    if (!storage || variable->GetValueSize() < count) return;
    std::memcpy(storage, bytes, count);
}

void CVazazaUpdateListener::Update(CVariantInputSlot<pld_math::mat4f>* slot)
{
    Write(slot->GetValue().data(), sizeof(pld_math::mat4f));
}

void CVazazaUpdateListener::Update(CVariantInputSlot<pld_math::mat3f>* slot)
{
    Write(slot->GetValue().data(), sizeof(pld_math::mat3f));
}

void CVazazaUpdateListener::Update(CVariantInputSlot<pld_math::vec4f>* slot)
{
    Write(slot->GetValue().data(), sizeof(pld_math::vec4f));
}

void CVazazaUpdateListener::Update(CVariantInputSlot<pld_math::vec3f>* slot)
{
    Write(slot->GetValue().data(), sizeof(pld_math::vec3f));
}

void CVazazaUpdateListener::Update(CVariantInputSlot<std::uint64_t>*)
{
    // No shader variable type holds an unsigned 64-bit value.
}

void CVazazaUpdateListener::Update(CVariantInputSlot<bool>* slot) { Write(&slot->GetValue(), sizeof(bool)); }

void CVazazaUpdateListener::Update(CVariantInputSlot<unsigned int>* slot)
{
    Write(&slot->GetValue(), sizeof(unsigned int));
}

void CVazazaUpdateListener::Update(CVariantInputSlot<int>* slot) { Write(&slot->GetValue(), sizeof(int)); }

void CVazazaUpdateListener::Update(CVariantInputSlot<double>* slot) { Write(&slot->GetValue(), sizeof(double)); }

void CVazazaUpdateListener::Update(CVariantInputSlot<float>* slot) { Write(&slot->GetValue(), sizeof(float)); }

}  // namespace hlv_slot
