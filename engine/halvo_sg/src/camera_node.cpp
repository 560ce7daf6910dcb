#include <halvo_sg/camera_node.h>

#include <halvo_sg/RESULT.h>
#include <halvo_sg/node_visitor.h>

namespace hlv_sg {

namespace {
constexpr std::size_t kCameraGrowStep = 10;
}

void camera_viewport_notification::Notify()
{
    if (hlv_gfx::ICamera* camera = m_node->GetCamera().get())
        camera->SetViewport(m_node->GetViewportInput().GetValue());
}

CCameraNode::CCameraNode(const std::string& name) : CGroupNode(name)
{
    m_cameras.reserve(kCameraGrowStep);
    m_viewportInput.SetNotification(new camera_viewport_notification(this));
}

std::uint32_t CCameraNode::Enter(INodeVisitor* visitor)
{
    if (!visitor) return MSGR_INVALID_ARGUMENT;
    visitor->EnterCameraNode(this);
    return MSGR_OK;
}

std::uint32_t CCameraNode::Leave(INodeVisitor* visitor)
{
    if (!visitor) return MSGR_INVALID_ARGUMENT;
    return visitor->LeaveCameraNode(this);
}

CCameraNode::CameraHandle CCameraNode::GetCamera() const
{
    return m_currentCamera < m_cameras.size() ? m_cameras[m_currentCamera] : CameraHandle();
}

std::uint32_t CCameraNode::AddCamera(const CameraHandle& camera)
{
    if (!camera) return MSGR_INVALID_ARGUMENT;
    if (m_cameras.size() == m_cameras.capacity()) m_cameras.reserve(m_cameras.size() + kCameraGrowStep);
    m_cameras.push_back(camera);
    camera->SetViewport(m_viewportInput.GetValue());
    return MSGR_OK;
}

std::uint32_t CCameraNode::ConnectViewport(hlv_slot::CViewportOutputSlot* output)
{
    m_viewportInput.Connect(output);
    if (!output) return MSGR_INVALID_ARGUMENT;
    const hlv_gfx::VIEWPORT& viewport = output->GetValue();
    m_viewportWidth = static_cast<float>(viewport.width);
    m_viewportHeight = static_cast<float>(viewport.height);
    if (hlv_gfx::ICamera* camera = GetCamera().get()) camera->SetViewport(viewport);
    return MSGR_OK;
}

}  // namespace hlv_sg
