// The OpenGL API objects: class records, initial names and the checked cast
// the back end reads them through.
#include <halvo_gfx/ogl/api_objects.h>

#include <gtest/gtest.h>

#include <halvo_core/handle.h>

namespace {

using namespace hlv_gfx;
using hlv_core::Adopt;
using hlv_core::CResourceHandle;

TEST(OglApiObjects, ClassRecordsDescendFromIApiSpecific)
{
    const hlv_core::CResourceClassInfo* records[] = {&CGLSL_ApiSpecific::s_classInfo,
                                                     &CGLSL_RenderPass_ApiSpecific::s_classInfo,
                                                     &CGLSL_ShaderVariable_ApiSpecific::s_classInfo,
                                                     &oglCTexture_ApiSpecific::s_classInfo,
                                                     &oglCBuffer_ApiSpecific::s_classInfo,
                                                     &oglCFramebuffer_ApiSpecific::s_classInfo};
    const char* names[] = {
        "CGLSL_ApiSpecific",       "CGLSL_RenderPass_ApiSpecific", "CGLSL_ShaderVariable_ApiSpecific",
        "oglCTexture_ApiSpecific", "oglCBuffer_ApiSpecific",       "oglCFramebuffer_ApiSpecific"};
    for (std::size_t i = 0; i < std::size(records); ++i) {
        EXPECT_EQ(records[i]->class_name, names[i]);
        EXPECT_EQ(records[i]->parent, &IApiSpecific::s_classInfo);
    }
}

TEST(OglApiObjects, NewObjectsHoldNoName)
{
    CGLSL_ApiSpecific shader;
    CGLSL_RenderPass_ApiSpecific program;
    CGLSL_ShaderVariable_ApiSpecific variable;
    oglCTexture_ApiSpecific texture;
    oglCBuffer_ApiSpecific buffer("A Ogl Vertex Buffer Module");
    oglCFramebuffer_ApiSpecific framebuffer;
    EXPECT_EQ(shader.shader, 0u);
    EXPECT_EQ(shader.GetName(), "OGL Api Specific");
    EXPECT_EQ(program.program, 0u);
    EXPECT_EQ(program.GetName(), "OGL Api Specific");
    EXPECT_EQ(variable.location, -1);
    EXPECT_EQ(variable.GetName(), "");
    EXPECT_EQ(texture.texture, 0u);
    EXPECT_EQ(texture.GetName(), "Ogl Texture");
    EXPECT_EQ(buffer.buffer, 0u);
    EXPECT_EQ(buffer.mapped, 0u);
    EXPECT_EQ(buffer.GetName(), "A Ogl Vertex Buffer Module");
    EXPECT_EQ(framebuffer.framebuffer, 0u);
    EXPECT_EQ(framebuffer.GetName(), "FB apis");
}

// An API object of some other graphics API.
class COtherApiObject : public IApiSpecific {
public:
    HLV_RESOURCE_CLASS(COtherApiObject)
    COtherApiObject() : IApiSpecific("other") {}
};
HLV_DEFINE_RESOURCE_CLASS(COtherApiObject, IApiSpecific)

TEST(OglApiObjects, CheckedCastAcceptsOnlyTheAskedClass)
{
    CResourceHandle<IApiSpecific> empty;
    EXPECT_EQ(OglApiObject<oglCTexture_ApiSpecific>(empty), nullptr);

    CResourceHandle<IApiSpecific> texture = Adopt(new oglCTexture_ApiSpecific("Texture APIS"));
    EXPECT_EQ(OglApiObject<oglCTexture_ApiSpecific>(texture), texture.get());
    EXPECT_EQ(OglApiObject<oglCBuffer_ApiSpecific>(texture), nullptr);

    CResourceHandle<IApiSpecific> other = Adopt(new COtherApiObject);
    EXPECT_EQ(OglApiObject<CGLSL_ApiSpecific>(other), nullptr);
    EXPECT_EQ(texture->GetRefCount(), 1u);
}

}  // namespace
