// Composition of transforms down the tree, the model matrix, and the order of
// the scene graph's three passes.
#include <vector>

#include <gtest/gtest.h>

#include <halvo_core/handle.h>
#include <halvo_sg/controller.h>
#include <halvo_sg/default_scene_graph.h>
#include <halvo_sg/geo_node.h>
#include <halvo_sg/node_transform.h>
#include <halvo_sg/trafo_node.h>
#include <halvo_sg/trafo_visitor.h>

namespace hlv_sg {
namespace {

using hlv_core::Adopt;
using hlv_core::CResourceHandle;

NODE_TRANSFORM Transform(pld_math::vec3f translation, pld_math::vec3f scale,
                         pld_math::mat3f matrix = pld_math::mat3f::identity())
{
    NODE_TRANSFORM t;
    t.matrix = matrix;
    t.translation = translation;
    t.scale = scale;
    return t;
}

TEST(Transforms, TranslationsAddAndScalesMultiply)
{
    // T1 (translation (1,0,0), scale 2) above T2 (translation (0,1,0), scale 3)
    // above a geometry node with an identity local transform.
    auto t1 = Adopt(new CTrafoNode("T1"));
    auto t2 = Adopt(new CTrafoNode("T2"));
    auto geo = Adopt(new CGeoNode("geo"));
    t1->LocalTransform() = Transform({1, 0, 0}, {2, 2, 2});
    t2->LocalTransform() = Transform({0, 1, 0}, {3, 3, 3});
    t1->AddChild(CResourceHandle<INode>(t2));
    t2->AddChild(CResourceHandle<INode>(geo));

    auto visitor = Adopt(new CTrafoVisitor("trafo"));
    t1->Accept(visitor.get());
    EXPECT_EQ(geo->WorldTransform().translation, (pld_math::vec3f{1, 1, 0}));
    EXPECT_EQ(geo->WorldTransform().scale, (pld_math::vec3f{6, 6, 6}));
    EXPECT_EQ(geo->WorldTransform().matrix, pld_math::mat3f::identity());
    // Balanced enters and leaves bring the visitor back to the identity.
    EXPECT_EQ(visitor->GetCurrentTransform(), NODE_TRANSFORM{});
    EXPECT_EQ(visitor->GetStackDepth(), 0u);
}

TEST(Transforms, MatricesMultiplyParentOnTheLeft)
{
    // Rotations of 90 degrees about z and about x do not commute.
    const pld_math::mat3f rz{0, -1, 0, 1, 0, 0, 0, 0, 1};
    const pld_math::mat3f rx{1, 0, 0, 0, 0, -1, 0, 1, 0};
    const NODE_TRANSFORM composed = Compose(Transform({}, {1, 1, 1}, rz), Transform({}, {1, 1, 1}, rx));
    EXPECT_EQ(composed.matrix, rz * rx);
    EXPECT_EQ(composed.matrix, (pld_math::mat3f{0, 0, 1, 1, 0, 0, 0, 1, 0}));
}

TEST(Transforms, GeometryWithoutTransformParentGetsItsLocalTransform)
{
    auto group = Adopt(new CGroupNode("group"));
    auto geo = Adopt(new CGeoNode("geo"));
    geo->LocalTransform() = Transform({4, 5, 6}, {1, 2, 3});
    group->AddChild(CResourceHandle<INode>(geo));

    auto visitor = Adopt(new CTrafoVisitor("trafo"));
    group->Accept(visitor.get());
    EXPECT_EQ(geo->WorldTransform(), geo->LocalTransform());
}

TEST(Transforms, SiblingsDoNotInheritEachOthersTransform)
{
    auto root = Adopt(new CGroupNode("root"));
    auto moved = Adopt(new CTrafoNode("moved"));
    moved->LocalTransform() = Transform({5, 0, 0}, {1, 1, 1});
    moved->AddChild(CResourceHandle<INode>(Adopt(new CGeoNode("inside"))));
    auto after = Adopt(new CGeoNode("after"));
    root->AddChild(CResourceHandle<INode>(moved));
    root->AddChild(CResourceHandle<INode>(after));

    auto visitor = Adopt(new CTrafoVisitor("trafo"));
    root->Accept(visitor.get());
    EXPECT_EQ(after->WorldTransform(), NODE_TRANSFORM{});
}

TEST(Transforms, StackIsEmptyAfterEveryFrame)
{
    auto graph = Adopt(new CDefaultSceneGraph("graph"));
    auto t = Adopt(new CTrafoNode("t"));
    auto nested = Adopt(new CTrafoNode("nested"));
    t->LocalTransform() = Transform({1, 2, 3}, {2, 2, 2});
    nested->LocalTransform() = Transform({1, 1, 1}, {0.5f, 0.5f, 0.5f});
    auto geo = Adopt(new CGeoNode("geo"));
    nested->AddChild(CResourceHandle<INode>(geo));
    t->AddChild(CResourceHandle<INode>(nested));
    graph->GetRoot()->AddChild(CResourceHandle<INode>(t));

    frame_time_record time;
    for (int frame = 0; frame < 3; ++frame) {
        time.frameNumber = frame;
        graph->Update(&time);
        EXPECT_EQ(graph->GetTrafoVisitor()->GetStackDepth(), 0u);
        EXPECT_EQ(graph->GetTrafoVisitor()->GetCurrentTransform(), NODE_TRANSFORM{});
        // The same world transform every frame: nothing accumulates.
        EXPECT_EQ(geo->WorldTransform().translation, (pld_math::vec3f{2, 3, 4}));
        EXPECT_EQ(geo->WorldTransform().scale, (pld_math::vec3f{1, 1, 1}));
    }
}

TEST(Transforms, LeaveWithoutEnterIsHarmless)
{
    auto visitor = Adopt(new CTrafoVisitor("trafo"));
    auto t = Adopt(new CTrafoNode("t"));
    EXPECT_EQ(visitor->LeaveTrafoNode(t.get()), 0u);
    EXPECT_EQ(visitor->GetStackDepth(), 0u);
    EXPECT_EQ(visitor->GetCurrentTransform(), NODE_TRANSFORM{});
}

TEST(Transforms, ModelMatrixScalesColumnsAndPutsTheTranslationLast)
{
    const pld_math::mat3f m{1, 2, 3, 4, 5, 6, 7, 8, 9};
    const pld_math::mat4f model = ModelMatrix(Transform({10, 20, 30}, {2, 3, 4}, m));
    EXPECT_EQ(model, (pld_math::mat4f{2, 6, 12, 10, 8, 15, 24, 20, 14, 24, 36, 30, 0, 0, 0, 1}));
}

// Each controller sees the world transform of the previous frame: the
// update pass runs completely before the transform pass.
TEST(SceneGraph, PassesRunInOrderUpdateThenTransform)
{
    struct CMoveController : IController {
        CTrafoNode* trafo = nullptr;
        CGeoNode* geo = nullptr;
        std::vector<float> seen;
        std::uint32_t Update(const frame_time_record& time) override
        {
            seen.push_back(geo->WorldTransform().translation[0]);
            trafo->LocalTransform().translation[0] = static_cast<float>(time.frameNumber);
            return 0;
        }
        bool AcceptsNode(INode*) override { return true; }
    };
    auto graph = Adopt(new CDefaultSceneGraph("graph"));
    auto t = Adopt(new CTrafoNode("t"));
    auto geo = Adopt(new CGeoNode("geo"));
    t->AddChild(CResourceHandle<INode>(geo));
    graph->GetRoot()->AddChild(CResourceHandle<INode>(t));
    CMoveController controller;
    controller.trafo = t.get();
    controller.geo = geo.get();
    graph->GetRoot()->AddController(&controller);

    frame_time_record time;
    for (std::uint64_t frame = 1; frame <= 3; ++frame) {
        time.frameNumber = frame;
        graph->Update(&time);
        EXPECT_EQ(geo->WorldTransform().translation[0], static_cast<float>(frame));
    }
    EXPECT_EQ(controller.seen, (std::vector<float>{0, 1, 2}));
    EXPECT_EQ(graph->GetLastFrameTime().frameNumber, 3u);
}

TEST(SceneGraph, NamesOfTheRootAndTheVisitorsAndItsClassRecord)
{
    auto graph = Adopt(new CDefaultSceneGraph("The Scene Graph"));
    EXPECT_EQ(graph->GetRoot()->GetName(), "Scene Root");
    EXPECT_EQ(graph->GetRenderVisitor()->GetName(), "Default MT Render Visitor");
    EXPECT_EQ(graph->GetUpdateVisitor()->GetName(), "Default Update Visitor");
    EXPECT_EQ(graph->GetTrafoVisitor()->GetName(), "Default Trafo Visitor");
    EXPECT_LT(graph->GetRenderVisitor()->GetId(), graph->GetUpdateVisitor()->GetId());
    EXPECT_LT(graph->GetUpdateVisitor()->GetId(), graph->GetTrafoVisitor()->GetId());
    // The graph reports a record of its own, whose parent is IResource's.
    const hlv_core::CResourceClassInfo* record = graph->GetClassInfo();
    EXPECT_EQ(record->class_name, "CDefaultSceneGraph");
    EXPECT_EQ(record->parent, &hlv_core::IResource::s_classInfo);
    EXPECT_EQ(record->size, sizeof(CDefaultSceneGraph));
}

}  // namespace
}  // namespace hlv_sg
