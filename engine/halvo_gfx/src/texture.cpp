#include <halvo_gfx/texture.h>

#include <halvo_core/property/PropertyTypes.h>
#include <halvo_gfx/gfx_types.h>

namespace hlv_gfx {

std::uint32_t GetSizedTextureFormat(std::uint32_t textureFormat, std::uint32_t valueType)
{
    if (textureFormat == 0 || valueType == 0) return 0;

    struct SizedVariants {
        TEXTURE_FORMAT base, bits8, bits16, float32;
    };
    static constexpr SizedVariants table[] = {
        {TF_ALPHA, TF_ALPHA8, TF_ALPHA16, TF_ALPHA32F},
        {TF_LUMINANCE, TF_LUMINANCE8, TF_LUMINANCE16, TF_LUMINANCE32F},
        {TF_INTENSITY, TF_INTENSITY8, TF_INTENSITY16, TF_INTENSITY32F},
        {TF_RGB, TF_RGB8, TF_RGB16, TF_RGB32F},
        {TF_RGBA, TF_RGBA8, TF_RGBA16, TF_RGBA32F},
    };
    for (const SizedVariants& row : table) {
        if (row.base != textureFormat) continue;
        switch (valueType) {
        case hlv_core::T_CHAR:
        case hlv_core::T_UCHAR: return row.bits8;
        case hlv_core::T_SHORT:
        case hlv_core::T_USHORT: return row.bits16;
        case hlv_core::T_FLOAT: return row.float32;
        default: return 0;
        }
    }
    return textureFormat;
}

void CTexture::SetImage(const hlv_core::CResourceHandle<CImage>& image)
{
    const hlv_core::CResourceHandle<CImage> held = image;
    m_image = held;
    if (held) {
        width = held->GetWidth();
        height = held->GetHeight();
        sizedFormat = GetSizedTextureFormat(textureFormat, held->GetType());
    }
    SetChanged(true);
}

}  // namespace hlv_gfx
