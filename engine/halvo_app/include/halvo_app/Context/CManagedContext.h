#pragma once
// A named context: the store through which the parts of an application find
// each other's objects and data-flow outputs by name.
#include <tuple>

#include <halvo_app/Context/CNamedObjectRegistry.h>
#include <halvo_app/Context/CNamedVariantSlotArray.h>
#include <halvo_mgr/CCubemapSlotManager.h>
#include <halvo_mgr/CEffectSlotManager.h>
#include <halvo_mgr/CTextureSlotManager.h>
#include <halvo_mgr/CViewportSlotManager.h>
#include <halvo_slot/variant_types.h>

namespace hlv_gfx {
class CImage;
class CFramebuffer;
class CVertexBuffer;
class CIndexBuffer;
}  // namespace hlv_gfx
namespace hlv_sg {
class CLinearPostProcessingNode;
}
namespace hlv_shade {
class IShadeNode;
}

namespace hlv_app {

// Lives at one place from creation to destruction: inputs connect to its
// slots by pointer, and its managers own their slots. Destroying it destroys
// the managers' slots and the named variant slots (their inputs are released);
// the registries only free their own lists.
class CManagedContext {
public:
    CManagedContext() = default;
    CManagedContext(const CManagedContext&) = delete;
    CManagedContext& operator=(const CManagedContext&) = delete;

    // The named output slots of value type T (one of hlv_slot::VariantValueTypes).
    template <typename T>
    CNamedVariantSlotArray<T>& VariantSlots()
    {
        return std::get<CNamedVariantSlotArray<T>>(m_variantSlots);
    }
    template <typename T>
    const CNamedVariantSlotArray<T>& VariantSlots() const
    {
        return std::get<CNamedVariantSlotArray<T>>(m_variantSlots);
    }

    // Registries of named engine objects (not owned; see CNamedObjectRegistry).
    CNamedObjectRegistry<hlv_sg::CLinearPostProcessingNode> postProcessingNodes;
    CNamedObjectRegistry<hlv_shade::IShadeNode> shadeNodes;
    CNamedObjectRegistry<hlv_gfx::CImage> images;
    CNamedObjectRegistry<hlv_gfx::CTexture> textures;
    CNamedObjectRegistry<hlv_gfx::CFramebuffer> framebuffers;
    CNamedObjectRegistry<hlv_gfx::CEffect> effects;
    CNamedObjectRegistry<hlv_gfx::CDepthTexture> depthTextures;
    CNamedObjectRegistry<hlv_gfx::CVertexBuffer> vertexBuffers;
    CNamedObjectRegistry<hlv_gfx::CIndexBuffer> indexBuffers;

private:
    hlv_slot::VariantValueTypes::Tuple<CNamedVariantSlotArray> m_variantSlots;

public:
    // Named output slots of textures, effects, viewports and cube maps.
    hlv_mgr::CCubemapSlotManager cubemapSlotManager;
    hlv_mgr::CEffectSlotManager effectSlotManager;
    hlv_mgr::CTextureSlotManager textureSlotManager;
    hlv_mgr::CViewportSlotManager viewportSlotManager;
};

}  // namespace hlv_app
