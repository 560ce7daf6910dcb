#pragma once
// Output and input slots of viewport records.
#include <halvo_gfx/viewport.h>
#include <halvo_slot/CGenericSlot.h>

namespace hlv_slot {

class CViewportInputSlot;

class CViewportOutputSlot : public CGenericOutputSlot<CViewportOutputSlot, CViewportInputSlot, hlv_gfx::VIEWPORT> {
public:
    using CGenericOutputSlot::CGenericOutputSlot;
};

class CViewportInputSlot : public CGenericInputSlot<CViewportInputSlot, CViewportOutputSlot, hlv_gfx::VIEWPORT> {};

}  // namespace hlv_slot
