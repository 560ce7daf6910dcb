#pragma once
// The visitor side of the shade nodes' double dispatch: an enter and a leave
// operation per shade-node kind. Every operation returns a HALVO_SHADE_RESULT.
#include <cstdint>

namespace hlv_shade {

class CCustomShadeNode;
class CFramebuffer2DNode;

class IShadeNodeVisitor {
public:
    IShadeNodeVisitor() = default;
    IShadeNodeVisitor(const IShadeNodeVisitor&) = delete;
    IShadeNodeVisitor& operator=(const IShadeNodeVisitor&) = delete;
    virtual ~IShadeNodeVisitor() = default;

    virtual std::uint32_t EnterCustomShadeNode(CCustomShadeNode* node) = 0;
    virtual std::uint32_t EnterFramebuffer2DNode(CFramebuffer2DNode* node) = 0;
    virtual std::uint32_t LeaveCustomShadeNode(CCustomShadeNode* node) = 0;
    virtual std::uint32_t LeaveFramebuffer2DNode(CFramebuffer2DNode* node) = 0;
};

}  // namespace hlv_shade
