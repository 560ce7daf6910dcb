#pragma once
// A generic output and input pair over int that logs its hooks.
#include <string>

#include <halvo_slot/CGenericSlot.h>

#include "slot_recorders.h"

class TestInput;

class TestOutput : public hlv_slot::CGenericOutputSlot<TestOutput, TestInput, int> {
public:
    explicit TestOutput(EventLog* log = nullptr) : m_log(log) {}

protected:
    void OnValueChanged(const int& value) override
    {
        if (m_log) m_log->push_back("changed " + std::to_string(value));
    }

private:
    EventLog* m_log;
};

class TestInput : public hlv_slot::CGenericInputSlot<TestInput, TestOutput, int> {
public:
    explicit TestInput(EventLog* log = nullptr, std::string name = "in") : m_log(log), m_name(std::move(name)) {}
    int disconnects = 0;

protected:
    void OnOutputValue(TestOutput* output) override
    {
        if (m_log) {
            m_log->push_back(m_name + " received " + std::to_string(GetValue()) +
                             (output == GetSource() ? " from source" : " from elsewhere"));
        }
    }
    void OnDisconnected() override { ++disconnects; }

private:
    EventLog* m_log;
    std::string m_name;
};
