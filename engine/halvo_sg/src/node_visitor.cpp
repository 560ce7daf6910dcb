#include <halvo_sg/node_visitor.h>

#include <halvo_sg/RESULT.h>
#include <halvo_sg/camera_node.h>
#include <halvo_sg/deco_node.h>
#include <halvo_sg/geo_node.h>
#include <halvo_sg/group_node.h>
#include <halvo_sg/linear_post_processing_node.h>
#include <halvo_sg/primitive_set.h>
#include <halvo_sg/render_state_node.h>
#include <halvo_sg/renderable_visitor.h>
#include <halvo_sg/trafo_node.h>

namespace hlv_sg {

std::uint32_t INodeVisitor::EnterOtherGroupNode(CGroupNode* node) { return EnterGroupNode(node); }
std::uint32_t INodeVisitor::EnterLinearPostProcessingNode(CLinearPostProcessingNode* node) { return EnterNode(node); }
std::uint32_t INodeVisitor::EnterRenderStateNode(CRenderStateNode* node) { return EnterDecoNode(node); }
std::uint32_t INodeVisitor::EnterDecoNode(CDecoNode* node) { return EnterNode(node); }
std::uint32_t INodeVisitor::EnterCameraNode(CCameraNode* node) { return EnterGroupNode(node); }
std::uint32_t INodeVisitor::EnterTrafoNode(CTrafoNode* node) { return EnterGroupNode(node); }
std::uint32_t INodeVisitor::EnterGeoNode(CGeoNode* node) { return EnterNode(node); }
std::uint32_t INodeVisitor::EnterGroupNode(CGroupNode* node) { return EnterNode(node); }
std::uint32_t INodeVisitor::EnterNode(INode*) { return MSGR_OK; }

std::uint32_t INodeVisitor::LeaveOtherGroupNode(CGroupNode* node) { return LeaveGroupNode(node); }
std::uint32_t INodeVisitor::LeaveLinearPostProcessingNode(CLinearPostProcessingNode* node) { return LeaveNode(node); }
std::uint32_t INodeVisitor::LeaveRenderStateNode(CRenderStateNode* node) { return LeaveDecoNode(node); }
std::uint32_t INodeVisitor::LeaveDecoNode(CDecoNode* node) { return LeaveNode(node); }
std::uint32_t INodeVisitor::LeaveCameraNode(CCameraNode* node) { return LeaveGroupNode(node); }
std::uint32_t INodeVisitor::LeaveTrafoNode(CTrafoNode* node) { return LeaveGroupNode(node); }
std::uint32_t INodeVisitor::LeaveGeoNode(CGeoNode* node) { return LeaveNode(node); }
std::uint32_t INodeVisitor::LeaveGroupNode(CGroupNode* node) { return LeaveNode(node); }
std::uint32_t INodeVisitor::LeaveNode(INode*) { return MSGR_OK; }

std::uint32_t IRenderableVisitor::VisitIndexedPrimitiveSet(CIndexedPrimitiveSet*) { return MSGR_OK; }
std::uint32_t IRenderableVisitor::VisitPrimitiveSet(CPrimitiveSet*) { return MSGR_OK; }
std::uint32_t IRenderableVisitor::VisitRenderable(IRenderable*) { return MSGR_OK; }

}  // namespace hlv_sg
