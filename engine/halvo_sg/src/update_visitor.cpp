#include <halvo_sg/update_visitor.h>

#include <halvo_sg/RESULT.h>
#include <halvo_sg/controller.h>
#include <halvo_sg/node.h>

namespace hlv_sg {

std::uint32_t CUpdateVisitor::EnterNode(INode* node)
{
    if (!node) return MSGR_INVALID_ARGUMENT;
    // A controller may detach itself while it runs: the length is re-read.
    for (std::size_t i = 0; i < node->GetControllerCount(); ++i) {
        if (IController* controller = node->GetController(i)) controller->Update(m_time);
    }
    return MSGR_OK;
}

}  // namespace hlv_sg
