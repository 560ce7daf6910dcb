#pragma once
// Hook that a generic input slot fires after each new value.

namespace hlv_slot {

class INotification {
public:
    virtual void Notify() = 0;
    virtual ~INotification() = default;
};

}  // namespace hlv_slot
