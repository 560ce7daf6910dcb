#include <tidal_knots/Controllers/CSlotUpdateController.h>

#include <algorithm>

#include <halvo_app/Context/CManagedContext.h>
#include <halvo_core/fatal.h>

namespace dmo_nimra {

namespace {

// Writes the record's value at t into the slot and notifies its inputs, when
// the record is active and the slot exists.
template <typename Record, typename Slots>
void WriteActive(Record& record, std::size_t slotIndex, Slots& slots, std::uint64_t t)
{
    if (!record.IsActiveAt(t)) return;
    auto* slot = slots.GetSlot(slotIndex);
    if (!slot) return;
    slot->Value() = record.sequence.evaluate(record.GetLocalTime(t));
    slot->NotifyInputs();
}

}  // namespace

CSlotUpdateController::CSlotUpdateController(hlv_app::CManagedContext* context) : m_context(context)
{
    HLV_FATAL_CHECK(context != nullptr, "ptr");
}

void CSlotUpdateController::AddFloatBinding(ScalarKeyframeAnimation* record, std::size_t slot)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_floatBindings.emplace_back(record, slot);
}

void CSlotUpdateController::AddVec3Binding(Vec3KeyframeAnimation* record, std::size_t slot)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_vec3Bindings.emplace_back(record, slot);
}

std::size_t CSlotUpdateController::ReplaceVec3Record(Vec3KeyframeAnimation* from, Vec3KeyframeAnimation* to)
{
    std::lock_guard<std::mutex> lock(m_lock);
    std::size_t replaced = 0;
    for (auto& binding : m_vec3Bindings) {
        if (binding.first != from) continue;
        binding.first = to;
        ++replaced;
    }
    return replaced;
}

std::uint32_t CSlotUpdateController::Update(const hlv_sg::frame_time_record& time)
{
    auto& floats = m_context->VariantSlots<float>();
    auto& vectors = m_context->VariantSlots<pld_math::vector<float, 3>>();
    if (auto* seconds = floats.GetSlot(m_timeSlot)) {
        seconds->Value() = static_cast<float>(time.seconds);
        seconds->NotifyInputs();
    }
    std::lock_guard<std::mutex> lock(m_lock);
    for (const auto& [record, slot] : m_floatBindings) WriteActive(*record, slot, floats, time.milliseconds);
    for (const auto& [record, slot] : m_vec3Bindings) WriteActive(*record, slot, vectors, time.milliseconds);
    return 0;
}

}  // namespace dmo_nimra
