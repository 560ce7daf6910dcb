#include <halvo_io/IOFreeImageSystem.h>

#include <iostream>
#include <limits>
#include <string>

#include <halvo_gfx/GFX_RESULT.h>

#include "Image/FreeImageBitmap.h"
#include "Image/PixelRows.h"
#include "Image/PngChunks.h"
#include "RegularFile.h"

namespace hlv_io {

namespace {

bool IsAcceptedFormat(FREE_IMAGE_FORMAT format) { return format == FIF_PNG || format == FIF_JPEG; }

std::string FormatName(FREE_IMAGE_FORMAT format)
{
    const char* name = FreeImage_GetFormatFromFIF(format);
    return name ? name : "unknown";
}

std::string SizeText(std::uint64_t width, std::uint64_t height)
{
    return std::to_string(width) + " x " + std::to_string(height);
}

bool FitsTheLimits(std::uint64_t width, std::uint64_t height)
{
    return width <= kMaxImageSide && height <= kMaxImageSide && width * height <= kMaxImagePixels;
}

// Gives the image the layout's format and the size and room for height rows
// of ImageRowPitch bytes. Returns the pitch, or 0 when the image cannot take
// it.
std::uint64_t PrepareImage(hlv_gfx::CImage& image, const ImageLayout& layout, unsigned width, unsigned height)
{
    if (!SUCCESSED(image.SetFormat(layout.format.colorFormat, layout.format.dataType))) return 0;

    hlv_core::CResourceHandle<hlv_gfx::CPixelBuffer> pixels = image.GetPixelBuffer();
    const hlv_core::CResourceHandle<hlv_gfx::CBufferLayout> bufferLayout = pixels->GetAnyLayout();
    if (bufferLayout->GetStride() != layout.bytesPerPixel) return 0;

    // Rows padded to the alignment need a little more than width x height
    // pixels: round the padded size up to whole pixels. The padded storage
    // comes first, so that sizing the image finds it large enough instead of
    // allocating an unpadded buffer to be copied into the padded one.
    const std::uint64_t pitch = ImageRowPitch(width, layout.bytesPerPixel);
    const std::uint64_t bytes = pitch * height;
    if (!SUCCESSED(pixels->Allocate(bufferLayout, (bytes + layout.bytesPerPixel - 1) / layout.bytesPerPixel))) return 0;
    if (!SUCCESSED(image.Allocate(width, height))) return 0;
    if (pixels->GetStorageSize() < bytes || !pixels->GetData()) return 0;
    return pitch;
}

}  // namespace

IOFreeImageSystem::IOFreeImageSystem(const std::string& name) : IOImageSystem(name), m_messages(&std::cerr) {}

std::uint32_t IOFreeImageSystem::Fail(std::uint32_t result, const std::string& path, const std::string& reason) const
{
    if (m_messages) *m_messages << "Image \"" << path << "\" not loaded: " << reason << std::endl;
    return result;
}

std::uint32_t IOFreeImageSystem::LoadImage(const std::string& path, hlv_core::CResourceHandle<hlv_gfx::CImage>& image,
                                           const bool& topDown)
{
    const RegularFile opened = OpenRegularFile(path);
    if (!opened.file) return Fail(IOR_API_FAIL, path, opened.problem);
    BitmapFile file(opened.file.get());

    FREE_IMAGE_FORMAT format = file.ContentFormat();
    if (format == FIF_UNKNOWN) format = FreeImage_GetFIFFromFilename(path.c_str());
    if (format == FIF_UNKNOWN)
        return Fail(IOR_API_FAIL, path, "neither its contents nor its name name an image format");
    if (!IsAcceptedFormat(format))
        return Fail(IOR_INVALID_ARGUMENT, path,
                    "its format is " + FormatName(format) + "; only PNG and JPEG files are loaded");

    if (format == FIF_PNG)
        if (const std::optional<std::string> problem = FindPngChunkProblem(opened.file.get(), opened.size))
            return Fail(IOR_API_FAIL, path, *problem);

    // The declared size, before any pixel is decoded.
    const BitmapPtr header = file.Load(format, FIF_LOAD_NOPIXELS);
    if (!header) return Fail(IOR_API_FAIL, path, "the " + FormatName(format) + " header cannot be read");
    const unsigned width = FreeImage_GetWidth(header.get());
    const unsigned height = FreeImage_GetHeight(header.get());
    if (width == 0 || height == 0)
        return Fail(IOR_API_FAIL, path, "it declares no pixels (" + SizeText(width, height) + ")");
    if (!FitsTheLimits(width, height))
        return Fail(IOR_INVALID_ARGUMENT, path,
                    "it declares " + SizeText(width, height) + " pixels; at most " + std::to_string(kMaxImageSide) +
                        " on a side and " + std::to_string(kMaxImagePixels) + " in all are loaded");

    const BitmapPtr bitmap = file.Load(format, 0);
    if (!bitmap || !FreeImage_HasPixels(bitmap.get()) || !FreeImage_GetBits(bitmap.get()))
        return Fail(IOR_API_FAIL, path, "the " + FormatName(format) + " data cannot be decoded");
    if (FreeImage_GetWidth(bitmap.get()) != width || FreeImage_GetHeight(bitmap.get()) != height)
        return Fail(IOR_API_FAIL, path, "the decoded size differs from the declared " + SizeText(width, height));

    const std::optional<ImageLayout> layout = ChooseImageLayout(bitmap.get());
    if (!layout)
        return Fail(IOR_API_FAIL, path,
                    "its pixel layout (FreeImage type " + std::to_string(FreeImage_GetImageType(bitmap.get())) + ", " +
                        std::to_string(FreeImage_GetBPP(bitmap.get())) + " bits) has no image format");

    hlv_core::CResourceHandle<hlv_gfx::CImage> target = image.IsValid() ? image
                                                                        : hlv_core::Adopt(new hlv_gfx::CImage(path));
    const std::uint64_t pitch = PrepareImage(*target, *layout, width, height);
    if (pitch == 0 || pitch > static_cast<std::uint64_t>(std::numeric_limits<int>::max()))
        return Fail(IOR_API_FAIL, path, "the image cannot hold " + SizeText(width, height) + " pixels");

    WriteImageRows(bitmap.get(), *layout, reinterpret_cast<std::uint8_t*>(target->GetPixelBuffer()->GetData()), pitch,
                   topDown);
    image = target;
    return IOR_OK;
}

}  // namespace hlv_io
