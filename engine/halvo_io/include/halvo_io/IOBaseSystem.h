#pragma once
// Base of the input and output services.
#include <string>

#include <halvo_core/resource.h>

namespace hlv_io {

class IOBaseSystem : public hlv_core::IResource {
public:
    HLV_RESOURCE_CLASS(IOBaseSystem)

    explicit IOBaseSystem(const std::string& name) : IResource(name) {}
};
HLV_DEFINE_RESOURCE_CLASS(IOBaseSystem, hlv_core::IResource)

}  // namespace hlv_io
