#pragma once
// Base interfaces of every data-flow slot.

namespace hlv_slot {

// Slots are wired to each other by pointer, so they never copy or move.
class ISlot {
public:
    ISlot() = default;
    ISlot(const ISlot&) = delete;
    ISlot& operator=(const ISlot&) = delete;

    // Disconnect(true) for every slot of the engine.
    virtual void Disconnect() = 0;
    // notify_peer: an input also removes itself from its output's list; an
    // output tells its inputs (see the slot families for what that runs).
    virtual void Disconnect(bool notify_peer) = 0;
    virtual ~ISlot() = default;
};

class IOutputSlot : public ISlot {};

class IInputSlot : public ISlot {};

}  // namespace hlv_slot
