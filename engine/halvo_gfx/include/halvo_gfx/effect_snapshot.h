#pragma once
// The values of every pass of an effect, copied when the effect is selected
// for drawing (see render_pass_snapshot.h for why and how).
//
// The render command that selects an effect captures one CRenderPassSnapshot
// per pass. The renderer keeps the values for the draws that follow by
// swapping them into a snapshot of its own (IRenderer::UseEffect), and each
// draw of the effect applies pass i with GetPassValues(i).
#include <cstddef>
#include <vector>

#include <halvo_core/handle.h>
#include <halvo_gfx/effect.h>
#include <halvo_gfx/render_pass_snapshot.h>

namespace hlv_gfx {

class CEffectSnapshot {
public:
    // Copies the effect handle and a snapshot of each of its passes (an empty
    // pass handle gives an empty snapshot), reusing earlier storage.
    void CaptureFrom(const hlv_core::CResourceHandle<CEffect>& effect);
    // Drops every handle and keeps the storage.
    void Clear();

    const hlv_core::CResourceHandle<CEffect>& GetEffect() const { return m_effect; }
    std::size_t GetPassCount() const { return m_count; }
    CRenderPassSnapshot& GetPassValues(std::size_t i) { return m_passes[i]; }
    const CRenderPassSnapshot& GetPassValues(std::size_t i) const { return m_passes[i]; }

    friend void swap(CEffectSnapshot& a, CEffectSnapshot& b) noexcept;

private:
    hlv_core::CResourceHandle<CEffect> m_effect;
    // Grows only; entries past m_count are cleared and keep their storage.
    std::vector<CRenderPassSnapshot> m_passes;
    std::size_t m_count = 0;
};

}  // namespace hlv_gfx
