#pragma once
// The image system on FreeImage.
//
// Pixel layouts of loaded images (colour format, component type):
//   24-bit colour                        CT_BGR, T_UCHAR
//   32-bit colour                        CT_BGRA, T_UCHAR
//   8-bit greyscale                      CT_LUMINANCE, T_UCHAR
//   1-, 4- or 8-bit greyscale palette    CT_LUMINANCE, T_UCHAR (as grey levels)
//   other palettes, 16-bit colour,
//   palettes with transparency           CT_BGRA, T_UCHAR (converted to 32 bits)
//   16-bit, 32-bit, float greyscale      CT_LUMINANCE, T_USHORT / T_UINT / T_FLOAT
//   48-, 64-bit colour                   CT_RGB / CT_RGBA, T_USHORT
//   float colour                         CT_RGB / CT_RGBA, T_FLOAT
// Signed, double and complex images are not loaded.
#include <halvo_io/IOImageSystem.h>

namespace hlv_io {

class IOFreeImageSystem : public IOImageSystem {
public:
    HLV_RESOURCE_CLASS(IOFreeImageSystem)

    explicit IOFreeImageSystem(const std::string& name) : IOImageSystem(name) {}

    using IOImageSystem::LoadImage;
    std::uint32_t LoadImage(const std::string& path, hlv_core::CResourceHandle<hlv_gfx::CImage>& image,
                            const bool& topDown) override;
};
HLV_DEFINE_RESOURCE_CLASS(IOFreeImageSystem, IOImageSystem)

}  // namespace hlv_io
