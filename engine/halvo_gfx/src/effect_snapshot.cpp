#include <halvo_gfx/effect_snapshot.h>

#include <utility>

namespace hlv_gfx {

void CEffectSnapshot::CaptureFrom(const hlv_core::CResourceHandle<CEffect>& effectHandle)
{
    m_effect = effectHandle;
    const std::size_t count = m_effect ? m_effect->passes.size() : 0;
    if (m_passes.size() < count) m_passes.resize(count);
    for (std::size_t i = 0; i < count; ++i) m_passes[i].CaptureFrom(m_effect->passes[i]);
    for (std::size_t i = count; i < m_count; ++i) m_passes[i].Clear();
    m_count = count;
}

void CEffectSnapshot::Clear()
{
    m_effect.Reset();
    for (std::size_t i = 0; i < m_count; ++i) m_passes[i].Clear();
    m_count = 0;
}

void swap(CEffectSnapshot& a, CEffectSnapshot& b) noexcept
{
    using std::swap;
    swap(a.m_effect, b.m_effect);
    swap(a.m_passes, b.m_passes);
    swap(a.m_count, b.m_count);
}

}  // namespace hlv_gfx
