#pragma once
// Named viewport outputs; the application creates and inserts them.
#include <halvo_mgr/CGenericSlotManager.h>
#include <halvo_slot/CViewportSlot.h>

namespace hlv_mgr {

class CViewportSlotManager : public CGenericSlotManager<hlv_slot::CViewportOutputSlot> {};

}  // namespace hlv_mgr
