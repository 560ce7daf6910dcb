#include <halvo_sg/render_visitor.h>

#include <halvo_sg/RESULT.h>

namespace hlv_sg {

std::uint32_t IRenderVisitor::EnterLinearPostProcessingNode(CLinearPostProcessingNode*)
{
    return MSGR_NO_TRAVERSAL_IMPL;
}
std::uint32_t IRenderVisitor::EnterCameraNode(CCameraNode*) { return MSGR_NO_TRAVERSAL_IMPL; }
std::uint32_t IRenderVisitor::EnterGeoNode(CGeoNode*) { return MSGR_NO_TRAVERSAL_IMPL; }

}  // namespace hlv_sg
