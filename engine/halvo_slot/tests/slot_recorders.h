#pragma once
// Test hooks that write what happens into a shared event log.
#include <sstream>
#include <string>
#include <vector>

#include <halvo_slot/CVariantSlot.h>
#include <halvo_slot/INotification.h>
#include <halvo_slot/IUpdateListener.h>

using EventLog = std::vector<std::string>;

class RecordingNotification : public hlv_slot::INotification {
public:
    RecordingNotification(EventLog& log, std::string name, int* destroyed = nullptr)
        : m_log(log), m_name(std::move(name)), m_destroyed(destroyed)
    {
    }
    ~RecordingNotification() override
    {
        if (m_destroyed) ++*m_destroyed;
    }
    void Notify() override { m_log.push_back("notify " + m_name); }

private:
    EventLog& m_log;
    std::string m_name;
    int* m_destroyed;
};

// Logs "<name> <value>" for scalar values and "<name> [n]" for the others.
class RecordingListener : public hlv_slot::IUpdateListener {
public:
    RecordingListener(EventLog& log, std::string name, int* destroyed = nullptr)
        : m_log(log), m_name(std::move(name)), m_destroyed(destroyed)
    {
    }
    ~RecordingListener() override
    {
        if (m_destroyed) ++*m_destroyed;
    }

    void Update(hlv_slot::CVariantInputSlot<pld_math::mat4f>* s) override { Compound(s, 16); }
    void Update(hlv_slot::CVariantInputSlot<pld_math::mat3f>* s) override { Compound(s, 9); }
    void Update(hlv_slot::CVariantInputSlot<pld_math::vec4f>* s) override { Compound(s, 4); }
    void Update(hlv_slot::CVariantInputSlot<pld_math::vec3f>* s) override { Compound(s, 3); }
    void Update(hlv_slot::CVariantInputSlot<std::uint64_t>* s) override { Scalar(s); }
    void Update(hlv_slot::CVariantInputSlot<bool>* s) override { Scalar(s); }
    void Update(hlv_slot::CVariantInputSlot<unsigned int>* s) override { Scalar(s); }
    void Update(hlv_slot::CVariantInputSlot<int>* s) override { Scalar(s); }
    void Update(hlv_slot::CVariantInputSlot<double>* s) override { Scalar(s); }
    void Update(hlv_slot::CVariantInputSlot<float>* s) override { Scalar(s); }

private:
    template <typename Slot>
    void Scalar(Slot* slot)
    {
        std::ostringstream text;
        text << m_name << ' ' << slot->GetValue();
        m_log.push_back(text.str());
    }
    template <typename Slot>
    void Compound(Slot*, int n)
    {
        m_log.push_back(m_name + " [" + std::to_string(n) + "]");
    }

    EventLog& m_log;
    std::string m_name;
    int* m_destroyed;
};
