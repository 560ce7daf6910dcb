// Vertex, index and texture buffers: upload on first draw, partial updates,
// mapping, and draws whose colours show that the vertex layout was read
// right.
#include "ogl/renderer_fixture.h"

#include <cstring>
#include <memory>
#include <utility>

#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/effect_snapshot.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_gfx/render_pass_snapshot.h>

namespace hlv_ogl_test {
namespace {

using namespace hlv_gfx;
using hlv_gl_test::GetInteger;
using hlv_gl_test::ReadPixel;
using hlv_gl_test::Rgba8;

template <typename T>
std::vector<T> GpuContents(GLenum target, GLuint buffer, std::size_t count)
{
    std::vector<T> values(count);
    glBindBuffer(target, buffer);
    glGetBufferSubData(target, 0, static_cast<GLsizeiptr>(count * sizeof(T)), values.data());
    glBindBuffer(target, 0);
    return values;
}

GLint GpuSize(GLenum target, GLuint buffer)
{
    GLint size = 0;
    glBindBuffer(target, buffer);
    glGetBufferParameteriv(target, GL_BUFFER_SIZE, &size);
    glBindBuffer(target, 0);
    return size;
}

// A quad over x from left to right, full height, as two triangles of four
// vertices; per vertex the given extra elements (three floats each) follow
// the position.
std::vector<float> Quad(float left, float right, std::initializer_list<float> extra)
{
    std::vector<float> values;
    for (auto [x, y] : {std::pair{left, -1.0f}, {right, -1.0f}, {right, 1.0f}, {left, 1.0f}}) {
        values.insert(values.end(), {x, y, 0.0f});
        values.insert(values.end(), extra);
    }
    return values;
}

class OglRendererBufferTest : public COglRendererTest {
protected:
    void SetUp() override
    {
        COglRendererTest::SetUp();
        target = std::make_unique<hlv_gl_test::CTestFramebuffer>(8, 4);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        pass = MakePass("vertex_attributes.vs.glsl", "vertex_color.ps.glsl");
        ASSERT_TRUE(pass);
        ASSERT_EQ(renderer->UseRenderPass(pass, values), GFXR_OK);
    }

    void TearDown() override
    {
        target.reset();
        glColor4f(1, 1, 1, 1);
        COglRendererTest::TearDown();
    }

    std::unique_ptr<hlv_gl_test::CTestFramebuffer> target;
    Handle<CRenderPass> pass;
    CRenderPassSnapshot values;
};

TEST_F(OglRendererBufferTest, FirstDrawUploadsOnceAndLaterDrawsDoNot)
{
    auto vertices = MakeVertexBuffer({VBL_POSITION}, Quad(-1, 1, {}));
    auto indices = MakeIndexBuffer({0, 1, 2, 0, 2, 3});
    const GLuint vertexName = BufferNameOf(vertices->apiObject);
    const GLuint indexName = BufferNameOf(indices->apiObject);
    EXPECT_EQ(GpuSize(GL_ARRAY_BUFFER, vertexName), 0);

    glColor4f(1, 1, 0, 1);
    ASSERT_EQ(renderer->Render(PT_TRIANGLES, vertices, indices), GFXR_OK);
    EXPECT_EQ(ReadPixel(4, 2), (Rgba8{255, 255, 0, 255}));
    EXPECT_EQ(GpuSize(GL_ARRAY_BUFFER, vertexName), 4 * 12);
    EXPECT_EQ(GpuSize(GL_ELEMENT_ARRAY_BUFFER, indexName), 6 * 4);
    EXPECT_EQ(GpuContents<std::uint32_t>(GL_ELEMENT_ARRAY_BUFFER, indexName, 6),
              (std::vector<std::uint32_t>{0, 1, 2, 0, 2, 3}));
    GLint usage = 0;
    glBindBuffer(GL_ARRAY_BUFFER, vertexName);
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_USAGE, &usage);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    EXPECT_EQ(usage, GL_STATIC_DRAW);
    // The draw leaves no array enabled and no buffer bound.
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
    EXPECT_EQ(GetInteger(GL_ARRAY_BUFFER_BINDING), 0);

    // Later changes of the main-memory copy reach GL only when sent.
    const auto moved = Quad(0, 1, {});
    std::memcpy(vertices->GetData(), moved.data(), moved.size() * sizeof(float));
    glClear(GL_COLOR_BUFFER_BIT);
    ASSERT_EQ(renderer->Render(PT_TRIANGLES, vertices, indices), GFXR_OK);
    EXPECT_EQ(ReadPixel(1, 2), (Rgba8{255, 255, 0, 255}));
    EXPECT_EQ(GpuContents<float>(GL_ARRAY_BUFFER, vertexName, 12), Quad(-1, 1, {}));
}

TEST_F(OglRendererBufferTest, PositionColourAndTexCoordDrawTheRightColours)
{
    // Left: red with texture coordinate 1 (magenta); right: green with 0.
    auto left = Quad(-1, 0, {1, 0, 0, 1, 0, 0});
    const auto right = Quad(0, 1, {0, 1, 0, 0, 0, 0});
    left.insert(left.end(), right.begin(), right.end());
    auto vertices = MakeVertexBuffer({VBL_POSITION, VBL_COLOR0, VBL_TEXCOOD0}, left);
    auto indices = MakeIndexBuffer({0, 1, 2, 0, 2, 3, 4, 5, 6, 4, 6, 7});
    ASSERT_EQ(renderer->Render(PT_TRIANGLES, vertices, indices), GFXR_OK);
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(ReadPixel(1, y), (Rgba8{255, 0, 255, 255}));
        EXPECT_EQ(ReadPixel(6, y), (Rgba8{0, 255, 0, 255}));
    }
    EXPECT_FALSE(glIsEnabled(GL_COLOR_ARRAY));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_COORD_ARRAY));
}

TEST_F(OglRendererBufferTest, ElementsWithoutArrayStillTakeTheirPlace)
{
    // Tangents and further texture coordinates feed no array; the texture
    // coordinate after them starts where they end.
    glColor4f(1, 1, 1, 1);
    auto vertices = MakeVertexBuffer({VBL_POSITION, VBL_TANGENT, VBL_TEXCOOD1, VBL_TEXCOOD0},
                                     Quad(-1, 1, {0, 0, 0, 0, 0, 0, 1, 0, 0}));
    auto indices = MakeIndexBuffer({0, 1, 2, 0, 2, 3});
    ASSERT_EQ(renderer->Render(PT_TRIANGLES, vertices, indices), GFXR_OK);
    EXPECT_EQ(ReadPixel(4, 2), (Rgba8{255, 255, 255, 255}));
}

TEST_F(OglRendererBufferTest, MappedMemoryReachesTheGpu)
{
    auto vertices = MakeVertexBuffer({VBL_POSITION}, {});
    const GLuint name = BufferNameOf(vertices->apiObject);
    glBindBuffer(GL_ARRAY_BUFFER, name);
    glBufferData(GL_ARRAY_BUFFER, 48, nullptr, GL_DYNAMIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);

    EXPECT_EQ(renderer->UnmapBuffer(vertices), GFXR_OK);  // not mapped: nothing to do
    ASSERT_EQ(renderer->MapBuffer(vertices, AT_WRITE_ONLY), GFXR_OK);
    ASSERT_NE(vertices->GetData(), nullptr);
    EXPECT_FALSE(vertices->OwnsStorage());
    const auto quad = Quad(-1, 1, {});
    std::memcpy(vertices->GetData(), quad.data(), 48);
    ASSERT_EQ(renderer->UnmapBuffer(vertices), GFXR_OK);
    EXPECT_EQ(vertices->GetData(), nullptr);
    EXPECT_EQ(GpuContents<float>(GL_ARRAY_BUFFER, name, 12), quad);

    // A buffer with a main-memory copy is not mapped; nor is an access type GL lacks.
    auto withCopy = MakeVertexBuffer({VBL_POSITION}, quad);
    EXPECT_EQ(renderer->MapBuffer(withCopy, AT_READ_ONLY), GFXR_MAPPING_FAILED);
    EXPECT_EQ(renderer->MapBuffer(vertices, AT_UNDEFINED), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(renderer->MapBuffer(Handle<CVertexBuffer>(), AT_READ_ONLY), GFXR_INVALID_ARGUMENT);

    // A texture buffer is mapped under its lock and then not uploaded over.
    auto texels = MakeTextureBuffer({});
    const GLuint texelName = BufferNameOf(texels->bufferApiObject);
    glBindBuffer(GL_TEXTURE_BUFFER, texelName);
    glBufferData(GL_TEXTURE_BUFFER, 16, nullptr, GL_DYNAMIC_DRAW);
    glBindBuffer(GL_TEXTURE_BUFFER, 0);
    ASSERT_EQ(renderer->MapBuffer(texels, AT_READ_WRITE), GFXR_OK);
    EXPECT_EQ(renderer->LoadTexture(texels), GFXR_MAPPING_FAILED);
    texels->AccessData([](CBuffer& memory) {
        const float texel[4] = {1, 2, 3, 4};
        std::memcpy(memory.GetData(), texel, sizeof texel);
    });
    ASSERT_EQ(renderer->UnmapBuffer(texels), GFXR_OK);
    EXPECT_EQ(GpuContents<float>(GL_TEXTURE_BUFFER, texelName, 4), (std::vector<float>{1, 2, 3, 4}));
}

TEST_F(OglRendererBufferTest, PartialUpdatesStayInsideBothCopies)
{
    auto vertices = MakeVertexBuffer({VBL_POSITION}, Quad(-1, 1, {}));
    auto indices = MakeIndexBuffer({0, 1, 2, 0, 2, 3});
    ASSERT_EQ(renderer->LoadBufferData(vertices, MH_DYNAMIC_DRAW), GFXR_OK);
    ASSERT_EQ(renderer->LoadBufferData(indices, MH_STATIC_DRAW), GFXR_OK);
    EXPECT_EQ(renderer->LoadBufferData(indices, MEMORY_HINT_COUNT), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(renderer->LoadBufferData(indices, MH_UNDEFINED), GFXR_INVALID_ARGUMENT);

    auto* cpu = reinterpret_cast<float*>(vertices->GetData());
    cpu[2 * 3] = 7.0f;  // vertex 2
    cpu[3 * 3] = 9.0f;  // vertex 3, outside the update
    ASSERT_EQ(renderer->UpdateBufferData(vertices, 2, 1), GFXR_OK);
    auto gpu = GpuContents<float>(GL_ARRAY_BUFFER, BufferNameOf(vertices->apiObject), 12);
    EXPECT_EQ(gpu[6], 7.0f);
    EXPECT_EQ(gpu[9], -1.0f);

    EXPECT_EQ(renderer->UpdateBufferData(vertices, 3, 2), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(renderer->UpdateBufferData(vertices, -1, 1), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(renderer->UpdateBufferData(indices, 0, 7), GFXR_INVALID_ARGUMENT);
    reinterpret_cast<std::uint32_t*>(indices->GetData())[5] = 1;
    EXPECT_EQ(renderer->UpdateBufferData(indices, 5, 1), GFXR_OK);
    EXPECT_EQ(GpuContents<std::uint32_t>(GL_ELEMENT_ARRAY_BUFFER, BufferNameOf(indices->apiObject), 6)[5], 1u);

    // The main-memory copy grew past what GL holds: refused, not sent past its end.
    ASSERT_EQ(vertices->Allocate(vertices->GetVertexBufferLayout(), 8), GFXR_OK);
    EXPECT_EQ(renderer->UpdateBufferData(vertices, 4, 4), GFXR_INVALID_ARGUMENT);

    auto texels = MakeTextureBuffer({0, 0, 0, 0, 0, 0, 0, 0});
    ASSERT_EQ(renderer->LoadTexture(texels), GFXR_OK);
    texels->AccessData([](CBuffer& memory) { reinterpret_cast<float*>(memory.GetData())[5] = 3.0f; });
    EXPECT_EQ(renderer->UpdateBufferData(texels, 1, 1), GFXR_OK);
    EXPECT_EQ(GpuContents<float>(GL_TEXTURE_BUFFER, BufferNameOf(texels->bufferApiObject), 8)[5], 3.0f);
    EXPECT_EQ(renderer->UpdateBufferData(texels, 1, 2), GFXR_INVALID_ARGUMENT);
    EXPECT_FALSE(texels->IsChanged());
}

TEST_F(OglRendererBufferTest, DrawsWithBadInputFailWithoutGlErrors)
{
    auto vertices = MakeVertexBuffer({VBL_POSITION}, Quad(-1, 1, {}));
    auto indices = MakeIndexBuffer({0, 1, 2, 0, 2, 3});
    EXPECT_EQ(renderer->Render(PT_TRIANGLES, {}, indices), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(renderer->RenderInstanced(PT_TRIANGLES, {}, indices, 2), GFXR_FAIL);
    EXPECT_EQ(renderer->Render(PT_TRIANGLES, vertices, {}), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(renderer->Render(PRIMITIVE_TYPE_COUNT, vertices, indices), GFXR_INVALID_ARGUMENT);
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));

    // More indices than the GL buffer holds would be read past its end.
    ASSERT_EQ(renderer->Render(PT_TRIANGLES, vertices, indices), GFXR_OK);
    ASSERT_EQ(indices->Allocate(indices->GetLayout(), 12), GFXR_OK);
    EXPECT_EQ(renderer->Render(PT_TRIANGLES, vertices, indices), GFXR_INVALID_ARGUMENT);
    EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
}

TEST_F(OglRendererBufferTest, EffectDrawsOncePerPassWithItsOwnPrimitive)
{
    auto vertices = MakeVertexBuffer({VBL_POSITION, VBL_COLOR0}, Quad(-1, 1, {0.25f, 0, 0}));
    auto indices = MakeIndexBuffer({0, 1, 2, 0, 2, 3});
    EXPECT_EQ(renderer->RenderEffect(PT_TRIANGLES, vertices, indices), GFXR_INVALID_ARGUMENT);  // no effect yet

    // Two passes blended additively: each draws once.
    auto effect = hlv_core::Adopt(new CEffect("two passes"));
    effect->passes = {pass, {}, pass};
    effect->primitiveType = PT_TRIANGLES;
    CEffectSnapshot effectValues;
    effectValues.CaptureFrom(effect);
    ASSERT_EQ(renderer->UseEffect(effect, effectValues), GFXR_OK);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    ASSERT_EQ(renderer->RenderEffect(PT_POINTS, vertices, indices), GFXR_OK);  // the effect's primitive wins
    glDisable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ZERO);
    EXPECT_NEAR(ReadPixel(3, 3)[0], 128, 1);

    // A failing pass stops the effect before the next one.
    auto broken = hlv_core::Adopt(new CRenderPass("broken"));
    effect->passes = {broken, pass};
    effectValues.CaptureFrom(effect);
    ASSERT_EQ(renderer->UseEffect(effect, effectValues), GFXR_OK);
    glClear(GL_COLOR_BUFFER_BIT);
    EXPECT_EQ(renderer->RenderEffect(PT_TRIANGLES, vertices, indices), GFXR_INVALID_ARGUMENT);
    EXPECT_EQ(ReadPixel(3, 3), (Rgba8{0, 0, 0, 255}));
}

}  // namespace
}  // namespace hlv_ogl_test
