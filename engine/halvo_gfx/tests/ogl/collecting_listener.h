#pragma once
// A message listener that keeps every text it receives, in order: tests give
// it to a renderer and expect it empty afterwards.
#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include <halvo_core/message_listener.h>

namespace hlv_ogl_test {

class CCollectingListener : public hlv_core::IMessageListener {
public:
    explicit CCollectingListener(const std::string& name = "collecting listener") : IMessageListener(name) {}
    std::uint32_t OnMessages(const std::list<std::string>& messages) override
    {
        texts.insert(texts.end(), messages.begin(), messages.end());
        return 0;
    }
    std::uint32_t OnMessage(const std::string& message) override
    {
        texts.push_back(message);
        return 0;
    }
    std::vector<std::string> texts;
};

}  // namespace hlv_ogl_test
