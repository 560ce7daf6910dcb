#pragma once
// The application-side receiver that a handler listener passes messages to.
#include <cstdint>
#include <list>
#include <string>

namespace hlv_io {

class IMessageHandler {
public:
    virtual ~IMessageHandler() = default;

    virtual std::uint32_t HandleMessages(const std::list<std::string>& messages) = 0;
    virtual std::uint32_t HandleMessage(const std::string& message) = 0;
};

}  // namespace hlv_io
