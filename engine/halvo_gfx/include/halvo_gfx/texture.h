#pragma once
// An image on the graphics device: type, size, formats, sampling parameters,
// the main-memory image that supplies its pixels and its API object.
#include <array>
#include <atomic>
#include <cstdint>

#include <halvo_core/handle.h>
#include <halvo_core/resource.h>
#include <halvo_gfx/api_specific.h>
#include <halvo_gfx/image.h>

namespace hlv_gfx {

// The sized variant of a TEXTURE_FORMAT for components of a VALUE_TYPE: the
// 8-bit, 16-bit or 32-bit float format of the five base formats (alpha,
// luminance, intensity, RGB, RGBA); 0 when either argument is 0 or the type has
// no sized variant; any other format unchanged.
std::uint32_t GetSizedTextureFormat(std::uint32_t textureFormat, std::uint32_t valueType);

// Producers fill the public fields, call SetImage and queue the texture's
// creation; the render thread reads the fields when it loads the texture.
class CTexture : public hlv_core::IResource {
public:
    HLV_RESOURCE_CLASS(CTexture)

    explicit CTexture(const std::string& name) : IResource(name) {}

    // Takes the image, marks the texture changed, copies the image's width and
    // height and derives the sized format from the texture format and the
    // image's component type. An empty handle changes only the image and flag.
    void SetImage(const hlv_core::CResourceHandle<CImage>& image);
    hlv_core::CResourceHandle<CImage> GetImage() const { return m_image; }

    // Set when the image was replaced; the renderer clears it after uploading.
    bool IsChanged() const { return m_changed.load(std::memory_order_acquire) != 0; }
    void SetChanged(bool changed) { m_changed.store(changed ? 1u : 0u, std::memory_order_release); }

    std::uint64_t width = 0;
    std::uint64_t height = 0;
    std::uint32_t textureType = 0;        // TEXTURE_TYPE
    std::uint32_t textureFormat = 34;     // TEXTURE_FORMAT handed to the API, TF_RGBA
    std::uint32_t sizedFormat = 0;        // TEXTURE_FORMAT derived by SetImage
    std::array<std::uint32_t, 3> wrap{};  // wrap modes of s, t and r
    std::uint32_t magFilter = 1;
    std::uint32_t minFilter = 1;
    std::uint32_t border = 0;            // border width passed with the image
    std::array<float, 4> borderColor{};  // red, green, blue, alpha

    // Made by the graphics system; shared by depth and cube-map textures.
    hlv_core::CResourceHandle<IApiSpecific> apiObject;

private:
    hlv_core::CResourceHandle<CImage> m_image;
    std::atomic<std::uint32_t> m_changed{0};
};
HLV_DEFINE_RESOURCE_CLASS(CTexture, hlv_core::IResource)

}  // namespace hlv_gfx
