#pragma once
// Receiver of shader compile logs.
#include <cstdint>
#include <list>
#include <string>

#include <halvo_core/message_listener.h>

namespace hlv_gfx {

// OnMessages hands a log to HandleCompilerMessages and answers 0 whatever it
// returned; OnMessage hands one message to HandleLinkerMessage and answers 0
// when that returned 0, else GFXR_FAIL.
class ICompilerListener : public hlv_core::IMessageListener {
public:
    HLV_RESOURCE_CLASS(ICompilerListener)

    std::uint32_t OnMessages(const std::list<std::string>& messages) override;
    std::uint32_t OnMessage(const std::string& message) override;

    // 0 when the listener can deliver messages, else GFXR_INVALID_ARGUMENT.
    virtual std::uint32_t IsValid() const = 0;
    virtual std::uint32_t HandleCompilerMessages(const std::list<std::string>& messages) = 0;
    virtual std::uint32_t HandleLinkerMessage(const std::string& message) = 0;

protected:
    explicit ICompilerListener(const std::string& name) : IMessageListener(name) {}
};
HLV_DEFINE_RESOURCE_CLASS(ICompilerListener, hlv_core::IMessageListener)

}  // namespace hlv_gfx
