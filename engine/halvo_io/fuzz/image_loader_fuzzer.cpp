// libFuzzer target: an image file of any bytes is loaded into an image no
// larger than the limits, or refused with a result code and an untouched
// handle; a crash, a sanitizer report or a hang is a finding.
#include <halvo_io/IOFreeImageSystem.h>

#include "scratch_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const hlv_core::CResourceHandle<hlv_io::IOFreeImageSystem> system = [] {
        auto created = hlv_core::Adopt(new hlv_io::IOFreeImageSystem("Fuzzed image system"));
        created->SetMessageStream(nullptr);
        return created;
    }();
    const std::string& path = hlv_io_fuzz::ScratchPath(".img");
    hlv_io_fuzz::WriteScratchFile(path, data, size);

    hlv_core::CResourceHandle<hlv_gfx::CImage> image;
    const bool topDown = size % 2 == 0;
    if (system->LoadImage(path, image, topDown) != hlv_io::IOR_OK) {
        if (image.IsValid()) __builtin_trap();
        return 0;
    }
    const std::uint64_t width = image->GetWidth();
    const std::uint64_t height = image->GetHeight();
    const std::uint64_t pixelSize = image->GetPixelBuffer()->GetAnyLayout()->GetStride();
    if (width == 0 || height == 0 || width > hlv_io::kMaxImageSide || height > hlv_io::kMaxImageSide ||
        width * height > hlv_io::kMaxImagePixels ||
        image->GetPixelBuffer()->GetStorageSize() < hlv_io::ImageRowPitch(width, pixelSize) * height)
        __builtin_trap();
    return 0;
}
