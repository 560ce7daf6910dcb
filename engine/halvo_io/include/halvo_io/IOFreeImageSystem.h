#pragma once
// The image system on FreeImage.
//
// Only PNG and JPEG files are loaded, recognised by their contents (the
// formats the demo ships; FreeImage's readers of the others crash on small
// hostile files). Pixel layouts of loaded images (colour format, component
// type):
//   24-bit colour                        CT_BGR, T_UCHAR
//   32-bit colour                        CT_BGRA, T_UCHAR
//   8-bit greyscale                      CT_LUMINANCE, T_UCHAR
//   1-, 4- or 8-bit greyscale palette    CT_LUMINANCE, T_UCHAR (as grey levels)
//   other palettes,
//   palettes with transparency           CT_BGRA, T_UCHAR (converted to 32 bits)
//   16-bit greyscale                     CT_LUMINANCE, T_USHORT
//   48-, 64-bit colour                   CT_RGB / CT_RGBA, T_USHORT
// Every refusal and failure is also reported as one line naming the file to
// the message stream.
#include <iosfwd>

#include <halvo_io/IOImageSystem.h>

namespace hlv_io {

class IOFreeImageSystem : public IOImageSystem {
public:
    HLV_RESOURCE_CLASS(IOFreeImageSystem)

    explicit IOFreeImageSystem(const std::string& name);

    using IOImageSystem::LoadImage;
    std::uint32_t LoadImage(const std::string& path, hlv_core::CResourceHandle<hlv_gfx::CImage>& image,
                            const bool& topDown) override;

    // Where the reasons for refused and failed files go: the standard error
    // stream unless set; null drops them. The stream must outlive its use.
    void SetMessageStream(std::ostream* stream) { m_messages = stream; }

private:
    std::uint32_t Fail(std::uint32_t result, const std::string& path, const std::string& reason) const;

    std::ostream* m_messages;
};
HLV_DEFINE_RESOURCE_CLASS(IOFreeImageSystem, IOImageSystem)

}  // namespace hlv_io
