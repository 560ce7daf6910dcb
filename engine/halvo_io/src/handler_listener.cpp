#include <halvo_io/handler_listener.h>

#include <halvo_io/IO_RESULT.h>

namespace hlv_io {

void CHandlerListener::SetHandler(IMessageHandler* handler)
{
    if (handler == m_handler.get()) return;
    m_handler.reset(handler);
}

std::uint32_t CHandlerListener::OnMessages(const std::list<std::string>& messages)
{
    if (m_handler) m_handler->HandleMessages(messages);
    return IOR_OK;
}

std::uint32_t CHandlerListener::OnMessage(const std::string& message)
{
    if (m_handler) m_handler->HandleMessage(message);
    return IOR_OK;
}

}  // namespace hlv_io
