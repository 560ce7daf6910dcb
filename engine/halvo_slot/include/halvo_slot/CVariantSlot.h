#pragma once
// Variant output and input slots, the pair that carries plain values
// (numbers, vectors, matrices; see variant_types.h).
//
// The owner of an output stores a value and calls NotifyInputs; every
// connected input copies it and hands it to its update listeners in listener
// order. An input is listed by an output exactly while that output is its
// source; destroying either side disconnects it from the other. A value change
// allocates nothing. Slots take no locks.
#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

#include <halvo_slot/ISlot.h>
#include <halvo_slot/IUpdateListener.h>

namespace hlv_slot {

template <typename T>
class CVariantInputSlot;

template <typename T>
class CVariantOutputSlot : public IOutputSlot {
public:
    using value_type = T;

    CVariantOutputSlot() = default;
    explicit CVariantOutputSlot(const T& value) : m_value(value) {}
    ~CVariantOutputSlot() override { ReleaseInputs(); }

    void Disconnect() override { Disconnect(true); }
    // Every input is removed and its source cleared (with or without
    // notify_inputs: no input may keep pointing at an output that dropped it).
    void Disconnect(bool notify_inputs) override
    {
        (void)notify_inputs;
        ReleaseInputs();
    }

    // Registers an input: a null input is ignored; an input connected elsewhere
    // leaves its old output first; an input not yet listed takes the first
    // empty place or is appended. In every case the input then receives the
    // current value.
    void Connect(CVariantInputSlot<T>* input)
    {
        if (!input) return;
        if (input->m_source != this) {
            input->Disconnect(true);
            input->m_source = this;
        }
        if (std::find(m_inputs.begin(), m_inputs.end(), input) == m_inputs.end()) {
            auto hole = std::find(m_inputs.begin(), m_inputs.end(), nullptr);
            if (hole != m_inputs.end()) {
                *hole = input;
            } else {
                m_inputs.push_back(input);
            }
        }
        input->Receive(m_value);
    }

    // Hands the stored value to every connected input.
    void NotifyInputs()
    {
        // Listeners may rewire inputs: index and length are re-read.
        for (std::size_t i = 0; i < m_inputs.size(); ++i) {
            if (CVariantInputSlot<T>* input = m_inputs[i]) input->Receive(m_value);
        }
    }

    // The value; an owner writes it here, then calls NotifyInputs.
    T& Value() { return m_value; }
    const T& Value() const { return m_value; }

    // Entries of the input list, including empty places.
    std::size_t GetInputCount() const { return m_inputs.size(); }
    // The input at entry i; null for an empty place or i out of range.
    CVariantInputSlot<T>* GetInput(std::size_t i) const { return i < m_inputs.size() ? m_inputs[i] : nullptr; }

private:
    friend class CVariantInputSlot<T>;

    void ReleaseInputs()
    {
        std::vector<CVariantInputSlot<T>*> inputs;
        inputs.swap(m_inputs);
        for (CVariantInputSlot<T>* input : inputs) {
            if (input) input->m_source = nullptr;
        }
    }

    void Unlist(CVariantInputSlot<T>* input)
    {
        auto it = std::find(m_inputs.begin(), m_inputs.end(), input);
        if (it != m_inputs.end()) *it = nullptr;
    }

    T m_value{};
    std::vector<CVariantInputSlot<T>*> m_inputs;
};

template <typename T>
class CVariantInputSlot : public IInputSlot {
public:
    using value_type = T;

    CVariantInputSlot() = default;
    // Deletes the owned listeners, then leaves the source.
    ~CVariantInputSlot() override
    {
        DeleteUpdateListeners();
        Disconnect(true);
    }

    void Disconnect() override { Disconnect(true); }
    // With notify_peer the output's entry for this input becomes an empty
    // place; the source is cleared in any case.
    void Disconnect(bool notify_peer) override
    {
        if (!m_source) return;
        if (notify_peer) m_source->Unlist(this);
        m_source = nullptr;
    }

    // Connects to output (null disconnects); connecting to the current source
    // changes nothing.
    void Connect(CVariantOutputSlot<T>* output)
    {
        if (output == m_source) return;
        Disconnect(true);
        m_source = output;
        if (output) output->Connect(this);
    }

    // The slot owns the listener from now on: it takes the first empty place or
    // is appended. A null listener or one the slot already has changes nothing.
    void AddUpdateListener(IUpdateListener* listener)
    {
        if (!listener) return;
        auto same = [listener](const ListenerEntry& e) { return e.listener == listener; };
        if (std::find_if(m_listeners.begin(), m_listeners.end(), same) != m_listeners.end()) {
            return;
        }
        auto empty = [](const ListenerEntry& e) { return e.listener == nullptr; };
        auto hole = std::find_if(m_listeners.begin(), m_listeners.end(), empty);
        if (hole != m_listeners.end()) {
            *hole = ListenerEntry{listener, true};
        } else {
            m_listeners.push_back(ListenerEntry{listener, true});
        }
    }

    // Deletes every owned listener and empties the list.
    void DeleteUpdateListeners()
    {
        std::vector<ListenerEntry> listeners;
        listeners.swap(m_listeners);
        for (const ListenerEntry& entry : listeners) {
            if (entry.owned) delete entry.listener;
        }
    }

    // Entries of the listener list (empty places included) and entry i.
    std::size_t GetUpdateListenerCount() const { return m_listeners.size(); }
    IUpdateListener* GetUpdateListener(std::size_t i) const
    {
        return i < m_listeners.size() ? m_listeners[i].listener : nullptr;
    }

    const T& GetValue() const { return m_value; }
    CVariantOutputSlot<T>* GetSource() const { return m_source; }

private:
    friend class CVariantOutputSlot<T>;

    struct ListenerEntry {
        IUpdateListener* listener;
        bool owned;
    };

    // Copies the value, then calls each listener with this slot.
    void Receive(const T& value)
    {
        m_value = value;
        for (std::size_t i = 0; i < m_listeners.size(); ++i) {
            if (IUpdateListener* listener = m_listeners[i].listener) listener->Update(this);
        }
    }

    T m_value{};
    CVariantOutputSlot<T>* m_source = nullptr;
    std::vector<ListenerEntry> m_listeners;
};

}  // namespace hlv_slot
