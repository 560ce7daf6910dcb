#pragma once
// A texture of six faces, each supplied by an image of its own.
#include <array>

#include <halvo_core/handle.h>
#include <halvo_gfx/gfx_types.h>
#include <halvo_gfx/image.h>
#include <halvo_gfx/texture.h>

namespace hlv_gfx {

class CCubeMapTexture : public CTexture {
public:
    HLV_RESOURCE_CLASS(CCubeMapTexture)

    explicit CCubeMapTexture(const std::string& name) : CTexture(name) {}

    // The image of each face, indexed by CUBE_FACE.
    std::array<hlv_core::CResourceHandle<CImage>, CUBE_FACE_COUNT> faces;
};
HLV_DEFINE_RESOURCE_CLASS(CCubeMapTexture, CTexture)

}  // namespace hlv_gfx
