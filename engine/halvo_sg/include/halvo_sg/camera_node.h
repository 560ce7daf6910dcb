#pragma once
// A group drawn through one of its cameras into a framebuffer (or the screen).
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include <halvo_core/handle.h>
#include <halvo_gfx/camera.h>
#include <halvo_gfx/framebuffer.h>
#include <halvo_sg/group_node.h>
#include <halvo_slot/CViewportSlot.h>
#include <halvo_slot/INotification.h>

namespace hlv_sg {

class CCameraNode;

// Hands the camera node's current camera each new value of its viewport input.
class camera_viewport_notification : public hlv_slot::INotification {
public:
    explicit camera_viewport_notification(CCameraNode* node) : m_node(node) {}
    void Notify() override;

private:
    CCameraNode* m_node;
};

class CCameraNode : public CGroupNode {
public:
    HLV_RESOURCE_CLASS(CCameraNode)

    using CameraHandle = hlv_core::CResourceHandle<hlv_gfx::ICamera>;
    using FramebufferHandle = hlv_core::CResourceHandle<hlv_gfx::CFramebuffer>;

    explicit CCameraNode(const std::string& name);

    std::uint32_t Enter(INodeVisitor* visitor) override;
    std::uint32_t Leave(INodeVisitor* visitor) override;

    // The camera at the current index, or an empty handle.
    CameraHandle GetCamera() const;
    // Appends the camera and gives it the viewport input's value. 0, or
    // MSGR_INVALID_ARGUMENT for an empty handle (nothing is appended).
    std::uint32_t AddCamera(const CameraHandle& camera);
    std::size_t GetCameraCount() const { return m_cameras.size(); }
    std::uint64_t GetCurrentCameraIndex() const { return m_currentCamera; }
    void SetCurrentCameraIndex(std::uint64_t index) { m_currentCamera = index; }

    // Connects the viewport input to the output (a null output disconnects
    // it), keeps the viewport's size and hands the viewport to the current
    // camera. 0, or MSGR_INVALID_ARGUMENT for a null output.
    std::uint32_t ConnectViewport(hlv_slot::CViewportOutputSlot* output);
    hlv_slot::CViewportInputSlot& GetViewportInput() { return m_viewportInput; }
    const hlv_slot::CViewportInputSlot& GetViewportInput() const { return m_viewportInput; }
    float GetViewportWidth() const { return m_viewportWidth; }
    float GetViewportHeight() const { return m_viewportHeight; }

    // Set by scene builders. An empty framebuffer means the default one.
    FramebufferHandle framebuffer;
    std::uint32_t renderTarget = 0;  // USED_BUFFER_MASK
    std::uint32_t clearMask = 0;     // CLEAR_MASK bits
    std::array<float, 4> clearColor{1.0f, 0.0f, 0.0f, 0.0f};

private:
    std::uint64_t m_currentCamera = 0;
    std::vector<CameraHandle> m_cameras;
    hlv_slot::CViewportInputSlot m_viewportInput;
    float m_viewportWidth = 0.0f;
    float m_viewportHeight = 0.0f;
};
HLV_DEFINE_RESOURCE_CLASS(CCameraNode, CGroupNode)

}  // namespace hlv_sg
