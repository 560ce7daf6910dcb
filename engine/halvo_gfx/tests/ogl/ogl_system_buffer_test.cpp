// Buffer names of vertex and index buffers made by the OpenGL graphics
// system; the renderer fills them on their first draw.
#include "ogl/system_fixture.h"

#include <halvo_gfx/GFX_RESULT.h>

namespace hlv_ogl_system_test {
namespace {

using namespace hlv_gfx;

using OglSystemBufferTest = COglSystemTest;

TEST_F(OglSystemBufferTest, VertexBufferGetsOneNameUntilItIsDeleted)
{
    Handle<CVertexBuffer> buffer;
    ASSERT_EQ(system->CreateVertexBuffer(buffer), GFXR_OK);
    EXPECT_EQ(buffer->GetName(), "A Vertex Buffer");
    EXPECT_EQ(buffer->apiObject->GetName(), "A Ogl Vertex Buffer Module");
    IApiSpecific* apiObject = buffer->apiObject.get();
    const GLuint name = BufferName(buffer->apiObject);
    ASSERT_NE(name, 0u);
    ASSERT_EQ(system->CreateVertexBuffer(buffer), GFXR_OK);
    EXPECT_EQ(BufferName(buffer->apiObject), name) << "created once";
    EXPECT_EQ(buffer->apiObject->GetRefCount(), 1u);

    glBindBuffer(GL_ARRAY_BUFFER, name);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    ASSERT_TRUE(glIsBuffer(name));
    ASSERT_EQ(system->DeleteBuffer(buffer), GFXR_OK);
    EXPECT_FALSE(glIsBuffer(name));
    EXPECT_EQ(BufferName(buffer->apiObject), 0u);

    // Created again: a new name in the same API object.
    GLuint taken = 0;
    glGenBuffers(1, &taken);  // the freed name may come back here
    ASSERT_EQ(system->CreateVertexBuffer(buffer), GFXR_OK);
    EXPECT_EQ(buffer->apiObject.get(), apiObject);
    EXPECT_NE(BufferName(buffer->apiObject), 0u);
    EXPECT_NE(BufferName(buffer->apiObject), taken);
    glDeleteBuffers(1, &taken);
    EXPECT_EQ(system->DeleteBuffer(buffer), GFXR_OK);
    EXPECT_TRUE(printer->texts.empty());
}

TEST_F(OglSystemBufferTest, IndexBufferOfItsOwnKind)
{
    Handle<CIndexBuffer> buffer;
    ASSERT_EQ(system->CreateIndexBuffer(buffer), GFXR_OK);
    EXPECT_EQ(buffer->GetName(), "A Index Buffer");
    EXPECT_EQ(buffer->apiObject->GetName(), "A Ogl Index Buffer Module");
    ASSERT_NE(BufferName(buffer->apiObject), 0u);

    // An existing buffer keeps its object and gets the API object.
    Handle<CIndexBuffer> own(hlv_core::Adopt(new CIndexBuffer("own indices")));
    ASSERT_EQ(system->CreateIndexBuffer(own), GFXR_OK);
    EXPECT_EQ(own->GetName(), "own indices");
    EXPECT_NE(BufferName(own->apiObject), BufferName(buffer->apiObject));

    EXPECT_EQ(system->DeleteBuffer(buffer), GFXR_OK);
    EXPECT_EQ(system->DeleteBuffer(own), GFXR_OK);
    Handle<CIndexBuffer> bare(hlv_core::Adopt(new CIndexBuffer("bare")));
    EXPECT_EQ(system->DeleteBuffer(bare), GFXR_INVALID_ARGUMENT);
    Handle<CIndexBuffer> empty;
    EXPECT_EQ(system->DeleteBuffer(empty), GFXR_INVALID_ARGUMENT);
    Handle<CVertexBuffer> emptyVertices;
    EXPECT_EQ(system->DeleteBuffer(emptyVertices), GFXR_INVALID_ARGUMENT);
}

TEST_F(OglSystemBufferTest, DeletingAMappedBufferForgetsTheMappedMemory)
{
    Handle<CVertexBuffer> buffer;
    ASSERT_EQ(system->CreateVertexBuffer(buffer), GFXR_OK);
    const GLuint name = BufferName(buffer->apiObject);
    glBindBuffer(GL_ARRAY_BUFFER, name);
    glBufferData(GL_ARRAY_BUFFER, 64, nullptr, GL_STATIC_DRAW);
    void* memory = glMapBuffer(GL_ARRAY_BUFFER, GL_WRITE_ONLY);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    ASSERT_NE(memory, nullptr);
    ASSERT_TRUE(buffer->AttachMappedMemory(memory));
    OglApiObject<oglCBuffer_ApiSpecific>(buffer->apiObject)->mapped = 1;

    ASSERT_EQ(system->DeleteBuffer(buffer), GFXR_OK);
    EXPECT_EQ(buffer->GetData(), nullptr);
    EXPECT_EQ(OglApiObject<oglCBuffer_ApiSpecific>(buffer->apiObject)->mapped, 0u);
}

}  // namespace
}  // namespace hlv_ogl_system_test
