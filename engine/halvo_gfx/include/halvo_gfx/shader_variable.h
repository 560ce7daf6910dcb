#pragma once
// One uniform of a shader program: its type, its value and its API object.
#include <cstddef>
#include <cstdint>

#include <halvo_core/handle.h>
#include <halvo_core/resource.h>
#include <halvo_gfx/api_specific.h>

namespace hlv_gfx {

// Bytes of one value of a SHADER_VARIABLE_TYPE; 0 for SVT_UNDEFINED and codes
// outside the enumeration. Samplers hold an 8-byte texture unit number.
std::uint32_t ShaderVariableTypeSize(std::uint32_t type);
// Types SVT_SAMPLER_1D to SVT_SAMPLER_BUFFER.
bool IsSamplerType(std::uint32_t type);

// The variable's resource name is the uniform's name. Scene code and update
// listeners write its value on the update thread; the render thread reads the
// copy taken when a draw was queued (CRenderPassSnapshot), never the storage.
class CShaderVariable : public hlv_core::IResource {
public:
    HLV_RESOURCE_CLASS(CShaderVariable)

    explicit CShaderVariable(const std::string& name) : IResource(name) {}
    ~CShaderVariable() override;

    std::uint32_t GetType() const { return m_type; }
    void SetType(std::uint32_t type) { m_type = type; }

    // Frees the storage it owns, then gives the variable byteSize zero bytes
    // of its own. GFXR_INVALID_SIZE for 0, GFXR_FAIL when allocation fails.
    std::uint32_t AllocateValue(std::size_t byteSize);
    // Frees owned storage; the variable is left without storage.
    void ReleaseValue();

    // The storage, or null; GetValueSize gives its bytes (0 without storage).
    std::byte* GetValue() { return m_value; }
    const std::byte* GetValue() const { return m_value; }
    std::size_t GetValueSize() const { return m_valueSize; }

    bool OwnsValue() const { return m_ownsValue; }
    // The destructor frees owned storage only while the storage is managed.
    bool IsValueManaged() const { return m_valueManaged; }
    void SetValueManaged(bool managed) { m_valueManaged = managed; }

    // Holds the uniform location; made by the graphics system.
    hlv_core::CResourceHandle<IApiSpecific> apiObject;

private:
    std::uint32_t m_type = 0;
    std::byte* m_value = nullptr;
    bool m_ownsValue = false;
    bool m_valueManaged = true;
    std::size_t m_valueSize = 0;
};
HLV_DEFINE_RESOURCE_CLASS(CShaderVariable, hlv_core::IResource)

}  // namespace hlv_gfx
