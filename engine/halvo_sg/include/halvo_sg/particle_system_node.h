#pragma once
// The base of nodes that run particle systems: a transform node whose own
// update controller calls UpdateParticleSystem once per frame.
#include <cstdint>
#include <string>

#include <halvo_sg/controller.h>
#include <halvo_sg/frame_time_record.h>
#include <halvo_sg/trafo_node.h>

namespace hlv_sg {

class AParticleSystemNode : public CTrafoNode {
public:
    HLV_RESOURCE_CLASS(AParticleSystemNode)

    // Calls the node's UpdateParticleSystem with the frame's times. Accepts
    // only particle-system nodes (by class record).
    class CParticleSystemNode_UpdateController : public IController {
    public:
        std::uint32_t Update(const frame_time_record& time) override;
        bool AcceptsNode(INode* node) override;
    };

    // Creates its update controller and attaches it to itself.
    explicit AParticleSystemNode(const std::string& name);
    // Deletes its update controller.
    ~AParticleSystemNode() override;

    // Steps the particle systems for the frame; returns a HALVO_SG_RESULT.
    virtual std::uint32_t UpdateParticleSystem(const frame_time_record& time) = 0;

    std::uint64_t GetUpdateControllerIndex() const { return m_updateControllerIndex; }

private:
    CParticleSystemNode_UpdateController* m_updateController;
    std::uint64_t m_updateControllerIndex;
};
HLV_DEFINE_RESOURCE_CLASS(AParticleSystemNode, CTrafoNode)

}  // namespace hlv_sg
