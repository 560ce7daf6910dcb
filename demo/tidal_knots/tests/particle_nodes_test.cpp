// The particle-system nodes: their geometry children, their buffers and the
// count they publish each frame.
#include <cstring>

#include <gtest/gtest.h>

#include <halvo_core/class_info.h>
#include <halvo_sg/particle_system_node.h>

#include "support/scene_particle_nodes.h"

using namespace dmo_nimra_test;

namespace {

// Render particle i of the buffer's memory (read while nothing writes it).
CDemoPressureRenderingParticle Record(hlv_gfx::CTextureBuffer& buffer, std::uint64_t i)
{
    CDemoPressureRenderingParticle record;
    buffer.AccessData(
        [&](hlv_gfx::CBuffer& memory) { std::memcpy(&record, memory.GetData() + i * sizeof record, sizeof record); });
    return record;
}

}  // namespace

TEST(ParticleNodes, GeometryChildrenReadTheBufferAndFollowTheCount)
{
    CResourceHandle<CPressureCubesParticleSystemNode> node =
        Adopt(new CPressureCubesParticleSystemNode("Pressure Cubes"));
    SetUpPressureCubes(*node);
    // The scene controllers accept the node by its class record.
    EXPECT_EQ(node->GetClassInfo()->class_name, "CPressureCubesParticleSystemNode");
    EXPECT_EQ(node->GetClassInfo()->parent, &hlv_sg::AParticleSystemNode::s_classInfo);
    EXPECT_EQ(node->GetSecondParticleBuffer()->GetName(), "Particle Cube2 Data");

    auto topEffect = ParticleEffect("PressureCubeParticlesEffect1");
    // A second pass without the sampler gets no binding.
    topEffect->passes.push_back(Adopt(new hlv_gfx::CRenderPass("no particles")));
    hlv_slot::CEffectOutputSlot topOutput(topEffect);
    hlv_slot::CEffectOutputSlot bottomOutput(ParticleEffect("PressureCubeParticlesEffect2"));
    auto top = ParticleGeometry("Top Cube Element", topOutput);
    auto bottom = ParticleGeometry("Bottom Cube Element", bottomOutput);

    EXPECT_EQ(node->BindParticleBuffer(1, node->GetSecondParticleBuffer()), 1u);  // no child yet
    EXPECT_EQ(node->AddParticleGeometry(top), 0u);
    EXPECT_EQ(node->BindParticleBuffer(1, node->GetSecondParticleBuffer()), 1u);  // entry 1 still unset
    EXPECT_EQ(node->AddSecondParticleGeometry(bottom), 1u);
    EXPECT_EQ(node->GetChildTableEntry(0), 0u);
    EXPECT_EQ(node->GetChildTableEntry(1), 1u);
    EXPECT_EQ(node->AddParticleGeometry(CResourceHandle<hlv_sg::CGeoNode>()), hlv_sg::INVALID_INDEX);
    EXPECT_EQ(node->GetChildTableEntry(0), hlv_sg::INVALID_INDEX);

    EXPECT_EQ(topEffect->passes[0]->GetTextureBuffer(0), node->GetParticleBuffer());
    EXPECT_EQ(topEffect->passes[0]->GetTextureBufferVariable(0)->GetName(), "particle_data_buffer");
    EXPECT_TRUE(topEffect->passes[1]->GetTextureBufferBindings().empty());
    EXPECT_EQ(bottomOutput.GetValue()->passes[0]->GetTextureBuffer(0), node->GetSecondParticleBuffer());

    // Nothing is drawn before the first frame; from then on every particle.
    EXPECT_EQ(top->GetInstanceCountInput().GetValue(), 0u);
    EXPECT_EQ(top->GetInstanceCountInput().GetSource(), &node->GetCountOutput(0));
    node->UpdateParticleSystem(FrameTime(1));
    EXPECT_EQ(top->GetInstanceCountInput().GetValue(), 3375u);
    EXPECT_EQ(bottom->GetInstanceCountInput().GetValue(), 3375u);

    // The same child added again is not registered twice with the count.
    node->AddParticleGeometry(top);
    EXPECT_EQ(node->GetCountOutput(0).GetInputCount(), 1u);

    // The buffers hold this frame's lattices: the first corner of each,
    // turned by its orientation, and its size.
    const Particle& corner = node->GetSecondParticleSystem().GetParticles()[0];
    const CDemoPressureRenderingParticle written = Record(*node->GetSecondParticleBuffer(), 0);
    EXPECT_EQ(written.position[0], corner.position[0]);
    EXPECT_EQ(written.position[2], corner.position[2]);
    EXPECT_EQ(written.weight, 4.0f);
    EXPECT_EQ(written.rotation[3], corner.rotation[0]);
}

// The count is the particles after this frame's step and write-back, never
// more than the buffer holds; a node without particles publishes 0.
TEST(ParticleNodes, CountFollowsThisFramesWriteBack)
{
    CResourceHandle<CMiddleCubesParticleSystemNode> middle = Adopt(new CMiddleCubesParticleSystemNode("Middle Cubes"));
    SetUpMiddleCubes(*middle);
    hlv_slot::CEffectOutputSlot effect(ParticleEffect("MiddleCubesParticleEffect"));
    auto cubes = ParticleGeometry("Cube Element", effect);
    middle->AddParticleGeometry(cubes);
    middle->UpdateParticleSystem(FrameTime(1));
    EXPECT_EQ(cubes->GetInstanceCountInput().GetValue(), 1000u);

    // The system shrinks in the step: the count from before it would name
    // records this frame did not write.
    middle->GetParticleSystem().SetTargetCount(300);
    middle->UpdateParticleSystem(FrameTime(2));
    EXPECT_EQ(cubes->GetInstanceCountInput().GetValue(), 300u);
    middle->GetParticleSystem().SetTargetCount(0);
    middle->UpdateParticleSystem(FrameTime(3));
    EXPECT_EQ(cubes->GetInstanceCountInput().GetValue(), 0u);
    EXPECT_EQ(middle->GetParticleSystem().GetParticles().size(), 0u);

    // A limited system that outgrows its buffer: only the particles the
    // buffer holds are counted, and those are this frame's.
    CResourceHandle<CBackgroundCubesParticleSystemNode> background =
        Adopt(new CBackgroundCubesParticleSystemNode("Pressure Cubes"));
    SetUpBackgroundCubes(*background);
    background->GetParticleSystem().SetMetric(nullptr);  // no pacing: grow at once
    background->GetParticleSystem().SetTargetCount(150);
    background->UpdateParticleSystem(FrameTime(1));
    ASSERT_EQ(background->GetParticleSystem().GetParticles().size(), 150u);
    EXPECT_EQ(background->GetPublishedCount(), 100u);
    const Particle& last = background->GetParticleSystem().GetParticles()[99];
    const CDemoPressureRenderingParticle written = Record(*background->GetParticleBuffer(), 99);
    EXPECT_EQ(written.position[1], last.position[1]);
    EXPECT_EQ(written.weight, 300.0f);
}
