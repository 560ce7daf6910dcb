#include <halvo_gfx/shader_variable.h>

#include <array>
#include <new>

#include <halvo_gfx/GFX_RESULT.h>
#include <halvo_gfx/gfx_types.h>

namespace hlv_gfx {

std::uint32_t ShaderVariableTypeSize(std::uint32_t type)
{
    static constexpr std::array<std::uint32_t, SHADER_VARIABLE_TYPE_COUNT> sizes{
        0,                       // undefined
        4,  8,  12, 16,          // float, vec2..vec4
        4,  8,  12, 16,          // int, ivec2..ivec4
        1,  2,  3,  4,           // bool, bvec2..bvec4
        16, 36, 64,              // mat2, mat3, mat4
        8,  8,  8,  8,  8, 8, 8  // the samplers
    };
    return type < sizes.size() ? sizes[type] : 0;
}

bool IsSamplerType(std::uint32_t type) { return type >= SVT_SAMPLER_1D && type <= SVT_SAMPLER_BUFFER; }

CShaderVariable::~CShaderVariable()
{
    if (m_ownsValue && m_valueManaged) delete[] m_value;
}

std::uint32_t CShaderVariable::AllocateValue(std::size_t byteSize)
{
    if (byteSize == 0) return GFXR_INVALID_SIZE;
    auto* value = new (std::nothrow) std::byte[byteSize]();
    if (!value) return GFXR_FAIL;
    ReleaseValue();
    m_value = value;
    m_valueSize = byteSize;
    m_ownsValue = true;
    return GFXR_OK;
}

void CShaderVariable::ReleaseValue()
{
    if (m_ownsValue) delete[] m_value;
    m_value = nullptr;
    m_valueSize = 0;
    m_ownsValue = false;
}

}  // namespace hlv_gfx
