#pragma once
// Named cube-map outputs.
#include <halvo_mgr/CGenericSlotManager.h>
#include <halvo_slot/CCubemapSlot.h>

namespace hlv_mgr {

class CCubemapSlotManager : public CGenericSlotManager<hlv_slot::CCubemapOutputSlot> {};

}  // namespace hlv_mgr
