#pragma once
// The values of a render pass's uniforms and its texture bindings, copied at
// the moment a draw is queued.
//
// Why: the update thread writes shader-variable storage (camera and model
// matrices, controller values) for every geometry node, and it may run up to
// a frame ahead of the render thread; several nodes may draw with the same
// pass before the render thread gets to them. So the render command that
// selects a pass (or an effect, one snapshot per pass) captures the values
// when it is queued, on the producer's thread, and the render thread uploads
// from that copy. Each draw sees the values written for it, and no storage is
// written by one thread while another reads it.
//
// Cost: CaptureFrom copies the value bytes into one byte store and the handles
// into entry vectors; both keep their capacity between captures (and Clear
// keeps it too), so a pooled command that captures again and again stops
// allocating once it has seen its largest pass.
//
// What the renderer does with it (on the render thread):
//   - program and stages come from the pass handle;
//   - for each binding of the four lists (2D, depth, cube map, texture
//     buffer, in that order) it takes the next texture unit, binds the
//     resource and writes the unit number into the binding's sampler value
//     with SetSamplerUnit(binding.valueIndex, unit);
//   - it uploads every value entry in order: the uniform location comes from
//     the entry's variable (its API object), the bytes from GetValueData(i);
//     entries with no value data (the variable had no storage) are skipped.
#include <cstddef>
#include <cstdint>
#include <vector>

#include <halvo_core/handle.h>
#include <halvo_gfx/cube_map_texture.h>
#include <halvo_gfx/depth_texture.h>
#include <halvo_gfx/render_pass.h>
#include <halvo_gfx/shader_variable.h>
#include <halvo_gfx/texture.h>
#include <halvo_gfx/texture_buffer.h>

namespace hlv_gfx {

class CRenderPassSnapshot {
public:
    static constexpr std::size_t kNoValue = static_cast<std::size_t>(-1);

    // One uniform of the pass, in the order of the pass's variable list.
    struct VALUE_ENTRY {
        // The variable: its API object holds the uniform location.
        hlv_core::CResourceHandle<CShaderVariable> variable;
        std::uint32_t type = 0;  // SHADER_VARIABLE_TYPE at capture
        std::size_t offset = 0;  // of the value in the byte store
        std::size_t size = 0;    // bytes of one value of the type
        bool hasValue = false;   // the variable had storage (samplers always have a value)
    };

    // One binding of the pass and the entry of its sampler variable.
    template <typename T>
    struct BINDING_ENTRY {
        hlv_core::CResourceHandle<T> resource;
        hlv_core::CResourceHandle<CShaderVariable> variable;
        // Index of the sampler variable's VALUE_ENTRY; kNoValue when the
        // variable is not in the pass's list.
        std::size_t valueIndex = kNoValue;
    };

    // Copies the pass handle, every variable's value and the four binding
    // lists, reusing the storage of earlier captures.
    void CaptureFrom(const hlv_core::CResourceHandle<CRenderPass>& pass);
    // Drops every handle (so a recycled command keeps nothing alive) and keeps
    // the storage for the next capture.
    void Clear();

    // The pass the values were captured from; empty when cleared.
    const hlv_core::CResourceHandle<CRenderPass>& GetPass() const { return m_pass; }

    std::size_t GetValueCount() const { return m_values.size(); }
    const VALUE_ENTRY& GetValueEntry(std::size_t i) const { return m_values[i]; }
    // The captured bytes of value i (size bytes of its type), or null when it
    // has no value.
    std::byte* GetValueData(std::size_t i);
    const std::byte* GetValueData(std::size_t i) const;

    // Writes a texture unit number into the sampler value of entry i (as an
    // unsigned 64-bit value). Does nothing for kNoValue or an entry that is no
    // sampler. The variable's own storage is not touched.
    void SetSamplerUnit(std::size_t valueIndex, std::uint64_t unit);

    const std::vector<BINDING_ENTRY<CTexture>>& GetTextureBindings() const { return m_textures; }
    const std::vector<BINDING_ENTRY<CDepthTexture>>& GetDepthTextureBindings() const { return m_depthTextures; }
    const std::vector<BINDING_ENTRY<CCubeMapTexture>>& GetCubeMapTextureBindings() const { return m_cubeMaps; }
    const std::vector<BINDING_ENTRY<CTextureBuffer>>& GetTextureBufferBindings() const { return m_textureBuffers; }

    // Capacity of the byte store (for checks that captures stop allocating).
    std::size_t GetValueStorageCapacity() const { return m_bytes.capacity(); }

    friend void swap(CRenderPassSnapshot& a, CRenderPassSnapshot& b) noexcept;

private:
    template <typename T>
    void CaptureBindings(const BindingList<T>& source, std::vector<BINDING_ENTRY<T>>& target);
    std::size_t FindValue(const CShaderVariable* variable) const;

    hlv_core::CResourceHandle<CRenderPass> m_pass;
    std::vector<VALUE_ENTRY> m_values;
    std::vector<std::byte> m_bytes;
    std::vector<BINDING_ENTRY<CTexture>> m_textures;
    std::vector<BINDING_ENTRY<CDepthTexture>> m_depthTextures;
    std::vector<BINDING_ENTRY<CCubeMapTexture>> m_cubeMaps;
    std::vector<BINDING_ENTRY<CTextureBuffer>> m_textureBuffers;
};

}  // namespace hlv_gfx
