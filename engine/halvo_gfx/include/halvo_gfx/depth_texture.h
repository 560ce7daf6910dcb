#pragma once
// A texture that holds depth values (the graphics system gives it its depth
// format; render passes, framebuffers and the renderer treat it by its class).
#include <halvo_gfx/texture.h>

namespace hlv_gfx {

class CDepthTexture : public CTexture {
public:
    HLV_RESOURCE_CLASS(CDepthTexture)

    explicit CDepthTexture(const std::string& name) : CTexture(name) {}
};
HLV_DEFINE_RESOURCE_CLASS(CDepthTexture, CTexture)

}  // namespace hlv_gfx
