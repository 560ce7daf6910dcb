#pragma once
// The application-wide owner of the default shader library.
#include <string>

#include <halvo_core/handle.h>
#include <halvo_core/resource.h>
#include <halvo_gfx/mt_gfx_system.h>
#include <halvo_shade/shader_library.h>

namespace hlv_shade {

class CShadeNodeSystem : public hlv_core::IResource {
public:
    HLV_RESOURCE_CLASS(CShadeNodeSystem)

    // Creates "The Default Shader Library".
    explicit CShadeNodeSystem(const std::string& name);

    void SetGfxSystem(const hlv_core::CResourceHandle<hlv_gfx::MTGfxSystem>& gfxSystem) { m_gfxSystem = gfxSystem; }
    const hlv_core::CResourceHandle<hlv_gfx::MTGfxSystem>& GetGfxSystem() const { return m_gfxSystem; }

    hlv_core::CResourceHandle<CShaderLibrary> GetShaderLibrary() const { return m_shaderLibrary; }

private:
    hlv_core::CResourceHandle<hlv_gfx::MTGfxSystem> m_gfxSystem;
    hlv_core::CResourceHandle<CShaderLibrary> m_shaderLibrary;
};
HLV_DEFINE_RESOURCE_CLASS(CShadeNodeSystem, hlv_core::IResource)

}  // namespace hlv_shade
