#pragma once
// Per-frame behaviour attached to a node: the update visitor calls every
// controller of every node once per frame.
#include <cstdint>

#include <halvo_sg/frame_time_record.h>
#include <halvo_sg/node.h>

namespace hlv_sg {

class IController {
public:
    IController() = default;
    IController(const IController&) = delete;
    IController& operator=(const IController&) = delete;
    // Detaches the controller from its node.
    virtual ~IController();

    // Once per frame, on the update thread. Returns a HALVO_SG_RESULT.
    virtual std::uint32_t Update(const frame_time_record& time) = 0;
    // Whether the controller may be attached to that node.
    virtual bool AcceptsNode(INode* node) = 0;

    // The node it is attached to (null when detached) and its entry there.
    INode* GetNode() const { return m_node; }
    std::uint64_t GetIndex() const { return m_index; }

private:
    friend class INode;

    INode* m_node = nullptr;
    std::uint64_t m_index = INVALID_INDEX;
};

}  // namespace hlv_sg
