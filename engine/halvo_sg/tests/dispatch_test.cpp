// Double dispatch between nodes and visitors: which visitor operations each
// node kind calls, in which order, and where the defaults forward.
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/test_particle_node.h"

#include <halvo_core/handle.h>
#include <halvo_sg/RESULT.h>
#include <halvo_sg/camera_node.h>
#include <halvo_sg/deco_node.h>
#include <halvo_sg/frame_time_record.h>
#include <halvo_sg/geo_node.h>
#include <halvo_sg/group_node.h>
#include <halvo_sg/linear_post_processing_node.h>
#include <halvo_sg/node_visitor.h>
#include <halvo_sg/particle_system_node.h>
#include <halvo_sg/render_state_node.h>
#include <halvo_sg/trafo_node.h>

namespace hlv_sg {
namespace {

using hlv_core::Adopt;
using hlv_core::CResourceHandle;

// Overrides every operation and records "Operation node-name".
class CRecordingVisitor : public INodeVisitor {
public:
    CRecordingVisitor() : INodeVisitor("recording visitor") {}
    std::vector<std::string> calls;

#define RECORD_PAIR(Kind, Type)                                                          \
    std::uint32_t Enter##Kind(Type* node) override { return Note("Enter" #Kind, node); } \
    std::uint32_t Leave##Kind(Type* node) override { return Note("Leave" #Kind, node); }
    RECORD_PAIR(OtherGroupNode, CGroupNode)
    RECORD_PAIR(LinearPostProcessingNode, CLinearPostProcessingNode)
    RECORD_PAIR(RenderStateNode, CRenderStateNode)
    RECORD_PAIR(DecoNode, CDecoNode)
    RECORD_PAIR(CameraNode, CCameraNode)
    RECORD_PAIR(TrafoNode, CTrafoNode)
    RECORD_PAIR(GeoNode, CGeoNode)
    RECORD_PAIR(GroupNode, CGroupNode)
    RECORD_PAIR(Node, INode)
#undef RECORD_PAIR

    // The value every leave operation answers.
    std::uint32_t leaveResult = MSGR_OK;

private:
    std::uint32_t Note(const char* operation, INode* node)
    {
        calls.push_back(std::string(operation) + " " + node->GetName());
        return std::string(operation).rfind("Leave", 0) == 0 ? leaveResult : MSGR_OK;
    }
};

// Overrides only EnterNode.
class CEnterNodeVisitor : public INodeVisitor {
public:
    CEnterNodeVisitor() : INodeVisitor("enter-node visitor") {}
    std::vector<std::string> seen;
    std::uint32_t EnterNode(INode* node) override
    {
        seen.push_back(node->GetName());
        return MSGR_OK;
    }
};

using hlv_sg_test::CTestParticleNode;

// One node of every kind, each with a child where it takes one.
struct EveryKind {
    CResourceHandle<INode> plain = Adopt(new INode("node"));
    CResourceHandle<CGroupNode> group = Adopt(new CGroupNode("group"));
    CResourceHandle<CTrafoNode> trafo = Adopt(new CTrafoNode("trafo"));
    CResourceHandle<CCameraNode> camera = Adopt(new CCameraNode("camera"));
    CResourceHandle<CDecoNode> deco = Adopt(new CDecoNode("deco"));
    CResourceHandle<CRenderStateNode> state = Adopt(new CRenderStateNode("state"));
    CResourceHandle<CGeoNode> geo = Adopt(new CGeoNode("geo"));
    CResourceHandle<CLinearPostProcessingNode> post = Adopt(new CLinearPostProcessingNode("post"));
    CResourceHandle<CTestParticleNode> particles = Adopt(new CTestParticleNode("particles"));

    std::vector<INode*> All() const
    {
        return {plain.get(), group.get(), trafo.get(), camera.get(),   deco.get(),
                state.get(), geo.get(),   post.get(),  particles.get()};
    }
};

std::vector<std::string> Visit(INode& node)
{
    auto visitor = Adopt(new CRecordingVisitor);
    EXPECT_EQ(node.Accept(visitor.get()), MSGR_OK);
    return visitor->calls;
}

using Calls = std::vector<std::string>;

TEST(Dispatch, EachKindCallsItsOwnPair)
{
    EveryKind k;
    EXPECT_EQ(Visit(*k.plain), (Calls{"EnterNode node", "LeaveNode node"}));
    EXPECT_EQ(Visit(*k.group), (Calls{"EnterGroupNode group", "LeaveGroupNode group"}));
    EXPECT_EQ(Visit(*k.trafo), (Calls{"EnterTrafoNode trafo", "LeaveTrafoNode trafo"}));
    EXPECT_EQ(Visit(*k.camera), (Calls{"EnterCameraNode camera", "LeaveCameraNode camera"}));
    EXPECT_EQ(Visit(*k.deco), (Calls{"EnterDecoNode deco", "LeaveDecoNode deco"}));
    EXPECT_EQ(Visit(*k.state), (Calls{"EnterRenderStateNode state", "LeaveRenderStateNode state"}));
    EXPECT_EQ(Visit(*k.geo), (Calls{"EnterGeoNode geo", "LeaveGeoNode geo"}));
    EXPECT_EQ(Visit(*k.post), (Calls{"EnterLinearPostProcessingNode post", "LeaveLinearPostProcessingNode post"}));
    // Particle-system nodes are transform nodes to visitors.
    EXPECT_EQ(Visit(*k.particles), (Calls{"EnterTrafoNode particles", "LeaveTrafoNode particles"}));
}

TEST(Dispatch, GroupKindsVisitTheirChildrenInOrderBetweenEnterAndLeave)
{
    auto trafo = Adopt(new CTrafoNode("trafo"));
    trafo->AddChild(CResourceHandle<INode>(Adopt(new CGeoNode("a"))));
    auto inner = Adopt(new CGroupNode("inner"));
    inner->AddChild(CResourceHandle<INode>(Adopt(new INode("b"))));
    trafo->AddChild(CResourceHandle<INode>(inner));
    trafo->AddChild(CResourceHandle<INode>(Adopt(new CGeoNode("c"))));

    EXPECT_EQ(Visit(*trafo), (Calls{"EnterTrafoNode trafo", "EnterGeoNode a", "LeaveGeoNode a", "EnterGroupNode inner",
                                    "EnterNode b", "LeaveNode b", "LeaveGroupNode inner", "EnterGeoNode c",
                                    "LeaveGeoNode c", "LeaveTrafoNode trafo"}));
}

TEST(Dispatch, DecoratorChildIsVisitedBetweenEnterAndLeave)
{
    auto state = Adopt(new CRenderStateNode("state"));
    auto deco = Adopt(new CDecoNode("deco"));
    ASSERT_EQ(deco->SetChild(CResourceHandle<INode>(Adopt(new CGeoNode("geo")))), MSGR_OK);
    ASSERT_EQ(state->SetChild(CResourceHandle<INode>(deco)), MSGR_OK);

    EXPECT_EQ(Visit(*state), (Calls{"EnterRenderStateNode state", "EnterDecoNode deco", "EnterGeoNode geo",
                                    "LeaveGeoNode geo", "LeaveDecoNode deco", "LeaveRenderStateNode state"}));
}

TEST(Dispatch, EmptyGroupCallsEnterAndLeaveOnce)
{
    auto group = Adopt(new CGroupNode("empty"));
    EXPECT_EQ(Visit(*group), (Calls{"EnterGroupNode empty", "LeaveGroupNode empty"}));
}

TEST(Dispatch, VisitorOverridingOnlyEnterNodeSeesEveryKind)
{
    EveryKind k;
    for (INode* node : k.All()) {
        auto visitor = Adopt(new CEnterNodeVisitor);
        EXPECT_EQ(node->Accept(visitor.get()), MSGR_OK);
        EXPECT_EQ(visitor->seen, Calls{node->GetName()}) << node->GetName();
    }
}

TEST(Dispatch, DefaultsForwardToTheMoreGeneralKind)
{
    // A visitor that overrides only the group and decorator operations sees
    // camera, transform and particle nodes as groups, render-state nodes as
    // decorators.
    struct CGroupAndDecoVisitor : INodeVisitor {
        CGroupAndDecoVisitor() : INodeVisitor("group and deco") {}
        std::vector<std::string> seen;
        std::uint32_t EnterGroupNode(CGroupNode* n) override { return Note("group", n); }
        std::uint32_t LeaveGroupNode(CGroupNode* n) override { return Note("/group", n); }
        std::uint32_t EnterDecoNode(CDecoNode* n) override { return Note("deco", n); }
        std::uint32_t LeaveDecoNode(CDecoNode* n) override { return Note("/deco", n); }
        std::uint32_t Note(const char* what, INode* n)
        {
            seen.push_back(std::string(what) + " " + n->GetName());
            return MSGR_OK;
        }
    };
    EveryKind k;
    auto visitor = Adopt(new CGroupAndDecoVisitor);
    for (INode* node :
         {static_cast<INode*>(k.camera.get()), static_cast<INode*>(k.trafo.get()),
          static_cast<INode*>(k.particles.get()), static_cast<INode*>(k.state.get()), static_cast<INode*>(k.geo.get())})
        node->Accept(visitor.get());
    EXPECT_EQ(visitor->seen, (Calls{"group camera", "/group camera", "group trafo", "/group trafo", "group particles",
                                    "/group particles", "deco state", "/deco state"}));

    EXPECT_EQ(visitor->EnterOtherGroupNode(k.group.get()), MSGR_OK);
    EXPECT_EQ(visitor->seen.back(), "group group");
}

TEST(Dispatch, NullVisitorIsRefusedByEveryKind)
{
    EveryKind k;
    for (INode* node : k.All()) {
        EXPECT_EQ(node->Accept(nullptr), MSGR_INVALID_ARGUMENT) << node->GetName();
        EXPECT_EQ(node->Enter(nullptr), MSGR_INVALID_ARGUMENT) << node->GetName();
        EXPECT_EQ(node->Leave(nullptr), MSGR_INVALID_ARGUMENT) << node->GetName();
    }
}

TEST(Dispatch, GeometryAcceptAnswersItsLeaveResultOthersAnswerZero)
{
    EveryKind k;
    auto visitor = Adopt(new CRecordingVisitor);
    visitor->leaveResult = MSGR_NOT_IMPLEMENTED;
    for (INode* node : k.All()) {
        const std::uint32_t expected = node == k.geo.get() ? MSGR_NOT_IMPLEMENTED : MSGR_OK;
        EXPECT_EQ(node->Accept(visitor.get()), expected) << node->GetName();
        EXPECT_EQ(node->Enter(visitor.get()), MSGR_OK) << node->GetName();
        EXPECT_EQ(node->Leave(visitor.get()), MSGR_NOT_IMPLEMENTED) << node->GetName();
    }
}

}  // namespace
}  // namespace hlv_sg
