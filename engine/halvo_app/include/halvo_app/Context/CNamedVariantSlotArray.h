#pragma once
// Variant output slots of one value type, created and found by name.
#include <cstddef>
#include <deque>
#include <map>
#include <string>

#include <halvo_slot/CVariantSlot.h>

namespace hlv_app {

// Owns its output slots. A slot never moves once created, so inputs may stay
// connected to it while more names are added. Missing and duplicate names give
// npos (-1).
template <typename T>
class CNamedVariantSlotArray {
public:
    using value_type = T;
    using slot_type = hlv_slot::CVariantOutputSlot<T>;
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    CNamedVariantSlotArray() = default;
    CNamedVariantSlotArray(const CNamedVariantSlotArray&) = delete;
    CNamedVariantSlotArray& operator=(const CNamedVariantSlotArray&) = delete;

    // Creates an output slot holding initial under name and returns its index;
    // npos when the name is present.
    std::size_t AddSlot(const std::string& name, const T& initial)
    {
        if (m_names.count(name)) return npos;
        m_records.emplace_back(name, initial);
        const std::size_t index = m_records.size() - 1;
        m_names.emplace(name, index);
        return index;
    }

    // Index of the name, or npos.
    std::size_t GetIndex(const std::string& name) const
    {
        auto it = m_names.find(name);
        return it == m_names.end() ? npos : it->second;
    }

    // The slot at index, or null for an index out of range (npos included).
    slot_type* GetSlot(std::size_t index) { return index < m_records.size() ? &m_records[index].slot : nullptr; }
    const slot_type* GetSlot(std::size_t index) const
    {
        return index < m_records.size() ? &m_records[index].slot : nullptr;
    }
    // The slot of the name, or null.
    slot_type* FindSlot(const std::string& name) { return GetSlot(GetIndex(name)); }

    // The name of the slot at index (index must be below size()).
    const std::string& GetName(std::size_t index) const { return m_records.at(index).name; }

    std::size_t size() const { return m_records.size(); }

private:
    struct Record {
        Record(const std::string& n, const T& initial) : name(n), slot(initial) {}
        std::string name;
        slot_type slot;
    };

    std::map<std::string, std::size_t> m_names;
    // A deque never moves its elements when it grows at the end.
    std::deque<Record> m_records;
};

}  // namespace hlv_app
