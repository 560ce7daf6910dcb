// Node operations: children, decorators, cameras and the controller list.
#include <chrono>
#include <memory>

#include <gtest/gtest.h>

#include "support/test_particle_node.h"

#include <halvo_core/handle.h>
#include <halvo_gfx/perspective_camera.h>
#include <halvo_sg/RESULT.h>
#include <halvo_sg/camera_node.h>
#include <halvo_sg/controller.h>
#include <halvo_sg/deco_node.h>
#include <halvo_sg/group_node.h>
#include <halvo_sg/particle_system_node.h>
#include <halvo_sg/update_visitor.h>
#include <hlv_testing/watchdog.h>

namespace hlv_sg {
namespace {

using hlv_core::Adopt;
using hlv_core::CResourceHandle;
using hlv_testing::CWatchdog;

class CCountingController : public IController {
public:
    explicit CCountingController(bool accepts = true) : m_accepts(accepts) {}
    std::uint32_t Update(const frame_time_record& time) override
    {
        ++updates;
        lastFrame = time.frameNumber;
        return MSGR_OK;
    }
    bool AcceptsNode(INode*) override { return m_accepts; }

    int updates = 0;
    std::uint64_t lastFrame = 0;

private:
    bool m_accepts;
};

using hlv_sg_test::CTestParticleNode;

TEST(GroupNode, AddChildSetsParentAndReturnsIndex)
{
    auto group = Adopt(new CGroupNode("group"));
    auto a = Adopt(new INode("a"));
    auto b = Adopt(new INode("b"));
    EXPECT_EQ(group->AddChild(CResourceHandle<INode>(a)), 0u);
    EXPECT_EQ(group->AddChild(CResourceHandle<INode>(b)), 1u);
    EXPECT_EQ(group->AddChild(CResourceHandle<INode>()), INVALID_INDEX);
    EXPECT_EQ(group->GetChildCount(), 2u);
    EXPECT_EQ(a->GetParent(), group.get());
    EXPECT_EQ(group->GetChild(1).get(), b.get());
    EXPECT_FALSE(group->GetChild(2));
}

TEST(DecoNode, SetChildMovesTheParentLink)
{
    auto deco = Adopt(new CDecoNode("deco"));
    auto first = Adopt(new INode("first"));
    auto second = Adopt(new INode("second"));
    EXPECT_EQ(deco->SetChild(CResourceHandle<INode>(first)), MSGR_OK);
    EXPECT_EQ(first->GetParent(), deco.get());
    EXPECT_EQ(deco->SetChild(CResourceHandle<INode>(second)), MSGR_OK);
    EXPECT_EQ(first->GetParent(), nullptr);
    EXPECT_EQ(second->GetParent(), deco.get());
    EXPECT_EQ(deco->SetChild({}), MSGR_OK);
    EXPECT_EQ(second->GetParent(), nullptr);
    EXPECT_FALSE(deco->GetChild());
}

TEST(DecoNode, RefusedChildChangesNothing)
{
    struct CPickyDeco : CDecoNode {
        using CDecoNode::CDecoNode;
        bool AcceptsChild(INode*) override { return false; }
    };
    auto deco = Adopt(new CPickyDeco("picky"));
    auto child = Adopt(new INode("child"));
    EXPECT_EQ(deco->SetChild(CResourceHandle<INode>(child)), MSGR_INVALID_ID);
    EXPECT_FALSE(deco->GetChild());
    EXPECT_EQ(child->GetParent(), nullptr);
}

TEST(CameraNode, CamerasAndViewport)
{
    auto node = Adopt(new CCameraNode("camera node"));
    EXPECT_FALSE(node->GetCamera());
    EXPECT_EQ(node->clearMask, 0u);
    EXPECT_EQ(node->clearColor, (std::array<float, 4>{1, 0, 0, 0}));

    hlv_slot::CViewportOutputSlot viewport(hlv_gfx::VIEWPORT{0, 0, 640, 480});
    EXPECT_EQ(node->ConnectViewport(&viewport), MSGR_OK);
    EXPECT_EQ(node->GetViewportWidth(), 640.0f);
    EXPECT_EQ(node->GetViewportHeight(), 480.0f);

    auto camera = Adopt(new hlv_gfx::CPerspectiveCamera("camera"));
    EXPECT_EQ(node->AddCamera(CResourceHandle<hlv_gfx::ICamera>(camera)), MSGR_OK);
    EXPECT_EQ(node->GetCamera().get(), camera.get());
    EXPECT_EQ(camera->GetViewport(), (hlv_gfx::VIEWPORT{0, 0, 640, 480}));

    // A new viewport value reaches the current camera through the notification.
    viewport.SetValue(hlv_gfx::VIEWPORT{10, 20, 320, 240});
    EXPECT_EQ(camera->GetViewport(), (hlv_gfx::VIEWPORT{10, 20, 320, 240}));

    EXPECT_EQ(node->AddCamera({}), MSGR_INVALID_ARGUMENT);
    EXPECT_EQ(node->GetCameraCount(), 1u);
    node->SetCurrentCameraIndex(1);
    EXPECT_FALSE(node->GetCamera());
}

TEST(Controllers, EmptyEntriesAreReused)
{
    auto node = Adopt(new INode("node"));
    CCountingController first, second, third;
    EXPECT_EQ(node->AddController(&first), 0u);
    EXPECT_EQ(node->AddController(&second), 1u);
    EXPECT_EQ(node->RemoveController(0), &first);
    EXPECT_EQ(first.GetNode(), nullptr);
    EXPECT_EQ(node->AddController(&third), 0u);
    EXPECT_EQ(third.GetIndex(), 0u);
    EXPECT_EQ(node->GetControllerCount(), 2u);
    EXPECT_EQ(node->RemoveController(7), nullptr);
}

TEST(Controllers, RefusedControllersAreNotStored)
{
    auto node = Adopt(new INode("node"));
    CCountingController refusing(false);
    EXPECT_EQ(node->AddController(&refusing), INVALID_INDEX);
    EXPECT_EQ(node->AddController(nullptr), INVALID_INDEX);
    EXPECT_EQ(node->GetControllerCount(), 0u);

    // A particle node's update controller accepts particle nodes only.
    AParticleSystemNode::CParticleSystemNode_UpdateController update;
    auto group = Adopt(new CGroupNode("group"));
    EXPECT_EQ(group->AddController(&update), INVALID_INDEX);
    auto particles = Adopt(new CTestParticleNode("particles"));
    EXPECT_EQ(particles->AddController(&update), 1u);
}

TEST(Controllers, AddingToItsOwnNodeAgainKeepsTheEntry)
{
    CWatchdog watchdog(std::chrono::seconds(10), "AddController on the controller's own node");
    auto node = Adopt(new INode("node"));
    CCountingController other, controller;
    node->AddController(&other);
    ASSERT_EQ(node->AddController(&controller), 1u);
    EXPECT_EQ(node->AddController(&controller), 1u);
    EXPECT_EQ(node->GetControllerCount(), 2u);
    EXPECT_EQ(node->GetController(1), &controller);
}

TEST(Controllers, MovingToAnotherNodeDetachesFromTheFirst)
{
    CWatchdog watchdog(std::chrono::seconds(10), "AddController across two nodes");
    auto a = Adopt(new INode("a"));
    auto b = Adopt(new INode("b"));
    CCountingController controller;
    ASSERT_EQ(a->AddController(&controller), 0u);
    EXPECT_EQ(b->AddController(&controller), 0u);
    EXPECT_EQ(controller.GetNode(), b.get());
    EXPECT_EQ(a->GetController(0), nullptr);
    EXPECT_EQ(b->GetController(0), &controller);

    // And back: the entry it had in a is free again.
    EXPECT_EQ(a->AddController(&controller), 0u);
    EXPECT_EQ(b->GetController(0), nullptr);
}

TEST(Controllers, DestroyedControllerLeavesItsNodeAndOnlyItsOwnEntry)
{
    auto node = Adopt(new INode("node"));
    auto first = std::make_unique<CCountingController>();
    CCountingController second;
    node->AddController(first.get());
    // first is taken out; second takes its entry; destroying first must not
    // remove second.
    node->RemoveController(0);
    ASSERT_EQ(node->AddController(&second), 0u);
    first.reset();
    EXPECT_EQ(node->GetController(0), &second);

    {
        CCountingController scoped;
        EXPECT_EQ(node->AddController(&scoped), 1u);
    }
    EXPECT_EQ(node->GetController(1), nullptr);
}

TEST(Controllers, ControllerMayOutliveItsNode)
{
    auto controller = std::make_unique<CCountingController>();
    {
        auto node = Adopt(new INode("short-lived"));
        node->AddController(controller.get());
    }
    EXPECT_EQ(controller->GetNode(), nullptr);
    EXPECT_EQ(controller->GetIndex(), INVALID_INDEX);
    controller.reset();  // must not reach the destroyed node
}

TEST(ParticleSystemNode, OwnUpdateControllerStepsTheNodeEachFrame)
{
    auto node = Adopt(new CTestParticleNode("particles"));
    EXPECT_EQ(node->GetUpdateControllerIndex(), 0u);
    ASSERT_NE(node->GetController(0), nullptr);
    EXPECT_EQ(node->GetController(0)->GetNode(), node.get());

    auto visitor = Adopt(new CUpdateVisitor("update"));
    frame_time_record time;
    time.milliseconds = 1234;
    visitor->SetFrameTime(time);
    node->Accept(visitor.get());
    node->Accept(visitor.get());
    EXPECT_EQ(node->steps, 2);
    EXPECT_EQ(node->lastMilliseconds, 1234u);
    // Destroying the node deletes its controller (the leak checker of the
    // sanitizer builds would report it otherwise).
}

TEST(UpdateVisitor, CallsEveryControllerOfEveryNodeAndSkipsEmptyEntries)
{
    auto root = Adopt(new CGroupNode("root"));
    auto child = Adopt(new CCameraNode("child"));
    root->AddChild(CResourceHandle<INode>(child));
    CCountingController a, removed, b;
    root->AddController(&a);
    root->AddController(&removed);
    root->RemoveController(1);
    child->AddController(&b);

    auto visitor = Adopt(new CUpdateVisitor("update"));
    frame_time_record time;
    time.frameNumber = 41;
    visitor->SetFrameTime(time);
    root->Accept(visitor.get());

    EXPECT_EQ(a.updates, 1);
    EXPECT_EQ(removed.updates, 0);
    EXPECT_EQ(b.updates, 1);
    EXPECT_EQ(b.lastFrame, 41u);
    EXPECT_EQ(visitor->EnterNode(nullptr), MSGR_INVALID_ARGUMENT);
}

}  // namespace
}  // namespace hlv_sg
