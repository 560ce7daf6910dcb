#include <halvo_sg/trafo_visitor.h>

#include <halvo_sg/RESULT.h>
#include <halvo_sg/geo_node.h>
#include <halvo_sg/trafo_node.h>

namespace hlv_sg {

std::uint32_t CTrafoVisitor::EnterTrafoNode(CTrafoNode* node)
{
    if (!node) return MSGR_INVALID_ARGUMENT;
    m_stack.push_back(m_current);
    m_current = Compose(m_current, node->LocalTransform());
    return MSGR_OK;
}

std::uint32_t CTrafoVisitor::EnterGeoNode(CGeoNode* node)
{
    if (!node) return MSGR_INVALID_ARGUMENT;
    node->WorldTransform() = Compose(m_current, node->LocalTransform());
    return MSGR_OK;
}

std::uint32_t CTrafoVisitor::LeaveTrafoNode(CTrafoNode*)
{
    if (m_stack.empty()) {
        m_current = NODE_TRANSFORM{};
        return MSGR_OK;
    }
    m_current = m_stack.back();
    m_stack.pop_back();
    return MSGR_OK;
}

}  // namespace hlv_sg
