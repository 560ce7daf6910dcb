#pragma once
// The first pass of every frame: calls every controller of every node.
#include <cstdint>
#include <string>

#include <halvo_sg/frame_time_record.h>
#include <halvo_sg/node_visitor.h>

namespace hlv_sg {

class CUpdateVisitor : public INodeVisitor {
public:
    HLV_RESOURCE_CLASS(CUpdateVisitor)

    explicit CUpdateVisitor(const std::string& name) : INodeVisitor(name) {}

    // Every kind reaches it: calls the node's controllers in list order,
    // skipping empty entries. MSGR_INVALID_ARGUMENT for a null node.
    std::uint32_t EnterNode(INode* node) override;

    void SetFrameTime(const frame_time_record& time) { m_time = time; }
    const frame_time_record& GetFrameTime() const { return m_time; }

private:
    frame_time_record m_time;
};
HLV_DEFINE_RESOURCE_CLASS(CUpdateVisitor, INodeVisitor)

}  // namespace hlv_sg
