#pragma once
// Base of the objects that hold a graphics-API name for a resource.
#include <halvo_core/resource.h>

namespace hlv_gfx {

// Made by the graphics system of an API, kept in a resource's API-object
// handle and read by the renderer of the same API.
class IApiSpecific : public hlv_core::IResource {
public:
    HLV_RESOURCE_CLASS(IApiSpecific)

protected:
    explicit IApiSpecific(const std::string& name) : IResource(name) {}
};
HLV_DEFINE_RESOURCE_CLASS(IApiSpecific, hlv_core::IResource)

}  // namespace hlv_gfx
