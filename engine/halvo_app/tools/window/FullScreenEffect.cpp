#include "FullScreenEffect.h"

#include <cstdint>

#include <halvo_gfx/render_pass.h>
#include <halvo_gfx/shader.h>

namespace hlv_app_window {

hlv_core::CResourceHandle<hlv_gfx::CEffect> LoadFullScreenEffect(hlv_gfx::MTGfxSystem& gfxSystem,
                                                                 const std::string& name, const std::string& vertexPath,
                                                                 const std::string& pixelPath, std::string& error)
{
    using hlv_core::Adopt;
    auto effect = Adopt(new hlv_gfx::CEffect(name));
    auto pass = Adopt(new hlv_gfx::CRenderPass("Render Pass"));
    auto vertex = Adopt(new hlv_gfx::CShader(vertexPath));
    auto pixel = Adopt(new hlv_gfx::CShader(pixelPath));

    gfxSystem.CreateVertexShader(vertex);
    gfxSystem.CreatePixelShader(pixel);
    gfxSystem.CreateRenderPass(pass);
    gfxSystem.Flush(2);
    if (!gfxSystem.WaitUntilDrained()) {
        error = "the render thread stopped";
        return {};
    }

    // Written by the render thread before the drain wait returns.
    std::uint32_t vertexResult = 0;
    std::uint32_t pixelResult = 0;
    std::uint32_t linkResult = 0;
    gfxSystem.LoadShaderFromFile(vertexPath, vertex);
    gfxSystem.LoadShaderFromFile(pixelPath, pixel);
    pass->vertexShader = vertex;
    pass->pixelShader = pixel;
    gfxSystem.Compile(vertex, &vertexResult);
    gfxSystem.Compile(pixel, &pixelResult);
    gfxSystem.Link(pass, &linkResult);
    gfxSystem.UpdateShaderVariables(pass);
    effect->passes.push_back(pass);
    gfxSystem.Flush(2);
    if (!gfxSystem.WaitUntilDrained()) {
        error = "the render thread stopped";
        return {};
    }
    if (vertexResult != 0)
        error = "the vertex shader " + vertexPath + " did not compile";
    else if (pixelResult != 0)
        error = "the pixel shader " + pixelPath + " did not compile";
    else if (linkResult != 0)
        error = "the effect " + name + " did not link";
    if (!error.empty()) return {};
    return effect;
}

}  // namespace hlv_app_window
