#pragma once
// Plays the compiled-in blending curve between the first two scenes into the
// float slot "BlendingFactor_Scene1Scene2": 0 until 10 s, up to 1 at 12 s,
// 1 until 16 s, down to 0 at 20 s, 0 until 26 s; outside that span the slot
// keeps its last value.
#include <cstddef>
#include <cstdint>

#include <halvo_sg/controller.h>
#include <plovdane/keyframe_sequence.h>

namespace hlv_app {
class CManagedContext;
}

namespace dmo_nimra {

class CSceneBlendingAnimationController : public hlv_sg::IController {
public:
    static constexpr const char* kSlotName = "BlendingFactor_Scene1Scene2";

    // Adds the slot (initial value 0) to the context's float slots and the
    // curve's keys. The context must not be null.
    explicit CSceneBlendingAnimationController(hlv_app::CManagedContext* context);

    std::size_t GetSlot() const { return m_slot; }

    std::uint32_t Update(const hlv_sg::frame_time_record& time) override;
    bool AcceptsNode(hlv_sg::INode*) override { return true; }

private:
    hlv_app::CManagedContext* m_context;
    pld_ani::float_sequence m_sequence;
    std::size_t m_slot;
};

}  // namespace dmo_nimra
