#pragma once
// Slot pointers found by key: a list of slots with a parallel list of keys.
//
// Entries are appended or refilled in place, never shifted, so an index from
// GetIndex stays valid while its slot is present. Removing a slot leaves an
// empty place (null slot, empty key) that the next AddSlot refills. The array
// does not own its slots.
#include <cstddef>
#include <vector>

#include <halvo_core/fatal.h>

namespace hlv_slot {

// Key is std::string for names or unsigned int for draw-buffer values.
template <typename Slot, typename Key>
class CSlotArray {
public:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    CSlotArray()
    {
        m_slots.reserve(s_initialCapacity);
        m_keys.reserve(s_initialCapacity);
    }

    // A null slot is ignored. The first empty place takes the slot and the
    // key; otherwise both are appended (room grows by the grow step).
    void AddSlot(const Key& key, Slot* slot)
    {
        if (!slot) return;
        for (std::size_t i = 0; i < m_slots.size(); ++i) {
            if (!m_slots[i]) {
                m_slots[i] = slot;
                m_keys[i] = key;
                return;
            }
        }
        if (m_slots.size() == m_slots.capacity()) {
            m_slots.reserve(m_slots.size() + m_growStep);
            m_keys.reserve(m_slots.size() + m_growStep);
        }
        m_slots.push_back(slot);
        m_keys.push_back(key);
    }

    // Index of the first present slot with that key; npos when there is none.
    // Empty places never match, whatever key is asked for.
    std::size_t GetIndex(const Key& key) const
    {
        for (std::size_t i = 0; i < m_keys.size(); ++i) {
            if (m_slots[i] && m_keys[i] == key) return i;
        }
        return npos;
    }

    Slot*& operator[](std::size_t i)
    {
        HLV_FATAL_CHECK(i < m_slots.size(), "i < _slots.size()");
        return m_slots[i];
    }
    Slot* operator[](std::size_t i) const
    {
        HLV_FATAL_CHECK(i < m_slots.size(), "i < _slots.size()");
        return m_slots[i];
    }

    // The key of entry i (the empty key for an empty place).
    const Key& GetKey(std::size_t i) const
    {
        HLV_FATAL_CHECK(i < m_keys.size(), "i < _mapping_buffer.size()");
        return m_keys[i];
    }

    // Makes entry index an empty place; the slot is not deleted.
    void RemoveSlot(std::size_t index)
    {
        HLV_FATAL_CHECK(index < m_slots.size(), "index < _slots.size()");
        HLV_FATAL_CHECK(index < m_keys.size(), "index < _mapping_buffer.size()");
        m_slots[index] = nullptr;
        m_keys[index] = Key{};
    }

    // Forgets every entry; no slot is deleted.
    void Clear()
    {
        m_slots.clear();
        m_keys.clear();
    }

    // Number of entries, empty places included.
    std::size_t size() const { return m_slots.size(); }
    bool empty() const { return m_slots.empty(); }

private:
    static constexpr std::size_t s_initialCapacity = 20;

    std::size_t m_growStep = 5;
    std::vector<Slot*> m_slots;
    std::vector<Key> m_keys;
};

}  // namespace hlv_slot
