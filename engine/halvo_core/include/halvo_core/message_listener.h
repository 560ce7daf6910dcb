#pragma once
// Receivers of engine messages: compiler and link logs, renderer errors.
#include <cstdint>
#include <list>
#include <string>

#include <halvo_core/resource.h>

namespace hlv_core {

class IMessageListener : public IResource {
public:
    HLV_RESOURCE_CLASS(IMessageListener)

    // A whole log, one element per line.
    virtual std::uint32_t OnMessages(const std::list<std::string>& messages) = 0;
    // One message.
    virtual std::uint32_t OnMessage(const std::string& message) = 0;

protected:
    explicit IMessageListener(const std::string& name) : IResource(name) {}
};
HLV_DEFINE_RESOURCE_CLASS(IMessageListener, IResource)

}  // namespace hlv_core
