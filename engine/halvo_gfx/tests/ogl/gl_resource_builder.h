#pragma once
// Graphics resources with real GL objects for the OpenGL renderer's tests and
// benchmarks: names, programs and framebuffers made with raw GL the way the
// graphics system makes them, and deleted again with the builder. Needs the
// context current (hlv_gl_test::EnsureGlContext).
//
// A builder step that fails returns an empty handle and appends what failed
// to errors.
#include <GL/glew.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include <halvo_core/handle.h>
#include <halvo_core/property/PropertyTypes.h>
#include <halvo_gfx/cube_map_texture.h>
#include <halvo_gfx/depth_texture.h>
#include <halvo_gfx/effect.h>
#include <halvo_gfx/framebuffer.h>
#include <halvo_gfx/index_buffer.h>
#include <halvo_gfx/ogl/api_objects.h>
#include <halvo_gfx/ogl/ogl_renderer.h>
#include <halvo_gfx/render_pass.h>
#include <halvo_gfx/texture_buffer.h>
#include <halvo_gfx/vertex_buffer.h>

#include "gl/gl_queries.h"

namespace hlv_ogl_test {

template <typename T>
using Handle = hlv_core::CResourceHandle<T>;

// "#version 150 compatibility" test shaders by file name (tests/data/shaders).
std::string ShaderPath(const std::string& fileName);

// The GL name an API object holds (0 for none).
GLuint TextureNameOf(const Handle<hlv_gfx::IApiSpecific>& apiObject);
GLuint BufferNameOf(const Handle<hlv_gfx::IApiSpecific>& apiObject);

// Pixels as 0xRRGGBBAA.
std::uint32_t Packed(const hlv_gl_test::Rgba8& pixel);

class CGlResourceBuilder {
public:
    CGlResourceBuilder() = default;
    ~CGlResourceBuilder();
    CGlResourceBuilder(const CGlResourceBuilder&) = delete;
    CGlResourceBuilder& operator=(const CGlResourceBuilder&) = delete;

    // A pass linked from two shader files, with one variable per active
    // uniform (gl_ built-ins skipped), zeroed storage and its location.
    Handle<hlv_gfx::CRenderPass> MakePass(const std::string& vertexFile, const std::string& pixelFile);
    Handle<hlv_gfx::CRenderPass> MakePassFromSource(const std::string& vertexSource, const std::string& pixelSource);

    // A 2D texture of width x height pixels of a colour format (COLOR_TYPE)
    // with components of a VALUE_TYPE, its pixels copied from bytes (none when
    // empty), nearest filtering and edge clamping.
    Handle<hlv_gfx::CTexture> MakeTexture(std::uint32_t textureFormat, std::uint32_t colorFormat,
                                          std::uint32_t valueType, std::uint64_t width, std::uint64_t height,
                                          const std::vector<std::uint8_t>& bytes = {});
    Handle<hlv_gfx::CDepthTexture> MakeDepthTexture(std::uint64_t width, std::uint64_t height);
    // Six faces of one RGBA8 colour (0xRRGGBBAA) each.
    Handle<hlv_gfx::CCubeMapTexture> MakeCubeMap(std::uint64_t size, const std::vector<std::uint32_t>& faceColours);
    // RGBA32F texels (four floats each).
    Handle<hlv_gfx::CTextureBuffer> MakeTextureBuffer(const std::vector<float>& texels);
    // Three floats per element, one element per semantic.
    Handle<hlv_gfx::CVertexBuffer> MakeVertexBuffer(std::initializer_list<std::uint32_t> semantics,
                                                    const std::vector<float>& values);
    Handle<hlv_gfx::CIndexBuffer> MakeIndexBuffer(const std::vector<std::uint32_t>& indices);
    // A framebuffer object with the attachments, attached the way validation
    // does it (each texture loaded through the renderer first).
    Handle<hlv_gfx::CFramebuffer> MakeFramebuffer(hlv_gfx::COglRenderer& renderer,
                                                  const std::vector<Handle<hlv_gfx::CTexture>>& colours,
                                                  const Handle<hlv_gfx::CDepthTexture>& depth);

    // What failed, one text per failure; empty while all went well.
    std::vector<std::string> errors;

private:
    void Fail(const std::string& what) { errors.push_back(what); }
    Handle<hlv_gfx::CImage> MakeImage(std::uint32_t colorFormat, std::uint32_t valueType, std::uint64_t width,
                                      std::uint64_t height, const std::vector<std::uint8_t>& bytes);
    template <typename T>
    void GiveTextureName(T& texture);

    std::vector<GLuint> m_textures, m_buffers, m_framebuffers, m_programs;
};

}  // namespace hlv_ogl_test
