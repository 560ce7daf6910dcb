#include <halvo_sg/node.h>

#include <halvo_sg/RESULT.h>
#include <halvo_sg/controller.h>
#include <halvo_sg/node_visitor.h>

namespace hlv_sg {

INode::~INode()
{
    // A controller may outlive its node: it must not call back into it.
    std::lock_guard<std::mutex> lock(m_lock);
    for (IController* controller : m_controllers) {
        if (controller && controller->m_node == this) {
            controller->m_node = nullptr;
            controller->m_index = INVALID_INDEX;
        }
    }
}

std::uint32_t INode::Accept(INodeVisitor* visitor)
{
    if (!visitor) return MSGR_INVALID_ARGUMENT;
    Enter(visitor);
    Leave(visitor);
    return MSGR_OK;
}

std::uint32_t INode::Enter(INodeVisitor* visitor)
{
    if (!visitor) return MSGR_INVALID_ARGUMENT;
    visitor->EnterNode(this);
    return MSGR_OK;
}

std::uint32_t INode::Leave(INodeVisitor* visitor)
{
    if (!visitor) return MSGR_INVALID_ARGUMENT;
    return visitor->LeaveNode(this);
}

std::uint64_t INode::AddController(IController* controller)
{
    if (!controller) return INVALID_INDEX;
    // Already here: it keeps its entry. (Taking the lock below a second time,
    // as a detach from this same node would, must not happen.)
    if (controller->m_node == this) return controller->m_index;
    if (!controller->AcceptsNode(this)) return INVALID_INDEX;
    // Leave the previous node under its own lock before this node's lock is
    // taken, so two node locks are never held together.
    if (INode* previous = controller->m_node) previous->RemoveController(controller->m_index);

    std::lock_guard<std::mutex> lock(m_lock);
    std::uint64_t index = 0;
    while (index < m_controllers.size() && m_controllers[index]) ++index;
    if (index == m_controllers.size()) {
        m_controllers.push_back(controller);
    } else {
        m_controllers[index] = controller;
    }
    controller->m_node = this;
    controller->m_index = index;
    return index;
}

IController* INode::RemoveController(std::uint64_t index)
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (index >= m_controllers.size()) return nullptr;
    IController* controller = m_controllers[index];
    m_controllers[index] = nullptr;
    // The controller no longer points at an entry that another controller may
    // take next.
    if (controller && controller->m_node == this) {
        controller->m_node = nullptr;
        controller->m_index = INVALID_INDEX;
    }
    return controller;
}

IController::~IController()
{
    if (m_node) m_node->RemoveController(m_index);
}

}  // namespace hlv_sg
