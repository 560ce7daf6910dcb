#pragma once
// The creation commands: each carries one IGfxSystem call from a producer
// thread to the render thread (see mt_gfx_system.h).
#include <cstdint>
#include <string>

#include <halvo_gfx/gfx_system.h>
#include <halvo_gfx/pooled_command.h>

namespace hlv_gfx {

// Base of every creation command.
using gfx_command = TQueuedCommand<IGfxSystem>;

// One line per creation command, in pool order:
//   X(class, call on the graphics system `s` with the arguments `a...`, argument types...)
// Handles are stored as copies; the system's operations fill or use them.
// clang-format off
#define HLV_GFX_COMMAND_LIST(X)                                                                      \
    X(comc_vertex_buffer, s.CreateVertexBuffer(a...), HandleOf<CVertexBuffer>)                       \
    X(comc_index_buffer, s.CreateIndexBuffer(a...), HandleOf<CIndexBuffer>)                          \
    X(comc_vertex_buffer_release, s.DeleteBuffer(a...), HandleOf<CVertexBuffer>)                     \
    X(comc_index_buffer_release, s.DeleteBuffer(a...), HandleOf<CIndexBuffer>)                       \
    X(comc_vertex_shader, s.CreateVertexShader(a...), HandleOf<CShader>)                             \
    X(comc_geometry_shader, s.CreateGeometryShader(a...), HandleOf<CGeometryShader>)                 \
    X(comc_pixel_shader, s.CreatePixelShader(a...), HandleOf<CShader>)                               \
    X(comc_hull_shader, s.CreateHullShader(a...), HandleOf<CHullShader>)                             \
    X(comc_domain_shader, s.CreateDomainShader(a...), HandleOf<CDomainShader>)                       \
    X(comc_shader_release, s.ReleaseShader(a...), HandleOf<CShader>)                                 \
    X(comc_render_pass, s.CreateRenderPass(a...), HandleOf<CRenderPass>)                             \
    X(comc_render_pass_release, s.ReleaseRenderPass(a...), HandleOf<CRenderPass>)                    \
    X(comc_compile, s.Compile(a...), HandleOf<CShader>)                                              \
    X(comc_link, s.Link(a...), HandleOf<CRenderPass>)                                                \
    X(comc_load_shader_from_file, s.LoadShaderFromFile(a...), std::string, HandleOf<CShader>)        \
    X(comc_load_shader_from_file2, s.LoadShaderFromFile2(a...), std::string, HandleOf<CShader>)      \
    X(comc_load_shader_from_file_hull, s.LoadHullShaderFromFile(a...), std::string,                  \
      HandleOf<CHullShader>)                                                                         \
    X(comc_load_shader_from_file_domain, s.LoadDomainShaderFromFile(a...), std::string,              \
      HandleOf<CDomainShader>)                                                                       \
    X(comc_shader_variable, s.CreateShaderVariable(a...), std::string, std::uint32_t,                \
      HandleOf<CShaderVariable>)                                                                     \
    X(comc_shader_var_release, s.ReleaseShaderVariable(a...), HandleOf<CShaderVariable>)             \
    X(comc_shader_var_release2, s.ReleaseShaderVariables(a...), HandleOf<CRenderPass>)               \
    X(comc_active_shader_var_list, s.GetActiveShaderVariableList(a...), HandleOf<CRenderPass>,       \
      ShaderVariableList*)                                                                           \
    X(comc_update_shader_var, s.UpdateShaderVariable(a...), HandleOf<CRenderPass>,                   \
      HandleOf<CShaderVariable>)                                                                     \
    X(comc_update_shader_var_list, s.UpdateShaderVariableList(a...), HandleOf<CRenderPass>,          \
      ShaderVariableList*)                                                                           \
    X(comc_update_shader_var_list2, s.UpdateShaderVariables(a...), HandleOf<CRenderPass>)            \
    X(comc_textrue, s.CreateTexture(a...), HandleOf<CTexture>)                                       \
    X(comc_depth_texture, s.CreateDepthTexture(a...), HandleOf<CDepthTexture>)                       \
    X(comc_cube_map_texture, s.CreateCubeMapTexture(a...), HandleOf<CCubeMapTexture>)                \
    X(comc_textrue_release, s.ReleaseTexture(a...), HandleOf<CTexture>)                              \
    X(comc_depth_texture_release, s.ReleaseDepthTexture(a...), HandleOf<CDepthTexture>)              \
    X(comc_cube_map_texture_release, s.ReleaseCubeMapTexture(a...), HandleOf<CCubeMapTexture>)       \
    X(comc_framebuffer, s.CreateFramebuffer(a...), HandleOf<CFramebuffer>)                           \
    X(comc_framebuffer_release, s.ReleaseFramebuffer(a...), HandleOf<CFramebuffer>)                  \
    X(comc_framebuffer_validate, s.ValidateFramebuffer(a...), HandleOf<CFramebuffer>)                \
    X(comc_memory_texture, s.CreateTextureMemory(a...), HandleOf<CTextureBuffer>)                    \
    X(comc_memory_texture_release, s.ReleaseTextureMemory(a...), HandleOf<CTextureBuffer>)
// clang-format on

#define HLV_DECLARE_GFX_COMMAND(name, call, ...) \
    HLV_DECLARE_POOLED_COMMAND(name, ::hlv_gfx::gfx_command, s, call, __VA_ARGS__)
HLV_GFX_COMMAND_LIST(HLV_DECLARE_GFX_COMMAND)
#undef HLV_DECLARE_GFX_COMMAND

}  // namespace hlv_gfx
