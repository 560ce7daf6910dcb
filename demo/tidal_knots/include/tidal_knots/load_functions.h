#pragma once
// Loading of the demo's textures and effects through the creation front end,
// publishing each in the named context. Each load reports its first failure
// on the standard error stream, naming the file or effect, and returns false;
// the caller does not go on without the asset.
#include <string>
#include <vector>

#include <halvo_app/Context/CNamedObjectRegistry.h>
#include <halvo_core/handle.h>
#include <tidal_knots/asset_lists.h>

namespace hlv_app {
class CManagedContext;
}
namespace hlv_gfx {
class MTGfxSystem;
class MTRenderer;
}  // namespace hlv_gfx
namespace hlv_io {
class IOImageSystem;
}

namespace dmo_nimra {

// Each image is loaded, becomes a texture on the GPU (one at a time: the
// creation queue drains before the next) and is published in the context's
// texture slot manager with a viewport of its full size.
bool LoadTextures(const std::vector<TextureDescription>& textures, hlv_io::IOImageSystem& imageSystem,
                  hlv_gfx::MTGfxSystem& gfxSystem, hlv_gfx::MTRenderer& renderer, hlv_app::CManagedContext& context);

// Each effect gets one render pass from its shader files, compiled and linked
// on the render thread, and is published in the context's effect slot manager
// and effect registry.
bool LoadEffects(const std::vector<EffectDescription>& effects, hlv_gfx::MTGfxSystem& gfxSystem,
                 hlv_app::CManagedContext& context);

// Registers the object under name and hands the registry a reference of its
// own, kept for the rest of the run. An existing name keeps its object.
template <typename T>
bool Publish(hlv_app::CNamedObjectRegistry<T>& registry, const std::string& name,
             const hlv_core::CResourceHandle<T>& object)
{
    if (!object || registry.Register(name, object.get()) == registry.npos) return false;
    object->AddRef();
    return true;
}

}  // namespace dmo_nimra
