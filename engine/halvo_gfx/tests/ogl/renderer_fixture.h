#pragma once
// Fixture of the OpenGL renderer's tests: an initialised renderer on the
// test context, a listener that collects its error texts, and the resource
// builder (each step checked). A test must leave no GL error, no unexpected
// report and an empty attribute stack behind.
#include "gl/gl_test.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "ogl/collecting_listener.h"
#include "ogl/gl_resource_builder.h"

namespace hlv_ogl_test {

class COglRendererTest : public hlv_gl_test::CGlTest {
protected:
    void SetUp() override;
    void TearDown() override;

    template <typename T>
    T Checked(T made)
    {
        EXPECT_TRUE(made.IsValid() && resources.errors.empty()) << ::testing::PrintToString(resources.errors);
        resources.errors.clear();
        return made;
    }

    Handle<hlv_gfx::CRenderPass> MakePass(const std::string& vertexFile, const std::string& pixelFile)
    {
        return Checked(resources.MakePass(vertexFile, pixelFile));
    }
    Handle<hlv_gfx::CTexture> MakeTexture(std::uint32_t textureFormat, std::uint32_t colorFormat,
                                          std::uint32_t valueType, std::uint64_t width, std::uint64_t height,
                                          const std::vector<std::uint8_t>& bytes = {})
    {
        return Checked(resources.MakeTexture(textureFormat, colorFormat, valueType, width, height, bytes));
    }
    Handle<hlv_gfx::CDepthTexture> MakeDepthTexture(std::uint64_t width, std::uint64_t height)
    {
        return Checked(resources.MakeDepthTexture(width, height));
    }
    Handle<hlv_gfx::CCubeMapTexture> MakeCubeMap(std::uint64_t size, const std::vector<std::uint32_t>& colours)
    {
        return Checked(resources.MakeCubeMap(size, colours));
    }
    Handle<hlv_gfx::CTextureBuffer> MakeTextureBuffer(const std::vector<float>& texels)
    {
        return Checked(resources.MakeTextureBuffer(texels));
    }
    Handle<hlv_gfx::CVertexBuffer> MakeVertexBuffer(std::initializer_list<std::uint32_t> semantics,
                                                    const std::vector<float>& values)
    {
        return Checked(resources.MakeVertexBuffer(semantics, values));
    }
    Handle<hlv_gfx::CIndexBuffer> MakeIndexBuffer(const std::vector<std::uint32_t>& indices)
    {
        return Checked(resources.MakeIndexBuffer(indices));
    }
    Handle<hlv_gfx::CFramebuffer> MakeFramebuffer(const std::vector<Handle<hlv_gfx::CTexture>>& colours,
                                                  const Handle<hlv_gfx::CDepthTexture>& depth)
    {
        return Checked(resources.MakeFramebuffer(*renderer, colours, depth));
    }

    Handle<hlv_gfx::COglRenderer> renderer;
    Handle<CCollectingListener> listener;
    CGlResourceBuilder resources;
};

}  // namespace hlv_ogl_test
