#pragma once
// The visitor side of the double dispatch: one enter and one leave operation
// per node kind. An operation a visitor does not override forwards to the
// operation of the more general kind:
//
//   other group, camera, transform   -> group
//   render state                     -> decorator
//   post-processing, decorator,
//   geometry, group                  -> node
//   node                             -> 0
//
// so a visitor that overrides only EnterNode sees every node. Every operation
// returns a HALVO_SG_RESULT.
#include <cstdint>
#include <string>

#include <halvo_core/resource.h>

namespace hlv_sg {

class INode;
class CGroupNode;
class CTrafoNode;
class CCameraNode;
class CDecoNode;
class CRenderStateNode;
class CGeoNode;
class CLinearPostProcessingNode;

class INodeVisitor : public hlv_core::IResource {
public:
    HLV_RESOURCE_CLASS(INodeVisitor)

    // Group-like kinds that this system does not have.
    virtual std::uint32_t EnterOtherGroupNode(CGroupNode* node);
    virtual std::uint32_t EnterLinearPostProcessingNode(CLinearPostProcessingNode* node);
    virtual std::uint32_t EnterRenderStateNode(CRenderStateNode* node);
    virtual std::uint32_t EnterDecoNode(CDecoNode* node);
    virtual std::uint32_t EnterCameraNode(CCameraNode* node);
    // Transform nodes and particle-system nodes.
    virtual std::uint32_t EnterTrafoNode(CTrafoNode* node);
    virtual std::uint32_t EnterGeoNode(CGeoNode* node);
    virtual std::uint32_t EnterGroupNode(CGroupNode* node);
    virtual std::uint32_t EnterNode(INode* node);

    virtual std::uint32_t LeaveOtherGroupNode(CGroupNode* node);
    virtual std::uint32_t LeaveLinearPostProcessingNode(CLinearPostProcessingNode* node);
    virtual std::uint32_t LeaveRenderStateNode(CRenderStateNode* node);
    virtual std::uint32_t LeaveDecoNode(CDecoNode* node);
    virtual std::uint32_t LeaveCameraNode(CCameraNode* node);
    virtual std::uint32_t LeaveTrafoNode(CTrafoNode* node);
    virtual std::uint32_t LeaveGeoNode(CGeoNode* node);
    virtual std::uint32_t LeaveGroupNode(CGroupNode* node);
    virtual std::uint32_t LeaveNode(INode* node);

protected:
    explicit INodeVisitor(const std::string& name) : IResource(name) {}
};
HLV_DEFINE_RESOURCE_CLASS(INodeVisitor, hlv_core::IResource)

}  // namespace hlv_sg
