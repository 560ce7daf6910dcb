#pragma once
// The base of every scene-graph node: its place in the tree, its controllers
// and the double dispatch to visitors.
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include <halvo_core/resource.h>

namespace hlv_sg {

class IController;
class INodeVisitor;

// Returned by index-returning operations that fail.
inline constexpr std::uint64_t INVALID_INDEX = ~std::uint64_t{0};

class INode : public hlv_core::IResource {
public:
    HLV_RESOURCE_CLASS(INode)

    explicit INode(const std::string& name) : IResource(name) {}
    // Detaches every controller still attached (they are not deleted).
    ~INode() override;

    // Enter, then Leave; 0, or MSGR_INVALID_ARGUMENT for a null visitor.
    virtual std::uint32_t Accept(INodeVisitor* visitor);
    // The visitor's operation pair of this node kind. Enter answers 0 (the
    // visitor's result is not passed on); Leave answers the visitor's result.
    // A null visitor gives MSGR_INVALID_ARGUMENT.
    virtual std::uint32_t Enter(INodeVisitor* visitor);
    virtual std::uint32_t Leave(INodeVisitor* visitor);

    // Attaches the controller and returns its entry in the controller list,
    // or INVALID_INDEX for a null controller or one that refuses this node. A
    // controller already attached here keeps its entry; one attached to
    // another node leaves that node first. The first empty entry is reused.
    std::uint64_t AddController(IController* controller);
    // Takes the controller out of entry index (the entry becomes empty; the
    // list never shrinks) and returns it, or null for an index past the list.
    IController* RemoveController(std::uint64_t index);

    // Entries of the controller list, empty ones included. Read by the update
    // visitor without the lock: controllers are attached before the update
    // thread starts.
    std::size_t GetControllerCount() const { return m_controllers.size(); }
    IController* GetController(std::size_t index) const
    {
        return index < m_controllers.size() ? m_controllers[index] : nullptr;
    }

    INode* GetParent() const { return m_parent; }
    // Set by the node that takes this one as its child.
    void SetParent(INode* parent) { m_parent = parent; }

private:
    INode* m_parent = nullptr;
    std::vector<IController*> m_controllers;
    std::mutex m_lock;  // guards m_controllers and the controllers' links to this node
};
HLV_DEFINE_RESOURCE_CLASS(INode, hlv_core::IResource)

}  // namespace hlv_sg
