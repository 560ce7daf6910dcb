#pragma once
// Generic output and input slots, the pair that carries resource handles and
// viewport records.
//
// An output holds a value and the inputs connected to it; an input holds a copy
// of the value, the output it is connected to (its source) and one
// notification that fires after each new value. The two sides stay consistent:
// an input is listed by an output exactly while that output is its source.
// Destroying either side disconnects it from the other, so no slot is left
// pointing at a destroyed one.
//
// Out and In are the concrete output and input classes, which derive from
// these templates. Slots take no locks: they are wired and written by one
// thread at a time.
#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

#include <halvo_slot/INotification.h>
#include <halvo_slot/ISlot.h>

namespace hlv_slot {

template <typename In, typename Out, typename T>
class CGenericInputSlot;

template <typename Out, typename In, typename T>
class CGenericOutputSlot : public IOutputSlot {
public:
    using value_type = T;
    using input_base = CGenericInputSlot<In, Out, T>;

    CGenericOutputSlot() = default;
    explicit CGenericOutputSlot(const T& value) : m_value(value) {}
    ~CGenericOutputSlot() override { ReleaseInputs(true); }

    void Disconnect() override { Disconnect(true); }
    // Every input is removed and forgets this output. With notify_inputs the
    // inputs' disconnect hooks run (a texture input drops its texture).
    void Disconnect(bool notify_inputs) override { ReleaseInputs(notify_inputs); }

    // Registers an input: a null input or one already listed changes nothing.
    // An input connected elsewhere leaves its old output first. The input then
    // receives the current value.
    void Connect(In* input)
    {
        if (!input) return;
        input_base* slot = input;
        if (std::find(m_inputs.begin(), m_inputs.end(), slot) != m_inputs.end()) return;
        m_inputs.push_back(slot);
        if (slot->m_source != Self()) {
            slot->Disconnect(true);
            slot->m_source = Self();
        }
        slot->Refresh();
    }

    // Stores the value, runs OnValueChanged, then hands the value to every
    // connected input (copy, the input's OnOutputValue, its notification).
    void SetValue(const T& value)
    {
        m_value = value;
        OnValueChanged(m_value);
        // Hooks may connect or disconnect inputs: index and length are re-read.
        for (std::size_t i = 0; i < m_inputs.size(); ++i) {
            if (input_base* input = m_inputs[i]) input->Refresh();
        }
    }

    const T& GetValue() const { return m_value; }

    // Entries of the input list, including the empty places that
    // disconnected inputs left.
    std::size_t GetInputCount() const { return m_inputs.size(); }
    // The input at entry i; null for an empty place or i out of range.
    In* GetInput(std::size_t i) const
    {
        return i < m_inputs.size() && m_inputs[i] ? static_cast<In*>(m_inputs[i]) : nullptr;
    }

protected:
    // Runs after the value was stored, before the inputs receive it.
    virtual void OnValueChanged(const T& value) { (void)value; }

    T m_value{};

private:
    friend input_base;

    Out* Self() { return static_cast<Out*>(this); }

    void ReleaseInputs(bool notify_inputs)
    {
        std::vector<input_base*> inputs;
        inputs.swap(m_inputs);
        for (input_base* input : inputs) {
            if (!input) continue;
            if (notify_inputs) {
                input->Disconnect(false);
            } else {
                input->m_source = nullptr;
            }
        }
    }

    void Unlist(input_base* input)
    {
        auto it = std::find(m_inputs.begin(), m_inputs.end(), input);
        if (it != m_inputs.end()) *it = nullptr;
    }

    // Pointers to the input base classes: an input can find its own entry even
    // while its most derived part is already being destroyed.
    std::vector<input_base*> m_inputs;
};

template <typename In, typename Out, typename T>
class CGenericInputSlot : public IInputSlot {
public:
    using value_type = T;
    using output_base = CGenericOutputSlot<Out, In, T>;

    CGenericInputSlot() = default;
    ~CGenericInputSlot() override
    {
        if (m_source) static_cast<output_base*>(m_source)->Unlist(this);
        m_source = nullptr;
        if (m_ownsNotification) delete m_notification;
    }

    void Disconnect() override { Disconnect(true); }
    // Nothing when unconnected. With notify_peer the output's entry for this
    // input becomes an empty place. Then the source is cleared and
    // OnDisconnected runs.
    void Disconnect(bool notify_peer) override
    {
        if (!m_source) return;
        if (notify_peer) static_cast<output_base*>(m_source)->Unlist(this);
        m_source = nullptr;
        OnDisconnected();
    }

    // Connects to output (null disconnects): leaves the old source, then
    // registers with the new one, which hands over its value. With refresh the
    // value is taken again afterwards.
    void Connect(Out* output, bool refresh = true)
    {
        if (output != m_source) {
            Disconnect(true);
            m_source = output;
            if (!output) return;
            static_cast<output_base*>(output)->Connect(static_cast<In*>(this));
        }
        if (refresh && m_source) Refresh();
    }

    // Takes the source's value: copy, OnOutputValue, then the notification.
    // Nothing when unconnected.
    void Refresh()
    {
        if (!m_source) return;
        m_value = static_cast<const output_base*>(m_source)->m_value;
        OnOutputValue(m_source);
        if (m_notification) m_notification->Notify();
    }

    // The slot owns a non-null notification and deletes it when it is replaced
    // or the slot dies. Setting the notification it already has changes nothing.
    void SetNotification(INotification* notification)
    {
        if (notification == m_notification) return;
        INotification* old = m_ownsNotification ? m_notification : nullptr;
        m_notification = notification;
        m_ownsNotification = notification != nullptr;
        delete old;
    }
    INotification* GetNotification() const { return m_notification; }

    const T& GetValue() const { return m_value; }
    // Stores a value directly (owners push values into unconnected inputs);
    // the next value from a source replaces it.
    void SetValue(const T& value) { m_value = value; }

    Out* GetSource() const { return m_source; }

protected:
    // Runs after the value was copied from output.
    virtual void OnOutputValue(Out* output) { (void)output; }
    // Runs after the source was cleared by a disconnect.
    virtual void OnDisconnected() {}

    T m_value{};

private:
    friend output_base;

    INotification* m_notification = nullptr;
    bool m_ownsNotification = false;
    Out* m_source = nullptr;
};

}  // namespace hlv_slot
