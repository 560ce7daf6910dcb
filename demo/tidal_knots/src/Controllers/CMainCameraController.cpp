#include <tidal_knots/Controllers/CMainCameraController.h>

#include <halvo_gfx/camera.h>
#include <halvo_sg/camera_node.h>

namespace dmo_nimra {

namespace {
// Below this distance eye and target are one point.
constexpr float kMinimumLookDistance = 1e-5f;
}  // namespace

std::uint32_t CMainCameraController::Update(const hlv_sg::frame_time_record&)
{
    auto* node = static_cast<hlv_sg::CCameraNode*>(GetNode());
    if (!node) return 0;
    const hlv_core::CResourceHandle<hlv_gfx::ICamera> camera = node->GetCamera();
    if (!camera) return 0;
    const pld_math::vec3f& eye = m_position.GetValue();
    const pld_math::vec3f& target = m_lookAt.GetValue();
    if (pld_math::length(target - eye) <= kMinimumLookDistance) return 0;
    camera->LookAt(target, eye);
    return 0;
}

bool CMainCameraController::AcceptsNode(hlv_sg::INode* node)
{
    return node && hlv_core::IsExactly<hlv_sg::CCameraNode>(node);
}

}  // namespace dmo_nimra
