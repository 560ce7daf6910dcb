#include <halvo_sg/particle_system_node.h>

#include <halvo_core/class_info.h>
#include <halvo_sg/RESULT.h>

namespace hlv_sg {

std::uint32_t AParticleSystemNode::CParticleSystemNode_UpdateController::Update(const frame_time_record& time)
{
    auto* node = dynamic_cast<AParticleSystemNode*>(GetNode());
    if (!node) return MSGR_INVALID_ARGUMENT;
    return node->UpdateParticleSystem(time);
}

bool AParticleSystemNode::CParticleSystemNode_UpdateController::AcceptsNode(INode* node)
{
    return node && hlv_core::IsKindOf<AParticleSystemNode>(node);
}

AParticleSystemNode::AParticleSystemNode(const std::string& name)
    : CTrafoNode(name), m_updateController(new CParticleSystemNode_UpdateController)
{
    m_updateControllerIndex = AddController(m_updateController);
}

AParticleSystemNode::~AParticleSystemNode()
{
    // The controller detaches itself from this node as it goes.
    delete m_updateController;
}

}  // namespace hlv_sg
