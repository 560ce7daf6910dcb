#pragma once
// A listener that passes messages to an application-side handler it owns.
#include <cstdint>
#include <list>
#include <memory>
#include <string>

#include <halvo_core/message_listener.h>
#include <halvo_io/message_handler.h>

namespace hlv_io {

class CHandlerListener : public hlv_core::IMessageListener {
public:
    HLV_RESOURCE_CLASS(CHandlerListener)

    explicit CHandlerListener(const std::string& name) : IMessageListener(name) {}

    // Takes ownership of handler; a handler owned before is deleted. Setting
    // the handler the listener already owns changes nothing.
    void SetHandler(IMessageHandler* handler);
    IMessageHandler* GetHandler() const { return m_handler.get(); }

    // Passed to the handler when one is set; 0 in every case.
    std::uint32_t OnMessages(const std::list<std::string>& messages) override;
    std::uint32_t OnMessage(const std::string& message) override;

private:
    std::unique_ptr<IMessageHandler> m_handler;
};
HLV_DEFINE_RESOURCE_CLASS(CHandlerListener, hlv_core::IMessageListener)

}  // namespace hlv_io
