#pragma once
// Named output slots owned by a manager.
#include <cstddef>
#include <string>

#include <halvo_core/fatal.h>
#include <halvo_slot/Array/CSlotArray.h>

namespace hlv_mgr {

// Owns every slot it holds and deletes them when it is destroyed (their
// destructors disconnect their inputs). Lookups of a missing name give null.
template <typename Slot, typename Key = std::string>
class CGenericSlotManager {
public:
    using slot_type = Slot;
    using key_type = Key;

    CGenericSlotManager() = default;
    CGenericSlotManager(const CGenericSlotManager&) = delete;
    CGenericSlotManager& operator=(const CGenericSlotManager&) = delete;

    virtual ~CGenericSlotManager()
    {
        for (std::size_t i = 0; i < m_slots.size(); ++i) {
            Slot* slot = m_slots[i];
            m_slots[i] = nullptr;
            delete slot;
        }
        m_slots.Clear();
    }

    // The slot stored under name, or null.
    Slot* GetSlot(const Key& name) const
    {
        const std::size_t i = m_slots.GetIndex(name);
        return i == m_slots.npos ? nullptr : m_slots[i];
    }

    // Takes ownership of slot under name. A slot already stored under the name
    // is deleted first, unless it is this very slot, which stays as it is. The
    // slot takes the array's first empty place. A null slot only removes the
    // name. A slot may be owned under one name only.
    void InsertSlot(const Key& name, Slot* slot)
    {
        const std::size_t i = m_slots.GetIndex(name);
        if (i != m_slots.npos) {
            Slot* old = m_slots[i];
            if (old != slot) {
                m_slots.RemoveSlot(i);
                delete old;
                AddOwned(name, slot);
            }
        } else {
            AddOwned(name, slot);
        }
        ResetChangedFlag(name, slot);
    }

    // Number of entries, empty places included, and entry i (null when empty).
    std::size_t GetSlotCount() const { return m_slots.size(); }
    Slot* GetSlotAt(std::size_t i) const { return i < m_slots.size() ? m_slots[i] : nullptr; }

protected:
    // Called after a slot was inserted under name.
    virtual void ResetChangedFlag(const Key& name, Slot* slot)
    {
        (void)name;
        (void)slot;
    }

private:
    void AddOwned(const Key& name, Slot* slot)
    {
        if (!slot) return;
        for (std::size_t j = 0; j < m_slots.size(); ++j) {
            HLV_FATAL_CHECK(m_slots[j] != slot, "A slot can be owned under one name only");
        }
        m_slots.AddSlot(name, slot);
    }

    hlv_slot::CSlotArray<Slot, Key> m_slots;
};

}  // namespace hlv_mgr
