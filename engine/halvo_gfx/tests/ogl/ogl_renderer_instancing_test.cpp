// Instanced particles read from a texture buffer: the covered pixels, the
// upload of changed texels only, and passes that share a texture unit each
// drawing from their own buffer.
#include "ogl/renderer_fixture.h"

#include <cmath>
#include <cstring>
#include <memory>

#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/effect_snapshot.h>
#include <halvo_gfx/gfx_types.h>

namespace hlv_ogl_test {
namespace {

using namespace hlv_gfx;
using hlv_gl_test::ReadPixel;

constexpr int kGrid = 10;  // particles per row and column
constexpr int kCell = 4;   // pixels per particle cell
constexpr int kTarget = kGrid * kCell;

struct PARTICLE_COLOUR {
    float r, g, b;
};

// Particle (i, j) covers the two-by-two pixels around (4i + 2, 4j + 2).
std::vector<float> ParticleTexels(const std::vector<PARTICLE_COLOUR>& colours, int firstColumn = 0, int columns = kGrid)
{
    std::vector<float> texels;
    for (int j = 0; j < kGrid; ++j)
        for (int i = firstColumn; i < firstColumn + columns; ++i) {
            const float x = (static_cast<float>(i * kCell) + 2.0f) / kTarget * 2.0f - 1.0f;
            const float y = (static_cast<float>(j * kCell) + 2.0f) / kTarget * 2.0f - 1.0f;
            const PARTICLE_COLOUR& c = colours[static_cast<std::size_t>(j * kGrid + i) % colours.size()];
            const float size = 2.0f / kTarget;  // one pixel each way
            texels.insert(texels.end(), {x, y, 0.0f, size, c.r, c.g, c.b, 0.5f, 0.0f, 0.0f, 0.0f, 1.0f});
        }
    return texels;
}

std::vector<PARTICLE_COLOUR> GridColours()
{
    std::vector<PARTICLE_COLOUR> colours;
    for (int j = 0; j < kGrid; ++j)
        for (int i = 0; i < kGrid; ++i)
            colours.push_back({static_cast<float>(i + 1) / 16.0f, static_cast<float>(j + 1) / 16.0f, 1.0f});
    return colours;
}

std::uint8_t Byte(float value) { return static_cast<std::uint8_t>(std::lround(value * 255.0f)); }

class OglRendererInstancingTest : public COglRendererTest {
protected:
    void SetUp() override
    {
        COglRendererTest::SetUp();
        target = std::make_unique<hlv_gl_test::CTestFramebuffer>(kTarget, kTarget);
        ASSERT_TRUE(target->IsComplete());
        pass = MakePass("particles.vs.glsl", "vertex_color.ps.glsl");
        ASSERT_TRUE(pass);
        quad = MakeVertexBuffer({VBL_POSITION}, {-1, -1, 0, 1, -1, 0, 1, 1, 0, -1, 1, 0});
        quadIndices = MakeIndexBuffer({0, 1, 2, 0, 2, 3});
        effect = hlv_core::Adopt(new CEffect("particles"));
        effect->passes.push_back(pass);
        glClearColor(0, 0, 0, 1);
    }

    void TearDown() override
    {
        target.reset();
        COglRendererTest::TearDown();
    }

    // Clears, selects the effect with its values as now, draws count instances.
    void DrawParticles(std::uint64_t count)
    {
        glClear(GL_COLOR_BUFFER_BIT);
        CEffectSnapshot values;
        values.CaptureFrom(effect);
        ASSERT_EQ(renderer->UseEffect(effect, values), GFXR_OK);
        ASSERT_EQ(renderer->RenderEffectInstanced(PT_TRIANGLES, quad, quadIndices, count), GFXR_OK);
    }

    void ExpectParticle(int i, int j, const PARTICLE_COLOUR& c)
    {
        const hlv_gl_test::Rgba8 colour{Byte(c.r), Byte(c.g), Byte(c.b), 255};
        for (int dy : {1, 2})
            for (int dx : {1, 2})
                ASSERT_EQ(ReadPixel(i * kCell + dx, j * kCell + dy), colour) << "particle " << i << "," << j;
        ASSERT_EQ(ReadPixel(i * kCell, j * kCell), (hlv_gl_test::Rgba8{0, 0, 0, 255})) << "gap of " << i << "," << j;
        ASSERT_EQ(ReadPixel(i * kCell + 3, j * kCell + 3), (hlv_gl_test::Rgba8{0, 0, 0, 255}));
    }

    void ExpectEmpty(int i, int j)
    {
        ASSERT_EQ(ReadPixel(i * kCell + 1, j * kCell + 1), (hlv_gl_test::Rgba8{0, 0, 0, 255}))
            << "particle " << i << "," << j << " drawn";
    }

    std::unique_ptr<hlv_gl_test::CTestFramebuffer> target;
    Handle<CRenderPass> pass;
    Handle<CVertexBuffer> quad;
    Handle<CIndexBuffer> quadIndices;
    Handle<CEffect> effect;
};

TEST_F(OglRendererInstancingTest, HundredParticlesCoverTheirPixels)
{
    const auto colours = GridColours();
    auto particles = MakeTextureBuffer(ParticleTexels(colours));
    ASSERT_EQ(pass->SetTextureBuffer(particles, "particle_data_buffer"), GFXR_OK);
    DrawParticles(100);
    for (int j = 0; j < kGrid; ++j)
        for (int i = 0; i < kGrid; ++i) ExpectParticle(i, j, colours[j * kGrid + i]);
    EXPECT_FALSE(particles->IsChanged());

    // Fewer instances draw the first ones only.
    DrawParticles(10);
    ExpectParticle(9, 0, colours[9]);
    ExpectEmpty(0, 1);
}

TEST_F(OglRendererInstancingTest, ChangedTexelsAreUploadedAndUnchangedOnesAreNot)
{
    auto particles = MakeTextureBuffer(ParticleTexels({{1, 0, 0}}));
    ASSERT_EQ(pass->SetTextureBuffer(particles, "particle_data_buffer"), GFXR_OK);
    DrawParticles(100);
    ExpectParticle(3, 4, {1, 0, 0});

    // New texels from a producer: uploaded on the next use.
    particles->WriteData([](CBuffer& memory) {
        const auto texels = ParticleTexels({{0, 1, 0}});
        std::memcpy(memory.GetData(), texels.data(), texels.size() * sizeof(float));
    });
    DrawParticles(100);
    ExpectParticle(3, 4, {0, 1, 0});

    // Nothing changed: what GL holds is drawn as it is, not sent again.
    const auto blue = ParticleTexels({{0, 0, 1}});
    glBindBuffer(GL_TEXTURE_BUFFER, BufferNameOf(particles->bufferApiObject));
    glBufferSubData(GL_TEXTURE_BUFFER, 0, static_cast<GLsizeiptr>(blue.size() * sizeof(float)), blue.data());
    glBindBuffer(GL_TEXTURE_BUFFER, 0);
    DrawParticles(100);
    ExpectParticle(3, 4, {0, 0, 1});
    EXPECT_EQ(renderer->LoadTexture(particles), GFXR_OK);  // unchanged: no GL call at all
}

TEST_F(OglRendererInstancingTest, PassesSharingAUnitEachDrawTheirOwnBuffer)
{
    // Pass A draws the left five columns in red, pass B the right five in green.
    auto left = MakeTextureBuffer(ParticleTexels({{1, 0, 0}}, 0, 5));
    auto right = MakeTextureBuffer(ParticleTexels({{0, 1, 0}}, 5, 5));
    ASSERT_EQ(pass->SetTextureBuffer(left, "particle_data_buffer"), GFXR_OK);
    auto second = hlv_core::Adopt(new CRenderPass("second"));
    ASSERT_EQ(second->CopyFrom(pass), GFXR_OK);
    ASSERT_EQ(second->SetTextureBuffer(right, "particle_data_buffer"), GFXR_OK);
    effect->passes.push_back(second);

    for (int frame = 0; frame < 3; ++frame) {
        SCOPED_TRACE(frame);
        DrawParticles(50);
        EXPECT_FALSE(left->IsChanged());
        EXPECT_FALSE(right->IsChanged());
        for (int j = 0; j < kGrid; j += 3) {
            ExpectParticle(1, j, {1, 0, 0});
            ExpectParticle(7, j, {0, 1, 0});
        }
    }

    // One pass alone, after the other one's buffer was bound last.
    effect->passes.resize(1);
    DrawParticles(50);
    ExpectParticle(2, 2, {1, 0, 0});
    ExpectEmpty(7, 2);
}

}  // namespace
}  // namespace hlv_ogl_test
