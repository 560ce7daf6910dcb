#include <tidal_knots/Controllers/CSceneBlendingAnimationController.h>

#include <halvo_app/Context/CManagedContext.h>
#include <halvo_core/fatal.h>

namespace dmo_nimra {

CSceneBlendingAnimationController::CSceneBlendingAnimationController(hlv_app::CManagedContext* context)
    : m_context(context), m_slot(~std::size_t{0})
{
    HLV_FATAL_CHECK(context != nullptr, "ptr");
    m_slot = context->VariantSlots<float>().AddSlot(kSlotName, 0.0f);
    static const pld_ani::keyframe<float> kCurve[] = {
        {0.0f, 0}, {0.0f, 10000}, {1.0f, 12000}, {1.0f, 16000}, {0.0f, 20000}, {0.0f, 26000},
    };
    for (const auto& key : kCurve) m_sequence.add_key(key);
}

std::uint32_t CSceneBlendingAnimationController::Update(const hlv_sg::frame_time_record& time)
{
    const std::uint64_t t = time.milliseconds;
    if (m_sequence.empty() || t < m_sequence.first_time() || t > m_sequence.last_time()) return 0;
    auto* slot = m_context->VariantSlots<float>().GetSlot(m_slot);
    if (!slot) return 0;
    slot->Value() = m_sequence.evaluate(t);
    slot->NotifyInputs();
    return 0;
}

}  // namespace dmo_nimra
