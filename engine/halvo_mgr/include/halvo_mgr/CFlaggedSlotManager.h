#pragma once
// A slot manager that keeps a changed flag per name.
#include <map>
#include <string>

#include <halvo_mgr/CGenericSlotManager.h>

namespace hlv_mgr {

// The flag of a name is false after the name's slot was inserted and is set
// by the owner when it publishes a new value.
template <typename Slot>
class CFlaggedSlotManager : public CGenericSlotManager<Slot> {
public:
    // The name's flag; false for a name without one.
    bool GetChangedFlag(const std::string& name) const
    {
        auto it = m_changed.find(name);
        return it != m_changed.end() && it->second;
    }

protected:
    void SetChangedFlag(const std::string& name, bool changed) { m_changed[name] = changed; }

    void ResetChangedFlag(const std::string& name, Slot*) override { m_changed[name] = false; }

private:
    std::map<std::string, bool> m_changed;
};

}  // namespace hlv_mgr
