#pragma once
// The base of visitors that turn the tree into render commands: it knows the
// camera that geometry is drawn through.
#include <cstdint>
#include <string>

#include <halvo_core/handle.h>
#include <halvo_gfx/camera.h>
#include <halvo_sg/renderable_visitor.h>

namespace hlv_sg {

class IRenderVisitor : public IRenderableVisitor {
public:
    HLV_RESOURCE_CLASS(IRenderVisitor)

    // MSGR_NO_TRAVERSAL_IMPL unless a render visitor implements them.
    std::uint32_t EnterLinearPostProcessingNode(CLinearPostProcessingNode* node) override;
    std::uint32_t EnterCameraNode(CCameraNode* node) override;
    std::uint32_t EnterGeoNode(CGeoNode* node) override;

    const hlv_core::CResourceHandle<hlv_gfx::ICamera>& GetCurrentCamera() const { return m_currentCamera; }

protected:
    explicit IRenderVisitor(const std::string& name) : IRenderableVisitor(name) {}

    hlv_core::CResourceHandle<hlv_gfx::ICamera> m_currentCamera;
};
HLV_DEFINE_RESOURCE_CLASS(IRenderVisitor, IRenderableVisitor)

}  // namespace hlv_sg
