#include <halvo_gfx/render_pass_snapshot.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace hlv_gfx {

namespace {

// Values start at multiples of 8 so that every type, and the 64-bit unit
// number of a sampler, is read at its natural alignment.
constexpr std::size_t kValueAlignment = 8;

constexpr std::size_t AlignUp(std::size_t n) { return (n + kValueAlignment - 1) & ~(kValueAlignment - 1); }

}  // namespace

void CRenderPassSnapshot::CaptureFrom(const hlv_core::CResourceHandle<CRenderPass>& passHandle)
{
    m_pass = passHandle;
    const hlv_core::CResourceHandle<CRenderPass>& pass = m_pass;
    if (!pass) {
        Clear();
        return;
    }

    // Lay the values out first, then copy them into the byte store.
    const ShaderVariableList& variables = pass->GetVariables();
    m_values.resize(variables.size());
    std::size_t total = 0;
    std::size_t i = 0;
    for (const auto& variable : variables) {
        VALUE_ENTRY& entry = m_values[i++];
        entry.variable = variable;
        entry.type = variable ? variable->GetType() : 0u;
        entry.size = ShaderVariableTypeSize(entry.type);
        entry.offset = total;
        entry.hasValue = entry.size != 0 && variable && (variable->GetValue() != nullptr || IsSamplerType(entry.type));
        total += AlignUp(entry.size);
    }

    m_bytes.resize(total);
    for (const VALUE_ENTRY& entry : m_values) {
        std::byte* target = m_bytes.data() + entry.offset;
        std::memset(target, 0, entry.size);
        const CShaderVariable* variable = entry.variable.get();
        if (entry.size == 0 || !variable || !variable->GetValue()) continue;
        std::memcpy(target, variable->GetValue(), std::min(entry.size, variable->GetValueSize()));
    }

    CaptureBindings(pass->GetTextureBindings(), m_textures);
    CaptureBindings(pass->GetDepthTextureBindings(), m_depthTextures);
    CaptureBindings(pass->GetCubeMapTextureBindings(), m_cubeMaps);
    CaptureBindings(pass->GetTextureBufferBindings(), m_textureBuffers);
}

template <typename T>
void CRenderPassSnapshot::CaptureBindings(const BindingList<T>& source, std::vector<BINDING_ENTRY<T>>& target)
{
    target.resize(source.size());
    for (std::size_t i = 0; i < source.size(); ++i) {
        target[i].resource = source[i].resource;
        target[i].variable = source[i].variable;
        target[i].valueIndex = FindValue(source[i].variable.get());
    }
}

std::size_t CRenderPassSnapshot::FindValue(const CShaderVariable* variable) const
{
    if (!variable) return kNoValue;
    for (std::size_t i = 0; i < m_values.size(); ++i)
        if (m_values[i].variable.get() == variable) return i;
    return kNoValue;
}

void CRenderPassSnapshot::Clear()
{
    m_pass.Reset();
    m_values.clear();
    m_bytes.clear();
    m_textures.clear();
    m_depthTextures.clear();
    m_cubeMaps.clear();
    m_textureBuffers.clear();
}

std::byte* CRenderPassSnapshot::GetValueData(std::size_t i)
{
    return m_values[i].hasValue ? m_bytes.data() + m_values[i].offset : nullptr;
}

const std::byte* CRenderPassSnapshot::GetValueData(std::size_t i) const
{
    return m_values[i].hasValue ? m_bytes.data() + m_values[i].offset : nullptr;
}

void CRenderPassSnapshot::SetSamplerUnit(std::size_t valueIndex, std::uint64_t unit)
{
    if (valueIndex >= m_values.size()) return;
    const VALUE_ENTRY& entry = m_values[valueIndex];
    if (!IsSamplerType(entry.type) || entry.size < sizeof unit) return;
    std::memcpy(m_bytes.data() + entry.offset, &unit, sizeof unit);
}

void swap(CRenderPassSnapshot& a, CRenderPassSnapshot& b) noexcept
{
    using std::swap;
    swap(a.m_pass, b.m_pass);
    swap(a.m_values, b.m_values);
    swap(a.m_bytes, b.m_bytes);
    swap(a.m_textures, b.m_textures);
    swap(a.m_depthTextures, b.m_depthTextures);
    swap(a.m_cubeMaps, b.m_cubeMaps);
    swap(a.m_textureBuffers, b.m_textureBuffers);
}

}  // namespace hlv_gfx
