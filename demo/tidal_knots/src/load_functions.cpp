#include <tidal_knots/load_functions.h>

#include <array>
#include <cstdint>
#include <filesystem>
#include <iostream>

#include <halvo_app/Context/CManagedContext.h>
#include <halvo_gfx/effect.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_gfx/image.h>
#include <halvo_gfx/mt_gfx_system.h>
#include <halvo_gfx/mt_renderer.h>
#include <halvo_gfx/render_pass.h>
#include <halvo_gfx/shader.h>
#include <halvo_gfx/texture.h>
#include <halvo_io/IOImageSystem.h>

namespace dmo_nimra {

namespace {

using hlv_core::Adopt;

bool DrainCreationQueue(hlv_gfx::MTGfxSystem& gfxSystem, const std::string& what)
{
    gfxSystem.Flush(2);
    if (gfxSystem.WaitUntilDrained()) return true;
    std::cerr << "The render thread stopped while creating " << what << "." << std::endl;
    return false;
}

bool ReportEffectFailure(const std::string& key, const std::string& detail)
{
    std::cerr << std::endl << "Effect creation failed." << '\n' << "Effect key: " << key << '\n' << detail << std::endl;
    return false;
}

// The shader files of the description that do not exist, named in one text.
std::string MissingShaderFiles(const EffectDescription& effect)
{
    std::string missing;
    for (const std::string* path :
         {&effect.vertexShader, &effect.pixelShader, &effect.hullShader, &effect.domainShader}) {
        if (path->empty() || std::filesystem::is_regular_file(*path)) continue;
        missing += (missing.empty() ? "Shader file not found: " : ", ") + *path;
    }
    return missing;
}

bool LoadEffect(const EffectDescription& description, hlv_gfx::MTGfxSystem& gfxSystem,
                hlv_app::CManagedContext& context)
{
    if (const std::string missing = MissingShaderFiles(description); !missing.empty())
        return ReportEffectFailure(description.key, missing);

    const bool tessellation = !description.hullShader.empty();
    auto effect = Adopt(new hlv_gfx::CEffect(description.key));
    effect->primitiveType = description.primitiveOverride;
    auto pass = Adopt(new hlv_gfx::CRenderPass("Render Pass"));
    auto vertex = Adopt(new hlv_gfx::CShader(description.vertexShader));
    auto pixel = Adopt(new hlv_gfx::CShader(description.pixelShader));
    auto hull = Adopt(new hlv_gfx::CHullShader(description.hullShader));
    auto domain = Adopt(new hlv_gfx::CDomainShader(description.domainShader));
    // Vertex, pixel, hull and domain compile, then link; written by the
    // render thread before the drain wait returns.
    std::array<std::uint32_t, 5> results{};

    gfxSystem.CreateVertexShader(vertex);
    gfxSystem.CreatePixelShader(pixel);
    gfxSystem.CreateRenderPass(pass);
    if (!DrainCreationQueue(gfxSystem, "the effect " + description.key)) return false;

    gfxSystem.LoadShaderFromFile(description.vertexShader, vertex);
    gfxSystem.LoadShaderFromFile(description.pixelShader, pixel);
    pass->vertexShader = vertex;
    pass->pixelShader = pixel;
    gfxSystem.Compile(vertex, &results[0]);
    gfxSystem.Compile(pixel, &results[1]);
    if (tessellation) {
        gfxSystem.CreateHullShader(hull);
        gfxSystem.CreateDomainShader(domain);
        gfxSystem.LoadHullShaderFromFile(description.hullShader, hull);
        gfxSystem.LoadDomainShaderFromFile(description.domainShader, domain);
        pass->hullShader = hull;
        pass->domainShader = domain;
        gfxSystem.Compile(hlv_core::CResourceHandle<hlv_gfx::CShader>(hull), &results[2]);
        gfxSystem.Compile(hlv_core::CResourceHandle<hlv_gfx::CShader>(domain), &results[3]);
    }
    gfxSystem.Link(pass, &results[4]);
    gfxSystem.UpdateShaderVariables(pass);
    effect->passes.push_back(pass);
    if (!DrainCreationQueue(gfxSystem, "the effect " + description.key)) return false;

    static const char* const kSteps[] = {
        "Vertex shader did not compile: ", "Pixel shader did not compile: ", "Hull shader did not compile: ",
        "Domain shader did not compile: ", "Render pass did not link: "};
    const std::string* files[] = {&description.vertexShader, &description.pixelShader, &description.hullShader,
                                  &description.domainShader, &description.vertexShader};
    for (std::size_t i = 0; i < results.size(); ++i) {
        if (results[i] == 0) continue;
        std::string detail = kSteps[i] + *files[i];
        if (i == 4) detail += " + " + description.pixelShader;
        return ReportEffectFailure(description.key, detail);
    }

    context.effectSlotManager.SetEffect(effect, true);
    Publish(context.effects, effect->GetName(), effect);
    return true;
}

}  // namespace

bool LoadTextures(const std::vector<TextureDescription>& textures, hlv_io::IOImageSystem& imageSystem,
                  hlv_gfx::MTGfxSystem& gfxSystem, hlv_gfx::MTRenderer& renderer, hlv_app::CManagedContext& context)
{
    for (const TextureDescription& description : textures) {
        auto texture = Adopt(new hlv_gfx::CTexture(description.name));
        auto image = Adopt(new hlv_gfx::CImage(description.name));
        if (imageSystem.LoadImage(description.filePath, image, description.topDown) != 0) {
            std::cerr << "Failed to load an image." << '\n' << "File name: " << description.filePath << std::endl;
            return false;
        }
        texture->textureFormat = description.format;
        texture->textureType = hlv_gfx::TT_TEXTURE_2D;
        texture->minFilter = description.minFilter;
        texture->magFilter = description.magFilter;
        texture->wrap[0] = description.wrapS;
        texture->wrap[1] = description.wrapT;
        // Takes width, height and the sized format from the image.
        texture->SetImage(image);

        gfxSystem.CreateTexture(texture);
        if (!DrainCreationQueue(gfxSystem, "the texture " + description.name)) return false;

        hlv_slot::CTexture2DOutputSlot* output = context.textureSlotManager.SetTexture(description.name, texture);
        output->SetViewport(hlv_gfx::VIEWPORT{0, 0, texture->width, texture->height});
    }
    renderer.FlushSecondQueue();
    return renderer.WaitSecondQueueDrained();
}

bool LoadEffects(const std::vector<EffectDescription>& effects, hlv_gfx::MTGfxSystem& gfxSystem,
                 hlv_app::CManagedContext& context)
{
    for (const EffectDescription& effect : effects) {
        if (!LoadEffect(effect, gfxSystem, context)) return false;
    }
    return true;
}

}  // namespace dmo_nimra
