#pragma once
// The OpenGL API objects: small reference-counted holders of one OpenGL name
// (or uniform location) that the OpenGL graphics system makes and stores in a
// resource's API-object handle, and the OpenGL renderer reads.
//
// GL names are plain 32-bit integers here so that this header stays free of GL
// headers; 0 means "no object" for every name.
#include <cstdint>
#include <string>

#include <halvo_core/handle.h>
#include <halvo_gfx/api_specific.h>

namespace hlv_gfx {

// A compiled shader stage.
class CGLSL_ApiSpecific : public IApiSpecific {
public:
    HLV_RESOURCE_CLASS(CGLSL_ApiSpecific)
    explicit CGLSL_ApiSpecific(const std::string& name = "OGL Api Specific") : IApiSpecific(name) {}

    std::uint32_t shader = 0;
};
HLV_DEFINE_RESOURCE_CLASS(CGLSL_ApiSpecific, IApiSpecific)

// The linked program of a render pass.
class CGLSL_RenderPass_ApiSpecific : public IApiSpecific {
public:
    HLV_RESOURCE_CLASS(CGLSL_RenderPass_ApiSpecific)
    explicit CGLSL_RenderPass_ApiSpecific(const std::string& name = "OGL Api Specific") : IApiSpecific(name) {}

    std::uint32_t program = 0;
};
HLV_DEFINE_RESOURCE_CLASS(CGLSL_RenderPass_ApiSpecific, IApiSpecific)

// The location of a uniform in its program; -1 for none.
class CGLSL_ShaderVariable_ApiSpecific : public IApiSpecific {
public:
    HLV_RESOURCE_CLASS(CGLSL_ShaderVariable_ApiSpecific)
    explicit CGLSL_ShaderVariable_ApiSpecific(const std::string& name = "") : IApiSpecific(name) {}

    std::int32_t location = -1;
};
HLV_DEFINE_RESOURCE_CLASS(CGLSL_ShaderVariable_ApiSpecific, IApiSpecific)

// A texture object (also the texture part of texture memory).
class oglCTexture_ApiSpecific : public IApiSpecific {
public:
    HLV_RESOURCE_CLASS(oglCTexture_ApiSpecific)
    explicit oglCTexture_ApiSpecific(const std::string& name = "Ogl Texture") : IApiSpecific(name) {}

    std::uint32_t texture = 0;
};
HLV_DEFINE_RESOURCE_CLASS(oglCTexture_ApiSpecific, IApiSpecific)

// A buffer object of a vertex, index or texture buffer, and whether the
// renderer holds it mapped.
class oglCBuffer_ApiSpecific : public IApiSpecific {
public:
    HLV_RESOURCE_CLASS(oglCBuffer_ApiSpecific)
    explicit oglCBuffer_ApiSpecific(const std::string& name) : IApiSpecific(name) {}

    std::uint32_t buffer = 0;
    std::uint32_t mapped = 0;
};
HLV_DEFINE_RESOURCE_CLASS(oglCBuffer_ApiSpecific, IApiSpecific)

// A framebuffer object.
class oglCFramebuffer_ApiSpecific : public IApiSpecific {
public:
    HLV_RESOURCE_CLASS(oglCFramebuffer_ApiSpecific)
    explicit oglCFramebuffer_ApiSpecific(const std::string& name = "FB apis") : IApiSpecific(name) {}

    std::uint32_t framebuffer = 0;
};
HLV_DEFINE_RESOURCE_CLASS(oglCFramebuffer_ApiSpecific, IApiSpecific)

// The API object of a resource as the OpenGL class T, or null when the handle
// is empty or holds an object of another class (another API's, say).
template <typename T>
T* OglApiObject(const hlv_core::CResourceHandle<IApiSpecific>& apiObject)
{
    IApiSpecific* object = apiObject.get();
    return object && hlv_core::IsKindOf<T>(object) ? static_cast<T*>(object) : nullptr;
}

}  // namespace hlv_gfx
