#pragma once
// Flies a camera node's current camera along two vector slots: each frame the
// camera looks from the position input's value at the look-at input's value.
#include <cstdint>

#include <halvo_sg/controller.h>
#include <halvo_slot/CVariantSlot.h>
#include <plovdane/math_types.h>

namespace dmo_nimra {

class CMainCameraController : public hlv_sg::IController {
public:
    using VectorOutput = hlv_slot::CVariantOutputSlot<pld_math::vec3f>;

    CMainCameraController() = default;

    // The eye and the target follow these outputs (null disconnects).
    void ConnectPosition(VectorOutput* output) { m_position.Connect(output); }
    void ConnectLookAt(VectorOutput* output) { m_lookAt.Connect(output); }

    // LookAt on the node's current camera. A target that coincides with the
    // eye gives no direction to look in: the camera keeps its last view.
    std::uint32_t Update(const hlv_sg::frame_time_record& time) override;
    // Camera nodes only.
    bool AcceptsNode(hlv_sg::INode* node) override;

    const pld_math::vec3f& GetPosition() const { return m_position.GetValue(); }
    const pld_math::vec3f& GetLookAt() const { return m_lookAt.GetValue(); }

private:
    hlv_slot::CVariantInputSlot<pld_math::vec3f> m_position;
    hlv_slot::CVariantInputSlot<pld_math::vec3f> m_lookAt;
};

}  // namespace dmo_nimra
