#pragma once
// A list of events written by several threads, read by the test.
#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

namespace hlv_app_test {

class CEventLog {
public:
    void Add(const std::string& event)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_events.push_back(event);
    }

    std::vector<std::string> Events() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_events;
    }

    bool Contains(const std::string& event) const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return std::find(m_events.begin(), m_events.end(), event) != m_events.end();
    }

    // Position of the first occurrence, or -1.
    long IndexOf(const std::string& event) const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto it = std::find(m_events.begin(), m_events.end(), event);
        return it == m_events.end() ? -1 : static_cast<long>(it - m_events.begin());
    }

private:
    mutable std::mutex m_mutex;
    std::vector<std::string> m_events;
};

}  // namespace hlv_app_test
