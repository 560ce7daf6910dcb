#include <string>

#include <gtest/gtest.h>

#include <halvo_core/message_listener.h>
#include <halvo_core/message_printer.h>
#include <halvo_gfx/api_specific.h>
#include <halvo_gfx/compiler_listener.h>
#include <halvo_gfx/cube_map_texture.h>
#include <halvo_gfx/depth_texture.h>
#include <halvo_gfx/effect.h>
#include <halvo_gfx/framebuffer.h>
#include <halvo_gfx/gfx_system.h>
#include <halvo_gfx/image.h>
#include <halvo_gfx/index_buffer.h>
#include <halvo_gfx/linker_listener.h>
#include <halvo_gfx/perspective_camera.h>
#include <halvo_gfx/pixel_buffer.h>
#include <halvo_gfx/render_pass.h>
#include <halvo_gfx/render_state_set.h>
#include <halvo_gfx/renderer.h>
#include <halvo_gfx/shader.h>
#include <halvo_gfx/texture_buffer.h>
#include <halvo_gfx/vertex_buffer.h>

using namespace hlv_gfx;
using hlv_core::IMessageListener;
using hlv_core::IResource;
using hlv_io::IMessagePrinter;

#define EXPECT_RECORD(Class, Parent)                                          \
    do {                                                                      \
        EXPECT_EQ(Class::s_classInfo.class_name, #Class);                     \
        EXPECT_EQ(Class::s_classInfo.parent, &Parent::s_classInfo) << #Class; \
        EXPECT_EQ(Class::s_classInfo.size, sizeof(Class)) << #Class;          \
    } while (false)

TEST(GfxClassRecords, EachClassNamesItselfAndItsParent)
{
    EXPECT_RECORD(CImage, IResource);
    EXPECT_RECORD(CFramebuffer, IResource);
    EXPECT_RECORD(CBuffer, IResource);
    EXPECT_RECORD(CTexture, IResource);
    EXPECT_RECORD(CRenderPass, IResource);
    EXPECT_RECORD(CEffect, IResource);
    EXPECT_RECORD(CShader, IResource);
    EXPECT_RECORD(CBufferLayout, IResource);
    EXPECT_RECORD(CTextureBuffer, IResource);
    EXPECT_RECORD(IGfxSystem, IResource);
    EXPECT_RECORD(ICamera, IResource);
    EXPECT_RECORD(CRenderStateSet, IResource);
    EXPECT_RECORD(CShaderVariable, IResource);
    EXPECT_RECORD(IMessagePrinter, IResource);
    EXPECT_RECORD(IRenderer, IResource);
    EXPECT_RECORD(IApiSpecific, IResource);
    EXPECT_RECORD(IMessageListener, IResource);
    EXPECT_RECORD(CVertexBuffer, CBuffer);
    EXPECT_RECORD(CIndexBuffer, CBuffer);
    EXPECT_RECORD(CPixelBuffer, CBuffer);
    EXPECT_RECORD(CVertexBufferLayout, CBufferLayout);
    EXPECT_RECORD(CPixelBufferLayout, CBufferLayout);
    EXPECT_RECORD(CDepthTexture, CTexture);
    EXPECT_RECORD(CCubeMapTexture, CTexture);
    EXPECT_RECORD(CHullShader, CShader);
    EXPECT_RECORD(CDomainShader, CShader);
    EXPECT_RECORD(CGeometryShader, CShader);
    EXPECT_RECORD(CPerspectiveCamera, ICamera);
    EXPECT_RECORD(ILinkerListener, IMessageListener);
    EXPECT_RECORD(ICompilerListener, IMessageListener);
}

TEST(GfxClassRecords, ObjectsReportTheirMostDerivedRecord)
{
    auto buffer = hlv_core::Adopt<CBuffer>(new CIndexBuffer("i"));
    EXPECT_TRUE(hlv_core::IsExactly<CIndexBuffer>(buffer.get()));
    EXPECT_TRUE(hlv_core::IsKindOf<CBuffer>(buffer.get()));
    EXPECT_FALSE(hlv_core::IsKindOf<CTexture>(buffer.get()));
    auto layout = hlv_core::Adopt<CBufferLayout>(new CVertexBufferLayout("v"));
    EXPECT_FALSE(hlv_core::IsExactly<CBufferLayout>(layout.get()));
}
