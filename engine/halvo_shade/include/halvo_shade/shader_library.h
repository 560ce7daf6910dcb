#pragma once
// The application's shader library: a holder created empty with the
// shade-node system.
#include <string>
#include <vector>

#include <halvo_core/handle.h>
#include <halvo_core/resource.h>
#include <halvo_gfx/mt_gfx_system.h>

namespace hlv_shade {

class CShaderLibrary : public hlv_core::IResource {
public:
    HLV_RESOURCE_CLASS(CShaderLibrary)

    using ResourceList = std::vector<hlv_core::CResourceHandle<hlv_core::IResource>>;

    explicit CShaderLibrary(const std::string& name) : IResource(name) {}

    // The graphics system shaders would be made with; empty until set.
    void SetGfxSystem(const hlv_core::CResourceHandle<hlv_gfx::MTGfxSystem>& gfxSystem) { m_gfxSystem = gfxSystem; }
    const hlv_core::CResourceHandle<hlv_gfx::MTGfxSystem>& GetGfxSystem() const { return m_gfxSystem; }

    // The library's two entry lists; nothing fills them.
    const ResourceList& GetShaders() const { return m_shaders; }
    const ResourceList& GetPrograms() const { return m_programs; }

private:
    hlv_core::CResourceHandle<hlv_gfx::MTGfxSystem> m_gfxSystem;
    ResourceList m_shaders;
    ResourceList m_programs;
};
HLV_DEFINE_RESOURCE_CLASS(CShaderLibrary, hlv_core::IResource)

}  // namespace hlv_shade
