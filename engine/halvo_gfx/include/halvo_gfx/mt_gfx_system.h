#pragma once
// The multithreaded graphics system: any thread creates and releases graphics
// resources; the render thread, which owns the graphics context, executes the
// calls on the real graphics system.
//
// Each operation below queues one creation command and returns at once:
// GFXR_OK when queued, GFXR_INVALID_ARGUMENT for an empty handle the
// operation refuses, GFXR_MT_NO_COMMAND when all 200 commands of its class are
// in use (nothing is queued). The graphics system's own result arrives only
// through the result pointer of Compile, Link and ValidateFramebuffer, which
// must stay valid until the caller has waited for the queue to drain.
//
// A producer that needs its objects to exist queues its operations, calls
// Flush(2) and WaitUntilDrained, then reads its result words.
//
// The render thread calls ProcessCommands at the top of every frame. While
// the stay flag is set (from construction until a Flush(0)), ProcessCommands
// stays and serves every flush as it comes; a Flush(0) clears the flag and
// ends the stay once what was flushed with it has run. Without the flag it
// executes what has been flushed and returns.
#include <cstdint>
#include <string>

#include <halvo_core/handle.h>
#include <halvo_core/resource.h>
#include <halvo_gfx/command_front_end.h>
#include <halvo_gfx/gfx_commands.h>
#include <halvo_gfx/gfx_system.h>

namespace hlv_gfx {

#define HLV_GFX_COMMAND_CLASS(name, ...) , name
using GfxCommandPools = TCommandPools<CommandListStart HLV_GFX_COMMAND_LIST(HLV_GFX_COMMAND_CLASS)>;
#undef HLV_GFX_COMMAND_CLASS

class MTGfxSystem : public hlv_core::IResource {
public:
    HLV_RESOURCE_CLASS(MTGfxSystem)

    explicit MTGfxSystem(const std::string& name);
    // Queued commands are not executed; their handles are released.
    ~MTGfxSystem() override;

    // The graphics system the commands run on (set once by the application).
    void SetGfxSystem(const HandleOf<IGfxSystem>& system) { m_system = system; }
    HandleOf<IGfxSystem> GetGfxSystem() const { return m_system; }

    std::uint32_t CreateVertexBuffer(const HandleOf<CVertexBuffer>& buffer)
    {
        return Refusing<comc_vertex_buffer>(buffer);
    }
    std::uint32_t CreateIndexBuffer(const HandleOf<CIndexBuffer>& buffer)
    {
        return Refusing<comc_index_buffer>(buffer);
    }
    std::uint32_t DeleteBuffer(const HandleOf<CVertexBuffer>& buffer)
    {
        return Refusing<comc_vertex_buffer_release>(buffer);
    }
    std::uint32_t DeleteBuffer(const HandleOf<CIndexBuffer>& buffer)
    {
        return Refusing<comc_index_buffer_release>(buffer);
    }
    std::uint32_t CreateVertexShader(const HandleOf<CShader>& shader) { return Refusing<comc_vertex_shader>(shader); }
    std::uint32_t CreateGeometryShader(const HandleOf<CGeometryShader>& shader)
    {
        return Refusing<comc_geometry_shader>(shader);
    }
    std::uint32_t CreatePixelShader(const HandleOf<CShader>& shader) { return Refusing<comc_pixel_shader>(shader); }
    std::uint32_t CreateHullShader(const HandleOf<CHullShader>& shader) { return Refusing<comc_hull_shader>(shader); }
    std::uint32_t CreateDomainShader(const HandleOf<CDomainShader>& shader)
    {
        return Refusing<comc_domain_shader>(shader);
    }
    std::uint32_t ReleaseShader(const HandleOf<CShader>& shader) { return Refusing<comc_shader_release>(shader); }
    std::uint32_t CreateRenderPass(const HandleOf<CRenderPass>& pass) { return Refusing<comc_render_pass>(pass); }
    std::uint32_t ReleaseRenderPass(const HandleOf<CRenderPass>& pass)
    {
        return Refusing<comc_render_pass_release>(pass);
    }
    std::uint32_t Compile(const HandleOf<CShader>& shader, std::uint32_t* result)
    {
        return Refusing<comc_compile>(shader, result);
    }
    std::uint32_t Link(const HandleOf<CRenderPass>& pass, std::uint32_t* result)
    {
        return Refusing<comc_link>(pass, result);
    }
    std::uint32_t LoadShaderFromFile(const std::string& path, const HandleOf<CShader>& shader)
    {
        return Refusing<comc_load_shader_from_file>(shader, nullptr, path, shader);
    }
    std::uint32_t LoadShaderFromFile2(const std::string& path, const HandleOf<CShader>& shader)
    {
        return Refusing<comc_load_shader_from_file2>(shader, nullptr, path, shader);
    }
    std::uint32_t LoadHullShaderFromFile(const std::string& path, const HandleOf<CHullShader>& shader)
    {
        return Refusing<comc_load_shader_from_file_hull>(shader, nullptr, path, shader);
    }
    std::uint32_t LoadDomainShaderFromFile(const std::string& path, const HandleOf<CDomainShader>& shader)
    {
        return Refusing<comc_load_shader_from_file_domain>(shader, nullptr, path, shader);
    }
    // The system fills the variable the handle names (the handle must not be
    // empty: the front end cannot hand a new object back).
    std::uint32_t CreateShaderVariable(const std::string& name, std::uint32_t type,
                                       const HandleOf<CShaderVariable>& variable)
    {
        return Refusing<comc_shader_variable>(variable, nullptr, name, type, variable);
    }
    std::uint32_t ReleaseShaderVariable(const HandleOf<CShaderVariable>& variable)
    {
        return Refusing<comc_shader_var_release>(variable);
    }
    std::uint32_t ReleaseShaderVariables(const HandleOf<CRenderPass>& pass)
    {
        return Refusing<comc_shader_var_release2>(pass);
    }
    // The list must stay valid until the caller has waited for the drain.
    std::uint32_t GetActiveShaderVariableList(const HandleOf<CRenderPass>& pass, ShaderVariableList* variables)
    {
        return Refusing<comc_active_shader_var_list>(pass, nullptr, pass, variables);
    }
    std::uint32_t UpdateShaderVariable(const HandleOf<CRenderPass>& pass, const HandleOf<CShaderVariable>& variable)
    {
        return Refusing<comc_update_shader_var>(pass, nullptr, pass, variable);
    }
    std::uint32_t UpdateShaderVariableList(const HandleOf<CRenderPass>& pass, ShaderVariableList* variables)
    {
        return Refusing<comc_update_shader_var_list>(pass, nullptr, pass, variables);
    }
    std::uint32_t UpdateShaderVariables(const HandleOf<CRenderPass>& pass)
    {
        return Refusing<comc_update_shader_var_list2>(pass);
    }
    // The three texture creations and the framebuffer creation queue an empty
    // handle too.
    std::uint32_t CreateTexture(const HandleOf<CTexture>& texture) { return Queue<comc_textrue>(nullptr, texture); }
    std::uint32_t CreateDepthTexture(const HandleOf<CDepthTexture>& texture)
    {
        return Queue<comc_depth_texture>(nullptr, texture);
    }
    std::uint32_t CreateCubeMapTexture(const HandleOf<CCubeMapTexture>& texture)
    {
        return Refusing<comc_cube_map_texture>(texture);
    }
    std::uint32_t ReleaseTexture(const HandleOf<CTexture>& texture) { return Refusing<comc_textrue_release>(texture); }
    std::uint32_t ReleaseDepthTexture(const HandleOf<CDepthTexture>& texture)
    {
        return Refusing<comc_depth_texture_release>(texture);
    }
    std::uint32_t ReleaseCubeMapTexture(const HandleOf<CCubeMapTexture>& texture)
    {
        return Refusing<comc_cube_map_texture_release>(texture);
    }
    std::uint32_t CreateFramebuffer(const HandleOf<CFramebuffer>& framebuffer)
    {
        return Queue<comc_framebuffer>(nullptr, framebuffer);
    }
    std::uint32_t ReleaseFramebuffer(const HandleOf<CFramebuffer>& framebuffer)
    {
        return Refusing<comc_framebuffer_release>(framebuffer);
    }
    std::uint32_t ValidateFramebuffer(HandleOf<CFramebuffer> framebuffer, std::uint32_t* result)
    {
        return Queue<comc_framebuffer_validate>(result, std::move(framebuffer));
    }
    std::uint32_t CreateTextureMemory(const HandleOf<CTextureBuffer>& buffer)
    {
        return Queue<comc_memory_texture>(nullptr, buffer);
    }
    std::uint32_t ReleaseTextureMemory(const HandleOf<CTextureBuffer>& buffer)
    {
        return Refusing<comc_memory_texture_release>(buffer);
    }

    // Appends a filled command (taken from Pool<C>()) to the current list.
    void Enqueue(gfx_command* command);
    // Hands over what has been queued so far. mode 0 also clears the stay
    // flag, 1 sets it, any other value leaves it. Returns GFXR_OK.
    std::uint32_t Flush(std::uint32_t mode);
    // Blocks until every command queued before the call has run (flush
    // first). Returns false when released by Shutdown instead.
    bool WaitUntilDrained();
    // Render thread only: see the top of this file. Returns GFXR_OK.
    std::uint32_t ProcessCommands();
    // Stop: ProcessCommands and WaitUntilDrained return at once from now on;
    // commands still queued are not executed.
    void Shutdown();

    bool Stays() const { return m_frontEnd.GetQueue().Stays(); }

    template <class Command>
    CommandPool<Command>& Pool()
    {
        return m_frontEnd.template Pool<Command>();
    }

    // Queues a command of class Command with the given argument values.
    template <class Command, class... Values>
    std::uint32_t Queue(std::uint32_t* result, Values&&... values)
    {
        return m_frontEnd.template QueueValues<Command>(0, result, std::forward<Values>(values)...);
    }

private:
    // An empty `handle` is refused; otherwise the command is queued with the
    // values (the handle alone when none are given).
    template <class Command, class T, class... Values>
    std::uint32_t Refusing(const HandleOf<T>& handle, std::uint32_t* result, Values&&... values)
    {
        if (!handle) return GFXR_INVALID_ARGUMENT;
        return Queue<Command>(result, std::forward<Values>(values)...);
    }
    template <class Command, class T>
    std::uint32_t Refusing(const HandleOf<T>& handle, std::uint32_t* result = nullptr)
    {
        if (!handle) return GFXR_INVALID_ARGUMENT;
        return Queue<Command>(result, handle);
    }

    TCommandFrontEnd<gfx_command, GfxCommandPools, 1> m_frontEnd;
    HandleOf<IGfxSystem> m_system;
};
HLV_DEFINE_RESOURCE_CLASS(MTGfxSystem, IGfxSystem)

}  // namespace hlv_gfx
