#pragma once
// The X visual of a native window, as the X server has it.
#include <cstdint>

namespace hlv_app_test {

// The visual id of the window; 0 when the server does not know the window.
std::uint32_t WindowVisual(unsigned long window);

}  // namespace hlv_app_test
